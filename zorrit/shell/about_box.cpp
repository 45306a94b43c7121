// SPDX-License-Identifier: GPL-3.0-or-later
// The about box's texts, link and buttons.
#include "about_box.h"

#include "window_pictures.h"

#include "common/link_label.h"
#include "common/maker_web.h"
#include "common/version.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace zorrit::shell {

namespace {
QLabel *makeLabel(const QString &text, const char *name, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

QLabel *makePicture(const char *name, const QPixmap &pixmap, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(pixmap);
    return label;
}
} // namespace

AboutBox::AboutBox(const VersionHolder &versions, platform::Shell &shell, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("about"));
    setWindowRole(objectName());
    setWindowTitle(tr("About Zorrit"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    QFont verdana(QStringLiteral("Verdana"));

    QStyle *st = style();
    auto *programImage = makePicture("Image1", programPicture(), this);
    auto *networkImage =
        makePicture("Image2", st->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32), this);
    auto *desktopImage =
        makePicture("Image3", st->standardIcon(QStyle::SP_DesktopIcon).pixmap(32, 32), this);

    auto *versionLabel = makeLabel(tr("Version ") + versions.shownVersion + tr(" - Build ")
                                       + QString::number(common::version::kBuild),
                                   "Label5", verdana, this);
    auto *updatesLabel = makeLabel(tr("For updates, news and other great utilities, visit:"),
                                   "Label3", verdana, this);

    // The text-less margin around the link; the pointer leaving the link over it drops
    // the underline.
    auto *linkMargin = new QWidget(this);
    linkMargin->setObjectName(QStringLiteral("mouseno"));
    auto *around = new QHBoxLayout(linkMargin);
    around->setContentsMargins(6, 4, 6, 4);
    auto *link = new common::LinkLabel(common::web::homePage(), QUrl(common::web::homePage()),
                                       &shell, linkMargin);
    link->setObjectName(QStringLiteral("Label4"));
    link->setFont(verdana);
    around->addWidget(link);
    around->addStretch();
    // The link has opened the page; the box goes away.
    connect(link, &common::LinkLabel::clicked, this, &QDialog::reject);

    auto *ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *check = new QPushButton(tr("&Check for updates..."), this);
    check->setObjectName(QStringLiteral("Command2"));
    check->setAutoDefault(false);
    connect(check, &QPushButton::clicked, this, [this] { done(kCheckForUpdates); });

    auto *grid = new QGridLayout(this);
    grid->addWidget(programImage, 0, 0, Qt::AlignTop);
    grid->addWidget(versionLabel, 0, 1);
    grid->addWidget(networkImage, 1, 0, Qt::AlignTop);
    grid->addWidget(updatesLabel, 1, 1);
    grid->addWidget(desktopImage, 2, 0);
    grid->addWidget(linkMargin, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(check);
    buttons->addWidget(ok);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

bool showAboutBox(QWidget *parent, const VersionHolder &versions, platform::Shell &shell)
{
    AboutBox box(versions, shell, parent);
    return box.exec() == AboutBox::kCheckForUpdates;
}

} // namespace zorrit::shell
