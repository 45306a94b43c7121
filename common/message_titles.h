// SPDX-License-Identifier: GPL-3.0-or-later
// The title of Zorrit's error boxes, written once for every place that shows one.
#pragma once

#include <QString>

namespace common {

// A damaged or missing theme, a missing Vandrel, no translucency, another copy running, ...
inline QString zorritErrorTitle()
{
    return QStringLiteral("Zorrit - Error");
}

} // namespace common
