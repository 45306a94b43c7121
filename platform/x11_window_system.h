// SPDX-License-Identifier: GPL-3.0-or-later
// The window-system seam on X11 (xcb).
#pragma once

#include "qt_monitors.h"
#include "window_system.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QSize>

struct _XDisplay;
struct xcb_connection_t;

namespace platform {

// Sends what Qt's X connection has queued (a shape change, say) without waiting for anything and
// without running the event loop. Does nothing off X11.
void flushX11();

// Whether an X server answers on the given display name (empty: $DISPLAY).
bool x11DisplayReachable(const QByteArray &displayName = {});

class X11WindowSystem final : public WindowSystem, public QAbstractNativeEventFilter
{
public:
    // Qt's X connection and its Xlib display (which names the server for a connection of our
    // own; without one, the trail's traffic goes over Qt's).
    X11WindowSystem(xcb_connection_t *qtConnection, _XDisplay *display);
    ~X11WindowSystem() override;

    const MonitorLayout &monitors() override { return m_monitors.layout(); }
    std::optional<QPoint> pointerPos() override;
    void moveWindow(QWidget *window, QPoint topLeft, int monitor) override;
    void raiseWindow(QWidget *window) override;
    void flush() override;
    bool compositorRunning() override;
    bool canWatchPointer() override;
    std::optional<QPoint> watchPointerOnce(std::function<void()> onMove) override;
    void stopWatchingPointer() override;
    void dropUnaskedEvents() override;
    std::unique_ptr<TrailChannel> openTrailChannel(const std::vector<QWidget *> &windows) override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    struct OwnWindow
    {
        QSize size;            // native size, to recognise a move's echo
        quint32 eventMask{};   // what Qt selected on it
        qreal dpr = 1;         // device pixels per device-independent pixel
        int triedMonitor = -1; // the monitor whose scale it was last given
    };
    void selectRawMotion(bool on);
    OwnWindow &ownWindow(QWidget *window, quint32 *wid);
    void adoptScreen(QWidget *window, OwnWindow &own, QPoint topLeft, int monitor);
    void noteScale(QWidget *window, OwnWindow &own);
    void configureQuietly(QWidget *window, quint16 valueMask, const quint32 *values);

    xcb_connection_t *m_connection = nullptr;
    // A second connection of our own for the trail's traffic: pointer queries, whose replies are
    // read right here instead of being handed over by Qt's event thread, and the moves and
    // raises of the sprite windows. Qt's connection (and its event thread) stays idle per tick.
    // Nobody waits for its events; dropUnaskedEvents() reads them.
    xcb_connection_t *m_pointerConnection = nullptr;
    quint32 m_pointerRoot = 0;
    // The X server's millisecond clock (the SYNC extension's SERVERTIME counter) that the trail's
    // ticks wait on; 0 when the server has none. Looked up with the first trail channel.
    std::optional<quint32> m_serverTime;
    quint32 m_root = 0;
    int m_screenNumber = 0;
    quint8 m_xinputOpcode = 0;
    bool m_xinputUsable = false;
    std::function<void()> m_onMove;
    // Windows we move behind Qt's back. A move must not come back as a ConfigureNotify: Qt would
    // answer each one with a blocking round trip, and each wakes two threads.
    QHash<quint32, OwnWindow> m_ownWindows;
    // Each window's screen changes, which may come after the move that caused them.
    QList<QMetaObject::Connection> m_windowWatch;
    // Sizes and ratios are read again at the next move after a change of the screens.
    QtMonitors m_monitors{[this] { m_ownWindows.clear(); }};
};

} // namespace platform
