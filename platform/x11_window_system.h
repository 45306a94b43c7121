// SPDX-License-Identifier: GPL-3.0-or-later
// The window-system seam on X11 (xcb), with a plain-Qt fallback for other platforms (offscreen).
#pragma once

#include "window_system.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QSize>

struct xcb_connection_t;

namespace platform {

class X11WindowSystem final : public WindowSystem, public QAbstractNativeEventFilter
{
public:
    X11WindowSystem();
    ~X11WindowSystem() override;

    std::optional<QPoint> pointerPos() override;
    void moveWindow(QWidget *window, QPoint topLeft) override;
    void raiseWindow(QWidget *window) override;
    void flush() override;
    bool compositorRunning() override;
    bool canWatchPointer() override;
    void watchPointerOnce(std::function<void()> onMove) override;
    void stopWatchingPointer() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void selectRawMotion(bool on);
    quint32 nativeWindow(QWidget *window);

    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
    int m_screenNumber = 0;
    quint8 m_xinputOpcode = 0;
    bool m_xinputUsable = false;
    std::function<void()> m_onMove;
    // Windows we move behind Qt's back, with their native size: their ConfigureNotify echo is
    // swallowed, since Qt would answer each one with a blocking round trip.
    QHash<quint32, QSize> m_ownWindows;
};

} // namespace platform
