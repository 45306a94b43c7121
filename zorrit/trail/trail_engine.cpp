// SPDX-License-Identifier: GPL-3.0-or-later
// Ticking the trail and moving its windows.
#include "trail_engine.h"

#include "tick_thread.h"

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
    const QString corners[] = {store.ReadSetting(kBotRight), store.ReadSetting(kBotLeft),
                               store.ReadSetting(kTopRight), store.ReadSetting(kTopLeft)};
    const QString yes = QStringLiteral("True");

    m_motion.WobbleOn = move == QLatin1String("1");
    if (above == yes)
        m_motion.KeepOnTop = true;
    else if (under == yes)
        m_motion.KeepOnTop = false;
    m_motion.SpeedFactor = fast == QLatin1String("1") ? 1 : 2;
    for (int c = 0; c < 4; ++c) {
        if (corners[c] == yes) {
            m_motion.setCorner(static_cast<TrailCorner>(c));
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
    std::array<PointD, kSpriteCount> positions{};
    for (int k = 0; k < kSpriteCount; ++k)
        positions[k] = windowPosition(m_state, m_motion, k);
    m_sentValid.fill(false);
    // Qt places a window it shows where it last knew it; put it where the trail is.
    for (int k = 0; k < kSpriteCount; ++k)
        m_windows[k]->move(roundedPoint(positions[k]));
    for (auto &window : m_windows)
        window->show();
    moveWindows(positions);
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
    if (!m_tickThread) {
        const auto sprites = windows();
        m_channel = m_windowSystem.openTrailChannel({sprites.begin(), sprites.end()});
        if (m_channel) {
            m_tickThread = std::make_unique<TickThread>(std::chrono::milliseconds(m_timer1.interval()),
                                                        [this] { threadTick(); });
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

void TrailEngine::moveWindows(const std::array<PointD, kSpriteCount> &positions)
{
    bool moved = false;
    for (int k = 0; k < kSpriteCount; ++k) {
        const QPoint p = roundedPoint(positions[k]);
        if (m_sentValid[k] && m_sent[k] == p)
            continue;
        m_sent[k] = p;
        m_sentValid[k] = true;
        if (m_channel)
            m_channel->moveWindow(k, p);
        else
            m_windowSystem.moveWindow(m_windows[k].get(), p);
        moved = true;
    }
    if (!moved)
        return;
    if (m_channel)
        m_channel->flush();
    else
        m_windowSystem.flush();
}

bool TrailEngine::restingStill(QPoint pointer, const MotionSettings &motion) const
{
    // Asleep, the trail costs nothing until the pointer moves; it only sleeps where ticking on
    // would change nothing on the screen.
    return !motion.WobbleOn && m_havePointer && isAtRest(m_state, pointer.x(), pointer.y());
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
    moveWindows(TrailTickMath(m_state, m_tickMotion, m_lastPointer.x(), m_lastPointer.y()));
    if (!m_canWatch || !restingStill(m_lastPointer, m_tickMotion))
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
        if (!m_sleeping)
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
    const auto positions = TrailTickMath(m_state, m_motion, m_lastPointer.x(), m_lastPointer.y());
    moveWindows(positions);
    maybeSleep(m_lastPointer);
}

void TrailEngine::maybeSleep(QPoint pointer)
{
    if (!m_timer1.isActive() || !restingStill(pointer, m_motion) || !m_windowSystem.canWatchPointer())
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
