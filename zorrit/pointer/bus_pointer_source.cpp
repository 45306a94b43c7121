// SPDX-License-Identifier: GPL-3.0-or-later
// Serving Moved on the session bus.
#include "bus_pointer_source.h"

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
    // Logical compositor coordinates, which Xwayland uses as its root coordinates.
    Q_SCRIPTABLE void Moved(int x, int y)
    {
        // Any program of the user may call this. X11 window positions are 16-bit: kept within
        // them, a wild report misplaces the trail for a moment and breaks nothing.
        constexpr int kLimit = 32767;
        m_source.report(std::clamp(x, -kLimit, kLimit), std::clamp(y, -kLimit, kLimit));
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

bool BusPointerSource::listen(QString *error)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        *error = QStringLiteral("no session bus");
        return false;
    }
    auto receiver = std::make_unique<PointerReceiver>(*this);
    // Qt D-Bus calls an object that lives on its own thread directly from there.
    if (QThread *busThread = bus.interface()->thread(); busThread && busThread->isRunning())
        receiver->moveToThread(busThread);
    if (!bus.registerObject(QLatin1String(kObjectPath), QLatin1String(kInterface), receiver.get(),
                            QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("cannot serve %1").arg(QLatin1String(kObjectPath));
        discard(receiver.release());
        return false;
    }
    // A copy that takes over from a running one (the hand-off) takes the name over too; the
    // reports go to whichever copy runs the trail.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> registered =
        bus.interface()->registerService(QLatin1String(kBusName),
                                         QDBusConnectionInterface::ReplaceExistingService,
                                         QDBusConnectionInterface::AllowReplacement);
    if (!registered.isValid()
        || registered.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus.unregisterObject(QLatin1String(kObjectPath));
        *error = QStringLiteral("the bus name %1 is taken").arg(QLatin1String(kBusName));
        discard(receiver.release());
        return false;
    }
    m_receiver = receiver.release();
    return true;
}

bool BusPointerSource::ownsName() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusReply<QString> owner = bus.interface()->serviceOwner(QLatin1String(kBusName));
    return m_receiver && owner.isValid() && owner.value() == bus.baseService();
}

} // namespace zorrit::pointer

#include "bus_pointer_source.moc"
