// SPDX-License-Identifier: GPL-3.0-or-later
// The window system of a Wayland compositor with a layer shell: the sprites are surfaces of
// Zorrit's own Wayland connection, and the pointer comes from the compositor.
#pragma once

#include "platform/monitor_layout.h"
#include "platform/window_system.h"

#include <functional>
#include <vector>

namespace platform {
class SourcedWindowSystem;
}

namespace platform::wayland {

class WaylandSession;

// Everything is in the compositor's logical pixels, across all outputs. The pointer comes from
// `pointer` (the compositor's reports, with the X server's pointer standing in where there is
// one); the sprites go to `session`. The trail's windows are never shown.
class LayerShellWindowSystem final : public WindowSystem, private SpriteSurfaces
{
public:
    LayerShellWindowSystem(WaylandSession &session, SourcedWindowSystem &pointer);
    ~LayerShellWindowSystem() override;

    const MonitorLayout &monitors() override;
    std::optional<QPoint> pointerPos() override;
    void moveWindow(QWidget *window, QPoint topLeft, int monitor) override;
    // The layer keeps them above the windows.
    void raiseWindow(QWidget *) override {}
    void flush() override;
    // Layer surfaces have real alpha: no extra compositor is needed for translucency.
    bool compositorRunning() override { return true; }
    bool canWatchPointer() override;
    std::optional<QPoint> watchPointerOnce(std::function<void()> onMove) override;
    void stopWatchingPointer() override;
    // Also reads the session, so that outputs that come and go while the trail sleeps are
    // followed.
    void dropUnaskedEvents() override;
    SpriteSurfaces *spriteSurfaces() override { return this; }
    // Told once, on the GUI thread, when the compositor has ended the connection and with it the
    // sprites: what it said, empty when it said nothing.
    void onEnded(std::function<void(const QString &said)> told);
    std::unique_ptr<TrailChannel> openTrailChannel(const std::vector<QWidget *> &windows) override;

private:
    void setPicture(int index, const QImage &picture) override;
    void setVisible(bool visible) override;
    void setOnTop(bool onTop) override;
    void setOpacity(double opacity) override;
    void moveSprite(int index, QPoint topLeft) override;
    void commit() override;
    void readOutputs();

    WaylandSession &m_session;
    SourcedWindowSystem &m_pointer;
    MonitorLayout m_monitors;
    std::function<void(const QString &)> m_onEnded;
    bool m_endTold = false;
};

} // namespace platform::wayland
