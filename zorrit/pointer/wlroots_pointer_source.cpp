// SPDX-License-Identifier: GPL-3.0-or-later
// Following the pointer through a wlroots compositor's cursor sessions.
#include "wlroots_pointer_source.h"

#include "platform/wayland/cursor_sessions.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>

namespace zorrit::pointer {

bool WlrootsPointerSource::found()
{
    return platform::wayland::CursorSessions::offered();
}

WlrootsPointerSource::WlrootsPointerSource(QObject *parent)
    : CompositorSource(parent)
{
}

WlrootsPointerSource::~WlrootsPointerSource()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_screenWatch))
        disconnect(connection);
}

StartResult WlrootsPointerSource::start()
{
    using Failure = platform::wayland::CursorSessions::Failure;
    auto sessions = std::make_unique<platform::wayland::CursorSessions>();
    const Failure failure = sessions->connect();
    if (failure != Failure::None) {
        const QString why =
            failure == Failure::NoDisplay  ? tr("cannot connect to the Wayland display")
            : failure == Failure::BrokeOff ? tr("the Wayland display broke off")
                                           : tr("the compositor offers no cursor sessions");
        return StartResult::failed(
            tr("The compositor cannot tell us where the pointer is (%1).").arg(why));
    }
    m_sessions = std::move(sessions);
    m_watch = new QSocketNotifier(m_sessions->fd(), QSocketNotifier::Read, this);
    m_watch->setEnabled(false);
    connect(m_watch, &QSocketNotifier::activated, this, &WlrootsPointerSource::readNow);
    // Xwayland's outputs (Qt's screens) may be scaled against the compositor's logical ones.
    updateRootRects();
    if (qGuiApp) {
        const auto watchScreen = [this](QScreen *screen) {
            m_screenWatch.append(connect(screen, &QScreen::geometryChanged, this,
                                         &WlrootsPointerSource::updateRootRects));
        };
        for (QScreen *screen : QGuiApplication::screens())
            watchScreen(screen);
        m_screenWatch.append(connect(qGuiApp, &QGuiApplication::screenAdded, this,
                                     [this, watchScreen](QScreen *screen) {
                                         watchScreen(screen);
                                         updateRootRects();
                                     }));
        m_screenWatch.append(connect(qGuiApp, &QGuiApplication::screenRemoved, this,
                                     &WlrootsPointerSource::updateRootRects, Qt::QueuedConnection));
    }
    readNow();
    return StartResult::ok();
}

void WlrootsPointerSource::updateRootRects()
{
    if (!m_sessions || !qGuiApp)
        return;
    std::vector<platform::NamedRect> rects;
    for (QScreen *screen : QGuiApplication::screens()) {
        // Qt keeps each screen's top-left corner in device pixels and shrinks the rest by its
        // scale; the X server's own rectangle has the device pixels throughout.
        const QRect logical = screen->geometry();
        const double scale = screen->devicePixelRatio();
        rects.push_back(
            {screen->name(), QRect(logical.topLeft(), QSize(qRound(logical.width() * scale),
                                                            qRound(logical.height() * scale)))});
    }
    m_sessions->setRootRects(std::move(rects));
}

bool WlrootsPointerSource::readReports()
{
    // The session's lock keeps the tick's read and the watch's apart, and report() is called
    // once it is let go.
    if (!m_sessions || m_broken.load(std::memory_order_acquire))
        return false;
    const platform::wayland::CursorSessions::News news = m_sessions->read();
    if (news.position)
        report(news.position->x(), news.position->y());
    return news.broken && !m_broken.exchange(true, std::memory_order_acq_rel);
}

void WlrootsPointerSource::readAtTick()
{
    // On the trail's thread the loss is handled on the GUI thread.
    if (readReports())
        QMetaObject::invokeMethod(this, &WlrootsPointerSource::connectionLost,
                                  Qt::QueuedConnection);
}

void WlrootsPointerSource::readNow()
{
    if (readReports())
        connectionLost();
}

void WlrootsPointerSource::setWatched(bool watched)
{
    if (m_watch)
        m_watch->setEnabled(watched);
    // Whatever came between the last tick and the watch is seen now.
    if (watched)
        readNow();
}

void WlrootsPointerSource::connectionLost()
{
    if (m_watch) {
        m_watch->setEnabled(false);
        m_watch->deleteLater();
        m_watch = nullptr;
    }
    shut();
    Q_EMIT lost(tr("The compositor went away"));
}

} // namespace zorrit::pointer
