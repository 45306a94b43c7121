// SPDX-License-Identifier: GPL-3.0-or-later
// The full-screen watch under Wayland: the compositor's list of windows on Zorrit's own
// connection.
#pragma once

#include "platform/full_screen_watch.h"

#include <memory>

class QSocketNotifier;

namespace platform::wayland {

class WaylandSession;

// Whoever reads the session (the trail's tick, the pointer's watch, the once-a-second look) also
// handles the list's events; a read that finds the focused window changed tells this watch
// through an eventfd, which it reads on the GUI thread. Where nothing else reads the session
// (the sprites are X11 windows and the pointer comes from the X server), the watch reads it
// itself whenever the compositor sends something; so it does while a full-screen window has the
// focus, as the trail then stands aside and its tick sleeps.
class WaylandFullScreenWatch final : public FullScreenWatch
{
public:
    // Null where the compositor offers no list of its windows.
    static std::unique_ptr<WaylandFullScreenWatch> follow(WaylandSession &session,
                                                          bool readsSession);
    ~WaylandFullScreenWatch() override;

    FocusedWindow focused() const override { return m_focused; }

private:
    WaylandFullScreenWatch(WaylandSession &session, int news);
    void takeNews();

    WaylandSession &m_session;
    int m_news;
    QSocketNotifier *m_socket = nullptr; // the session's
    bool m_readsAlways = false;
    FocusedWindow m_focused;
};

} // namespace platform::wayland
