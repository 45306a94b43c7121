// SPDX-License-Identifier: GPL-3.0-or-later
// Ticking the trail and moving its windows.
#include "trail_engine.h"

#include "tick_thread.h"

#include "corner_settings.h"
#include "platform/window_system.h"
#include "zorrit/settings/settings_store.h"

#include <cmath>
#include <utility>

namespace zorrit::trail {

namespace {
QPoint roundedPoint(const PointD &p)
{
    return QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
}
} // namespace

TrailEngine::TrailEngine(platform::WindowSystem &windowSystem, MotionSettings &motion,
                         SpriteScale spriteScale)
    : m_windowSystem(windowSystem)
    , m_motion(motion)
    , m_spriteScale(spriteScale)
{
    for (int k = 0; k < kSpriteCount; ++k)
        m_windows[k] = std::make_unique<SpriteWindow>(k, m_spriteScale);
    m_tickTimer.setInterval(kTickMs);
    m_tickTimer.setTimerType(Qt::PreciseTimer);
    m_keepOnTopTimer.setInterval(1000);
    connect(&m_tickTimer, &QTimer::timeout, this, &TrailEngine::tick);
    connect(&m_keepOnTopTimer, &QTimer::timeout, this, &TrailEngine::onKeepOnTopTimer);
}

TrailEngine::~TrailEngine()
{
    stopTickThread();
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
    const QString move = store.read(kMove);
    const QString above = store.read(kAbove);
    const QString under = store.read(kUnder);
    const QString fast = store.read(kFast);
    QString corners[std::size(kCornerSettings)];
    for (std::size_t c = 0; c < std::size(kCornerSettings); ++c)
        corners[c] = store.read(kCornerSettings[c].key);

    m_motion.wobbleOn = isOnForm(kMove, move);
    if (isOnForm(kAbove, above))
        m_motion.keepOnTop = true;
    else if (isOnForm(kUnder, under))
        m_motion.keepOnTop = false;
    m_motion.slowdown = isOnForm(kFast, fast) ? 1 : 2;
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
    for (int k = 0; k < kSpriteCount; ++k)
        shape(k);
}

void TrailEngine::shape(int k)
{
    // Surfaces with real transparency need no outline: the key colour's pixels are clear.
    if (platform::SpriteSurfaces *surfaces = m_windowSystem.spriteSurfaces())
        surfaces->setPicture(k, clearKeyColour(m_windows[k]->drawing()));
    else
        m_windows[k]->cutOutline(KeyColour);
}

void TrailEngine::showWindows()
{
    std::array<QPoint, kSpriteCount> logical;
    {
        const std::lock_guard lock(m_lock);
        placeWindows();
        m_sentValid.fill(false);
        const platform::MonitorLayout &monitors = m_windowSystem.monitors();
        for (int k = 0; k < kSpriteCount; ++k) {
            const QPointF device = roundedPoint(m_placed.position[k]);
            logical[k] = monitors.toLogical(device, m_placed.monitor[k]).toPoint();
        }
    }
    if (platform::SpriteSurfaces *surfaces = m_windowSystem.spriteSurfaces()) {
        surfaces->setOnTop(m_motion.keepOnTop);
        surfaces->setVisible(true);
    } else {
        // Qt places a window it shows where it last knew it; put it where the trail is.
        for (int k = 0; k < kSpriteCount; ++k)
            m_windows[k]->move(logical[k]);
        for (auto &window : m_windows)
            window->show();
    }
    if (m_tickThread)
        wake(); // its next tick sends them all, at once if it slept
    else
        moveWindows();
    m_visible = true;
}

void TrailEngine::hideWindows()
{
    if (platform::SpriteSurfaces *surfaces = m_windowSystem.spriteSurfaces())
        surfaces->setVisible(false);
    for (auto &window : m_windows)
        window->hide();
    m_visible = false;
}

void TrailEngine::setHidden(HiddenBy reason, bool hidden)
{
    const unsigned before = m_hiddenBy;
    m_hiddenBy = hidden ? before | unsigned(reason) : before & ~unsigned(reason);
    if (before == 0 && m_hiddenBy != 0)
        hideWindows();
    // "Zorrit Off" keeps the tick going, as it always has.
    const bool halted = (m_hiddenBy & unsigned(HiddenBy::FullScreen)) != 0;
    if (std::exchange(m_halted, halted) != halted) {
        if (halted)
            halt();
        else
            wake();
    }
    if (before != 0 && m_hiddenBy == 0)
        showWindows();
}

void TrailEngine::halt()
{
    bool wasSleeping = false;
    if (m_tickThread) {
        const std::lock_guard lock(m_lock);
        wasSleeping = std::exchange(m_sleeping, true);
        if (!wasSleeping)
            m_tickThread->pause(); // a tick under way sees m_sleeping and does nothing
    } else {
        m_tickTimer.stop();
        wasSleeping = std::exchange(m_sleeping, true);
    }
    if (wasSleeping)
        m_windowSystem.stopWatchingPointer();
}

void TrailEngine::start()
{
    m_keepOnTopTimer.start();
    // The tick thread draws every sprite as on a monitor of scale 1: with scaled monitors the
    // tick stays on the GUI thread, where the monitor layout lives.
    if (!m_tickThread && !m_windowSystem.monitors().scaled()) {
        const auto sprites = windows();
        m_channel = m_windowSystem.openTrailChannel({sprites.begin(), sprites.end()});
        if (m_channel) {
            const std::chrono::milliseconds interval(m_tickTimer.interval());
            platform::TrailChannel *channel = m_channel.get();
            m_tickThread = std::make_unique<TickThread>(
                interval, [this] { threadTick(); },
                [channel, interval](bool restart) {
                    return channel->waitForTick(interval, restart);
                });
            if (!m_tickThread->valid()) {
                m_tickThread.reset();
                m_channel.reset();
            }
        }
    }
    if (!m_tickThread) {
        m_sleeping = m_halted;
        if (!m_halted)
            m_tickTimer.start();
        return;
    }
    const bool canWatch = m_windowSystem.canWatchPointer();
    m_windowSystem.stopWatchingPointer();
    const std::lock_guard lock(m_lock);
    m_tickMotion = m_motion;
    m_canWatch = canWatch;
    m_sleeping = m_halted;
    if (!m_halted)
        m_tickThread->resume();
}

void TrailEngine::stopTickThread()
{
    // Told, joined, then let go: a tick under way finishes with the thread still there.
    if (m_tickThread)
        m_tickThread->stop();
    m_tickThread.reset();
    m_channel.reset();
}

void TrailEngine::leaveTickThread()
{
    // A monitor of another scale came: the GUI thread's tick takes over. A trail the thread left
    // asleep may have no pointer watch yet (the thread asks the GUI thread for one), so the
    // tick timer runs either way; at rest its first tick puts the trail to sleep again, with a
    // watch of its own.
    stopTickThread();
    m_sentValid.fill(false);
    if (std::exchange(m_sleeping, false))
        m_windowSystem.stopWatchingPointer();
    m_sleeping = m_halted;
    if (!m_halted)
        m_tickTimer.start();
}

void TrailEngine::placeWindows()
{
    // Each sprite is drawn at the scale of the monitor its smoothed position is on, so the trail
    // looks on every monitor as on a screen of that monitor's scale alone; the sprites' own
    // factor (a large pointer) comes on top.
    const platform::MonitorLayout &monitors = m_windowSystem.monitors();
    for (int k = 0; k < kSpriteCount; ++k) {
        const SpriteState &s = m_state.sprites[k];
        m_placed.monitor[k] = monitors.indexAt(s.x, s.y);
        m_placed.position[k] = windowPosition(
            m_state, m_motion, k, monitors.scale(m_placed.monitor[k]) * m_spriteScale.factor);
    }
}

TrailEngine::Moves TrailEngine::takeMoves()
{
    Moves moves;
    for (int k = 0; k < kSpriteCount; ++k) {
        const QPoint p = roundedPoint(m_placed.position[k]);
        const int monitor = m_placed.monitor[k];
        if (m_sentValid[k] && m_sent[k] == p && m_sentMonitor[k] == monitor)
            continue;
        m_sent[k] = p;
        m_sentMonitor[k] = monitor;
        m_sentValid[k] = true;
        moves.topLeft[k] = p;
        moves.monitor[k] = monitor;
        moves.changed[k] = true;
        moves.any = true;
    }
    return moves;
}

void TrailEngine::sendMoves(const Moves &moves, bool tickFollows)
{
    if (!moves.any)
        return;
    platform::SpriteSurfaces *surfaces = m_channel ? nullptr : m_windowSystem.spriteSurfaces();
    for (int k = 0; k < kSpriteCount; ++k) {
        if (!moves.changed[k])
            continue;
        if (surfaces)
            surfaces->moveSprite(k, moves.topLeft[k]);
        else if (m_channel)
            m_channel->moveWindow(k, moves.topLeft[k]);
        else
            m_windowSystem.moveWindow(m_windows[k].get(), moves.topLeft[k], moves.monitor[k]);
    }
    if (surfaces)
        surfaces->commit();
    else if (m_channel && tickFollows)
        m_channel->flushBeforeTick();
    else if (m_channel)
        m_channel->flush();
    else
        m_windowSystem.flush();
}

void TrailEngine::moveWindows()
{
    sendMoves(takeMoves());
}

bool TrailEngine::restingStill(QPoint pointer, const MotionSettings &motion, double scale) const
{
    // Asleep, the trail costs nothing until the pointer moves; it only sleeps where ticking on
    // would change nothing on the screen.
    return !motion.wobbleOn && m_havePointer && isAtRest(m_state, pointer.x(), pointer.y(), scale);
}

void TrailEngine::threadTick()
{
    // The query may wait for the X server's answer: asked before the lock is taken.
    const std::optional<QPoint> sample = m_channel->pointerPos();
    Moves moves;
    bool fellAsleep = false;
    {
        const std::lock_guard lock(m_lock);
        if (m_sleeping)
            return; // a tick that was under way when the trail went to sleep
        if (sample) {
            m_lastPointer = *sample;
            m_havePointer = true;
        }
        const double scale = m_spriteScale.factor;
        advanceChain(m_state, m_tickMotion, m_lastPointer.x(), m_lastPointer.y(), scale);
        for (int k = 0; k < kSpriteCount; ++k) {
            m_placed.monitor[k] = -1;
            m_placed.position[k] = windowPosition(m_state, m_tickMotion, k, scale);
        }
        moves = takeMoves();
        if (m_canWatch && restingStill(m_lastPointer, m_tickMotion, scale)) {
            // Under the lock, so that a wake() cannot come between deciding and pausing.
            m_tickThread->pause();
            m_sleeping = true;
            fellAsleep = true;
        }
    }
    sendMoves(moves, !fellAsleep);
    if (fellAsleep) // the pointer watch belongs to the GUI thread
        QMetaObject::invokeMethod(this, &TrailEngine::watchWhileAsleep, Qt::QueuedConnection);
}

void TrailEngine::watchWhileAsleep()
{
    QPoint last;
    {
        const std::lock_guard lock(m_lock);
        // Woken meanwhile, or the tick has left the thread (it watches for itself then), or
        // halted: nothing is to wake it.
        if (!m_tickThread || !m_sleeping || m_halted)
            return;
        last = m_lastPointer;
    }
    const std::optional<QPoint> now = m_windowSystem.watchPointerOnce([this] { wake(); });
    // A movement between the last tick and the watch taking effect would go unnoticed.
    if (now && *now != last)
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

void TrailEngine::tick()
{
    if (const std::optional<QPoint> sample = m_windowSystem.pointerPos()) {
        m_lastPointer = *sample;
        m_havePointer = true;
    }
    const platform::MonitorLayout &monitors = m_windowSystem.monitors();
    const double scale = monitors.scale(monitors.indexAt(m_lastPointer.x(), m_lastPointer.y()))
                         * m_spriteScale.factor;
    advanceChain(m_state, m_motion, m_lastPointer.x(), m_lastPointer.y(), scale);
    placeWindows();
    moveWindows();
    maybeSleep(m_lastPointer, scale);
}

void TrailEngine::maybeSleep(QPoint pointer, double scale)
{
    if (!m_tickTimer.isActive() || !restingStill(pointer, m_motion, scale)
        || !m_windowSystem.canWatchPointer())
        return;
    m_tickTimer.stop();
    m_sleeping = true;
    const std::optional<QPoint> now = m_windowSystem.watchPointerOnce([this] { wake(); });
    // A movement between our last sample and the watch taking effect would go unnoticed.
    if (now && *now != pointer)
        wake();
}

void TrailEngine::wake()
{
    // "On top" or "On desktop" is the surfaces' layer, which they keep.
    if (platform::SpriteSurfaces *surfaces = m_windowSystem.spriteSurfaces())
        surfaces->setOnTop(m_motion.keepOnTop);
    if (m_tickThread) {
        bool wasSleeping = false;
        {
            const std::lock_guard lock(m_lock);
            m_tickMotion = m_motion;
            if (m_halted)
                return;
            wasSleeping = std::exchange(m_sleeping, false);
            if (wasSleeping)
                m_tickThread->resume(); // ticks at once: the first reaction comes without delay
        }
        if (wasSleeping)
            m_windowSystem.stopWatchingPointer();
        return;
    }
    if (!m_sleeping || m_halted)
        return;
    m_sleeping = false;
    m_windowSystem.stopWatchingPointer();
    m_tickTimer.start();
    tick(); // react to the movement now, not a tick later
}

void TrailEngine::onKeepOnTopTimer()
{
    if (m_tickThread && m_windowSystem.monitors().scaled())
        leaveTickThread();
    keepOnTopTick();
    checkWhileAsleep();
    m_windowSystem.dropUnaskedEvents();
}

void TrailEngine::checkWhileAsleep()
{
    // Raw motion covers every input device; a pointer warped by some program sends none, so a
    // sleeping trail also looks once a second.
    QPoint last;
    {
        const std::lock_guard lock(m_lock);
        if (!m_sleeping || m_halted)
            return;
        last = m_lastPointer;
    }
    const std::optional<QPoint> sample = pointerNow();
    if (sample && *sample != last)
        wake();
}

void TrailEngine::keepOnTopTick()
{
    if (!m_motion.keepOnTop)
        return;
    for (auto &window : m_windows)
        m_windowSystem.raiseWindow(window.get());
    m_windowSystem.flush();
}

} // namespace zorrit::trail
