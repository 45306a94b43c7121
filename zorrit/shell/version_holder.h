// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own version in its two forms and the latest version the update check found.
#pragma once

#include <QString>
#include <QtGlobal>

namespace zorrit::shell {

// Owned by the hidden tray window for the whole run; the about box and the update check take it
// by reference.
struct VersionHolder
{
    QString whatsit = QStringLiteral("1.2.1"); // for display
    QString daversion = QStringLiteral("121"); // the same without points, for the comparison
    qint16 latestversion = 0;                  // written by a successful update check
};

} // namespace zorrit::shell
