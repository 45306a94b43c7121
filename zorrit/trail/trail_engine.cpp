// SPDX-License-Identifier: GPL-3.0-or-later
// Ticking the trail and moving its windows.
#include "trail_engine.h"

#include "platform/window_system.h"
#include "corner_settings.h"
#include "zorrit/settings/settings_store.h"

#include <cmath>

namespace zorrit::trail {

namespace {
QPoint roundedPoint(const PointD &p)
{
    return QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
}
} // namespace

TrailEngine::TrailEngine(platform::WindowSystem &windowSystem, MotionSettings &motion)
    : m_windowSystem(windowSystem)
    , m_motion(motion)
{
    for (int k = 0; k < kSpriteCount; ++k)
        m_windows[k] = std::make_unique<SpriteWindow>(k);
    m_timer1.setInterval(20);
    m_timer1.setTimerType(Qt::PreciseTimer);
    m_timer2.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &TrailEngine::TrailTick);
    connect(&m_timer2, &QTimer::timeout, this, [this] {
        KeepOnTopTick();
        checkWhileAsleep();
    });
}

TrailEngine::~TrailEngine()
{
    m_windowSystem.stopWatchingPointer();
}

std::array<SpriteWindow *, kSpriteCount> TrailEngine::windows() const
{
    std::array<SpriteWindow *, kSpriteCount> out{};
    for (int k = 0; k < kSpriteCount; ++k)
        out[k] = m_windows[k].get();
    return out;
}

void TrailEngine::readMotionSettings(const settings::SettingsStore &store)
{
    using namespace settings;
    const QString move = store.ReadSetting(kMove);
    const QString above = store.ReadSetting(kAbove);
    const QString under = store.ReadSetting(kUnder);
    const QString fast = store.ReadSetting(kFast);
    QString corners[std::size(kCornerSettings)];
    for (std::size_t c = 0; c < std::size(kCornerSettings); ++c)
        corners[c] = store.ReadSetting(kCornerSettings[c].key);

    m_motion.WobbleOn = isOnForm(kMove, move);
    if (isOnForm(kAbove, above))
        m_motion.KeepOnTop = true;
    else if (isOnForm(kUnder, under))
        m_motion.KeepOnTop = false;
    m_motion.SpeedFactor = isOnForm(kFast, fast) ? 1 : 2;
    for (std::size_t c = 0; c < std::size(kCornerSettings); ++c) {
        if (isOnForm(kCornerSettings[c].key, corners[c])) {
            m_motion.setCorner(kCornerSettings[c].corner);
            break;
        }
    }
    wake();
}

void TrailEngine::shapeAll()
{
    for (auto &window : m_windows)
        window->ShapeWindow(KeyColour);
}

void TrailEngine::showWindows()
{
    placeWindows();
    m_sentValid.fill(false);
    // Qt places a window it shows where it last knew it; put it where the trail is.
    const platform::MonitorLayout &monitors = m_windowSystem.monitors();
    for (int k = 0; k < kSpriteCount; ++k) {
        const QPointF device = roundedPoint(m_placed.position[k]);
        m_windows[k]->move(monitors.toLogical(device, m_placed.monitor[k]).toPoint());
    }
    for (auto &window : m_windows)
        window->show();
    moveWindows();
    m_visible = true;
}

void TrailEngine::hideWindows()
{
    for (auto &window : m_windows)
        window->hide();
    m_visible = false;
}

void TrailEngine::start()
{
    m_timer1.start();
    m_timer2.start();
}

void TrailEngine::placeWindows()
{
    // Each sprite is drawn at the scale of the monitor its smoothed position is on, so the trail
    // looks on every monitor as on a screen of that monitor's scale alone.
    const platform::MonitorLayout &monitors = m_windowSystem.monitors();
    for (int k = 0; k < kSpriteCount; ++k) {
        const SpriteState &s = m_state.sprites[k];
        m_placed.monitor[k] = monitors.indexAt(s.PosX, s.PosY);
        m_placed.position[k] =
            windowPosition(m_state, m_motion, k, monitors.scale(m_placed.monitor[k]));
    }
}

void TrailEngine::moveWindows()
{
    bool moved = false;
    for (int k = 0; k < kSpriteCount; ++k) {
        const QPoint p = roundedPoint(m_placed.position[k]);
        const int monitor = m_placed.monitor[k];
        if (m_sentValid[k] && m_sent[k] == p && m_sentMonitor[k] == monitor)
            continue;
        m_sent[k] = p;
        m_sentMonitor[k] = monitor;
        m_sentValid[k] = true;
        m_windowSystem.moveWindow(m_windows[k].get(), p, monitor);
        moved = true;
    }
    if (moved)
        m_windowSystem.flush();
}

void TrailEngine::TrailTick()
{
    if (const std::optional<QPoint> sample = m_windowSystem.pointerPos()) {
        m_lastPointer = *sample;
        m_havePointer = true;
    }
    const platform::MonitorLayout &monitors = m_windowSystem.monitors();
    const double scale = monitors.scale(monitors.indexAt(m_lastPointer.x(), m_lastPointer.y()));
    advanceChain(m_state, m_motion, m_lastPointer.x(), m_lastPointer.y(), scale);
    placeWindows();
    moveWindows();
    maybeSleep(m_lastPointer, scale);
}

void TrailEngine::maybeSleep(QPoint pointer, double scale)
{
    // Asleep, the trail costs nothing until the pointer moves; it only sleeps where ticking on
    // would change nothing on the screen.
    if (m_motion.WobbleOn || !m_havePointer || !m_timer1.isActive()
        || !isAtRest(m_state, pointer.x(), pointer.y(), scale) || !m_windowSystem.canWatchPointer())
        return;
    m_timer1.stop();
    m_sleeping = true;
    m_windowSystem.watchPointerOnce([this] { wake(); });
    // A movement between our last sample and the watch taking effect would go unnoticed.
    const std::optional<QPoint> check = m_windowSystem.pointerPos();
    if (check && *check != pointer)
        wake();
}

void TrailEngine::wake()
{
    if (!m_sleeping)
        return;
    m_sleeping = false;
    m_windowSystem.stopWatchingPointer();
    m_timer1.start();
    TrailTick(); // react to the movement now, not a tick later
}

void TrailEngine::checkWhileAsleep()
{
    // Raw motion covers every input device; a pointer warped by some program sends none, so a
    // sleeping trail also looks once a second.
    if (!m_sleeping)
        return;
    const std::optional<QPoint> sample = m_windowSystem.pointerPos();
    if (sample && *sample != m_lastPointer)
        wake();
}

void TrailEngine::KeepOnTopTick()
{
    if (!m_motion.KeepOnTop)
        return;
    for (auto &window : m_windows)
        m_windowSystem.raiseWindow(window.get());
    m_windowSystem.flush();
}

} // namespace zorrit::trail
