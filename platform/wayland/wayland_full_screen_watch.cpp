// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the focused window is full screen, from a Wayland compositor's list of windows.
#include "wayland_full_screen_watch.h"

#include "wayland_session.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>

namespace platform::wayland {

std::unique_ptr<WaylandFullScreenWatch> WaylandFullScreenWatch::follow(WaylandSession &session,
                                                                       bool readsSession)
{
    const int news = session.followToplevels();
    if (news < 0)
        return nullptr;
    std::unique_ptr<WaylandFullScreenWatch> watch(new WaylandFullScreenWatch(session, news));
    watch->m_readsAlways = readsSession;
    watch->m_socket = new QSocketNotifier(session.fd(), QSocketNotifier::Read, watch.get());
    watch->m_socket->setEnabled(readsSession);
    connect(watch->m_socket, &QSocketNotifier::activated, watch.get(),
            [&session] { session.read(); });
    session.read(); // the windows the compositor announced already
    return watch;
}

WaylandFullScreenWatch::WaylandFullScreenWatch(WaylandSession &session, int news)
    : m_session(session)
    , m_news(news)
{
    auto *told = new QSocketNotifier(m_news, QSocketNotifier::Read, this);
    connect(told, &QSocketNotifier::activated, this, &WaylandFullScreenWatch::takeNews);
}

WaylandFullScreenWatch::~WaylandFullScreenWatch() = default;

void WaylandFullScreenWatch::takeNews()
{
    eventfd_t count = 0;
    (void)eventfd_read(m_news, &count);
    FocusedWindow now = m_session.focusedWindow();
    if (now == m_focused)
        return;
    m_focused = std::move(now);
    // A trail that stands aside for a full-screen window no longer ticks, and nothing else
    // would read the news of its end.
    m_socket->setEnabled(m_readsAlways || m_focused.fullScreen);
    Q_EMIT changed();
}

} // namespace platform::wayland
