// SPDX-License-Identifier: GPL-3.0-or-later
// Ticking the trail and moving its windows.
#include "trail_engine.h"

#include "tick_thread.h"

#include "corner_settings.h"
#include "platform/window_system.h"
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
        if (m_tickThread && m_windowSystem.monitors().scaled())
            leaveTickThread();
        KeepOnTopTick();
        checkWhileAsleep();
    });
}

TrailEngine::~TrailEngine()
{
    m_tickThread.reset(); // joins: no tick runs from here on
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
    const std::lock_guard lock(m_lock);
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
    m_timer2.start();
    // The tick thread draws every sprite at scale 1: with scaled monitors the tick stays on the
    // GUI thread, where the monitor layout lives.
    if (!m_tickThread && !m_windowSystem.monitors().scaled()) {
        const auto sprites = windows();
        m_channel = m_windowSystem.openTrailChannel({sprites.begin(), sprites.end()});
        if (m_channel) {
            m_tickThread = std::make_unique<TickThread>(
                std::chrono::milliseconds(m_timer1.interval()), [this] { threadTick(); });
            if (!m_tickThread->valid()) {
                m_tickThread.reset();
                m_channel.reset();
            }
        }
    }
    if (!m_tickThread) {
        m_timer1.start();
        return;
    }
    const std::lock_guard lock(m_lock);
    m_tickMotion = m_motion;
    m_canWatch = m_windowSystem.canWatchPointer();
    m_sleeping = false;
    m_windowSystem.stopWatchingPointer();
    m_tickThread->resume();
}

void TrailEngine::leaveTickThread()
{
    // A monitor of another scale came: the GUI thread's tick takes over.
    m_tickThread.reset();
    m_channel.reset();
    m_sentValid.fill(false);
    if (m_sleeping)
        return; // the pointer watch is armed; wake() starts Timer1
    m_timer1.start();
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
        if (m_channel)
            m_channel->moveWindow(k, p);
        else
            m_windowSystem.moveWindow(m_windows[k].get(), p, monitor);
        moved = true;
    }
    if (!moved)
        return;
    if (m_channel)
        m_channel->flush();
    else
        m_windowSystem.flush();
}

bool TrailEngine::restingStill(QPoint pointer, const MotionSettings &motion, double scale) const
{
    // Asleep, the trail costs nothing until the pointer moves; it only sleeps where ticking on
    // would change nothing on the screen.
    return !motion.WobbleOn && m_havePointer && isAtRest(m_state, pointer.x(), pointer.y(), scale);
}

void TrailEngine::threadTick()
{
    const std::lock_guard lock(m_lock);
    if (m_sleeping)
        return; // a tick that was under way when the trail went to sleep
    if (const std::optional<QPoint> sample = m_channel->pointerPos()) {
        m_lastPointer = *sample;
        m_havePointer = true;
    }
    advanceChain(m_state, m_tickMotion, m_lastPointer.x(), m_lastPointer.y(), 1.0);
    for (int k = 0; k < kSpriteCount; ++k) {
        m_placed.monitor[k] = -1;
        m_placed.position[k] = windowPosition(m_state, m_tickMotion, k, 1.0);
    }
    moveWindows();
    if (!m_canWatch || !restingStill(m_lastPointer, m_tickMotion, 1.0))
        return;
    m_tickThread->pause();
    m_sleeping = true;
    // The pointer watch belongs to the GUI thread.
    QMetaObject::invokeMethod(this, &TrailEngine::watchWhileAsleep, Qt::QueuedConnection);
}

void TrailEngine::watchWhileAsleep()
{
    QPoint last;
    {
        const std::lock_guard lock(m_lock);
        if (!m_sleeping || !m_channel)
            return;
        last = m_lastPointer;
    }
    m_windowSystem.watchPointerOnce([this] { wake(); });
    // A movement between the last tick and the watch taking effect would go unnoticed.
    const std::optional<QPoint> check = m_channel->pointerPos();
    if (check && *check != last)
        wake();
}

bool TrailEngine::isSleeping() const
{
    const std::lock_guard lock(m_lock);
    return m_sleeping;
}

std::optional<QPoint> TrailEngine::pointerNow()
{
    return m_channel ? m_channel->pointerPos() : m_windowSystem.pointerPos();
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
    if (!m_timer1.isActive() || !restingStill(pointer, m_motion, scale)
        || !m_windowSystem.canWatchPointer())
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
    if (m_tickThread) {
        const std::lock_guard lock(m_lock);
        m_tickMotion = m_motion;
        if (!m_sleeping)
            return;
        m_sleeping = false;
        m_windowSystem.stopWatchingPointer();
        m_tickThread->resume(); // ticks at once: the first reaction comes without delay
        return;
    }
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
    QPoint last;
    {
        const std::lock_guard lock(m_lock);
        if (!m_sleeping)
            return;
        last = m_lastPointer;
    }
    const std::optional<QPoint> sample = pointerNow();
    if (sample && *sample != last)
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
