// SPDX-License-Identifier: GPL-3.0-or-later
// The welcome window's texts and its closing.
#include "startup1_window.h"

#include "stand_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorrit::shell {

namespace {

QLabel *textLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

Startup1Window::Startup1Window(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("startup1"));
    setWindowTitle(QStringLiteral("Welcome Wizard"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(trailPicture(3));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    layout->addWidget(separator(this));
    layout->addWidget(textLabel(this, "Label1",
        QStringLiteral("It's the first time Zorrit is launched on your computer. This window "
                       "won't appear anymore.")));
    layout->addWidget(textLabel(this, "Label2",
        QStringLiteral("Zorrit will add a mouse trail to your mouse. You can change the mouse "
                       "trail, download new mouse trails via the Internet and even make your own "
                       "mouse trails!")));
    layout->addWidget(textLabel(this, "Label3",
        QStringLiteral("Zorrit uses very little CPU and will not slow down your computer.")));
    layout->addWidget(textLabel(this, "Label4",
        QStringLiteral("     To configure Zorrit, change the current mouse trail or deactivate "
                       "it temporarily, simply right-click Zorrit's icon, located on the system "
                       "tray (near the clock). The icon will appear once you'll close this "
                       "window.")));
    layout->addWidget(textLabel(this, "Label5", QStringLiteral("We hope you enjoy Zorrit!")));
    layout->addWidget(separator(this));
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(440);
    resize(460, sizeHint().height());
}

void Startup1Window::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    Q_EMIT closed();
}

void Startup1Window::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    if (event->isAccepted())
        finish();
}

void Startup1Window::done(int result)
{
    // QDialog::done() closes the window and queues its deletion. What runs on "closed" (the
    // whole trail start-up) may process events and so delete this window: nothing of it may be
    // touched after finish().
    QPointer<Startup1Window> self(this);
    QDialog::done(result);
    if (self && isVisible())
        close();
    if (self)
        finish();
}

} // namespace zorrit::shell
