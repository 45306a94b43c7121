// SPDX-License-Identifier: GPL-3.0-or-later
// Serving Moved on the session bus.
#include "bus_pointer_source.h"

#include "output_watch.h"
#include "platform/bus_report_reader.h"
#include "reported_full_screen.h"
#include "zorrit/pointer/pointer_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zorrit::pointer {

class PointerReceiver final : public QObject, protected QDBusContext
{
    Q_OBJECT

public:
    PointerReceiver(BusPointerSource &source, const QString &reportTo)
        : m_source(source)
        , m_reportTo(reportTo)
        , m_answerTimer(this)
    {
        m_answerTimer.setSingleShot(true);
        connect(&m_answerTimer, &QTimer::timeout, this, &PointerReceiver::answer);
    }

public Q_SLOTS:
    // Where the reporters send their reports.
    Q_SCRIPTABLE QString Receiver() { return m_reportTo; }

    // The compositor's logical pixels.
    Q_SCRIPTABLE void Moved(int x, int y)
    {
        if (!fromCompositor())
            return;
        m_source.reportLogical(x, y);
        if (!calledFromDBus() || !message().isReplyRequired())
            return;
        // A second caller while one waits (a new reporter, say) is answered at once, and so is
        // a call that comes half a tick or more after the last answer: a pointer moving no
        // faster than the tick costs no timer.
        const qint64 since = m_lastAnswer.isValid() ? m_lastAnswer.elapsed() : kAnswerDelayMs;
        if (m_answerTimer.isActive() || since >= kAnswerDelayMs) {
            if (!m_answerTimer.isActive())
                m_lastAnswer.start();
            return; // Qt D-Bus answers on return
        }
        setDelayedReply(true);
        m_answer = message().createReply();
        m_answerConnection = connection();
        m_answerTimer.start(int(kAnswerDelayMs - since));
    }

    // Whether the focused window is full screen, and where it is (the compositor's logical
    // pixels; nothing when it is not full screen).
    Q_SCRIPTABLE void FullScreen(bool fullScreen, int x, int y, int width, int height)
    {
        if (!fromCompositor())
            return;
        // Kept within X11's 16 bits before any sum is taken.
        const auto size = [](int value) { return std::clamp(value, 0, 2 * kCoordinateLimit); };
        m_source.reportFocused(fullScreen, QRect(BusPointerSource::within16Bits(QPoint(x, y)),
                                                 QSize(size(width), size(height))));
    }
    // KWin 6 places windows in fractions of a pixel, and its scripts send them so.
    Q_SCRIPTABLE void FullScreen(bool fullScreen, double x, double y, double width, double height)
    {
        const auto whole = [](double value) {
            if (!std::isfinite(value))
                return 0;
            return int(
                std::clamp(std::round(value), -double(kCoordinateLimit), double(kCoordinateLimit)));
        };
        FullScreen(fullScreen, whole(x), whole(y), whole(width), whole(height));
    }

private:
    static constexpr qint64 kAnswerDelayMs = BusPointerSource::kAnswerDelayMs;
    static constexpr int kCoordinateLimit = BusPointerSource::kCoordinateLimit;

    // Any other program gets an error (when it waits for an answer) and changes nothing.
    bool fromCompositor()
    {
        if (!calledFromDBus() || m_source.fromCompositor(message().service()))
            return true;
        if (message().isReplyRequired())
            sendErrorReply(QDBusError::AccessDenied,
                           QStringLiteral("only the compositor reports the pointer here"));
        return false;
    }

    void answer()
    {
        m_answerConnection.send(m_answer);
        m_answer = QDBusMessage();
        m_lastAnswer.start();
    }

    BusPointerSource &m_source;
    const QString m_reportTo;
    QTimer m_answerTimer;
    QElapsedTimer m_lastAnswer;
    QDBusMessage m_answer; // the call waiting for its answer
    QDBusConnection m_answerConnection{QString()};
};

