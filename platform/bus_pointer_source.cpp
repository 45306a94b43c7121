// SPDX-License-Identifier: GPL-3.0-or-later
// Serving Moved on the session bus, and loading the KWin script.
#include "bus_pointer_source.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace platform {

namespace {
constexpr char kKWinService[] = "org.kde.KWin";
constexpr char kKWinScripting[] = "/Scripting";
constexpr char kKWinScriptingInterface[] = "org.kde.kwin.Scripting";
// Bus calls at start and quit only; a KWin that hangs must not hang us for long.
constexpr int kCallTimeoutMs = 3000;

QDBusMessage kwinCall(const char *method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kKWinService), QLatin1String(kKWinScripting),
        QLatin1String(kKWinScriptingInterface), QLatin1String(method));
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
}
} // namespace

class PointerReceiver final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.rediroriro.Zorrit.Pointer")

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
    bus.unregisterObject(QLatin1String(kPointerObjectPath));
    bus.unregisterService(QLatin1String(kPointerBusName));
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
    if (!bus.registerObject(QLatin1String(kPointerObjectPath), receiver.get(),
                            QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("cannot serve %1").arg(QLatin1String(kPointerObjectPath));
        discard(receiver.release());
        return false;
    }
    // A copy that takes over from a running one (the hand-off) takes the name over too; the
    // reports go to whichever copy runs the trail.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> registered =
        bus.interface()->registerService(QLatin1String(kPointerBusName),
                                         QDBusConnectionInterface::ReplaceExistingService,
                                         QDBusConnectionInterface::AllowReplacement);
    if (!registered.isValid()
        || registered.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus.unregisterObject(QLatin1String(kPointerObjectPath));
        *error = QStringLiteral("the bus name %1 is taken").arg(QLatin1String(kPointerBusName));
        discard(receiver.release());
        return false;
    }
    m_receiver = receiver.release();
    return true;
}

bool BusPointerSource::ownsName() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusReply<QString> owner = bus.interface()->serviceOwner(QLatin1String(kPointerBusName));
    return m_receiver && owner.isValid() && owner.value() == bus.baseService();
}

KWinPointerSource::~KWinPointerSource()
{
    // A copy that took over from us has loaded the script afresh for itself: leave it.
    delete m_kwinWatch;
    if (m_loaded && ownsName())
        kwinCall("unloadScript", {QLatin1String(kPluginName)});
}

QByteArray KWinPointerSource::scriptText()
{
    // One call in flight at a time; the answer asks for the latest position, if it moved. A call
    // unanswered for a second (its receiver gone) no longer holds the next one back.
    return QByteArrayLiteral(
        "// Hands the pointer position to Zorrit when it moves.\n"
        "var waiting = false, moved = false, sentAt = 0;\n"
        "function send() {\n"
        "    var p = workspace.cursorPos;\n"
        "    waiting = true;\n"
        "    moved = false;\n"
        "    sentAt = Date.now();\n"
        "    callDBus(\"org.rediroriro.Zorrit\", \"/Pointer\", \"org.rediroriro.Zorrit.Pointer\",\n"
        "             \"Moved\", p.x, p.y, answered);\n"
        "}\n"
        "function answered() {\n"
        "    waiting = false;\n"
        "    if (moved)\n"
        "        send();\n"
        "}\n"
        "workspace.cursorPosChanged.connect(function () {\n"
        "    if (waiting && Date.now() - sentAt < 1000)\n"
        "        moved = true;\n"
        "    else\n"
        "        send();\n"
        "});\n"
        "send();\n");
}

bool KWinPointerSource::start(const QString &folder, QString *error)
{
    m_path = folder + QStringLiteral("/kwin-pointer.js");
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(scriptText()) != scriptText().size()
        || !file.commit()) {
        *error = QStringLiteral("cannot write %1").arg(m_path);
        return false;
    }
    if (!load(error))
        return false;
    m_kwinWatch =
        new QDBusServiceWatcher(QLatin1String(kKWinService), QDBusConnection::sessionBus(),
                                QDBusServiceWatcher::WatchForRegistration, this);
    connect(m_kwinWatch, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        QString ignored;
        load(&ignored);
    });
    return true;
}

bool KWinPointerSource::load(QString *error)
{
    // A copy that was killed could not unload its script, which would make ours a duplicate.
    kwinCall("unloadScript", {QLatin1String(kPluginName)});
    const QDBusReply<int> id = kwinCall("loadScript", {m_path, QLatin1String(kPluginName)});
    if (!id.isValid() || id.value() < 0) {
        *error = id.isValid() ? QStringLiteral("KWin refused the script")
                              : QStringLiteral("KWin did not answer: %1").arg(id.error().message());
        return false;
    }
    m_loaded = true;
    const QDBusMessage started = kwinCall("start", {});
    if (started.type() == QDBusMessage::ErrorMessage) {
        *error = QStringLiteral("KWin did not start the script: %1").arg(started.errorMessage());
        return false;
    }
    return true;
}

GnomePointerSource::Extension GnomePointerSource::extensionState()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
        QStringLiteral("org.gnome.Shell.Extensions"), QStringLiteral("GetExtensionInfo"));
    call.setArguments({QLatin1String(kExtensionUuid)});
    const QDBusReply<QVariantMap> info =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
    if (!info.isValid() || info.value().isEmpty())
        return Extension::Missing;
    // GNOME Shell's extension states: 1 is "enabled" (45 and later also call it ACTIVE).
    const QVariant state = info.value().value(QStringLiteral("state"));
    return state.toDouble() == 1 ? Extension::Enabled : Extension::NotEnabled;
}

} // namespace platform

#include "bus_pointer_source.moc"
