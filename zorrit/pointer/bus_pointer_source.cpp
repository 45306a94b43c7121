// SPDX-License-Identifier: GPL-3.0-or-later
// Serving Moved on the session bus.
#include "bus_pointer_source.h"

#include "output_watch.h"
#include "zorrit/pointer/pointer_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace zorrit::pointer {

class PointerReceiver final : public QObject, protected QDBusContext
{
    Q_OBJECT

public:
    explicit PointerReceiver(BusPointerSource &source)
        : m_source(source)
        , m_answerTimer(this)
    {
        m_answerTimer.setSingleShot(true);
        connect(&m_answerTimer, &QTimer::timeout, this, &PointerReceiver::answer);
    }

public Q_SLOTS:
    // The compositor's logical pixels.
    Q_SCRIPTABLE void Moved(int x, int y)
    {
        m_source.reportLogical(x, y);
        if (!calledFromDBus())
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

private:
    static constexpr qint64 kAnswerDelayMs = BusPointerSource::kAnswerDelayMs;

    void answer()
    {
        m_answerConnection.send(m_answer);
        m_answer = QDBusMessage();
        m_lastAnswer.start();
    }

    BusPointerSource &m_source;
    QTimer m_answerTimer;
    QElapsedTimer m_lastAnswer;
    QDBusMessage m_answer; // the call waiting for its answer
    QDBusConnection m_answerConnection{QString()};
};

BusPointerSource::~BusPointerSource()
{
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
    constexpr int kLimit = 32767;
    const QPoint root =
        m_mapping.toRoot(QPoint(std::clamp(x, -kLimit, kLimit), std::clamp(y, -kLimit, kLimit)));
    report(root.x(), root.y());
}

bool BusPointerSource::listen(QString *error)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        *error = tr("no session bus");
        return false;
    }
    // Before the first report can come.
    if (!m_outputWatch) {
        m_outputWatch = new OutputWatch(m_mapping, this);
        m_outputWatch->start();
    }
    auto receiver = std::make_unique<PointerReceiver>(*this);
    // Qt D-Bus calls an object that lives on its own thread directly from there.
    if (QThread *busThread = bus.interface()->thread(); busThread && busThread->isRunning())
        receiver->moveToThread(busThread);
    if (!bus.registerObject(QLatin1String(kObjectPath), QLatin1String(kInterface), receiver.get(),
                            QDBusConnection::ExportScriptableSlots)) {
        *error = tr("cannot serve %1").arg(QLatin1String(kObjectPath));
        discard(receiver.release());
        return false;
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
        *error = registered.isValid()
                     ? tr("the bus refused the name %1").arg(QLatin1String(kBusName))
                     : registered.error().message();
        discard(receiver.release());
        return false;
    }
    m_ownsName = registered.value() == QDBusConnectionInterface::ServiceRegistered;
    m_receiver = receiver.release();
    return true;
}

QString BusPointerSource::uniqueName()
{
    return QDBusConnection::sessionBus().baseService();
}

} // namespace zorrit::pointer

#include "bus_pointer_source.moc"
