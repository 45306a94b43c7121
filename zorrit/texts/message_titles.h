// SPDX-License-Identifier: GPL-3.0-or-later
// The titles of Zorrit's error boxes, written once for every place that shows one; below every
// room that shows a box (trail, shell, prefs, app), so each may include it.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace zorrit {

// A damaged or missing theme, a missing Vandrel, no translucency, another copy running, ...
inline QString errorTitle()
{
    return QCoreApplication::translate("zorrit", "Zorrit - Error");
}

// A failure nothing in the program can work around: an open dialog that cannot be shown at all.
inline QString criticalErrorTitle()
{
    return QCoreApplication::translate("zorrit", "Zorrit - Critical Error");
}

} // namespace zorrit
