// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the KWin script that reports the pointer, and unloading it.
#include "kwin_pointer_source.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QSaveFile>

namespace zorrit::pointer {

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

KWinPointerSource::~KWinPointerSource()
{
    // A copy that took over from us has loaded the script afresh for itself: leave it.
    delete m_kwinWatch;
    if (m_loaded && ownsName())
        kwinCall("unloadScript", {QLatin1String(kPluginName)});
}

QByteArray KWinPointerSource::scriptText()
{
    QFile script(QStringLiteral(":/pointer/kwin_pointer.js"));
    return script.open(QIODevice::ReadOnly) ? script.readAll() : QByteArray();
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

} // namespace zorrit::pointer