BusPointerSource::BusPointerSource(const char *compositor, QObject *parent)
    : CompositorSource(parent)
    , m_compositor(compositor)
{
    // A reporter that stopped tells nothing more: its last word must not keep the trail hidden.
    connect(this, &CompositorSource::lost, this, [this] {
        if (m_fullScreen)
            m_fullScreen->report({});
    });
}

BusPointerSource::~BusPointerSource()
{
    if (m_fullScreen)
        m_fullScreen->report({});
    setWatched(false);
    if (!m_receiver)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(QLatin1String(kObjectPath));
    bus.unregisterService(QLatin1String(kBusName));
    discard(m_receiver);
}

void BusPointerSource::discard(PointerReceiver *receiver)
{
    // Qt D-Bus learns of a deleted object through a blocking call to its own thread, so the
    // receiver comes back to this thread (no call can reach it any more) to be deleted here.
    QThread *here = QThread::currentThread();
    if (receiver->thread() != here && receiver->thread()->isRunning()) {
        QMetaObject::invokeMethod(
            receiver, [receiver, here] { receiver->moveToThread(here); },
            Qt::BlockingQueuedConnection);
    }
    delete receiver;
}

void BusPointerSource::reportLogical(int x, int y)
{
    // Any program of the user may call Moved: the position is kept within X11's 16 bits before
    // it is scaled, and again after.
    const QPoint root = m_mapping.toRoot(within16Bits(QPoint(x, y)));
    m_reports.fetch_add(1, std::memory_order_relaxed);
    report(root.x(), root.y());
}

void BusPointerSource::reportFocused(bool fullScreen, QRect area)
{
    QMetaObject::invokeMethod(this, [this, fullScreen, area] {
        if (!m_fullScreen)
            return;
        platform::FocusedWindow focused{fullScreen, {}};
        if (fullScreen && !area.isEmpty()) {
            // Its corners go into the trail's pixels as the pointer does.
            const QPoint from = m_mapping.toRoot(within16Bits(area.topLeft()));
            const QPoint to = m_mapping.toRoot(
                within16Bits(QPoint(area.x() + area.width(), area.y() + area.height())));
            focused.areas.push_back(QRect(from, to - QPoint(1, 1)));
        }
        m_fullScreen->report(focused);
    });
}

QPoint BusPointerSource::within16Bits(QPoint point)
{
    return {std::clamp(point.x(), -kCoordinateLimit, kCoordinateLimit),
            std::clamp(point.y(), -kCoordinateLimit, kCoordinateLimit)};
}

bool BusPointerSource::fromCompositor(const QString &sender) const
{
    const std::lock_guard<std::mutex> lock(m_ownerLock);
    return !m_owner.isEmpty() && sender == m_owner;
}

bool BusPointerSource::busHas(const char *name)
{
    // Without a bus address libdbus may launch a bus of its own; no compositor would be on it.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && !QFile::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QDBusReply<bool> reply = bus.interface()->isServiceRegistered(QLatin1String(name));
    return reply.isValid() && reply.value();
}

