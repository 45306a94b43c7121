// SPDX-License-Identifier: GPL-3.0-or-later
// X11 window operations for the sprite windows: direct xcb requests, no round trip per move.
#include "x11_window_system.h"

#include "xcb_reply.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/sync.h>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

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

// The pointer in native pixels; nothing when the query fails or the pointer is on another screen.
std::optional<QPoint> queryPointer(xcb_connection_t *connection, quint32 root)
{
    auto cookie = xcb_query_pointer(connection, root);
    const XcbReply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(connection, cookie, nullptr));
    if (!reply || !reply->same_screen)
        return std::nullopt;
    return QPoint(reply->root_x, reply->root_y);
}

// The SYNC extension's SERVERTIME counter: the server's clock in milliseconds; 0 without one.
quint32 findServerTimeCounter(xcb_connection_t *connection)
{
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(connection, &xcb_sync_id);
    if (!ext || !ext->present)
        return 0;
    const XcbReply<xcb_sync_initialize_reply_t> version(xcb_sync_initialize_reply(
        connection, xcb_sync_initialize(connection, XCB_SYNC_MAJOR_VERSION, XCB_SYNC_MINOR_VERSION),
        nullptr));
    const XcbReply<xcb_sync_list_system_counters_reply_t> list(xcb_sync_list_system_counters_reply(
        connection, xcb_sync_list_system_counters(connection), nullptr));
    if (!version || !list)
        return 0;
    // Read by hand: each entry is padded to four bytes, which some versions of xcb's iterator
    // miss. An entry: counter (4), resolution (8), name length (2), name.
    const auto *entry = reinterpret_cast<const unsigned char *>(list.get() + 1);
    const auto *end = reinterpret_cast<const unsigned char *>(list.get()) + 32 + 4 * list->length;
    static constexpr char kName[] = "SERVERTIME";
    constexpr std::size_t kNameLength = sizeof kName - 1;
    for (quint32 i = 0; i < list->counters_len && end - entry >= 14; ++i) {
        quint32 counter = 0;
        quint16 nameLength = 0;
        std::memcpy(&counter, entry, sizeof counter);
        std::memcpy(&nameLength, entry + 12, sizeof nameLength);
        if (std::size_t(end - entry) < 14u + nameLength)
            break;
        if (nameLength == kNameLength && std::memcmp(entry + 14, kName, kNameLength) == 0)
            return counter;
        entry += (14 + nameLength + 3) & ~3;
    }
    return 0;
}

qint64 counterValue(const xcb_sync_int64_t &value)
{
    return qint64(quint64(quint32(value.hi)) << 32 | value.lo);
}

// The trail's own connection serves the tick thread as it is: xcb connections are safe to use
// from several threads, and the windows were prepared on the GUI thread (see ownWindow()).
class X11TrailChannel final : public TrailChannel
{
public:
    X11TrailChannel(xcb_connection_t *connection, quint32 root, std::vector<quint32> windows,
                    quint32 serverTime)
        : m_connection(connection)
        , m_root(root)
        , m_windows(std::move(windows))
        , m_serverTime(serverTime)
    {
    }

    std::optional<QPoint> pointerPos() override
    {
        if (std::exchange(m_sampled, false))
            return m_sample;
        return queryPointer(m_connection, m_root);
    }

