// SPDX-License-Identifier: GPL-3.0-or-later
// Which full-screen window the trail stands aside for.
#include "full_screen_policy.h"

namespace zorrit::trail {

namespace {

qint64 area(const QRect &rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

} // namespace

bool hidingFollowsPointer(bool wanted, const platform::FocusedWindow &focused,
                          const platform::MonitorLayout &monitors)
{
    return wanted && focused.fullScreen && !focused.areas.empty() && monitors.count() > 1;
}

bool hidesOverFullScreen(bool wanted, const platform::FocusedWindow &focused,
                         const platform::MonitorLayout &monitors, std::optional<QPoint> pointer)
{
    if (!wanted || !focused.fullScreen)
        return false;
    if (!pointer || !hidingFollowsPointer(wanted, focused, monitors))
        return true;
    const QRect monitor = monitors.monitor(monitors.indexAt(pointer->x(), pointer->y())).device;
    // A full-screen window covers its monitor (or several); one on a neighbouring monitor at most
    // touches this one.
    for (const QRect &shown : focused.areas) {
        if (2 * area(shown.intersected(monitor)) >= area(monitor))
            return true;
    }
    return false;
}

} // namespace zorrit::trail
