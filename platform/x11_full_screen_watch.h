// SPDX-License-Identifier: GPL-3.0-or-later
// The full-screen watch on X11: the window manager's notices of the active window and its state.
#pragma once

#include "full_screen_watch.h"

#include <QByteArray>

#include <memory>

struct xcb_connection_t;
class QSocketNotifier;

namespace platform {

// Follows `_NET_ACTIVE_WINDOW` on the root window and that window's `_NET_WM_STATE` through
// property events on a connection of its own, read on the GUI thread when the server sends
// something: nothing is asked again and again. Under a window manager that keeps neither, the
// focused window is never full screen.
class X11FullScreenWatch final : public FullScreenWatch
{
public:
    // Null when the display cannot be reached.
    static std::unique_ptr<X11FullScreenWatch> open(const QByteArray &displayName = {});
    ~X11FullScreenWatch() override;

    FocusedWindow focused() const override { return m_focused; }

private:
    X11FullScreenWatch(xcb_connection_t *connection, quint32 root);
    void readEvents();
    // Which window is active now, and listening to it alone.
    void followActiveWindow();
    void readActiveWindow();

    xcb_connection_t *m_connection;
    quint32 m_root;
    quint32 m_activeAtom = 0;
    quint32 m_stateAtom = 0;
    quint32 m_fullScreenAtom = 0;
    quint32 m_active = 0;
    FocusedWindow m_focused;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform
