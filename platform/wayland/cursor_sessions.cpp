// SPDX-License-Identifier: GPL-3.0-or-later
// The compositor's cursor sessions on a connection of their own, spoken by hand: a tick's read is
// one system call and a few words looked at, where libwayland would read twice and call each
// handler through libffi.
#include "cursor_sessions.h"

#include "cursor_protocol.h"
#include "platform/local_socket.h"

#include <QByteArray>

#include <string>
#include <utility>

#include <unistd.h>

namespace platform::wayland {

namespace {

using localsocket::Clock;
// For each of the start's two round trips; a compositor that does not answer is given up on.
constexpr auto kSetUpTime = std::chrono::seconds(5);
// The most taken from the socket at one read; a flood waits for the next one.
constexpr std::size_t kMostBytesPerRead = 64 * 1024;

// Where libwayland looks: WAYLAND_DISPLAY, a name in XDG_RUNTIME_DIR or a whole path.
std::string socketPath()
{
    QByteArray name = qgetenv("WAYLAND_DISPLAY");
    if (name.isEmpty())
        name = "wayland-0";
    if (name.startsWith('/'))
        return name.toStdString();
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? std::string() : (runtime + '/' + name).toStdString();
}

} // namespace

struct CursorState
{
    int socket = -1;
    std::string received;
    CursorProtocol protocol;

    ~CursorState()
    {
        // The compositor lets go of everything the connection held.
        if (socket >= 0)
            ::close(socket);
    }

    // Sends what waits and takes what comes until the compositor has answered all of it.
    bool roundtrip()
    {
        const Clock::time_point deadline = Clock::now() + kSetUpTime;
        const std::uint32_t sync = protocol.sync();
        while (!protocol.broken() && !protocol.answered(sync)) {
            // Requests made while handling the answers (binds, sessions) go out before the wait.
            if (!localsocket::sendAll(socket, protocol.unsent(), deadline))
                return false;
            protocol.unsent().clear();
            if (!localsocket::receiveSome(socket, received, deadline))
                return false;
            protocol.take(received);
        }
        return !protocol.broken();
    }
};

CursorSessions::CursorSessions() = default;

CursorSessions::~CursorSessions() = default;

bool CursorSessions::offered()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    CursorSessions probe;
    return probe.open(false) == Failure::None;
}

CursorSessions::Failure CursorSessions::connect()
{
    return open(true);
}

CursorSessions::Failure CursorSessions::open(bool follow)
{
    std::lock_guard lock(m_lock);
    auto state = std::make_unique<CursorState>();
    state->socket = localsocket::connectTo(socketPath());
    if (state->socket < 0)
        return Failure::NoDisplay;
    // The globals, then the outputs' places and the seat's capabilities.
    if (!state->roundtrip())
        return Failure::BrokeOff;
    if (!state->protocol.offersSessions())
        return Failure::NotOffered;
    if (follow) {
        state->protocol.startSessions();
        if (!state->roundtrip())
            return Failure::BrokeOff;
        // The sessions that the seat's pointer brought go out with the first read.
    }
    m_state = std::move(state);
    return Failure::None;
}

int CursorSessions::fd() const
{
    std::lock_guard lock(m_lock);
    return m_state ? m_state->socket : -1;
}

CursorSessions::News CursorSessions::read()
{
    std::lock_guard lock(m_lock);
    News news;
    if (!m_state)
        return news;
    CursorState &state = *m_state;
    if (!state.protocol.broken()) {
        // Whatever came before the socket closed is still taken.
        const bool open =
            localsocket::receiveWaiting(state.socket, state.received, kMostBytesPerRead);
        state.protocol.take(state.received);
        // Requests made while handling events (a new output's session) go out now.
        const bool sent = localsocket::sendWaiting(state.socket, state.protocol.unsent());
        news.broken = !open || !sent;
    }
    news.broken = news.broken || state.protocol.broken();
    if (news.broken)
        news.refusal = QString::fromStdString(state.protocol.refusal());
    news.position = state.protocol.takePosition();
    return news;
}

} // namespace platform::wayland
