// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer positions handed over by the compositor (Wayland sessions, where the X server only
// knows the pointer while it is over an X11 window), and the window system that uses them.
#pragma once

#include "window_system.h"

#include <QMetaObject>
#include <QObject>
#include <QPoint>

#include <atomic>
#include <memory>

namespace platform {

// Where a compositor reports the pointer: the last position it sent, and a signal at each move.
class PointerSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The last reported position in X root pixels; nothing before the first report. One atomic
    // load, safe from any thread: the trail's tick reads it instead of asking the X server.
    std::optional<QPoint> position() const;

Q_SIGNALS:
    // The pointer moved; emitted on the thread that received the report.
    void moved();

protected:
    void report(int x, int y);

private:
    std::atomic<quint64> m_position{0}; // x in the high half, y in the low half
    std::atomic<bool> m_known{false};
};

// The X11 window system, with the pointer read from a source once one is set. Sprite moves,
// stacking and the compositor check stay with the X11 side (the sprites are X11 windows on
// Xwayland). Until the source has reported once, the X server's answer stands in.
class SourcedWindowSystem final : public WindowSystem
{
public:
    explicit SourcedWindowSystem(WindowSystem &windows);
    ~SourcedWindowSystem() override;

    // Before the trail sleeps for the first time; null goes back to the X server alone.
    void setSource(PointerSource *source);

    const MonitorLayout &monitors() override;
    std::optional<QPoint> pointerPos() override;
    void moveWindow(QWidget *window, QPoint topLeft, int monitor) override;
    void raiseWindow(QWidget *window) override;
    void flush() override;
    bool compositorRunning() override;
    bool canWatchPointer() override;
    std::optional<QPoint> watchPointerOnce(std::function<void()> onMove) override;
    void stopWatchingPointer() override;
    void dropUnaskedEvents() override;
    // The X11 channel, its pointer read from the source once that has reported.
    std::unique_ptr<TrailChannel> openTrailChannel(const std::vector<QWidget *> &windows) override;

private:
    PointerSource *reportingSource() const;

    WindowSystem &m_windows;
    std::atomic<PointerSource *> m_source{nullptr};
    std::function<void()> m_onMove;
    QMetaObject::Connection m_watch;
};

} // namespace platform
