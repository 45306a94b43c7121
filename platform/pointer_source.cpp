// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer source's last position, and the window system that reads it.
#include "pointer_source.h"

namespace platform {

std::optional<QPoint> PointerSource::position() const
{
    if (!m_known.load(std::memory_order_acquire))
        return std::nullopt;
    const quint64 packed = m_position.load(std::memory_order_relaxed);
    return QPoint(qint32(quint32(packed >> 32)), qint32(quint32(packed)));
}

void PointerSource::report(int x, int y)
{
    m_position.store(quint64(quint32(x)) << 32 | quint32(y), std::memory_order_relaxed);
    m_known.store(true, std::memory_order_release);
    Q_EMIT moved();
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
        const PointerSource *source = m_source.load(std::memory_order_acquire);
        const std::optional<QPoint> reported = source ? source->position() : std::nullopt;
        return reported ? reported : m_windows->pointerPos();
    }
    void moveWindow(int index, QPoint topLeft) override { m_windows->moveWindow(index, topLeft); }
    void flush() override { m_windows->flush(); }

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

std::optional<QPoint> SourcedWindowSystem::pointerPos()
{
    // Reports are in X root pixels, the device pixels the trail works in.
    const PointerSource *source = m_source.load(std::memory_order_acquire);
    const std::optional<QPoint> reported = source ? source->position() : std::nullopt;
    return reported ? reported : m_windows.pointerPos();
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
    PointerSource *source = reportingSource();
    if (!source)
        return m_windows.watchPointerOnce(std::move(onMove));
    m_onMove = std::move(onMove);
    m_watch = QObject::connect(source, &PointerSource::moved, source, [this] {
        auto callback = std::move(m_onMove);
        stopWatchingPointer();
        if (callback)
            callback();
    });
    // Connected first: a report from here on calls back.
    return source->position();
}

void SourcedWindowSystem::stopWatchingPointer()
{
    m_windows.stopWatchingPointer();
    m_onMove = nullptr;
    if (m_watch)
        QObject::disconnect(m_watch);
    m_watch = {};
}

void SourcedWindowSystem::dropUnaskedEvents()
{
    m_windows.dropUnaskedEvents();
}

} // namespace platform
