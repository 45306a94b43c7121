// SPDX-License-Identifier: GPL-3.0-or-later
// A Wayland connection of our own that follows the pointer through the compositor's cursor
// sessions (one per output), in the compositor's logical pixels. It is spoken by hand, without
// libwayland, so that a tick's read is one system call.
#pragma once

#include <QPointF>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace platform::wayland {

struct CursorState;

// The compositor's socket is read only when asked (read(), non-blocking): at the trail's tick, or
// when the socket has something while the trail sleeps. Reads from two threads take turns; the
// lock is never held outside this class, so no caller holds it while calling Qt.
class CursorSessions
{
public:
    struct News
    {
        // The pointer's latest position in logical pixels, when it moved since the last read.
        std::optional<QPointF> position;
        // The connection is gone (the compositor ended, or it broke the protocol).
        bool broken = false;
        // When it ended the connection with a protocol error, what it said (a compositor that
        // keeps the pointer's place from a program says so this way, such as Hyprland's "client
        // not allowed to capture cursor").
        QString refusal;
    };

    CursorSessions();
    ~CursorSessions();
    CursorSessions(const CursorSessions &) = delete;
    CursorSessions &operator=(const CursorSessions &) = delete;

    // Whether the compositor at WAYLAND_DISPLAY offers cursor sessions of outputs: connects,
    // asks once for its globals, disconnects.
    static bool offered();

    enum class Failure { None, NoDisplay, BrokeOff, NotOffered };
    // Connects to WAYLAND_DISPLAY and asks for a cursor session on every output.
    [[nodiscard]] Failure connect();
    // The connection's socket, to watch for readability; -1 when not connected.
    int fd() const;
    // Handles whatever waits on the socket, without blocking. Any thread.
    News read();

private:
    // Connects and asks for the globals; with `follow`, also for the outputs' cursor sessions.
    Failure open(bool follow);

    mutable std::mutex m_lock;
    std::unique_ptr<CursorState> m_state;
};

} // namespace platform::wayland
