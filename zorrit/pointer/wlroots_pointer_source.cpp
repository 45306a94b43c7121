// SPDX-License-Identifier: GPL-3.0-or-later
// Following the pointer through a wlroots compositor's cursor sessions.
#include "wlroots_pointer_source.h"

#include "output_watch.h"
#include "platform/wayland/wayland_session.h"
#include "source_context.h"

#include <QSocketNotifier>

namespace zorrit::pointer {

bool WlrootsPointerSource::found(const SourceContext &context)
{
    return context.wayland && context.wayland->offers().cursorSessions;
}

WlrootsPointerSource::WlrootsPointerSource(const SourceContext &context, QObject *parent)
    : CompositorSource(parent)
    , m_session(context.wayland)
    , m_logicalPixels(context.logicalPixels)
    , m_xPointer(context.xPointer)
{
    m_silence.setInterval(kSilenceMs);
    connect(&m_silence, &QTimer::timeout, this, &WlrootsPointerSource::checkSilence);
}

WlrootsPointerSource::~WlrootsPointerSource() = default;

StartResult WlrootsPointerSource::start()
{
    if (!m_session || !m_session->followPointer()) {
        return StartResult::failed(tr("The compositor cannot tell us where the pointer is (%1).")
                                       .arg(tr("the compositor offers no cursor sessions")));
    }
    m_watch = new QSocketNotifier(m_session->fd(), QSocketNotifier::Read, this);
    m_watch->setEnabled(false);
    connect(m_watch, &QSocketNotifier::activated, this, &WlrootsPointerSource::readNow);
    // Before the first position is read.
    if (!m_logicalPixels) {
        m_outputWatch = new OutputWatch(m_mapping, this);
        m_outputWatch->start();
    }
    readNow();
    if (m_xPointer)
        m_xPointerAtStart = m_xPointer();
    m_silence.start();
    return StartResult::ok();
}

std::optional<QString> WlrootsPointerSource::readReports()
{
    // The session's lock keeps the tick's read and the watch's apart, and report() is called
    // once it is let go.
    if (!m_session || m_broken.load(std::memory_order_acquire))
        return std::nullopt;
    m_session->read();
    platform::wayland::WaylandSession::PointerNews news = m_session->takePointerNews();
    if (news.everEntered)
        m_entered.store(true, std::memory_order_relaxed);
    if (news.position) {
        const QPoint point =
            m_logicalPixels ? news.position->toPoint() : m_mapping.toRoot(*news.position);
        report(point.x(), point.y());
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

void WlrootsPointerSource::checkSilence()
{
    readNow();
    if (m_entered.load(std::memory_order_relaxed) || m_broken.load(std::memory_order_acquire)) {
        m_silence.stop();
        return;
    }
    // A pointer that has not moved, or one hidden for a while, says nothing either: only a
    // pointer the X server saw move while the compositor stayed silent tells.
    // Without an X display nothing else sees the pointer. At rest nothing wakes for long: the
    // looking ends after a minute.
    if (!m_xPointer || m_xPointer() == m_xPointerAtStart) {
        if (++m_silentChecks >= kSilentChecks)
            m_silence.stop();
        return;
    }
    m_silence.stop();
    // wlroots tells cursor sessions nothing while it draws the cursor itself (a software
    // cursor: WLR_NO_HARDWARE_CURSORS, many virtual machines). The X server's pointer stands in
    // meanwhile; should a session speak up after all, its positions take over.
    const QString text = tr("This desktop draws the pointer itself and does not tell other "
                            "programs where it is, so the trail follows it only over X11 windows.");
    Q_EMIT said(text);
    Q_EMIT noticeWanted(QStringLiteral("wayland-software-cursor"), text);
}

void WlrootsPointerSource::connectionLost(const QString &refusal)
{
    m_silence.stop();
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
