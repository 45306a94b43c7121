// SPDX-License-Identifier: GPL-3.0-or-later
// Captions, texts, icons and the download link of the update check's result dialogs.
#include "result_dialog.h"

#include "common/link_label.h"
#include "common/maker_web.h"
#include "zorrit/shell/message_icon.h"
#include "zorrit/update/version_value.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zorrit::update {

namespace {
struct KindTexts
{
    ResultDialog::Kind kind;
    const char *objectName;
    const char *caption;
    int iconStyle;
    const char *message;
};

constexpr KindTexts kKinds[] = {
    {ResultDialog::Kind::UpdateAvailable, "yesupdate",
     QT_TRANSLATE_NOOP("zorrit::update::ResultDialog", "Update available"), 1,
     QT_TRANSLATE_NOOP("zorrit::update::ResultDialog", "An update for Zorrit was found!")},
    {ResultDialog::Kind::UpToDate, "noupdate",
     QT_TRANSLATE_NOOP("zorrit::update::ResultDialog", "Already updated"), 1,
     QT_TRANSLATE_NOOP("zorrit::update::ResultDialog",
                       "You already have the most recent version of Zorrit on your system!")},
    {ResultDialog::Kind::Error, "errupdate",
     QT_TRANSLATE_NOOP("zorrit::update::ResultDialog", "Error"), 0,
     QT_TRANSLATE_NOOP("zorrit::update::ResultDialog",
                       "An error occurred while checking for updates. Make sure you are on the "
                       "Internet, then try again.")},
};

const KindTexts &textsFor(ResultDialog::Kind kind)
{
    for (const KindTexts &texts : kKinds) {
        if (texts.kind == kind)
            return texts;
    }
    return kKinds[2];
}

QLabel *makeLabel(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
} // namespace

ResultDialog::ResultDialog(Kind kind, const shell::VersionHolder &versions, platform::Shell &shell,
                           QWidget *parent)
    : QDialog(parent)
    , m_kind(kind)
{
    const KindTexts &texts = textsFor(kind);
    setObjectName(QLatin1String(texts.objectName));
    setWindowRole(objectName());
    setWindowTitle(tr(texts.caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *icon = new shell::MessageIcon(this);
    icon->setObjectName(QStringLiteral("XQSysIcons1"));
    icon->setIconStyle(texts.iconStyle);
    icon->setFixedSize(shell::MessageIcon::kSide, shell::MessageIcon::kSide);

    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop | Qt::AlignLeft);
    QLabel *messageLabel = makeLabel(tr(texts.message), "Label1", this);
    messageLabel->setMinimumWidth(300);
    grid->addWidget(messageLabel, 0, 1);

    if (kind == Kind::UpdateAvailable) {
        const QString text =
            tr("The latest available version is %1. You currently have %2.")
                .arg(displayVersion(versions.latestVersion), versions.shownVersion);
        grid->addWidget(makeLabel(text, "st1", this), 1, 1);

        // The text-less margin around the link; leaving the link over it drops the
        // underline (the link label does that itself on leaving).
        auto *linkMargin = new QWidget(this);
        linkMargin->setObjectName(QStringLiteral("mousenein"));
        auto *around = new QHBoxLayout(linkMargin);
        around->setContentsMargins(6, 6, 6, 6);
        auto *link = new common::LinkLabel(tr("Download update"), QUrl(common::web::installer()),
                                           &shell, linkMargin);
        link->setObjectName(QStringLiteral("Label3"));
        around->addWidget(link);
        around->addStretch();
        grid->addWidget(linkMargin, 2, 1);
        connect(link, &common::LinkLabel::clicked, this, &QDialog::close);
    } else if (kind == Kind::UpToDate) {
        grid->addWidget(makeLabel(tr("Version: %1").arg(versions.shownVersion), "thetext", this), 1,
                        1);
    }

    auto *ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, 3, 1, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zorrit::update
