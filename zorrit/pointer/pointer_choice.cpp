// SPDX-License-Identifier: GPL-3.0-or-later
// Picking the pointer source for the session, and the notices that go with it.
#include "pointer_choice.h"

#include "gnome_pointer_source.h"
#include "kwin_pointer_source.h"
#include "platform/dialogs.h"
#include "zorrit/pointer/pointer_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>

namespace zorrit::pointer {

PointerSession detectPointerSession()
{
    const bool wayland =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    if (!wayland)
        return PointerSession::X11;
    // Without a bus address libdbus may launch a bus of its own; no compositor would be on it.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && !QFile::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")))
        return PointerSession::OtherWayland;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return PointerSession::OtherWayland;
    const auto has = [&](const char *name) {
        const QDBusReply<bool> reply = bus.interface()->isServiceRegistered(QLatin1String(name));
        return reply.isValid() && reply.value();
    };
    if (has("org.kde.KWin"))
        return PointerSession::KWin;
    if (has("org.gnome.Shell"))
        return PointerSession::Gnome;
    return PointerSession::OtherWayland;
}

QString gnomeExtensionText()
{
    return QStringLiteral("To let the trail follow the pointer over every window, enable "
                          "Zorrit's GNOME Shell extension:\n\n    gnome-extensions enable %1\n\n"
                          "then log out and in again.")
        .arg(QLatin1String(kGnomeExtensionUuid));
}

PointerChoice choosePointerSource(PointerSession session, const QString &folder)
{
    PointerChoice choice;
    const auto otherWayland = [&](const QString &why) {
        choice.warning =
            why.isEmpty() ? otherWaylandText() : why + QStringLiteral(". ") + otherWaylandText();
        choice.noticeKey = QStringLiteral("wayland-pointer");
        choice.noticeText = otherWaylandText();
    };
    QString error;
    switch (session) {
    case PointerSession::X11:
        break;
    case PointerSession::KWin: {
        auto source = std::make_unique<KWinPointerSource>();
        if (source->listen(&error) && source->start(folder, &error))
            choice.source = std::move(source);
        else
            choice.warning = QStringLiteral("KWin does not report the pointer to us (%1), so the "
                                            "trail follows it only over X11 windows.")
                                 .arg(error);
        break;
    }
    case PointerSession::Gnome:
        switch (GnomePointerSource::extensionState()) {
        case GnomePointerSource::Extension::Enabled: {
            auto source = std::make_unique<GnomePointerSource>();
            if (source->listen(&error))
                choice.source = std::move(source);
            else
                choice.warning = QStringLiteral("GNOME Shell cannot report the pointer to us "
                                                "(%1).")
                                     .arg(error);
            break;
        }
        case GnomePointerSource::Extension::NotEnabled:
            choice.warning = gnomeExtensionText();
            choice.noticeKey = QStringLiteral("gnome-extension");
            choice.noticeText = gnomeExtensionText();
            break;
        case GnomePointerSource::Extension::Missing:
            otherWayland(QStringLiteral("Zorrit's GNOME Shell extension is not installed"));
            break;
        }
        break;
    case PointerSession::OtherWayland:
        otherWayland({});
        break;
    }
    return choice;
}

bool showNoticeOnce(platform::Dialogs &dialogs, const QString &markerFolder, const QString &key,
                    const QString &text)
{
    if (key.isEmpty() || markerFolder.isEmpty())
        return false;
    const QString marker = markerFolder + QStringLiteral("/") + key + QStringLiteral(".shown");
    if (QFile::exists(marker))
        return false;
    // Marked before it shows: a notice that could not be marked would come back at every start.
    QDir().mkpath(markerFolder);
    QFile file(marker);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    dialogs.message(nullptr, platform::MessageIcon::Information, QStringLiteral("Zorrit"), text);
    return true;
}

} // namespace zorrit::pointer
