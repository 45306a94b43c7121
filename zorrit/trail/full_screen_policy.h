// SPDX-License-Identifier: GPL-3.0-or-later
// When the trail stands aside for a full-screen program: the rule, on plain values.
#pragma once

#include "platform/full_screen_watch.h"
#include "platform/monitor_layout.h"

#include <QPoint>

#include <optional>

namespace zorrit::trail {

// The trail hides while the box is ticked (wanted) and the window with the focus is full screen
// on the monitor the pointer is on. A window whose place the desktop does not give, a pointer
// that cannot be read or a single monitor: the full-screen window counts as under the pointer.
bool hidesOverFullScreen(bool wanted, const platform::FocusedWindow &focused,
                         const platform::MonitorLayout &monitors, std::optional<QPoint> pointer);

// Whether that answer can change as the pointer moves (a full-screen window with the focus, its
// place known, and more than one monitor): only then does the pointer's monitor matter.
bool hidingFollowsPointer(bool wanted, const platform::FocusedWindow &focused,
                          const platform::MonitorLayout &monitors);

} // namespace zorrit::trail
