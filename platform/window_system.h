// SPDX-License-Identifier: GPL-3.0-or-later
// Seam between the trail and the window system: pointer samples, moving and raising the sprite
// windows, compositor detection, and waking up when the pointer moves.
#pragma once

#include "monitor_layout.h"

#include <QPoint>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QImage;
class QWidget;

namespace platform {

// The trail's traffic from a thread of its own, so the GUI thread can sleep while the trail
// moves: safe to call from any thread. Pointer and window positions are both in the window
// system's own pixels.
class TrailChannel
{
public:
    virtual ~TrailChannel() = default;
    // Right after a waitForTick() that returned true: the position read at that tick, with no
    // further wait.
    virtual std::optional<QPoint> pointerPos() = 0;
    // Moves window `index` of those the channel was opened for; sent at the next flush().
    virtual void moveWindow(int index, QPoint topLeft) = 0;
    virtual void flush() = 0;

    // A window system may keep a clock that the ticks can wait on. Such a wait ends with the
    // pointer already read at the tick, so the thread wakes once a tick rather than twice (its
    // own timer, then the answer to its query). Sends what is queued and returns at the next
    // tick: `interval` after the last one, or after now when `restart`. A tick more than an
    // interval late is skipped, not made up for. False when there is no such clock or it
    // failed; the caller times its ticks itself from then on.
    virtual bool waitForTick(std::chrono::milliseconds interval, bool restart)
    {
        (void)interval;
        (void)restart;
        return false;
    }
    // flush(), or, where waitForTick() works and the caller calls it next, nothing: what is
    // queued goes out with the wait, in the same write.
    virtual void flushBeforeTick() { flush(); }
    // Whether the next waitForTick() reads the pointer too (it does unless told otherwise):
    // where the compositor reports the pointer, the server is asked only for its clock.
    virtual void samplePointerAtTick(bool wanted) { (void)wanted; }
};

// Sprites that the window system shows as surfaces of its own (layer-shell surfaces under
// Wayland) rather than as the trail's windows, which then stay hidden. Sprite places are in the
// window system's pixels, as the moves are. GUI thread, but for the moves of a trail channel.
class SpriteSurfaces
{
public:
    virtual ~SpriteSurfaces() = default;
    // The picture with real transparency, in pixels at scale 1; drawn at each screen's scale.
    virtual void setPicture(int index, const QImage &picture) = 0;
    virtual void setVisible(bool visible) = 0;
    // Above every window, or above the desktop only.
    virtual void setOnTop(bool onTop) = 0;
    virtual void setOpacity(double opacity) = 0;
    virtual void moveSprite(int index, QPoint topLeft) = 0;
    // Shows the moves made since the last time, together.
    virtual void commit() = 0;
};

class WindowSystem
{
public:
    virtual ~WindowSystem() = default;

    // The monitors, in the same device pixels as the pointer and the moves below. Kept up to
    // date with the screens; reading it costs nothing.
    virtual const MonitorLayout &monitors() = 0;
    // The pointer position in device pixels; nothing when it cannot be read.
    virtual std::optional<QPoint> pointerPos() = 0;
    // Moves a top-level window's top-left corner to a device pixel, without waiting for the
    // server. The window is drawn at the scale of the given monitor (an index into monitors(),
    // -1: none known), wherever its corner lands.
    virtual void moveWindow(QWidget *window, QPoint topLeft, int monitor) = 0;
    // Puts a window on top of the stack without activating it.
    virtual void raiseWindow(QWidget *window) = 0;
    // Sends what is queued to the server.
    virtual void flush() = 0;
    // True while a compositing manager runs, i.e. window opacity actually shows.
    virtual bool compositorRunning() = 0;

    // Sleeping while nothing moves: after watchPointerOnce() the callback runs once, at the next
    // pointer movement, from the event loop. False when the window system cannot tell us.
    virtual bool canWatchPointer() = 0;
    // Returns where the pointer is once the watch is in effect (nothing when that cannot be
    // read): a movement before that is not reported, so the caller compares this with its last
    // sample.
    virtual std::optional<QPoint> watchPointerOnce(std::function<void()> onMove) = 0;
    virtual void stopWatchingPointer() = 0;

    // Reads and drops what the window system sent that nobody waits for (errors of requests sent
    // without waiting for an answer, notices that go to every client), so that it does not pile
    // up. Called about once a second, from the GUI thread.
    virtual void dropUnaskedEvents() = 0;

    // Where the window system shows the sprites itself; null where the trail's windows are the
    // sprites.
    virtual SpriteSurfaces *spriteSurfaces() { return nullptr; }

    // A channel for moving these (created) windows from another thread, prepared here on the GUI
    // thread; nothing when the window system cannot serve one, and the trail ticks on the GUI
    // thread through the calls above.
    virtual std::unique_ptr<TrailChannel> openTrailChannel(const std::vector<QWidget *> &windows)
    {
        (void)windows;
        return nullptr;
    }
};

// The window system of the platform Qt runs on: X11 when there is an X connection, otherwise one
// that goes through Qt alone (the offscreen platform).
std::unique_ptr<WindowSystem> createWindowSystem();

} // namespace platform
