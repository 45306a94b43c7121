// SPDX-License-Identifier: GPL-3.0-or-later
// The running trail: the five sprite windows, the 20 ms animation tick and the once-a-second
// return to the top of the window stack.
#pragma once

#include "sprite_window.h"
#include "trail_math.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <array>
#include <memory>

namespace platform {
class WindowSystem;
}
namespace zorrit::settings {
class SettingsStore;
}

namespace zorrit::trail {

class TrailEngine final : public QObject
{
    Q_OBJECT

public:
    TrailEngine(platform::WindowSystem &windowSystem, MotionSettings &motion);
    ~TrailEngine() override;

    SpriteWindow *window(int k) const { return m_windows[k].get(); }
    std::array<SpriteWindow *, kSpriteCount> windows() const;
    const TrailState &state() const { return m_state; }
    TrailState &state() { return m_state; }

    // Derives the shared motion settings from the stored options (exact, case-sensitive texts).
    void readMotionSettings(const settings::SettingsStore &store);
    // Cuts every window to its picture, in trail order.
    void shapeAll();
    // Places the windows where the current state puts them and shows them.
    void showWindows();
    void hideWindows();
    bool windowsVisible() const { return m_visible; }

    // Starts Timer1 (20 ms, TrailTick) and Timer2 (1 s, KeepOnTopTick).
    void start();
    QTimer &Timer1() { return m_timer1; }
    QTimer &Timer2() { return m_timer2; }

    void TrailTick();
    void KeepOnTopTick();

    // Something that changes where the windows go (corner, wobble, speed) was changed: if the
    // trail sleeps, it takes up ticking again.
    void wake();
    bool isSleeping() const { return m_sleeping; }

private:
    // Where the windows go for the current state, and the monitor each is drawn for (m_placed).
    void placeWindows();
    // Sends the placed windows that changed pixel or monitor.
    void moveWindows();
    void maybeSleep(QPoint pointer, double scale);
    void checkWhileAsleep();

    platform::WindowSystem &m_windowSystem;
    MotionSettings &m_motion;
    std::array<std::unique_ptr<SpriteWindow>, kSpriteCount> m_windows;
    TrailState m_state;
    QTimer m_timer1;
    QTimer m_timer2;
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
    bool m_sleeping = false;
};

} // namespace zorrit::trail
