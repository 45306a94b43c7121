// SPDX-License-Identifier: GPL-3.0-or-later
// The running trail: the five sprite windows, the animation tick (kTickMs) and the once-a-second
// return to the top of the window stack.
#pragma once

#include "sprite_window.h"
#include "trail_math.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <array>
#include <memory>
#include <mutex>
#include <optional>

namespace platform {
class TrailChannel;
class WindowSystem;
} // namespace platform
namespace zorrit::settings {
class SettingsStore;
}

namespace zorrit::trail {

class TickThread;

// Where the window system offers a trail channel, the tick runs on a thread of its own
// (TickThread) and Qt's GUI thread sleeps while the trail moves; otherwise the tick timer drives
// tick() on the GUI thread. Either way the rest of the program sees the same engine, used
// from the GUI thread only.
class TrailEngine final : public QObject
{
    Q_OBJECT

public:
    // spriteScale: how big the sprites are beside the desktop's pointer, for the whole run.
    TrailEngine(platform::WindowSystem &windowSystem, MotionSettings &motion,
                SpriteScale spriteScale = {});
    ~TrailEngine() override;

    const SpriteScale &spriteScale() const { return m_spriteScale; }

    SpriteWindow *window(int k) const { return m_windows[k].get(); }
    std::array<SpriteWindow *, kSpriteCount> windows() const;
    // The smoothed positions: for start-up and tests, not while the tick thread runs.
    const TrailState &state() const { return m_state; }
    TrailState &state() { return m_state; }

    // Derives the shared motion settings from the stored options (exact, case-sensitive texts).
    void readMotionSettings(const settings::SettingsStore &store);
    // Cuts every window to its picture, in trail order.
    void shapeAll();
    // The same for one sprite, after its picture changed.
    void shape(int k);
    // Places the windows where the current state puts them and shows them.
    void showWindows();
    void hideWindows();
    bool windowsVisible() const { return m_visible; }

    // Why the trail is hidden: the user's "Zorrit Off", a full-screen program. Each reason comes
    // and goes on its own; the windows show again once no reason is left. Under "Zorrit Off"
    // the animation goes on and nothing is drawn; over a full-screen program (a game, say, whose
    // pointer never rests) the tick sleeps as well, and the trail takes up from where it was.
    enum class HiddenBy : unsigned { User = 1u << 0, FullScreen = 1u << 1 };
    void setHidden(HiddenBy reason, bool hidden);

    // Starts the tick (the tick timer or the tick thread) and the keep-on-top timer (1 s,
    // keepOnTopTick()).
    void start();
    bool ticksOnItsOwnThread() const { return m_tickThread != nullptr; }
    QTimer &tickTimer() { return m_tickTimer; }
    QTimer &keepOnTopTimer() { return m_keepOnTopTimer; }

    // The tick as the tick timer runs it on the GUI thread; not while the tick thread runs.
    void tick();
    void keepOnTopTick();

    // Something that changes where the windows go (corner, wobble, speed) was changed: if the
    // trail sleeps, it takes up ticking again (not while a full-screen program halts it). Every
    // change to the motion settings ends here, which is how the tick thread gets to see them.
    void wake();
    bool isSleeping() const;

private:
    // The windows whose whole-pixel position or monitor changed since they were last sent.
    struct Moves
    {
        std::array<QPoint, kSpriteCount> topLeft{};
        std::array<int, kSpriteCount> monitor{};
        std::array<bool, kSpriteCount> changed{};
        bool any = false;
    };

    // Where the windows go for the current state, and the monitor each is drawn for (m_placed).
    void placeWindows();
    // Takes the placed windows that changed pixel or monitor as sent.
    Moves takeMoves();
    // tickFollows: the thread's next tick comes, and the moves may wait to go out with it.
    void sendMoves(const Moves &moves, bool tickFollows = false);
    // Both, on the GUI thread's tick.
    void moveWindows();
    void onKeepOnTopTimer();
    void maybeSleep(QPoint pointer, double scale);
    void checkWhileAsleep();
    std::optional<QPoint> pointerNow();
    bool restingStill(QPoint pointer, const MotionSettings &motion, double scale) const;
    void threadTick();
    void stopTickThread();
    void leaveTickThread();
    void watchWhileAsleep();
    // The tick stops and nothing watches the pointer, until wake() after m_halted is cleared.
    void halt();

    platform::WindowSystem &m_windowSystem;
    MotionSettings &m_motion;
    const SpriteScale m_spriteScale;
    std::array<std::unique_ptr<SpriteWindow>, kSpriteCount> m_windows;
    TrailState m_state;
    QTimer m_tickTimer;
    QTimer m_keepOnTopTimer;
    QPoint m_lastPointer;
    bool m_havePointer = false;
    // The last whole-pixel position sent for each window; a move to the same pixel is not sent.
    std::array<QPoint, kSpriteCount> m_sent{};
    std::array<int, kSpriteCount> m_sentMonitor{};
    std::array<bool, kSpriteCount> m_sentValid{};
    struct
    {
        std::array<PointD, kSpriteCount> position{};
        std::array<int, kSpriteCount> monitor{};
    } m_placed;
    bool m_visible = false;
    unsigned m_hiddenBy = 0; // HiddenBy bits
    bool m_sleeping = false;
    bool m_halted = false; // asleep with no pointer watch while a full-screen program has it

    // The tick thread and what it works with. m_lock guards the state it shares with the GUI
    // thread (the positions, the last pointer sample, what was sent, sleeping); it reads the
    // motion settings from its own copy, refreshed by wake(). Neither thread calls into Qt or
    // the X server while it holds m_lock: the values are worked out under it, the calls made
    // after. While the thread runs, only the thread moves the windows; the GUI thread marks them
    // unsent and has it tick. m_channel and m_tickThread change only while no thread runs.
    std::unique_ptr<platform::TrailChannel> m_channel;
    std::unique_ptr<TickThread> m_tickThread;
    MotionSettings m_tickMotion;
    bool m_canWatch = false;
    mutable std::mutex m_lock;
};

} // namespace zorrit::trail
