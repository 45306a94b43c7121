// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the active X11 window is full screen, from the window manager's property events.
#include "x11_full_screen_watch.h"

#include "xcb_reply.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace platform {

namespace {

quint32 internAtom(xcb_connection_t *connection, const char *name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, quint16(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : 0;
}

// The 32-bit items of a window's property; empty when it has none (or the window is gone).
std::vector<quint32> readProperty(xcb_connection_t *connection, quint32 window, quint32 name,
                                  quint32 type, quint32 most)
{
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, most), nullptr));
    if (!reply || reply->format != 32 || reply->type != type)
        return {};
    const auto *items = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return std::vector<quint32>(items, items + xcb_get_property_value_length(reply.get()) / 4);
}

constexpr quint32 kActiveWindowEvents =
    XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
// A window may carry a dozen states; more would be an odd window manager.
constexpr quint32 kMostStates = 64;

} // namespace

std::unique_ptr<X11FullScreenWatch> X11FullScreenWatch::open(const QByteArray &displayName)
{
    int screen = 0;
    xcb_connection_t *connection =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screen);
    if (!connection || xcb_connection_has_error(connection)) {
        if (connection)
            xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem && i < screen; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<X11FullScreenWatch>(new X11FullScreenWatch(connection, it.data->root));
}

X11FullScreenWatch::X11FullScreenWatch(xcb_connection_t *connection, quint32 root)
    : m_connection(connection)
    , m_root(root)
{
    m_activeAtom = internAtom(m_connection, "_NET_ACTIVE_WINDOW");
    m_stateAtom = internAtom(m_connection, "_NET_WM_STATE");
    m_fullScreenAtom = internAtom(m_connection, "_NET_WM_STATE_FULLSCREEN");
    // This connection is a client of its own: selecting on the root window takes nothing from
    // what Qt selected there.
    const quint32 rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &rootEvents);
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11FullScreenWatch::readEvents);
    followActiveWindow();
    readEvents(); // whatever came while the first answers were read
}

X11FullScreenWatch::~X11FullScreenWatch()
{
    xcb_disconnect(m_connection);
}

void X11FullScreenWatch::readEvents()
{
    bool activeChanged = false;
    bool stateChanged = false;
    // Events that arrived with the answers below are already read from the socket: they are
    // looked at too before the socket is waited on again.
    for (bool fromSocket = true;; fromSocket = false) {
        for (;;) {
            const XcbReply<xcb_generic_event_t> event(
                fromSocket ? xcb_poll_for_event(m_connection)
                           : xcb_poll_for_queued_event(m_connection));
            if (!event)
                break;
            switch (event->response_type & ~0x80) {
            case XCB_PROPERTY_NOTIFY: {
                const auto *notify = reinterpret_cast<xcb_property_notify_event_t *>(event.get());
                if (notify->window == m_root && notify->atom == m_activeAtom)
                    activeChanged = true;
                else if (notify->window == m_active && notify->atom == m_stateAtom)
                    stateChanged = true;
                break;
            }
            case XCB_CONFIGURE_NOTIFY: {
                // A full-screen window's place matters; an ordinary one's moves do not.
                const auto *notify = reinterpret_cast<xcb_configure_notify_event_t *>(event.get());
                if (notify->window == m_active && m_focused.fullScreen)
                    stateChanged = true;
                break;
            }
            case XCB_DESTROY_NOTIFY:
                if (reinterpret_cast<xcb_destroy_notify_event_t *>(event.get())->window == m_active)
                    activeChanged = true;
                break;
            default: // errors of requests on a window that has gone, and the rest
                break;
            }
        }
        if (!activeChanged && !stateChanged)
            break;
        if (std::exchange(activeChanged, false))
            followActiveWindow();
        else
            readActiveWindow();
        stateChanged = false;
    }
    if (xcb_connection_has_error(m_connection))
        m_notifier->setEnabled(false);
}

void X11FullScreenWatch::followActiveWindow()
{
    const std::vector<quint32> active =
        readProperty(m_connection, m_root, m_activeAtom, XCB_ATOM_WINDOW, 1);
    const quint32 window = active.empty() ? 0 : active.front();
    if (window != m_active) {
        // Selected before its state is read, so no change in between goes unheard.
        const quint32 none = 0;
        if (m_active)
            xcb_change_window_attributes(m_connection, m_active, XCB_CW_EVENT_MASK, &none);
        if (window && window != m_root) {
            xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK,
                                         &kActiveWindowEvents);
        }
        m_active = window == m_root ? 0 : window;
    }
    readActiveWindow();
}

void X11FullScreenWatch::readActiveWindow()
{
    FocusedWindow now;
    if (m_active) {
        for (quint32 state :
             readProperty(m_connection, m_active, m_stateAtom, XCB_ATOM_ATOM, kMostStates)) {
            if (state == m_fullScreenAtom)
                now.fullScreen = true;
        }
    }
    if (now.fullScreen) {
        const auto geometryCookie = xcb_get_geometry(m_connection, m_active);
        const auto placeCookie = xcb_translate_coordinates(m_connection, m_active, m_root, 0, 0);
        const XcbReply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(m_connection, geometryCookie, nullptr));
        const XcbReply<xcb_translate_coordinates_reply_t> place(
            xcb_translate_coordinates_reply(m_connection, placeCookie, nullptr));
        if (geometry && place)
            now.areas.push_back(
                QRect(place->dst_x, place->dst_y, geometry->width, geometry->height));
    }
    xcb_flush(m_connection);
    if (now == m_focused)
        return;
    m_focused = std::move(now);
    Q_EMIT changed();
}

} // namespace platform
