// SPDX-License-Identifier: GPL-3.0-or-later
// Asking GNOME Shell about the extension that reports the pointer.
#include "gnome_pointer_source.h"

#include "zorrit/pointer/pointer_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

namespace zorrit::pointer {

namespace {
// A GNOME Shell that hangs must not hang the start for long.
constexpr int kCallTimeoutMs = 3000;
} // namespace

GnomePointerSource::Extension GnomePointerSource::extensionState()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
        QStringLiteral("org.gnome.Shell.Extensions"), QStringLiteral("GetExtensionInfo"));
    call.setArguments({QLatin1String(kGnomeExtensionUuid)});
    const QDBusReply<QVariantMap> info =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
    if (!info.isValid() || info.value().isEmpty())
        return Extension::Missing;
    // GNOME Shell's extension states: 1 is "enabled" (45 and later also call it ACTIVE).
    const QVariant state = info.value().value(QStringLiteral("state"));
    return state.toDouble() == 1 ? Extension::Enabled : Extension::NotEnabled;
}

} // namespace zorrit::pointer
