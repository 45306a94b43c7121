// SPDX-License-Identifier: GPL-3.0-or-later
// Looking up monitors by point.
#include "monitor_layout.h"

#include <limits>

namespace platform {

void MonitorLayout::add(const QRect &device, double scale)
{
    if (m_count >= kMaxMonitors || device.isEmpty() || !(scale > 0))
        return;
    m_monitors[m_count++] = {device, scale};
}

bool MonitorLayout::scaled() const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_monitors[i].scale != 1.0)
            return true;
    }
    return false;
}

int MonitorLayout::indexAt(double x, double y) const
{
    int nearest = -1;
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < m_count; ++i) {
        const QRect &r = m_monitors[i].device;
        // Distance from the point to the monitor's area, in device pixels (0 inside it). Pixel
        // columns left..right cover x from left up to, not including, right + 1.
        const double dx = x < r.left() ? r.left() - x : (x >= r.right() + 1 ? x - r.right() : 0);
        const double dy = y < r.top() ? r.top() - y : (y >= r.bottom() + 1 ? y - r.bottom() : 0);
        if (dx == 0 && dy == 0)
            return i;
        const double distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

QPointF MonitorLayout::toLogical(QPointF device, int index) const
{
    if (index < 0)
        return device;
    const Monitor &m = m_monitors[index];
    const QPointF origin = m.device.topLeft();
    return origin + (device - origin) / m.scale;
}

} // namespace platform
