// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the KWin script that reports the pointer, following KWin and the bus name, and
// unloading the script.
#include "kwin_pointer_source.h"

#include "zorrit/pointer/pointer_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QSaveFile>

#include <optional>
#include <utility>

namespace zorrit::pointer {

namespace {
constexpr char kKWinService[] = "org.kde.KWin";
constexpr char kKWinScripting[] = "/Scripting";
constexpr char kKWinScriptingInterface[] = "org.kde.kwin.Scripting";
// Bus calls at start and quit only; a KWin that hangs must not hang us for long.
constexpr int kCallTimeoutMs = 3000;

QString notReporting(const QString &why)
{
    return KWinPointerSource::tr("KWin does not report the pointer to us (%1), so the trail "
                                 "follows it only over X11 windows.")
        .arg(why);
}

QDBusMessage kwinCall(const char *method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kKWinService), QLatin1String(kKWinScripting),
        QLatin1String(kKWinScriptingInterface), QLatin1String(method));
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
}
} // namespace

bool KWinPointerSource::found()
{
    return busHas(kKWinService);
}

KWinPointerSource::KWinPointerSource(const SourceContext &context, QObject *parent)
    : BusPointerSource(kKWinService, parent)
    , m_path(context.runtimeFolder + QStringLiteral("/kwin-pointer.js"))
{
}

KWinPointerSource::~KWinPointerSource()
{
    unload();
}

QByteArray KWinPointerSource::scriptText(const QString &receiver)
{
    QFile script(QStringLiteral(":/pointer/kwin_pointer.js"));
    if (!script.open(QIODevice::ReadOnly))
        return {};
    return script.readAll().replace("%RECEIVER%", receiver.toLatin1());
}

StartResult KWinPointerSource::start()
{
    if (const StartResult listening = listen(); !listening.started)
        return StartResult::failed(notReporting(listening.failure));
    m_kwinWatch = new QDBusServiceWatcher(
        QLatin1String(kKWinService), QDBusConnection::sessionBus(),
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
        this);
    connect(m_kwinWatch, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (ownsName())
            loadOrSayWhy();
    });
    connect(m_kwinWatch, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (std::exchange(m_loaded, false)) {
            shut();
            Q_EMIT lost(tr("KWin stopped reporting the pointer (%1)").arg(tr("KWin went away")));
        }
    });
    connect(this, &BusPointerSource::nameAcquired, this, &KWinPointerSource::loadOrSayWhy);
    connect(this, &BusPointerSource::nameLost, this, [this] {
        // The script is the name owner's now: leave it to them.
        if (std::exchange(m_loaded, false)) {
            shut();
            Q_EMIT lost(
                tr("KWin stopped reporting the pointer (%1)")
                    .arg(tr("another program took the bus name %1").arg(QLatin1String(kBusName))));
        }
    });
    if (ownsName()) {
        if (const std::optional<QString> why = load())
            return StartResult::failed(notReporting(*why));
    }
    return StartResult::ok();
}

void KWinPointerSource::loadOrSayWhy()
{
    if (const std::optional<QString> why = load())
        Q_EMIT lost(tr("KWin stopped reporting the pointer (%1)").arg(*why));
}

std::optional<QString> KWinPointerSource::load()
{
    const QByteArray script = scriptText(reportTo());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size() || !file.commit())
        return tr("cannot write %1").arg(m_path);
    // A copy that was killed could not unload its script, which would make ours a duplicate.
    kwinCall("unloadScript", {QLatin1String(kPluginName)});
    const QDBusReply<int> id = kwinCall("loadScript", {m_path, QLatin1String(kPluginName)});
    if (!id.isValid() || id.value() < 0) {
        return id.isValid() ? tr("KWin refused the script")
                            : tr("KWin did not answer: %1").arg(id.error().message());
    }
    m_loaded = true;
    const QDBusMessage started = kwinCall("start", {});
    if (started.type() == QDBusMessage::ErrorMessage)
        return tr("KWin did not start the script: %1").arg(started.errorMessage());
    open();
    return std::nullopt;
}

void KWinPointerSource::unload()
{
    if (std::exchange(m_loaded, false) && ownsName())
        kwinCall("unloadScript", {QLatin1String(kPluginName)});
    shut();
}

} // namespace zorrit::pointer
