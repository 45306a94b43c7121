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
#include <optional>

namespace platform {

// Where a compositor reports the pointer: the last position it sent, and a signal at each move.
// A source can be shut (its compositor or extension went away): it forgets its position and
// ignores reports until it is opened again, and the X server's pointer stands in meanwhile.
class PointerSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The last reported position in X root pixels; nothing before the first report or while
    // shut. One atomic load, safe from any thread: the trail's tick reads it instead of asking
    // the X server.
    std::optional<QPoint> position() const;

    // At each tick, just before position() is read, on the thread that runs the tick (the
    // trail's own or the GUI thread): a source whose reports wait in a socket reads them here,
    // so that they cost no wake-up of their own. Sources that are told nothing have nothing to do.
    virtual void readAtTick() {}
    // While the trail sleeps at rest, a move must wake it (moved() on the GUI thread), and only
    // then: a moving trail reads position() at its tick and needs no signal.
    void setWatched(bool watched);
    bool isWatched() const { return m_watched.load(std::memory_order_acquire); }
    // A trail asleep on this source still looks at the pointer once a second, on the GUI thread:
    // where the X server's pointer was at that look. Xwayland sees the pointer over X11
    // windows, so a move there that woke nothing is one the source did not tell of.
    void serverLooked(std::optional<QPoint> server);

Q_SIGNALS:
    // The pointer moved while watched; emitted on the thread that received the report.
    void moved();
    // The source was shut while it had a position.
    void stopped();

protected:
    // A source that reads at the tick watches its socket while watched, and only then.
    virtual void watchSocket(bool watched) { (void)watched; }
    // While the trail slept on this source, the X server saw the pointer move and the source
    // said nothing.
    virtual void moveUnreported() {}
    // From any thread; ignored while shut. X11 positions are 16-bit: a wild report is kept
    // within them.
    void report(int x, int y);
    void open();
    void shut();

private:
    // One word, so that a report racing a shut can never bring back a forgotten position:
    // the open and known flags, x in bits 16-31, y in bits 0-15.
    std::atomic<quint64> m_state{kOpen};
    // Emitting moved() costs a signal's dispatch even with nothing connected: only while
    // watched.
    std::atomic<bool> m_watched{false};
    // The X server's pointer at the last look of this sleep; GUI thread only.
    std::optional<QPoint> m_serverAtLook;
    static constexpr quint64 kOpen = quint64(1) << 33;
    static constexpr quint64 kKnown = quint64(1) << 32;
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

    // The source's position, read at the tick where it reads then, and the channel's answer
    // (the X server's pointer; none without a channel) while the source has none. Any thread.
    std::optional<QPoint> pointerPos(TrailChannel *server);

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
    void watchFired();

    WindowSystem &m_windows;
    std::atomic<PointerSource *> m_source{nullptr};
    std::function<void()> m_onMove;
    PointerSource *m_watched = nullptr;
    QMetaObject::Connection m_moveWatch;
    QMetaObject::Connection m_stopWatch;
};

} // namespace platform
