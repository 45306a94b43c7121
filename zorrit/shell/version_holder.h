// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own version in its two forms and the latest version the update check found.
#pragma once

#include "common/version.h"

#include <QString>
#include <QtGlobal>

namespace zorrit::shell {

// Owned by the composition root (ZorritApp) for the whole run; the tray window, the about box and
// the update check take it by reference.
struct VersionHolder
{
    // For display.
    QString shownVersion = common::version::display();
    // The same without points, for the comparison.
    QString compactVersion = common::version::compact();
    // Written by a successful update check.
    qint16 latestVersion = 0;
};

} // namespace zorrit::shell