StartResult BusPointerSource::listen()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return StartResult::failed(tr("no session bus"));
    // Before the first report can come. Sprites that are the compositor's own surfaces take
    // its logical pixels as they come.
    if (!m_outputWatch && !m_logicalPixels) {
        m_outputWatch = new OutputWatch(m_mapping, this);
        m_outputWatch->start();
    }
    // Followed from before it is asked for. The watch hears of a new owner on the GUI thread,
    // and the receiver, on Qt D-Bus's thread, may take a call from it a moment earlier: that
    // call is refused.
    auto *ownerWatch = new QDBusServiceWatcher(QLatin1String(m_compositor), bus,
                                               QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(ownerWatch, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &owner) {
                const std::lock_guard<std::mutex> lock(m_ownerLock);
                m_owner = owner;
            });
    if (const QDBusReply<QString> owner =
            bus.interface()->serviceOwner(QLatin1String(m_compositor));
        owner.isValid()) {
        const std::lock_guard<std::mutex> lock(m_ownerLock);
        m_owner = owner.value();
    }
    m_reader = platform::BusReportReader::connect(
        {kObjectPath, kInterface, QByteArrayLiteral("Moved"), QByteArray(m_compositor)});
    m_reportTo = m_reader ? m_reader->uniqueName() : bus.baseService();
    auto receiver = std::make_unique<PointerReceiver>(*this, m_reportTo);
    // Qt D-Bus calls an object that lives on its own thread directly from there.
    if (QThread *busThread = bus.interface()->thread(); busThread && busThread->isRunning())
        receiver->moveToThread(busThread);
    if (!bus.registerObject(QLatin1String(kObjectPath), QLatin1String(kInterface), receiver.get(),
                            QDBusConnection::ExportScriptableSlots)) {
        discard(receiver.release());
        return StartResult::failed(tr("cannot serve %1").arg(QLatin1String(kObjectPath)));
    }
    // Held without allowing replacement, so no other program can take it from us; a copy that
    // starts while the one before it still holds it (the hand-off) waits in the queue.
    QDBusConnectionInterface *names = bus.interface();
    connect(names, &QDBusConnectionInterface::serviceRegistered, this, [this](const QString &name) {
        if (name == QLatin1String(kBusName) && !m_ownsName) {
            m_ownsName = true;
            Q_EMIT nameAcquired();
        }
    });
    connect(names, &QDBusConnectionInterface::serviceUnregistered, this,
            [this](const QString &name) {
                if (name == QLatin1String(kBusName) && m_ownsName) {
                    m_ownsName = false;
                    Q_EMIT nameLost();
                }
            });
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> registered =
        names->registerService(QLatin1String(kBusName), QDBusConnectionInterface::QueueService,
                               QDBusConnectionInterface::DontAllowReplacement);
    if (!registered.isValid()
        || registered.value() == QDBusConnectionInterface::ServiceNotRegistered) {
        bus.unregisterObject(QLatin1String(kObjectPath));
        discard(receiver.release());
        return StartResult::failed(
            registered.isValid() ? tr("the bus refused the name %1").arg(QLatin1String(kBusName))
                                 : registered.error().message());
    }
    m_ownsName = registered.value() == QDBusConnectionInterface::ServiceRegistered;
    m_receiver = receiver.release();
    if (!m_ownsName) {
        m_nameWait.setSingleShot(true);
        m_nameWait.setInterval(kNameWaitMs);
        connect(&m_nameWait, &QTimer::timeout, this, [this] {
            Q_EMIT said(tr("another program holds the bus name %1; until it lets go, the trail "
                           "follows the pointer only over X11 windows.")
                            .arg(QLatin1String(kBusName)));
        });
        connect(this, &BusPointerSource::nameAcquired, &m_nameWait, &QTimer::stop);
        m_nameWait.start();
    }
    return StartResult::ok();
}

void BusPointerSource::readNow()
{
    platform::BusReportReader::Read read;
    {
        const std::lock_guard<std::mutex> lock(m_readLock);
        if (!m_reader)
            return;
        read = m_reader->read();
    }
    // A bus that went away leaves the socket readable for good.
    if (read.closed && m_watch && QThread::currentThread() == thread())
        m_watch->setEnabled(false);
    // Outside the lock: reporting may wake the trail, on this thread.
    if (read.last)
        reportLogical(read.last->x(), read.last->y());
}

void BusPointerSource::readAtTick()
{
    readNow();
}

void BusPointerSource::watchSocket(bool watched)
{
    if (!watched) {
        delete std::exchange(m_watch, nullptr);
        return;
    }
    // What came since the last tick counts now; the trail then compares it with where it rests.
    readNow();
    const int socket = m_reader ? m_reader->socket() : -1;
    if (m_watch || socket < 0)
        return;
    m_watch = new QSocketNotifier(qintptr(socket), QSocketNotifier::Read, this);
    connect(m_watch, &QSocketNotifier::activated, this, [this] { readNow(); });
}

} // namespace zorrit::pointer

#include "bus_pointer_source.moc"