    void moveWindow(int index, QPoint topLeft) override
    {
        const quint32 values[] = {quint32(topLeft.x()), quint32(topLeft.y())};
        xcb_configure_window(m_connection, m_windows[std::size_t(index)],
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    }

    void flush() override { xcb_flush(m_connection); }

    void flushBeforeTick() override
    {
        if (!m_serverTime)
            flush();
    }

    bool waitForTick(std::chrono::milliseconds interval, bool restart) override;
    void samplePointerAtTick(bool wanted) override { m_sampleWanted = wanted; }

private:
    xcb_connection_t *m_connection;
    quint32 m_root;
    std::vector<quint32> m_windows;
    quint32 m_serverTime; // 0: none, or it failed
    qint64 m_nextTick = 0;
    std::optional<QPoint> m_sample;
    bool m_sampled = false;
    bool m_sampleWanted = true;
};

bool X11TrailChannel::waitForTick(std::chrono::milliseconds interval, bool restart)
{
    // The server holds back this connection's requests until its clock reaches the tick, then
    // reads the clock and the pointer and answers both at once: the only wake-up of the tick.
    // Whatever was queued (the last tick's moves) goes out ahead, in the same write.
    if (!m_serverTime)
        return false;
    const qint64 step = std::max<qint64>(1, interval.count());
    xcb_sync_waitcondition_t condition{};
    condition.trigger.counter = m_serverTime;
    const qint64 target = restart ? step : m_nextTick;
    condition.trigger.wait_type =
        restart ? XCB_SYNC_VALUETYPE_RELATIVE : XCB_SYNC_VALUETYPE_ABSOLUTE;
    condition.trigger.wait_value.hi = qint32(target >> 32);
    condition.trigger.wait_value.lo = quint32(target);
    condition.trigger.test_type = XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON;
    // The server would send an event for every tick whose clock passed the target by at least
    // this much; with the largest value it sends none.
    condition.event_threshold.hi = std::numeric_limits<qint32>::max();
    condition.event_threshold.lo = std::numeric_limits<quint32>::max();
    xcb_sync_await(m_connection, 1, &condition);
    const auto clockCookie = xcb_sync_query_counter(m_connection, m_serverTime);
    const bool sampling = m_sampleWanted;
    const auto pointerCookie =
        sampling ? xcb_query_pointer(m_connection, m_root) : xcb_query_pointer_cookie_t{};
    xcb_flush(m_connection);
    const XcbReply<xcb_query_pointer_reply_t> pointer(
        sampling ? xcb_query_pointer_reply(m_connection, pointerCookie, nullptr) : nullptr);
    const XcbReply<xcb_sync_query_counter_reply_t> clock(
        xcb_sync_query_counter_reply(m_connection, clockCookie, nullptr));
    // A server that answers before the tick did not wait: its clock cannot pace us.
    const qint64 now = clock ? counterValue(clock->counter_value) : 0;
    if (!clock || (!restart && now < target)) {
        m_serverTime = 0;
        return false;
    }
    m_nextTick = (restart ? now : target) + step;
    if (m_nextTick <= now) // late by more than a tick: go on from here
        m_nextTick = now + step;
    m_sample = pointer && pointer->same_screen
                   ? std::optional(QPoint(pointer->root_x, pointer->root_y))
                   : std::nullopt;
    // Unsampled, a pointerPos() that needs the server after all asks it.
    m_sampled = sampling;
    return true;
}

} // namespace

void flushX11()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->connection())
        xcb_flush(x11->connection());
}

bool x11DisplayReachable(const QByteArray &displayName)
{
    xcb_connection_t *connection =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), nullptr);
    const bool reachable = connection && !xcb_connection_has_error(connection);
    if (connection)
        xcb_disconnect(connection);
    return reachable;
}

X11WindowSystem::X11WindowSystem(xcb_connection_t *qtConnection, _XDisplay *display)
    : m_connection(qtConnection)
{
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
        // Qt has usually announced its own XI2 version on this connection already; the server
        // then refuses a different one with an error, which also tells us XI2 is there.
        auto cookie = xcb_input_xi_query_version(m_connection, 2, 2);
        xcb_generic_error_t *rawError = nullptr;
        const XcbReply<xcb_input_xi_query_version_reply_t> reply(
            xcb_input_xi_query_version_reply(m_connection, cookie, &rawError));
        const XcbReply<xcb_generic_error_t> error(rawError);
        if (reply)
            m_xinputUsable = reply->major_version >= 2;
        else if (error)
            m_xinputUsable = error->error_code == XCB_VALUE;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);

    if (display) {
        int screen = 0;
        m_pointerConnection = xcb_connect(DisplayString(display), &screen);
        if (xcb_connection_has_error(m_pointerConnection)) {
            xcb_disconnect(m_pointerConnection);
            m_pointerConnection = nullptr;
        } else {
            xcb_screen_iterator_t pit =
                xcb_setup_roots_iterator(xcb_get_setup(m_pointerConnection));
            for (int i = 0; pit.rem && i < screen; ++i)
                xcb_screen_next(&pit);
            m_pointerRoot = pit.rem ? pit.data->root : 0;
        }
    }
}

X11WindowSystem::~X11WindowSystem()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_windowWatch))
        QObject::disconnect(connection);
    if (m_pointerConnection)
        xcb_disconnect(m_pointerConnection);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<QPoint> X11WindowSystem::pointerPos()
{
    // The server's own coordinates are the device pixels the trail works in.
    if (!m_pointerConnection || !m_pointerRoot)
        return queryPointer(m_connection, m_root);
    return queryPointer(m_pointerConnection, m_pointerRoot);
}

