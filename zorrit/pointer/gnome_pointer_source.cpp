// SPDX-License-Identifier: GPL-3.0-or-later
// Following the GNOME Shell extension that reports the pointer.
#include "gnome_pointer_source.h"

#include "zorrit/pointer/pointer_bus.h"

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

GnomePointerSource::GnomePointerSource(QObject *parent)
    : BusPointerSource(parent)
{
}

GnomePointerSource::~GnomePointerSource() = default;

bool GnomePointerSource::start(QString *error)
{
    if (!listen(error))
        return false;
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
    return true;
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
        Q_EMIT following();
        return;
    }
    // A report still on its way must not bring the position back.
    shut();
    Q_EMIT lost(info.isEmpty() ? tr("GNOME Shell went away")
                               : tr("Zorrit's GNOME Shell extension was turned off"));
}

} // namespace zorrit::pointer

#include "gnome_pointer_source.moc"
