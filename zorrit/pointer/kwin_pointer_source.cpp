// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the KWin script that reports the pointer, following KWin and the bus name, and
// unloading the script.
#include "kwin_pointer_source.h"

#include "zorrit/pointer/pointer_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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

bool KWinPointerSource::found(const SourceContext &)
{
    return busHas(kKWinService);
}

KWinPointerSource::KWinPointerSource(const SourceContext &context, QObject *parent)
    : BusPointerSource(kKWinService, parent)
    , m_path(context.runtimeFolder + QStringLiteral("/kwin-pointer.js"))
{
    keepLogicalPixels(context.logicalPixels);
    reportFullScreenTo(context.fullScreen);
    m_quiet.setInterval(kQuietMs);
    connect(&m_quiet, &QTimer::timeout, this, &KWinPointerSource::lookForSilence);
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
    m_loaded = false;
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
    if (!m_resting)
        m_quiet.start();
    return std::nullopt;
}

void KWinPointerSource::watchSocket(bool watched)
{
    m_resting = watched;
    if (watched) {
        m_quiet.stop();
    } else {
        m_reportsSeen = reportCount();
        m_askedAt.invalidate();
        if (m_loaded)
            m_quiet.start();
    }
    // Taking what came meanwhile may wake the trail at once (and call this again).
    BusPointerSource::watchSocket(watched);
    // Come to rest: the reports have stopped, whether the pointer did or the script went.
    if (watched && m_resting)
        askWhetherLoaded();
}

void KWinPointerSource::lookForSilence()
{
    if (!m_loaded) {
        m_quiet.stop();
        return;
    }
    const quint32 reports = reportCount();
    if (std::exchange(m_reportsSeen, reports) != reports) {
        m_askedAt.invalidate();
        return;
    }
    // Asked again while the silence lasts: a trail that keeps moving (a wobbling one) may
    // never come to rest.
    if (!m_askedAt.isValid() || m_askedAt.hasExpired(kAskAgainMs))
        askWhetherLoaded();
}

void KWinPointerSource::askWhetherLoaded()
{
    // Only a source that has a position can hold the trail where it is.
    if (!m_loaded || !ownsName() || !position() || m_asking)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kKWinService), QLatin1String(kKWinScripting),
        QLatin1String(kKWinScriptingInterface), QStringLiteral("isScriptLoaded"));
    call << QLatin1String(kPluginName);
    m_askedAt.start();
    m_asking = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, kCallTimeoutMs), this);
    connect(m_asking, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *asked) {
                asked->deleteLater();
                m_asking = nullptr;
                const QDBusPendingReply<bool> loaded = *asked;
                // No answer tells nothing: the next silence asks again.
                if (loaded.isValid() && !loaded.value() && m_loaded && ownsName())
                    loadAgain();
            });
}

void KWinPointerSource::loadAgain()
{
    if (const std::optional<QString> why = load()) {
        // A position the script will never move again must not hold the trail.
        shut();
        Q_EMIT lost(
            tr("KWin stopped reporting the pointer (%1)")
                .arg(
                    tr("Zorrit's script was unloaded, and loading it again failed: %1").arg(*why)));
    }
}

void KWinPointerSource::unload()
{
    m_quiet.stop();
    if (std::exchange(m_loaded, false) && ownsName())
        kwinCall("unloadScript", {QLatin1String(kPluginName)});
    shut();
}

} // namespace zorrit::pointer