X11WindowSystem::OwnWindow &X11WindowSystem::ownWindow(QWidget *window, quint32 *wid)
{
    *wid = static_cast<quint32>(window->winId());
    auto it = m_ownWindows.find(*wid);
    if (it == m_ownWindows.end()) {
        OwnWindow own;
        own.dpr = window->devicePixelRatioF();
        own.size = QSize(qRound(window->width() * own.dpr), qRound(window->height() * own.dpr));
        auto cookie = xcb_get_window_attributes(m_connection, *wid);
        if (const XcbReply<xcb_get_window_attributes_reply_t> attributes{
                xcb_get_window_attributes_reply(m_connection, cookie, nullptr)})
            own.eventMask = attributes->your_event_mask;
        if (m_pointerConnection && own.eventMask) {
            // Moves go out on our own connection from here on. Qt keeps every event it asked
            // for but the structure ones, which would only echo our moves back to it (and wake
            // its event thread each tick). It learns of showing and hiding from its Expose
            // events and its own calls.
            const quint32 quiet = own.eventMask & ~quint32(XCB_EVENT_MASK_STRUCTURE_NOTIFY);
            xcb_change_window_attributes(m_connection, *wid, XCB_CW_EVENT_MASK, &quiet);
            // The sprites overlap one another as they move; with the server keeping what is
            // covered, uncovering a part needs no Expose and no repaint by Qt.
            const quint32 backing = XCB_BACKING_STORE_ALWAYS;
            xcb_change_window_attributes(m_connection, *wid, XCB_CW_BACKING_STORE, &backing);
            xcb_flush(m_connection);
        }
        it = m_ownWindows.insert(*wid, own);
        // Qt may learn of a new screen for the window after the move that took it there.
        if (QWindow *handle = window->windowHandle()) {
            const QPointer<QWidget> guarded(window);
            m_windowWatch.append(QObject::connect(handle, &QWindow::screenChanged, handle,
                                                  [this, guarded, id = *wid] {
                                                      const auto known = m_ownWindows.find(id);
                                                      if (guarded && known != m_ownWindows.end())
                                                          noteScale(guarded, *known);
                                                  }));
        }
    }
    return *it;
}

