// SPDX-License-Identifier: GPL-3.0-or-later
// Following the pointer through a wlroots compositor's cursor sessions.
#include "wlroots_pointer_source.h"

#include "output_watch.h"
#include "platform/wayland/cursor_sessions.h"

#include <QSocketNotifier>

namespace zorrit::pointer {

bool WlrootsPointerSource::found()
{
    return platform::wayland::CursorSessions::offered();
}

WlrootsPointerSource::WlrootsPointerSource(const SourceContext &, QObject *parent)
    : CompositorSource(parent)
{
}

WlrootsPointerSource::~WlrootsPointerSource() = default;

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
    // Before the first position is read.
    m_outputWatch = new OutputWatch(m_mapping, this);
    m_outputWatch->start();
    readNow();
    return StartResult::ok();
}

std::optional<QString> WlrootsPointerSource::readReports()
{
    // The session's lock keeps the tick's read and the watch's apart, and report() is called
    // once it is let go.
    if (!m_sessions || m_broken.load(std::memory_order_acquire))
        return std::nullopt;
    platform::wayland::CursorSessions::News news = m_sessions->read();
    if (news.position) {
        const QPoint root = m_mapping.toRoot(*news.position);
        report(root.x(), root.y());
    }
    if (!news.broken || m_broken.exchange(true, std::memory_order_acq_rel))
        return std::nullopt;
    return std::move(news.refusal);
}

void WlrootsPointerSource::readAtTick()
{
    // On the trail's thread the loss is handled on the GUI thread.
    if (std::optional<QString> refusal = readReports()) {
        QMetaObject::invokeMethod(
            this, [this, refusal = std::move(*refusal)] { connectionLost(refusal); },
            Qt::QueuedConnection);
    }
}

void WlrootsPointerSource::readNow()
{
    if (const std::optional<QString> refusal = readReports())
        connectionLost(*refusal);
}

void WlrootsPointerSource::watchSocket(bool watched)
{
    if (m_watch)
        m_watch->setEnabled(watched);
    // Whatever came between the last tick and the watch is seen now.
    if (watched)
        readNow();
}

void WlrootsPointerSource::connectionLost(const QString &refusal)
{
    if (m_watch) {
        m_watch->setEnabled(false);
        m_watch->deleteLater();
        m_watch = nullptr;
    }
    shut();
    // A compositor that ends the connection with an error says why, in its own words.
    Q_EMIT lost(refusal.isEmpty()
                    ? tr("The compositor went away")
                    : tr("The compositor refused the cursor sessions (it said: %1)").arg(refusal));
}

} // namespace zorrit::pointer
