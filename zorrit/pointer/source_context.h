// SPDX-License-Identifier: GPL-3.0-or-later
// What a pointer source is given when the choice makes it.
#pragma once

#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

namespace platform::wayland {
class WaylandSession;
}

namespace zorrit::pointer {

class ReportedFullScreen;

struct SourceContext
{
    // This user's runtime folder of Zorrit's, for files the compositor must read (the KWin
    // script).
    QString runtimeFolder;
    // Zorrit's own Wayland connection, where there is one; the cursor sessions are read on it.
    platform::wayland::WaylandSession *wayland = nullptr;
    // The sprites are the compositor's surfaces: positions stay in its logical pixels rather
    // than going into Xwayland's.
    bool logicalPixels = false;
    // Where the X server sees the pointer (over X11 windows); unset without an X display.
    std::function<std::optional<QPoint>()> xPointer;
    // Where the compositor's reporter tells of the focused window's full screen; none where the
    // desktop says it some other way.
    ReportedFullScreen *fullScreen = nullptr;
};

} // namespace zorrit::pointer