void X11WindowSystem::configureQuietly(QWidget *window, quint16 valueMask, const quint32 *values)
{
    // With structure events briefly off, the server sends Qt no ConfigureNotify for this change;
    // the requests go out together in one write, nothing waits for an answer.
    quint32 wid = 0;
    const OwnWindow &own = ownWindow(window, &wid);
    if (m_pointerConnection) {
        xcb_configure_window(m_pointerConnection, wid, valueMask, values);
        return;
    }
    const quint32 quiet = own.eventMask & ~quint32(XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    if (own.eventMask)
        xcb_change_window_attributes(m_connection, wid, XCB_CW_EVENT_MASK, &quiet);
    xcb_configure_window(m_connection, wid, valueMask, values);
    if (own.eventMask)
        xcb_change_window_attributes(m_connection, wid, XCB_CW_EVENT_MASK, &own.eventMask);
}

void X11WindowSystem::moveWindow(QWidget *window, QPoint topLeft, int monitor)
{
    quint32 wid = 0;
    OwnWindow &own = ownWindow(window, &wid);
    // Only a change of scale matters; one try per monitor reached (Qt may not follow, e.g. on
    // mirrored monitors of different scale).
    if (monitor >= 0 && own.dpr != monitors().scale(monitor) && own.triedMonitor != monitor)
        adoptScreen(window, own, topLeft, monitor);
    const quint32 values[] = {static_cast<quint32>(topLeft.x()), static_cast<quint32>(topLeft.y())};
    configureQuietly(window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
}

void X11WindowSystem::adoptScreen(QWidget *window, OwnWindow &own, QPoint topLeft, int monitor)
{
    // Rare: a sprite crossed to a monitor of another scale. Qt moves it there itself, so that it
    // takes that screen's scale: its size, drawing and outline. We move our windows behind Qt's
    // back, so Qt would not notice the crossing by itself.
    own.triedMonitor = monitor;
    QScreen *screen = m_monitors.screen(monitor);
    if (!screen || !window->windowHandle())
        return;
    const QRect area = screen->geometry();
    QRect rect(monitors().toLogical(topLeft, monitor).toPoint(), window->size());
    // Qt gives a window the screen under the centre of its geometry.
    rect.moveCenter(QPoint(std::clamp(rect.center().x(), area.left(), area.right()),
                           std::clamp(rect.center().y(), area.top(), area.bottom())));
    const QPoint before = window->pos();
    // The window redraws and recuts itself when Qt tells it of the new scale (SpriteWindow), here
    // or, with some Qt versions, a moment later.
    window->move(rect.topLeft());
    const bool qtSent = window->pos() != before;
    noteScale(window, own);
    // Qt's requests go out on its own connection; they must be done before our move arrives.
    if (qtSent)
        std::free(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

void X11WindowSystem::noteScale(QWidget *window, OwnWindow &own)
{
    // The window's own size: the widget's may be off for a moment while Qt changes the scale.
    const QSize size = window->windowHandle() ? window->windowHandle()->size() : window->size();
    own.dpr = window->devicePixelRatioF();
    own.size = QSize(qRound(size.width() * own.dpr), qRound(size.height() * own.dpr));
}

void X11WindowSystem::raiseWindow(QWidget *window)
{
    const quint32 values[] = {XCB_STACK_MODE_ABOVE};
    configureQuietly(window, XCB_CONFIG_WINDOW_STACK_MODE, values);
}

void X11WindowSystem::flush()
{
    if (m_pointerConnection)
        xcb_flush(m_pointerConnection);
    xcb_flush(m_connection); // no write at all when nothing is queued there
}

bool X11WindowSystem::compositorRunning()
{
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(m_screenNumber);
    auto atomCookie = xcb_intern_atom(m_connection, 0, name.size(), name.constData());
    const XcbReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(m_connection, atomCookie, nullptr));
    if (!atom)
        return false;
    auto ownerCookie = xcb_get_selection_owner(m_connection, atom->atom);
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(m_connection, ownerCookie, nullptr));
    return owner && owner->owner != XCB_NONE;
}

bool X11WindowSystem::canWatchPointer()
{
    return m_xinputUsable;
}

void X11WindowSystem::selectRawMotion(bool on)
{
    struct
    {
        xcb_input_event_mask_t head;
        quint32 mask;
    } request{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
              on ? quint32(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0u};
    xcb_input_xi_select_events(m_connection, m_root, 1, &request.head);
    xcb_flush(m_connection);
}

std::optional<QPoint> X11WindowSystem::watchPointerOnce(std::function<void()> onMove)
{
    if (canWatchPointer()) {
        m_onMove = std::move(onMove);
        selectRawMotion(true);
    }
    // Asked on the connection that made the selection: the server answers only once it has
    // applied it, so a movement after this answer is reported. (On another connection the
    // answer could come first, and a movement in between would go unseen.)
    return queryPointer(m_connection, m_root);
}

void X11WindowSystem::stopWatchingPointer()
{
    if (!m_onMove)
        return;
    m_onMove = nullptr;
    selectRawMotion(false);
}

void X11WindowSystem::dropUnaskedEvents()
{
    // Our own connection selects no events, but the server sends every client MappingNotify,
    // and errors of requests sent without waiting (a move of a window that has just gone) come
    // as events. One read without waiting; the tick thread may use the connection meanwhile.
    if (!m_pointerConnection)
        return;
    for (;;) {
        const XcbReply<xcb_generic_event_t> event(xcb_poll_for_event(m_pointerConnection));
        if (!event)
            return;
    }
}

std::unique_ptr<TrailChannel> X11WindowSystem::openTrailChannel(
    const std::vector<QWidget *> &windows)
{
    // With scaled monitors, sprites change size as they cross them, which takes Qt on the GUI
    // thread.
    if (!m_pointerConnection || !m_pointerRoot || monitors().scaled())
        return nullptr;
    std::vector<quint32> ids;
    for (QWidget *window : windows) {
        quint32 wid = 0;
        ownWindow(window, &wid); // Qt stops hearing of its moves
        ids.push_back(wid);
    }
    if (!m_serverTime)
        m_serverTime = findServerTimeCounter(m_pointerConnection);
    return std::make_unique<X11TrailChannel>(m_pointerConnection, m_pointerRoot, std::move(ids),
                                             *m_serverTime);
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
        return it != m_ownWindows.cend() && it->size.width() == configure->width
               && it->size.height() == configure->height;
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
