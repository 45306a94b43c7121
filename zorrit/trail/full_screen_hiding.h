// SPDX-License-Identifier: GPL-3.0-or-later
// The trail stands aside while a full-screen program has the focus on the pointer's monitor.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

namespace platform {
class FullScreenWatch;
class WindowSystem;
} // namespace platform

namespace zorrit::trail {

class TrailEngine;

// Hears the desktop's notices of the focused window (a FullScreenWatch, on the GUI thread) and
// hides or shows the trail for that reason alone; the user's "Zorrit Off" stays the user's. Nothing
// of it runs at the trail's tick: only a notice, a change of the box, or, while a full-screen
// window has the focus on one of several monitors, a look once a second at where the pointer is.
class FullScreenHiding final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPointerCheckMs = 1000;

    // watch: none where the desktop says nothing of full-screen windows; the trail then never
    // hides for one.
    FullScreenHiding(TrailEngine &engine, platform::WindowSystem &windowSystem,
                     platform::FullScreenWatch *watch);

    // "Hide the trail over full-screen programs"; acts at once once started.
    void setWanted(bool wanted);
    // From the trail's start on: follows the watch.
    void start();

private:
    void update();

    TrailEngine &m_engine;
    platform::WindowSystem &m_windowSystem;
    QPointer<platform::FullScreenWatch> m_watch;
    QTimer m_pointerCheck;
    bool m_wanted = true;
    bool m_started = false;
};

} // namespace zorrit::trail
