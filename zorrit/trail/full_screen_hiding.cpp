// SPDX-License-Identifier: GPL-3.0-or-later
// Hiding the trail over full-screen programs.
#include "full_screen_hiding.h"

#include "full_screen_policy.h"
#include "platform/full_screen_watch.h"
#include "platform/window_system.h"
#include "trail_engine.h"

#include <utility>

namespace zorrit::trail {

FullScreenHiding::FullScreenHiding(TrailEngine &engine, platform::WindowSystem &windowSystem,
                                   platform::FullScreenWatch *watch)
    : m_engine(engine)
    , m_windowSystem(windowSystem)
    , m_watch(watch)
{
    m_pointerCheck.setInterval(kPointerCheckMs);
    connect(&m_pointerCheck, &QTimer::timeout, this, &FullScreenHiding::update);
}

void FullScreenHiding::setWanted(bool wanted)
{
    if (std::exchange(m_wanted, wanted) != wanted)
        update();
}

void FullScreenHiding::start()
{
    if (std::exchange(m_started, true))
        return;
    if (m_watch)
        connect(m_watch, &platform::FullScreenWatch::changed, this, &FullScreenHiding::update);
    update();
}

void FullScreenHiding::update()
{
    if (!m_started)
        return;
    const platform::FocusedWindow focused =
        m_watch ? m_watch->focused() : platform::FocusedWindow{};
    const platform::MonitorLayout &monitors = m_windowSystem.monitors();
    // The pointer is asked for only where its monitor decides.
    const bool followsPointer = hidingFollowsPointer(m_wanted, focused, monitors);
    const std::optional<QPoint> pointer =
        followsPointer ? m_windowSystem.pointerPos() : std::optional<QPoint>();
    m_engine.setHidden(TrailEngine::HiddenBy::FullScreen,
                       hidesOverFullScreen(m_wanted, focused, monitors, pointer));
    if (!followsPointer)
        m_pointerCheck.stop();
    else if (!m_pointerCheck.isActive())
        m_pointerCheck.start();
}

} // namespace zorrit::trail
