// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer source's last position, and the window system that reads it.
#include "pointer_source.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

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
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        m_screenWatch << QObject::connect(app, &QGuiApplication::screenAdded, app,
                                          [this](QScreen *) { updateScale(); })
                      << QObject::connect(app, &QGuiApplication::screenRemoved, app,
                                          [this](QScreen *) { updateScale(); });
    }
    updateScale();
}

SourcedWindowSystem::~SourcedWindowSystem()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_screenWatch))
        QObject::disconnect(connection);
    stopWatchingPointer();
}

void SourcedWindowSystem::setSource(PointerSource *source)
{
    stopWatchingPointer();
    m_source.store(source, std::memory_order_release);
}

void SourcedWindowSystem::updateScale()
{
    // Qt scales all X11 screens alike, so one ratio maps root pixels for every screen.
    const QScreen *screen = QGuiApplication::primaryScreen();
    m_scale.store(screen ? screen->devicePixelRatio() : 1.0, std::memory_order_relaxed);
}

std::optional<QPoint> SourcedWindowSystem::pointerPos()
{
    const PointerSource *source = m_source.load(std::memory_order_acquire);
    const std::optional<QPoint> reported = source ? source->position() : std::nullopt;
    if (!reported)
        return m_windows.pointerPos();
    const double scale = m_scale.load(std::memory_order_relaxed);
    if (scale == 1.0)
        return reported;
    return QPoint(int(std::lround(reported->x() / scale)), int(std::lround(reported->y() / scale)));
}

void SourcedWindowSystem::moveWindow(QWidget *window, QPoint topLeft)
{
    m_windows.moveWindow(window, topLeft);
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

void SourcedWindowSystem::watchPointerOnce(std::function<void()> onMove)
{
    stopWatchingPointer();
    PointerSource *source = reportingSource();
    if (!source) {
        m_windows.watchPointerOnce(std::move(onMove));
        return;
    }
    m_onMove = std::move(onMove);
    m_watch = QObject::connect(source, &PointerSource::moved, source, [this] {
        auto callback = std::move(m_onMove);
        stopWatchingPointer();
        if (callback)
            callback();
    });
}

void SourcedWindowSystem::stopWatchingPointer()
{
    m_windows.stopWatchingPointer();
    m_onMove = nullptr;
    if (m_watch)
        QObject::disconnect(m_watch);
    m_watch = {};
}

} // namespace platform
