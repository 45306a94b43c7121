// SPDX-License-Identifier: GPL-3.0-or-later
// The window-system seam through Qt alone, for platforms without X11 (offscreen): windows move and
// rise through their widgets, and nothing reports the pointer's movements.
#pragma once

#include "qt_monitors.h"
#include "window_system.h"

namespace platform {

class OffscreenWindowSystem final : public WindowSystem
{
public:
    const MonitorLayout &monitors() override { return m_monitors.layout(); }
    std::optional<QPoint> pointerPos() override;
    void moveWindow(QWidget *window, QPoint topLeft, int monitor) override;
    void raiseWindow(QWidget *window) override;
    void flush() override {}
    bool compositorRunning() override { return false; }
    bool canWatchPointer() override { return false; }
    std::optional<QPoint> watchPointerOnce(std::function<void()>) override { return pointerPos(); }
    void stopWatchingPointer() override {}
    void dropUnaskedEvents() override {}

private:
    QtMonitors m_monitors;
};

} // namespace platform
