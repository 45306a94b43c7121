// SPDX-License-Identifier: GPL-3.0-or-later
// X11 window operations for the sprite windows: direct xcb requests, no round trip per move.
#include "x11_window_system.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cmath>
#include <cstdlib>

namespace platform {

namespace {

int screenNumberFromDisplayName()
{
    // ":0.1" → 1; the screen part is optional.
    const QByteArray display = qgetenv("DISPLAY");
    const int colon = display.lastIndexOf(':');
    const int dot = display.indexOf('.', colon < 0 ? 0 : colon);
    if (dot < 0)
        return 0;
    bool ok = false;
    const int n = display.mid(dot + 1).toInt(&ok);
    return ok ? n : 0;
}

} // namespace

X11WindowSystem::X11WindowSystem()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return; // not on X11: the Qt fallbacks below are used
    m_connection = x11->connection();
    m_screenNumber = screenNumberFromDisplayName();

    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; it.rem && i < m_screenNumber; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        m_screenNumber = 0;
    }
    m_root = it.data->root;

    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(m_connection, &xcb_input_id);
    if (ext && ext->present) {
        m_xinputOpcode = ext->major_opcode;
        auto cookie = xcb_input_xi_query_version(m_connection, 2, 0);
        if (auto *reply = xcb_input_xi_query_version_reply(m_connection, cookie, nullptr)) {
            m_xinputUsable = reply->major_version >= 2;
            std::free(reply);
        }
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11WindowSystem::~X11WindowSystem()
{
    if (m_connection && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<QPoint> X11WindowSystem::pointerPos()
{
    return QCursor::pos();
}

quint32 X11WindowSystem::nativeWindow(QWidget *window)
{
    const auto wid = static_cast<quint32>(window->winId());
    if (!m_ownWindows.contains(wid)) {
        const qreal dpr = window->devicePixelRatioF();
        m_ownWindows.insert(wid, QSize(qRound(window->width() * dpr), qRound(window->height() * dpr)));
    }
    return wid;
}

void X11WindowSystem::moveWindow(QWidget *window, QPoint topLeft)
{
    if (!m_connection) {
        window->move(topLeft);
        return;
    }
    const qreal dpr = window->devicePixelRatioF();
    const quint32 values[] = {static_cast<quint32>(qRound(topLeft.x() * dpr)),
                              static_cast<quint32>(qRound(topLeft.y() * dpr))};
    xcb_configure_window(m_connection, nativeWindow(window),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
}

void X11WindowSystem::raiseWindow(QWidget *window)
{
    if (!m_connection) {
        window->raise();
        return;
    }
    const quint32 values[] = {XCB_STACK_MODE_ABOVE};
    xcb_configure_window(m_connection, nativeWindow(window), XCB_CONFIG_WINDOW_STACK_MODE, values);
}

void X11WindowSystem::flush()
{
    if (m_connection)
        xcb_flush(m_connection);
}

bool X11WindowSystem::compositorRunning()
{
    if (!m_connection)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(m_screenNumber);
    auto atomCookie = xcb_intern_atom(m_connection, 0, name.size(), name.constData());
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(m_connection, atomCookie, nullptr);
    if (!atom)
        return false;
    auto ownerCookie = xcb_get_selection_owner(m_connection, atom->atom);
    std::free(atom);
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(m_connection, ownerCookie, nullptr);
    if (!owner)
        return false;
    const bool running = owner->owner != XCB_NONE;
    std::free(owner);
    return running;
}

bool X11WindowSystem::canWatchPointer()
{
    return m_connection && m_xinputUsable;
}

void X11WindowSystem::selectRawMotion(bool on)
{
    struct
    {
        xcb_input_event_mask_t head;
        quint32 mask;
    } request{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, on ? quint32(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0u};
    xcb_input_xi_select_events(m_connection, m_root, 1, &request.head);
    xcb_flush(m_connection);
}

void X11WindowSystem::watchPointerOnce(std::function<void()> onMove)
{
    if (!canWatchPointer())
        return;
    m_onMove = std::move(onMove);
    selectRawMotion(true);
}

void X11WindowSystem::stopWatchingPointer()
{
    if (!m_onMove)
        return;
    m_onMove = nullptr;
    selectRawMotion(false);
}

bool X11WindowSystem::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    const quint8 type = event->response_type & ~0x80;
    if (type == XCB_CONFIGURE_NOTIFY) {
        auto *configure = reinterpret_cast<xcb_configure_notify_event_t *>(event);
        const auto it = m_ownWindows.constFind(configure->window);
        return it != m_ownWindows.cend() && it->width() == configure->width
               && it->height() == configure->height;
    }
    if (type == XCB_GE_GENERIC) {
        auto *ge = reinterpret_cast<xcb_ge_generic_event_t *>(event);
        if (ge->extension != m_xinputOpcode || ge->event_type != XCB_INPUT_RAW_MOTION)
            return false;
        if (m_onMove) {
            auto callback = std::move(m_onMove);
            m_onMove = nullptr;
            selectRawMotion(false);
            // Run it after Qt is done with this event, never from inside the filter.
            QTimer::singleShot(0, [callback = std::move(callback)] { callback(); });
        }
        return true;
    }
    return false;
}

} // namespace platform
