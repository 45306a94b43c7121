// SPDX-License-Identifier: GPL-3.0-or-later
// Window operations through Qt's widgets.
#include "offscreen_window_system.h"

#include <QCursor>
#include <QWidget>

namespace platform {

std::optional<QPoint> OffscreenWindowSystem::pointerPos()
{
    return QCursor::pos();
}

void OffscreenWindowSystem::moveWindow(QWidget *window, QPoint topLeft, int monitor)
{
    window->move(m_monitors.layout().toLogical(topLeft, monitor).toPoint());
}

void OffscreenWindowSystem::raiseWindow(QWidget *window)
{
    window->raise();
}

} // namespace platform
