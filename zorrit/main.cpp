// SPDX-License-Identifier: GPL-3.0-or-later
// Zorrit's entry point: the X11 check, the real seams, then start-up.
#include "common/translations.h"
#include "common/version.h"
#include "platform/dialogs.h"
#include "platform/end_signals.h"
#include "platform/file_chooser.h"
#include "platform/file_names.h"
#include "platform/full_screen_watch.h"
#include "platform/instance_lock.h"
#include "platform/pointer_size.h"
#include "platform/pointer_source.h"
#include "platform/runtime_dir.h"
#include "platform/shell.h"
#include "platform/wayland/layer_shell_window_system.h"
#include "platform/wayland/wayland_full_screen_watch.h"
#include "platform/wayland/wayland_session.h"
#include "platform/window_system.h"
#include "platform/x11_full_screen_watch.h"
#include "platform/x11_window_system.h"
#include "platform/xinput_device_guard.h"
#include "zorrit/app/zorrit_app.h"
#include "zorrit/instance/hand_off.h"
#include "zorrit/integration/theme_association.h"
#include "zorrit/pointer/pointer_choice.h"
#include "zorrit/pointer/reported_full_screen.h"
#include "zorrit/pointer/source_factory.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/shell/program_icon.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The arguments QApplication left in argv, out of those decoded before it took its own options.
// Qt only moves argv's pointers together, so each one left is found among the given ones.
QStringList argumentsLeft(const std::vector<char *> &given, const QStringList &decoded, int argc,
                          char **argv)
{
    QStringList left;
    for (int i = 1; i < argc; ++i) {
        const auto found = std::find(given.begin(), given.end(), argv[i]);
        if (found != given.end())
            left << decoded[int(found - given.begin())];
    }
    return left;
}

} // namespace

