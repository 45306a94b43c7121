// SPDX-License-Identifier: GPL-3.0-or-later
// Zorrit's start-up and the objects that live for the whole run: the composition root.
#pragma once

#include "common/translations.h"
#include "platform/instance_lock.h"
#include "zorrit/instance/hand_off_server.h"
#include "zorrit/prefs/prefs_holder.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/shell/not_found_notice.h"
#include "zorrit/shell/version_holder.h"
#include "zorrit/trail/full_screen_hiding.h"
#include "zorrit/trail/trail_engine.h"
#include "zorrit/trail/trail_math.h"
#include "zorrit/trail/translucency.h"
#include "zorrit/update/update_context.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace platform {
class Dialogs;
class FileChooser;
class FullScreenWatch;
class Shell;
class WindowSystem;
} // namespace platform

namespace zorrit::prefs {
class PrefsWindow;
}

namespace zorrit::shell {
class LoadingWindow;
class TrayWindow;
} // namespace zorrit::shell

namespace zorrit::app {

struct Seams
{
    platform::WindowSystem &windowSystem;
    platform::Dialogs &dialogs;
    platform::Shell &shell;
    QString settingsFolder;                       // where the settings file lives
    QString runtimeFolder;                        // lock, hand-off file and local socket
    platform::FileChooser *fileChooser = nullptr; // null: Qt's own file dialog
    // What reaches beyond the program's own windows; tests put in their own.
    // Ends the program at once; null: the event loop ends with code 0.
    std::function<void()> endProgram = {};
    // Registers the theme file type for this program (plain starts only); null: nothing is.
    std::function<void()> associateThemeFiles = {};
    // The instance lock, which main may have taken already (a theme start waits for it before the
    // display is opened); null: one of the program's own, in the runtime folder.
    platform::InstanceLock *instanceLock = nullptr;
    // Where the preferences' "&Help..." and wizard buttons look; null: beside the program.
    std::function<QString()> helpDocument = {};
    std::function<QString()> vandrelProgram = {};
    // Where "Start Zorrit when I log in" puts its entry; empty: the user's autostart folder.
    QString autostartFolder = {};
    // The size of the desktop's pointer in pixels, which the trail grows with (main.cpp reads
    // it); none: the size the pictures were drawn for.
    std::optional<int> pointerSize = {};
    // What the desktop says of full-screen windows; null: the trail never hides for one.
    platform::FullScreenWatch *fullScreenWatch = nullptr;
};

class ZorritApp final : public QObject
{
    Q_OBJECT

public:
    explicit ZorritApp(Seams seams);
    ~ZorritApp() override;

    // The entry sequence. Returns an exit code when the program is to end at once (a refused
    // second copy), or nothing when it runs on in the event loop.
    std::optional<int> start(const QStringList &arguments);

    // The options that need neither a display nor a copy of our own: --help, --version, --quit,
    // and --preferences while a copy runs (start() takes the other case). Returns the exit code
    // when the command line was answered so, or nothing when the program is to start (as start()
    // then sees it). runtimeFolder is asked for only when a running copy is to be reached.
    static std::optional<int> answerWithoutStarting(const QStringList &arguments,
                                                    const std::function<QString()> &runtimeFolder);
    // A start with a theme file, before the display is opened: waits until this copy holds the
    // instance lock, the running copy having handed over. Returns 0 when a copy started later
    // takes over instead (this one ends unseen), or nothing when the program is to start (as
    // start() then sees it, holding the lock or finding it unusable). Anything else returns at
    // once.
    static std::optional<int> waitForTurn(const QStringList &arguments,
                                          const QString &runtimeFolder,
                                          platform::InstanceLock &lock);
    // Answers given before the application object exists, hence not tr().
    static QString waitingText()
    {
        return common::translate("zorrit::app::ZorritApp",
                                 "zorrit: waiting for the running Zorrit to hand over.\n");
    }
    static QString notRunningText()
    {
        return common::translate("zorrit::app::ZorritApp", "Zorrit is not running.\n");
    }
    static QString noAnswerText()
    {
        return common::translate("zorrit::app::ZorritApp",
                                 "zorrit: the running Zorrit did not answer.\n");
    }

