// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: one copy at a time, a theme from the command line, the first-run welcome, the trail.
#include "zorrit_app.h"

#include "platform/dialogs.h"
#include "platform/file_chooser.h"
#include "platform/window_system.h"
#include "zorrit/prefs/prefs_window.h"
#include "zorrit/shell/about_box.h"
#include "zorrit/shell/stand_window.h"
#include "zorrit/shell/startup1_window.h"
#include "zorrit/shell/tray_window.h"
#include "zorrit/themes/theme_reader.h"
#include "zorrit/trail/command_line.h"
#include "zorrit/trail/hand_off.h"

#include <QCoreApplication>
#include <QDir>

namespace zorrit::app {

using namespace zorrit::settings;

ZorritApp::ZorritApp(Seams seams)
    : m_seams(std::move(seams))
    , m_store(m_seams.settingsFolder)
    , m_lock(m_seams.runtimeFolder.isEmpty()
                 ? QString()
                 : m_seams.runtimeFolder + QStringLiteral("/zorrit.lock"))
{
    m_engine = std::make_unique<trail::TrailEngine>(m_seams.windowSystem, m_motion);
    m_translucency = std::make_unique<trail::Translucency>(m_store, m_seams.windowSystem,
                                                           m_seams.dialogs, m_engine->windows());
    // The notice must exist before the trail starts: opening the preferences may need it then.
    m_notice = std::make_unique<shell::NotFoundNotice>(m_seams.dialogs);
    if (!m_seams.fileChooser) {
        m_ownChooser = std::make_unique<platform::QtFileChooser>();
        m_seams.fileChooser = m_ownChooser.get();
    }
    m_prefs = std::make_unique<prefs::PrefsHolder>(prefs::PrefsDeps{
        m_store, m_motion, *m_engine, *m_translucency, m_seams.dialogs,
        [this] { m_notice->start(); }, m_seams.fileChooser});
    // Before anything loads the preferences: the window follows every load.
    m_prefsWindow = std::make_unique<prefs::PrefsWindow>(prefs::PrefsWindowDeps{
        *m_prefs, m_seams.shell, m_seams.dialogs, [this] { quitProgram(); },
        [this] { showAbout(); }});
    // A check closes the preferences dialog (which saves) when it starts.
    m_update = std::make_unique<update::UpdateContext>(m_versions, m_seams.dialogs, m_seams.shell,
                                                       [this] { m_prefs->unload(); });
    endProgram = [] { QCoreApplication::exit(0); };
    setUpTray = [this] { createTray(); };
    handOffToRunningCopy = [this] { handOff(); };
    m_lockTakeover.setInterval(100);
    connect(&m_lockTakeover, &QTimer::timeout, this, &ZorritApp::takeOverLock);
    m_translucency->onFailure = [this] {
        if (prefs::PrefsModel *model = m_prefs->loaded())
            model->translucencyFailed();
    };
}

ZorritApp::~ZorritApp()
{
    // The tray and the preferences window go before the state they show.
    m_tray.reset();
    m_prefsWindow.reset();
}

void ZorritApp::showPreferences()
{
    m_prefsWindow->show();
}

void ZorritApp::showAbout()
{
    shell::showAboutBox(m_prefsWindow->dialog(), *m_update);
}

void ZorritApp::quitProgram()
{
    if (m_tray)
        m_tray->RemoveThat();
    m_prefs->discard();
    if (endProgram)
        endProgram();
}

void ZorritApp::createTray()
{
    if (m_tray)
        return;
    m_tray = std::make_unique<shell::TrayWindow>(shell::TrayDeps{
        *m_prefs, m_store, *m_engine, *m_notice, m_seams.shell, m_seams.runtimeFolder,
        m_versions});
    m_tray->showPreferences = [this] { showPreferences(); };
    m_tray->showAbout = [this] { showAbout(); };
    m_tray->endProgram = [this] {
        m_prefs->discard();
        if (endProgram)
            endProgram();
    };
    m_tray->addIcon();
    // Only the copy that holds the lock hears close requests; a copy that took over starts
    // listening once the old one has ended.
    if (m_lock.isHeld() && !m_seams.runtimeFolder.isEmpty())
        m_tray->listenForCloseRequests(trail::trayServerPath(m_seams.runtimeFolder));
}

void ZorritApp::handOff()
{
    trail::handOffToRunningCopy(m_seams.runtimeFolder);
    // Found or not, this copy goes on; it takes the lock whenever the other one has ended.
    m_lockTakeover.start();
}

void ZorritApp::takeOverLock()
{
    if (!m_lock.tryAcquire()) {
        if (m_lock.isUnusable())
            m_lockTakeover.stop(); // the lock file went away with its folder: nothing to wait for
        return;
    }
    m_lockTakeover.stop();
    if (m_tray && !m_seams.runtimeFolder.isEmpty())
        m_tray->listenForCloseRequests(trail::trayServerPath(m_seams.runtimeFolder));
}

std::optional<int> ZorritApp::start(const QStringList &arguments)
{
    const QString commandLine = trail::joinedCommandLine(arguments);
    const bool plain = trail::isPlainStart(commandLine);
    const auto handedPath = [&] {
        return trail::storedThemePath(trail::takeThemePath(commandLine), QDir::currentPath());
    };

    if (!m_lock.tryAcquire() && m_lock.isUnusable()) {
        // Nobody can hold a lock that cannot be made: telling the user that another copy runs
        // would be false, and waiting for it would never end.
        m_seams.dialogs.critical(nullptr, QStringLiteral("Zorrit - Error"),
                                 noLockText(m_seams.runtimeFolder));
        return 1;
    }
    if (!m_lock.isHeld()) {
        if (plain) {
            m_seams.dialogs.critical(nullptr, QStringLiteral("Zorrit - Error"),
                                     alreadyRunningText());
            return 1;
        }
        HandedThemePath = handedPath();
        if (handOffToRunningCopy)
            handOffToRunningCopy();
        OpenHandedTheme();
        return std::nullopt;
    }
    if (!plain) {
        // Opened with a theme file: no association and no welcome, even on a first start.
        HandedThemePath = handedPath();
        OpenHandedTheme();
        return std::nullopt;
    }
    if (associateThemeFiles)
        associateThemeFiles();
    FirstRunCheck();
    return std::nullopt;
}

void ZorritApp::OpenHandedTheme()
{
    m_store.WriteSetting(kTheme, HandedThemePath);
    HandedThemePath = handedMarker();
    ShowTrailAndTray();
}

void ZorritApp::FirstRunCheck()
{
    if (m_store.ReadSetting(kScroll.path(), QStringLiteral("Yes")) == QLatin1String("Yes")) {
        // Written first: a run that ends while the welcome is open does not show it again.
        m_store.WriteSetting(kScroll, QStringLiteral("No"));
        auto *welcome = new shell::Startup1Window;
        connect(welcome, &shell::Startup1Window::closed, this, &ZorritApp::ShowTrailAndTray);
        welcome->show();
        return;
    }
    ShowTrailAndTray();
}

void ZorritApp::ShowTrailAndTray()
{
    if (m_trailStarted)
        return;
    m_trailStarted = true;
    StartTrailEngine();
    if (setUpTray)
        setUpTray();
    Q_EMIT trailShown();
}

void ZorritApp::startupThemeFallback(shell::StandWindow *stand)
{
    if (stand)
        stand->close();
    m_engine->Timer1().stop();
    m_prefs->model().MakeMeBuilt();
    m_prefs->unload();
    m_seams.dialogs.critical(nullptr, QStringLiteral("Zorrit - Error"), themeNotFoundText());
    m_store.WriteSetting(kTheme, builtInThemeValue());
}

void ZorritApp::StartTrailEngine()
{
    std::unique_ptr<shell::StandWindow> stand;
    if (HandedThemePath != handedMarker()) {
        stand = std::make_unique<shell::StandWindow>();
        stand->showNow();
    }
    // Loading and closing the preferences once brings every stored value into its usual form.
    m_prefs->model();
    m_prefs->unload();

    // The motion options are read (with their defaults) where they are turned into the shared
    // motion settings, below; the theme decides the pictures first.
    const QString theme = m_store.ReadSetting(kTheme);

    if (theme != builtInThemeValue()) {
        if (const auto pictures = themes::loadThemePictures(theme)) {
            for (int k = 0; k < trail::kSpriteCount; ++k)
                m_engine->window(k)->setPicture((*pictures)[k]);
        } else {
            // Timer1 is stopped for the fall-back; it runs from the end of start-up either way.
            startupThemeFallback(stand.get());
        }
    }

    m_engine->state().WobbleOffset = 1;
    m_engine->readMotionSettings(m_store);
    m_engine->shapeAll();
    m_engine->showWindows();
    m_prefs->unload();
    stand.reset();
    m_translucency->ApplyTranslucency();
    m_engine->start();
}

} // namespace zorrit::app