int main(int argc, char **argv)
{
    // File names are bytes: QApplication::arguments() would turn a byte that is not UTF-8 into
    // U+FFFD, and the theme file named could never be opened.
    const std::vector<char *> given(argv + 1, argv + argc);
    QStringList decoded;
    for (const char *argument : given)
        decoded << platform::decodeFileName(argument);
    // --help, --version, --quit and --preferences for a running copy need no display, and are
    // answered in the user's language.
    common::loadEarlyTranslation(QStringLiteral("zorrit"));
    if (const std::optional<int> exitCode = zorrit::app::ZorritApp::answerWithoutStarting(
            decoded, [] { return platform::runtimeDir(QStringLiteral("zorrit")); }))
        return *exitCode;
    // Where the session has an X display, the windows go through it even under Wayland: the
    // sprites need it wherever the compositor has no layer shell, and the dialogs then look and
    // place themselves alike everywhere. A Wayland session without one uses Qt's Wayland
    // platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "wayland" : "xcb");
    const QByteArray platformName = qgetenv("QT_QPA_PLATFORM");
    if (platformName.isEmpty() || platformName.startsWith("xcb")) {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            std::fputs(qPrintable(common::translate(
                           "zorrit", "zorrit: no X display (DISPLAY is not set); Zorrit needs an "
                                     "X11 session.\n")),
                       stderr);
            return 2;
        }
        if (!platform::x11DisplayReachable()) {
            std::fputs(qPrintable(common::translate("zorrit", "zorrit: cannot connect to the X "
                                                              "display \"%1\".\n")
                                      .arg(QString::fromLocal8Bit(qgetenv("DISPLAY")))),
                       stderr);
            return 2;
        }
    }

    const QString runtimeFolder = platform::runtimeDir(QStringLiteral("zorrit"));
    platform::InstanceLock instanceLock(
        runtimeFolder.isEmpty() ? QString() : zorrit::instance::instanceLockPath(runtimeFolder));
    // A theme start waits for the running copy to hand over before it connects to the display
    // (only once it is known to be reachable: a copy that cannot show a trail ends no other):
    // copies started together, or a storm of them, hold no X connections while they wait, and
    // those that a later copy replaces end unseen.
    if (const std::optional<int> exitCode =
            zorrit::app::ZorritApp::waitForTurn(decoded, runtimeFolder, instanceLock))
        return *exitCode;

    QApplication app(argc, argv);
    // Before any event is handled: a pointer device that appears later must not end the program.
    const platform::XInputDeviceGuard xinputGuard;
    QApplication::setApplicationName(QStringLiteral("Zorrit"));
    QApplication::setApplicationVersion(common::version::display());
    QApplication::setDesktopFileName(QStringLiteral("zorrit"));
    // The trail has no main window: closing a dialog must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(zorrit::shell::programIcon());
    common::installTranslations(app, QStringLiteral("zorrit"));

    const std::unique_ptr<platform::WindowSystem> nativeWindowSystem =
        platform::createWindowSystem();
    // Under Wayland the pointer comes from the compositor once this copy runs the trail;
    // `pointer` is made before the trail, so its source outlives the trail that reads it, and
    // Zorrit's own Wayland connection outlives both.
    platform::SourcedWindowSystem windowSystem(*nativeWindowSystem);
    const QString settingsFolder = zorrit::settings::SettingsStore::defaultFolder();
    zorrit::pointer::SourceContext pointerContext;
    pointerContext.runtimeFolder = runtimeFolder;
    std::unique_ptr<platform::wayland::WaylandSession> wayland =
        zorrit::pointer::isWaylandSession() ? platform::wayland::WaylandSession::connect()
                                            : nullptr;
    pointerContext.wayland = wayland.get();
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        pointerContext.xPointer = [&] { return nativeWindowSystem->pointerPos(); };
    // Where the compositor offers a layer shell, the sprites are its surfaces; without an X
    // display they can be nothing else.
    const bool onWaylandAlone = QGuiApplication::platformName() == QLatin1String("wayland");
    std::unique_ptr<platform::wayland::LayerShellWindowSystem> layerWindows;
    if (onWaylandAlone && !(wayland && wayland->offers().layerShell)) {
        std::fputs(qPrintable(QCoreApplication::translate(
                       "zorrit", "zorrit: this Wayland desktop has no layer shell and there is "
                                 "no X display, so Zorrit cannot show the trail.\n")),
                   stderr);
        return 2;
    }
    if (onWaylandAlone || zorrit::pointer::spritesOnLayerShell(pointerContext)) {
        pointerContext.logicalPixels = true;
        layerWindows =
            std::make_unique<platform::wayland::LayerShellWindowSystem>(*wayland, windowSystem);
        layerWindows->onEnded([](const QString &said) {
            const QString text =
                said.isEmpty()
                    ? QCoreApplication::translate(
                        "zorrit", "zorrit: the compositor closed Zorrit's Wayland connection, so "
                                  "the trail is not shown until Zorrit starts again.\n")
                    : QCoreApplication::translate(
                          "zorrit", "zorrit: the compositor closed Zorrit's Wayland connection "
                                    "(it said: %1), so the trail is not shown until Zorrit starts "
                                    "again.\n")
                          .arg(said);
            std::fputs(qPrintable(text), stderr);
        });
    }
    platform::WindowSystem &trailWindows =
        layerWindows ? static_cast<platform::WindowSystem &>(*layerWindows) : windowSystem;
    // Where the desktop says which window is full screen. Under Wayland the compositor's list of
    // windows, on the session, which the tick reads where the sprites are its surfaces or the
    // pointer comes from its cursor sessions (the watch reads it otherwise); Xwayland's window
    // manager would speak only of X11 windows. In an X11 session the window manager.
    std::unique_ptr<platform::FullScreenWatch> fullScreenWatch;
    if (wayland) {
        fullScreenWatch = platform::wayland::WaylandFullScreenWatch::follow(
            *wayland, !layerWindows && !wayland->offers().cursorSessions);
    } else if (!zorrit::pointer::isWaylandSession()
               && QGuiApplication::platformName() == QLatin1String("xcb")) {
        fullScreenWatch = platform::X11FullScreenWatch::open();
    }
    // Elsewhere in a Wayland session (KDE Plasma, GNOME), KWin's script or the GNOME Shell
    // extension tells of it with the pointer.
    std::unique_ptr<zorrit::pointer::ReportedFullScreen> reportedFullScreen;
    if (!fullScreenWatch && zorrit::pointer::isWaylandSession()) {
        reportedFullScreen = std::make_unique<zorrit::pointer::ReportedFullScreen>();
        pointerContext.fullScreen = reportedFullScreen.get();
    }
    // A connection that neither shows the sprites, follows the pointer nor lists the windows
    // (GNOME) would only gather the compositor's news unread.
    if (!layerWindows && !fullScreenWatch && wayland && !wayland->offers().cursorSessions) {
        wayland.reset();
        pointerContext.wayland = nullptr;
    }
    platform::QtDialogs dialogs;
    platform::QtShell shell;
    platform::QtFileChooser fileChooser;
    zorrit::pointer::PointerChoice pointer(windowSystem, dialogs, settingsFolder);
    zorrit::app::Seams seams{trailWindows,   dialogs,       shell,
                             settingsFolder, runtimeFolder, &fileChooser};
    seams.instanceLock = &instanceLock;
    // Read once: a change of the pointer's size reaches the trail at the next start.
    seams.pointerSize = platform::desktopPointerSize(platform::sessionPointerSizeSources());
    seams.fullScreenWatch =
        fullScreenWatch ? fullScreenWatch.get()
                        : static_cast<platform::FullScreenWatch *>(reportedFullScreen.get());
    seams.associateThemeFiles = [] {
        zorrit::integration::AssociateThemeFiles(QStringLiteral("Zorrit"), QStringLiteral(".thm"),
                                                 QStringLiteral("Zorrit File"),
                                                 zorrit::integration::themeFileIconName());
    };
    zorrit::app::ZorritApp zorrit(std::move(seams));
    // A log-out, `kill` or a service manager ends Zorrit as "&Quit" does; main's end then unloads
    // the KWin script. A signal taken during start-up (under a message box) ends it there.
    platform::EndSignals endSignals;
    bool endSignalled = false;
    QObject::connect(&endSignals, &platform::EndSignals::received, &zorrit, [&] {
        endSignalled = true;
        zorrit.quitProgram();
    });
    if (const std::optional<int> exitCode = zorrit.start(argumentsLeft(given, decoded, argc, argv)))
        return *exitCode;
    if (endSignalled)
        return 0;

    pointer.start(pointerContext);
    const int exitCode = QApplication::exec();
    pointer.stop();
    return exitCode;
}
