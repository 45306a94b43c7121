// SPDX-License-Identifier: GPL-3.0-or-later
// Picking the pointer source for the session, following it, and the words that go with it.
#include "pointer_choice.h"

#include "gnome_pointer_source.h"
#include "kwin_pointer_source.h"
#include "platform/dialogs.h"
#include "platform/pointer_source.h"
#include "wlroots_pointer_source.h"
#include "zorrit/pointer/pointer_bus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace zorrit::pointer {

PointerSession detectPointerSession()
{
    const bool wayland =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    if (!wayland)
        return PointerSession::X11;
    // Without a bus address libdbus may launch a bus of its own; no compositor would be on it.
    const auto others = [] {
        return WlrootsPointerSource::found() ? PointerSession::Wlroots
                                             : PointerSession::OtherWayland;
    };
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && !QFile::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")))
        return others();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return others();
    const auto has = [&](const char *name) {
        const QDBusReply<bool> reply = bus.interface()->isServiceRegistered(QLatin1String(name));
        return reply.isValid() && reply.value();
    };
    if (has("org.kde.KWin"))
        return PointerSession::KWin;
    if (has("org.gnome.Shell"))
        return PointerSession::Gnome;
    return others();
}

QString otherWaylandText()
{
    return QCoreApplication::translate("zorrit::pointer::PointerChoice",
                                       "This desktop does not tell other programs where the "
                                       "pointer is, so the trail follows it only over X11 "
                                       "windows.");
}

QString gnomeExtensionText()
{
    return QCoreApplication::translate("zorrit::pointer::PointerChoice",
                                       "To let the trail follow the pointer over every window, "
                                       "enable Zorrit's GNOME Shell extension:\n\n"
                                       "    gnome-extensions enable %1\n\n"
                                       "then log out and in again.")
        .arg(QLatin1String(kGnomeExtensionUuid));
}

namespace {
void printLine(const QString &text)
{
    std::fprintf(stderr, "zorrit: %s\n", qPrintable(text));
}
} // namespace

PointerChoice::PointerChoice(platform::SourcedWindowSystem &windows, platform::Dialogs &dialogs,
                             const QString &noticeFolder)
    : m_windows(windows)
    , m_dialogs(dialogs)
    , m_noticeFolder(noticeFolder)
{
    m_gnomeGrace.setSingleShot(true);
    m_gnomeGrace.setInterval(kGnomeGraceMs);
    connect(&m_gnomeGrace, &QTimer::timeout, this, &PointerChoice::gnomeGraceOver);
    m_nameWait.setSingleShot(true);
    m_nameWait.setInterval(kNameWaitMs);
    connect(&m_nameWait, &QTimer::timeout, this, [this] {
        printLine(tr("another program holds the bus name %1; until it lets go, the trail "
                     "follows the pointer only over X11 windows.")
                      .arg(QLatin1String(kBusName)));
    });
}

PointerChoice::~PointerChoice()
{
    stop();
    // The bus name goes with the source, to a copy that waits for it.
}

void PointerChoice::sayOnlyOverX11(const QString &why)
{
    printLine(tr("%1, so the trail follows the pointer only over X11 windows.").arg(why));
}

void PointerChoice::otherWayland(const QString &why)
{
    printLine(why.isEmpty() ? otherWaylandText() : why + QStringLiteral(". ") + otherWaylandText());
    QTimer::singleShot(0, this, [this] {
        showNoticeOnce(m_dialogs, m_noticeFolder, QStringLiteral("wayland-pointer"),
                       otherWaylandText());
    });
}

void PointerChoice::start(PointerSession session, const QString &scriptFolder)
{
    QString error;
    switch (session) {
    case PointerSession::X11:
        return;
    case PointerSession::OtherWayland:
        otherWayland({});
        return;
    case PointerSession::Wlroots: {
        auto source = std::make_unique<WlrootsPointerSource>();
        const StartResult started = source->start();
        if (!started.started) {
            printLine(started.failure);
            otherWayland({});
            return;
        }
        connect(source.get(), &CompositorSource::lost, this,
                [this](const QString &why) { sayOnlyOverX11(why); });
        connect(source.get(), &CompositorSource::said, this,
                [](const QString &line) { printLine(line); });
        m_compositor = std::move(source);
        m_windows.setSource(m_compositor.get());
        return;
    }
    case PointerSession::KWin: {
        auto source = std::make_unique<KWinPointerSource>(scriptFolder);
        if (!source->start(&error)) {
            printLine(tr("KWin does not report the pointer to us (%1), so the trail follows it "
                         "only over X11 windows.")
                          .arg(error));
            return;
        }
        connect(source.get(), &KWinPointerSource::lost, this, [this](const QString &why) {
            sayOnlyOverX11(tr("KWin stopped reporting the pointer (%1)").arg(why));
        });
        m_kwin = source.get();
        m_source = std::move(source);
        break;
    }
    case PointerSession::Gnome: {
        auto source = std::make_unique<GnomePointerSource>();
        if (!source->start(&error)) {
            printLine(tr("GNOME Shell cannot report the pointer to us (%1).").arg(error));
            return;
        }
        connect(source.get(), &GnomePointerSource::lost, this,
                [this](const QString &why) { sayOnlyOverX11(why); });
        connect(source.get(), &GnomePointerSource::following, &m_gnomeGrace, &QTimer::stop);
        if (source->extension().state != GnomePointerSource::Active)
            m_gnomeGrace.start();
        m_gnome = source.get();
        m_source = std::move(source);
        break;
    }
    }
    if (!m_source->ownsName()) {
        m_nameWait.start();
        connect(m_source.get(), &BusPointerSource::nameAcquired, &m_nameWait, &QTimer::stop);
    }
    m_windows.setSource(m_source.get());
}

void PointerChoice::gnomeGraceOver()
{
    if (!m_gnome)
        return;
    const GnomePointerSource::Extension &extension = m_gnome->extension();
    switch (extension.state) {
    case GnomePointerSource::Active:
        return;
    case GnomePointerSource::Missing:
        otherWayland(tr("Zorrit's GNOME Shell extension is not installed"));
        return;
    case GnomePointerSource::OutOfDate:
        sayOnlyOverX11(tr("Zorrit's GNOME Shell extension is not made for this version of GNOME "
                          "Shell"));
        return;
    case GnomePointerSource::Failed:
        sayOnlyOverX11(tr("Zorrit's GNOME Shell extension failed (%1)").arg(extension.error));
        return;
    default:
        // In the user's list, on its way: it reports once it runs.
        if (extension.enabled)
            return;
        printLine(gnomeExtensionText());
        QTimer::singleShot(0, this, [this] {
            showNoticeOnce(m_dialogs, m_noticeFolder, QStringLiteral("gnome-extension"),
                           gnomeExtensionText());
        });
    }
}

void PointerChoice::stop()
{
    m_gnomeGrace.stop();
    m_nameWait.stop();
    m_windows.setSource(nullptr);
    if (m_compositor)
        m_compositor->unload();
    if (m_kwin)
        m_kwin->unload();
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
