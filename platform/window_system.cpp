// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the window system at start.
#include "window_system.h"

#include "offscreen_window_system.h"
#include "x11_window_system.h"

#include <QGuiApplication>

namespace platform {

std::unique_ptr<WindowSystem> createWindowSystem()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->connection())
        return std::make_unique<X11WindowSystem>(x11->connection(), x11->display());
    return std::make_unique<OffscreenWindowSystem>();
}

} // namespace platform