    static QString noLockText(const QString &folder)
    {
        return tr("Zorrit cannot make its lock file, so it cannot tell whether another copy is "
                  "running. Make sure that %1 is a folder of yours that only you can use, then "
                  "try again.")
            .arg(folder.isEmpty() ? tr("$XDG_RUNTIME_DIR (or ~/.cache)") : folder);
    }
    static QString alreadyRunningText()
    {
        return tr("Zorrit is already running. You cannot launch more than one copy at a time.");
    }
    static QString themeNotFoundText()
    {
        return tr("The theme you have selected wasn't found. Zorrit will use the built-in theme "
                  "instead.");
    }
    // The theme path this copy was started with; none on a plain start.
    const std::optional<QString> &handedTheme() const { return m_handedTheme; }

    settings::SettingsStore &store() { return m_store; }
    trail::MotionSettings &motion() { return m_motion; }
    trail::TrailEngine &engine() { return *m_engine; }
    trail::Translucency &translucency() { return *m_translucency; }
    trail::FullScreenHiding &fullScreenHiding() { return *m_fullScreen; }
    prefs::PrefsHolder &prefs() { return *m_prefs; }
    shell::NotFoundNotice &notFoundNotice() { return *m_notice; }
    shell::VersionHolder &versions() { return m_versions; }
    update::UpdateContext &updateContext() { return *m_update; }
    // Hears the requests of later copies while this copy holds the instance lock and has its tray.
    instance::HandOffServer &handOffServer() { return m_handOff; }
    platform::InstanceLock &instanceLock() { return m_lock; }
    const Seams &seams() const { return m_seams; }
    bool trailStarted() const { return m_trailStarted; }
    // The preferences window; shown from the tray.
    prefs::PrefsWindow &prefsWindow() { return *m_prefsWindow; }
    // The hidden "Tray" window, once the trail runs.
    shell::TrayWindow *tray() const { return m_tray.get(); }

    // Opens the preferences, or brings them to the front.
    void showPreferences();
    // The about box, from the tray menu and the preferences.
    void showAbout();
    // Quit from the preferences, the tray or another copy: icon removed, nothing saved, the
    // program ends.
    void quitProgram();
    // The tray menu's "&Load Theme..." and "&Use built-in theme": the preferences' own actions,
    // then the preferences are closed (which saves).
    void loadThemeFromTray();
    void useBuiltInTheme();

Q_SIGNALS:
    void trailShown();

private:
    // The start-up steps, in their order: a theme start stores the handed theme; a plain start
    // shows the welcome once; both then show the trail and the tray.
    void openHandedTheme();
    void firstRunCheck();
    void showTrailAndTray();
    // The lead sprite window's load: settings, theme, shapes, windows, translucency.
    void startTrailEngine();
    void startupThemeFallback(shell::LoadingWindow *loading);
    // Creates the hidden "Tray" window and its icon, once the trail runs.
    void createTray();
    void listenForRequests();
    void onCloseRequest();

    Seams m_seams;
    std::optional<QString> m_handedTheme;
    settings::SettingsStore m_store;
    platform::InstanceLock m_ownLock;
    platform::InstanceLock &m_lock;
    trail::MotionSettings m_motion;
    std::unique_ptr<trail::TrailEngine> m_engine;
    std::unique_ptr<trail::Translucency> m_translucency;
    std::unique_ptr<trail::FullScreenHiding> m_fullScreen;
    std::unique_ptr<shell::NotFoundNotice> m_notice;
    std::unique_ptr<prefs::PrefsHolder> m_prefs;
    std::unique_ptr<platform::FileChooser> m_ownChooser;
    std::unique_ptr<prefs::PrefsWindow> m_prefsWindow;
    std::unique_ptr<shell::TrayWindow> m_tray;
    instance::HandOffServer m_handOff;
    bool m_trailStarted = false;
    // Started by --preferences with no copy running: they open once the trail runs.
    bool m_preferencesWanted = false;
    shell::VersionHolder m_versions;
    std::unique_ptr<update::UpdateContext> m_update;
};

} // namespace zorrit::app
