// SPDX-License-Identifier: GPL-3.0-or-later
// Following the GNOME Shell extension that reports the pointer.
#include "gnome_pointer_source.h"

#include "pointer_notice.h"
#include "zorrit/pointer/pointer_bus.h"

#include <QCoreApplication>
#include <QDBusAbstractInterface>
#include <QDBusConnection>
#include <QDBusReply>
#include <QDBusServiceWatcher>

namespace zorrit::pointer {

namespace {
constexpr char kShellService[] = "org.gnome.Shell";
// A GNOME Shell that hangs must not hang the start for long.
constexpr int kCallTimeoutMs = 3000;
} // namespace

// GNOME Shell's extension interface; Qt D-Bus passes its signal on as the Qt signal of the same
// name.
class ShellExtensions final : public QDBusAbstractInterface
{
    Q_OBJECT

public:
    explicit ShellExtensions(QObject *parent)
        : QDBusAbstractInterface(QLatin1String(kShellService), QStringLiteral("/org/gnome/Shell"),
                                 "org.gnome.Shell.Extensions", QDBusConnection::sessionBus(),
                                 parent)
    {
        setTimeout(kCallTimeoutMs);
    }

    QVariantMap info()
    {
        const QDBusReply<QVariantMap> reply =
            call(QStringLiteral("GetExtensionInfo"), QString::fromLatin1(kGnomeExtensionUuid));
        return reply.isValid() ? reply.value() : QVariantMap();
    }

Q_SIGNALS:
    void ExtensionStateChanged(const QString &uuid, const QVariantMap &info);
};

QString gnomeExtensionText()
{
    return QCoreApplication::translate("zorrit::pointer::PointerChoice",
                                       "To let the trail follow the pointer over every window, "
                                       "enable Zorrit's GNOME Shell extension:\n\n"
                                       "    gnome-extensions enable %1\n\n"
                                       "then log out and in again.")
        .arg(QLatin1String(kGnomeExtensionUuid));
}

bool GnomePointerSource::found(const SourceContext &)
{
    return busHas(kShellService);
}

GnomePointerSource::GnomePointerSource(const SourceContext &context, QObject *parent)
    : BusPointerSource(kShellService, parent)
{
    keepLogicalPixels(context.logicalPixels);
    reportFullScreenTo(context.fullScreen);
    m_grace.setSingleShot(true);
    m_grace.setInterval(kGraceMs);
    connect(&m_grace, &QTimer::timeout, this, &GnomePointerSource::graceOver);
}

GnomePointerSource::~GnomePointerSource() = default;

StartResult GnomePointerSource::start()
{
    if (const StartResult listening = listen(); !listening.started) {
        return StartResult::failed(
            tr("GNOME Shell cannot report the pointer to us (%1).").arg(listening.failure));
    }
    m_shell = new ShellExtensions(this);
    // Connected before the first question, so that no change between the two is missed.
    connect(m_shell, &ShellExtensions::ExtensionStateChanged, this,
            [this](const QString &uuid, const QVariantMap &info) {
                if (uuid == QLatin1String(kGnomeExtensionUuid))
                    update(info);
            });
    m_shellWatch =
        new QDBusServiceWatcher(QLatin1String(kShellService), QDBusConnection::sessionBus(),
                                QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_shellWatch, &QDBusServiceWatcher::serviceUnregistered, this, [this] { update({}); });
    update(m_shell->info());
    if (m_extension.state != Active)
        m_grace.start();
    return StartResult::ok();
}

void GnomePointerSource::graceOver()
{
    switch (m_extension.state) {
    case Active:
        return;
    case Missing:
        Q_EMIT said(tr("Zorrit's GNOME Shell extension is not installed") + QStringLiteral(". ")
                    + otherWaylandText());
        Q_EMIT noticeWanted(QStringLiteral("wayland-pointer"), otherWaylandText());
        return;
    case OutOfDate:
        Q_EMIT lost(tr("Zorrit's GNOME Shell extension is not made for this version of GNOME "
                       "Shell"));
        return;
    case Failed:
        Q_EMIT lost(tr("Zorrit's GNOME Shell extension failed (%1)").arg(m_extension.error));
        return;
    default:
        // In the user's list, on its way: it reports once it runs.
        if (!m_extension.enabled) {
            Q_EMIT said(gnomeExtensionText());
            Q_EMIT noticeWanted(QStringLiteral("gnome-extension"), gnomeExtensionText());
        }
    }
}

void GnomePointerSource::update(const QVariantMap &info)
{
    const bool wasActive = m_extension.state == Active;
    m_extension.state = info.isEmpty() ? Missing : info.value(QStringLiteral("state")).toInt();
    m_extension.enabled = info.value(QStringLiteral("enabled")).toBool();
    m_extension.error = info.value(QStringLiteral("error")).toString();
    const bool active = m_extension.state == Active;
    if (active == wasActive)
        return;
    if (active) {
        open();
        m_grace.stop();
        return;
    }
    // A report still on its way must not bring the position back.
    shut();
    Q_EMIT lost(info.isEmpty() ? tr("GNOME Shell went away")
                               : tr("Zorrit's GNOME Shell extension was turned off"));
}

} // namespace zorrit::pointer

#include "gnome_pointer_source.moc"
