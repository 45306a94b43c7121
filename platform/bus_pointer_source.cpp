// SPDX-License-Identifier: GPL-3.0-or-later
// Serving Moved on the session bus, and loading the KWin script.
#include "bus_pointer_source.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QFile>
#include <QSaveFile>

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

BusPointerSource::~BusPointerSource()
{
    if (!m_listening)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(QLatin1String(kPointerObjectPath));
    bus.unregisterService(QLatin1String(kPointerBusName));
}

bool BusPointerSource::listen(QString *error)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        *error = QStringLiteral("no session bus");
        return false;
    }
    if (!bus.registerObject(QLatin1String(kPointerObjectPath), this,
                            QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("cannot serve %1").arg(QLatin1String(kPointerObjectPath));
        return false;
    }
    // A copy that takes over from a running one (the hand-off) takes the name over too; the
    // reports go to whichever copy runs the trail.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> registered =
        bus.interface()->registerService(QLatin1String(kPointerBusName),
                                         QDBusConnectionInterface::ReplaceExistingService,
                                         QDBusConnectionInterface::AllowReplacement);
    if (!registered.isValid() || registered.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus.unregisterObject(QLatin1String(kPointerObjectPath));
        *error = QStringLiteral("the bus name %1 is taken").arg(QLatin1String(kPointerBusName));
        return false;
    }
    m_listening = true;
    return true;
}

bool BusPointerSource::ownsName() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusReply<QString> owner = bus.interface()->serviceOwner(QLatin1String(kPointerBusName));
    return m_listening && owner.isValid() && owner.value() == bus.baseService();
}

void BusPointerSource::Moved(int x, int y)
{
    report(x, y);
}

KWinPointerSource::~KWinPointerSource()
{
    // A copy that took over from us has loaded the script afresh for itself: leave it.
    if (m_loaded && ownsName())
        kwinCall("unloadScript", {QLatin1String(kPluginName)});
}

QByteArray KWinPointerSource::scriptText()
{
    return QByteArrayLiteral(
        "// Hands the pointer position to Zorrit at every move.\n"
        "function report() {\n"
        "    var p = workspace.cursorPos;\n"
        "    callDBus(\"org.rediroriro.Zorrit\", \"/Pointer\", \"org.rediroriro.Zorrit.Pointer\",\n"
        "             \"Moved\", p.x, p.y);\n"
        "}\n"
        "workspace.cursorPosChanged.connect(report);\n"
        "report();\n");
}

bool KWinPointerSource::start(const QString &folder, QString *error)
{
    const QString path = folder + QStringLiteral("/kwin-pointer.js");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(scriptText()) != scriptText().size()
        || !file.commit()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    // A copy that was killed could not unload its script, which would make ours a duplicate.
    kwinCall("unloadScript", {QLatin1String(kPluginName)});
    const QDBusReply<int> id = kwinCall("loadScript", {path, QLatin1String(kPluginName)});
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
