// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer source's last position, and the window system that reads it.
#include "pointer_source.h"

#include <QThread>

#include <algorithm>
#include <utility>

namespace platform {

std::optional<QPoint> PointerSource::position() const
{
    const quint64 state = m_state.load(std::memory_order_acquire);
    if (!(state & kKnown))
        return std::nullopt;
    return QPoint(qint16(quint16(state >> 16)), qint16(quint16(state)));
}

void PointerSource::report(int x, int y)
{
    constexpr int kLimit = 32767;
    const quint64 packed = kOpen | kKnown | quint64(quint16(std::clamp(x, -kLimit, kLimit))) << 16
                           | quint16(std::clamp(y, -kLimit, kLimit));
    quint64 state = m_state.load(std::memory_order_relaxed);
    do {
        if (!(state & kOpen))
            return;
    } while (!m_state.compare_exchange_weak(state, packed, std::memory_order_acq_rel));
    if (m_watched.load(std::memory_order_acquire))
        Q_EMIT moved();
}

void PointerSource::setWatched(bool watched)
{
    // Before the socket's watch reads what came meanwhile.
    m_watched.store(watched, std::memory_order_release);
    m_serverAtLook.reset();
    watchSocket(watched);
}

void PointerSource::serverLooked(std::optional<QPoint> server)
{
    // Any report wakes the trail and ends the sleep, so within one sleep there was none.
    const std::optional<QPoint> before = std::exchange(m_serverAtLook, server);
    if (before && server && *before != *server)
        moveUnreported();
}

void PointerSource::open()
{
    m_state.fetch_or(kOpen, std::memory_order_acq_rel);
}

void PointerSource::shut()
{
    if (m_state.exchange(0, std::memory_order_acq_rel) & kKnown)
        Q_EMIT stopped();
}

SourcedWindowSystem::SourcedWindowSystem(WindowSystem &windows)
    : m_windows(windows)
{
}

SourcedWindowSystem::~SourcedWindowSystem()
{
    stopWatchingPointer();
}

void SourcedWindowSystem::setSource(PointerSource *source)
{
    stopWatchingPointer();
    m_source.store(source, std::memory_order_release);
}

const MonitorLayout &SourcedWindowSystem::monitors()
{
    return m_windows.monitors();
}

namespace {

// The source's position once it has reported, else the X server's. The look that a sleeping
// trail takes once a second, on the GUI thread, asks the X server as well, for the source.
template <typename AskServer>
std::optional<QPoint> sourcedPointer(PointerSource *source, AskServer askServer)
{
    if (!source)
        return askServer();
    source->readAtTick();
    const std::optional<QPoint> reported = source->position();
    if (!reported)
        return askServer();
    if (source->isWatched() && QThread::currentThread() == source->thread())
        source->serverLooked(askServer());
    return reported;
}

class SourcedChannel final : public TrailChannel
{
public:
    SourcedChannel(std::unique_ptr<TrailChannel> windows,
                   const std::atomic<PointerSource *> &source)
        : m_windows(std::move(windows))
        , m_source(source)
    {
    }
    std::optional<QPoint> pointerPos() override
    {
        return sourcedPointer(m_source.load(std::memory_order_acquire),
                              [this] { return m_windows->pointerPos(); });
    }
    void moveWindow(int index, QPoint topLeft) override { m_windows->moveWindow(index, topLeft); }
    void flush() override { m_windows->flush(); }
    // The X server's clock paces the ticks as before; its pointer sample stands in only while
    // the source has none.
    bool waitForTick(std::chrono::milliseconds interval, bool restart) override
    {
        // A source that has reported answers for the pointer at the tick; should it stop in
        // between, pointerPos() asks the server after all.
        const PointerSource *source = m_source.load(std::memory_order_acquire);
        m_windows->samplePointerAtTick(!(source && source->position()));
        return m_windows->waitForTick(interval, restart);
    }
    void flushBeforeTick() override { m_windows->flushBeforeTick(); }

private:
    std::unique_ptr<TrailChannel> m_windows;
    const std::atomic<PointerSource *> &m_source;
};

} // namespace

std::unique_ptr<TrailChannel> SourcedWindowSystem::openTrailChannel(
    const std::vector<QWidget *> &windows)
{
    std::unique_ptr<TrailChannel> channel = m_windows.openTrailChannel(windows);
    if (!channel)
        return nullptr;
    return std::make_unique<SourcedChannel>(std::move(channel), m_source);
}

std::optional<QPoint> SourcedWindowSystem::pointerPos(TrailChannel *server)
{
    return sourcedPointer(m_source.load(std::memory_order_acquire), [server] {
        return server ? server->pointerPos() : std::optional<QPoint>();
    });
}

std::optional<QPoint> SourcedWindowSystem::pointerPos()
{
    // Reports are in the pixels the trail works in (X root pixels, or the compositor's logical
    // ones where the sprites are its surfaces).
    return sourcedPointer(m_source.load(std::memory_order_acquire),
                          [this] { return m_windows.pointerPos(); });
}

void SourcedWindowSystem::moveWindow(QWidget *window, QPoint topLeft, int monitor)
{
    m_windows.moveWindow(window, topLeft, monitor);
}

void SourcedWindowSystem::raiseWindow(QWidget *window)
{
    m_windows.raiseWindow(window);
}

void SourcedWindowSystem::flush()
{
    m_windows.flush();
}

bool SourcedWindowSystem::compositorRunning()
{
    return m_windows.compositorRunning();
}

PointerSource *SourcedWindowSystem::reportingSource() const
{
    // A source that never reported (a compositor too old for our script, say) leaves both the
    // samples and the wake-up to the X server.
    PointerSource *source = m_source.load(std::memory_order_acquire);
    return source && source->position() ? source : nullptr;
}

bool SourcedWindowSystem::canWatchPointer()
{
    // A source reports every move.
    return reportingSource() || m_windows.canWatchPointer();
}

std::optional<QPoint> SourcedWindowSystem::watchPointerOnce(std::function<void()> onMove)
{
    stopWatchingPointer();
    m_onMove = std::move(onMove);
    PointerSource *source = m_source.load(std::memory_order_acquire);
    if (source) {
        m_watched = source;
        source->setWatched(true);
        // A source stopping wakes the trail too: awake, it samples the X server again, and its
        // next sleep watches there.
        m_moveWatch =
            QObject::connect(source, &PointerSource::moved, source, [this] { watchFired(); });
        m_stopWatch =
            QObject::connect(source, &PointerSource::stopped, source, [this] { watchFired(); });
    }
    // Connected first: a report from here on calls back.
    if (const PointerSource *reporting = reportingSource())
        return reporting->position();
    // Until the source reports, the moves the X server sees wake the trail as well.
    return m_windows.watchPointerOnce([this] { watchFired(); });
}

void SourcedWindowSystem::watchFired()
{
    auto callback = std::move(m_onMove);
    stopWatchingPointer();
    if (callback)
        callback();
}

void SourcedWindowSystem::stopWatchingPointer()
{
    m_windows.stopWatchingPointer();
    m_onMove = nullptr;
    if (m_watched)
        std::exchange(m_watched, nullptr)->setWatched(false);
    QObject::disconnect(m_moveWatch);
    QObject::disconnect(m_stopWatch);
    m_moveWatch = {};
    m_stopWatch = {};
}

void SourcedWindowSystem::dropUnaskedEvents()
{
    m_windows.dropUnaskedEvents();
}

} // namespace platform
