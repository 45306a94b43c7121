// SPDX-License-Identifier: GPL-3.0-or-later
// The once-per-user notice and its text.
#include "pointer_notice.h"

#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace zorrit::pointer {

QString otherWaylandText()
{
    return QCoreApplication::translate("zorrit::pointer::PointerChoice",
                                       "This desktop does not tell other programs where the "
                                       "pointer is, so the trail follows it only over X11 "
                                       "windows.");
}

bool showNoticeOnce(platform::Dialogs &dialogs, const QString &markerFolder, const QString &key,
                    const QString &text)
{
    if (key.isEmpty() || markerFolder.isEmpty())
        return false;
    const QString marker = markerFolder + QStringLiteral("/") + key + QStringLiteral(".shown");
    if (QFile::exists(marker))
        return false;
    // Marked before it shows: a notice that could not be marked would come back at every start.
    QDir().mkpath(markerFolder);
    QFile file(marker);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    dialogs.message(nullptr, platform::MessageIcon::Information, QStringLiteral("Zorrit"), text);
    return true;
}

} // namespace zorrit::pointer
