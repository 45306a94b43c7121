// SPDX-License-Identifier: GPL-3.0-or-later
// The welcome window's texts and its closing.
#include "welcome_window.h"

#include "common/separator.h"
#include "window_pictures.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
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
    // Tahoma where it is installed; fontconfig picks the nearest font otherwise.
    label->setFont(QFont(QStringLiteral("Tahoma"), label->font().pointSize()));
    return label;
}

QLabel *picture(QWidget *parent, int index)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Image%1").arg(index));
    label->setPixmap(welcomePicture(index));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// A picture beside its text.
QHBoxLayout *besideText(QWidget *parent, int index, QLabel *text)
{
    auto *row = new QHBoxLayout;
    row->addWidget(picture(parent, index), 0, Qt::AlignTop);
    row->addWidget(text, 1);
    return row;
}

} // namespace

WelcomeWindow::WelcomeWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("startup1"));
    setWindowRole(objectName());
    setWindowTitle(tr("Welcome Wizard"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture(this, 1));
    layout->addWidget(common::makeSeparator(this));
    layout->addWidget(
        textLabel(this, "Label1",
                  tr("It's the first time Zorrit is launched on your computer. This window "
                     "won't appear anymore.")));
    layout->addLayout(besideText(
        this, 2,
        textLabel(this, "Label2",
                  tr("Zorrit will add a mouse trail to your mouse. You can change the mouse "
                     "trail, download new mouse trails via the Internet and even make your own "
                     "mouse trails!"))));
    layout->addLayout(besideText(
        this, 3,
        textLabel(this, "Label3",
                  tr("Zorrit uses very little CPU and will not slow down your computer."))));
    layout->addLayout(besideText(
        this, 4,
        textLabel(this, "Label4",
                  tr("     To configure Zorrit, change the current mouse trail or deactivate "
                     "it temporarily, simply right-click Zorrit's icon, located on the system "
                     "tray (near the clock). The icon will appear once you'll close this "
                     "window."))));
    layout->addWidget(textLabel(this, "Label5", tr("We hope you enjoy Zorrit!")));
    layout->addWidget(common::makeSeparator(this));
    auto *ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    // Every way of closing it (OK, Esc, the close box) ends in done(), hence finished().
    connect(this, &QDialog::finished, this, &WelcomeWindow::finish);
    setMinimumWidth(440);
    resize(460, sizeHint().height());
}

void WelcomeWindow::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    Q_EMIT closed();
}

} // namespace zorrit::shell
