// SPDX-License-Identifier: GPL-3.0-or-later
// The monitors as the X server lays them out, each with the scale its programs draw at, and the
// mapping between the server's device pixels and Qt's device-independent pixels.
#pragma once

#include <QPointF>
#include <QRect>

#include <array>

namespace platform {

struct Monitor
{
    QRect device;     // in device pixels, the server's own coordinates
    double scale = 1; // device pixels per device-independent pixel
};

// A fixed-size table, so that looking a point up allocates nothing (the trail does it per tick).
class MonitorLayout
{
public:
    static constexpr int kMaxMonitors = 16;

    void clear() { m_count = 0; }
    // Monitors beyond kMaxMonitors, empty ones and ones without a positive scale are left out.
    void add(const QRect &device, double scale);
    int count() const { return m_count; }
    const Monitor &monitor(int index) const { return m_monitors[index]; }
    // True when some monitor draws at a scale other than 1.
    bool scaled() const;

    // The monitor that holds the device pixel point; outside every monitor, the nearest one;
    // -1 when there are no monitors.
    int indexAt(double x, double y) const;
    // A monitor's scale; 1 for -1 (no monitors known).
    double scale(int index) const { return index < 0 ? 1.0 : m_monitors[index].scale; }
    // Where a device pixel point is in Qt's device-independent pixels, taken as on that monitor:
    // each monitor keeps its top-left corner, and its content shrinks by its scale from there.
    QPointF toLogical(QPointF device, int index) const;

private:
    std::array<Monitor, kMaxMonitors> m_monitors{};
    int m_count = 0;
};

} // namespace platform
