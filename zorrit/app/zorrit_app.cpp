// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: one copy at a time, a theme from the command line, the first-run welcome, the trail.
#include "zorrit_app.h"

#include "common/version.h"
#include "platform/dialogs.h"
#include "platform/file_chooser.h"
#include "platform/window_system.h"
#include "zorrit/instance/command_line.h"
#include "zorrit/instance/takeover_claims.h"
#include "zorrit/prefs/prefs_window.h"
#include "zorrit/shell/about_box.h"
#include "zorrit/shell/loading_window.h"
#include "zorrit/shell/tray_window.h"
#include "zorrit/shell/welcome_window.h"
#include "zorrit/texts/message_titles.h"
#include "zorrit/themes/shipped_themes.h"
#include "zorrit/themes/theme_reader.h"
#include "zorrit/update/update_check.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace zorrit::app {

using namespace zorrit::settings;

ZorritApp::ZorritApp(Seams seams)
    : m_seams(std::move(seams))
    , m_store(m_seams.settingsFolder)
    , m_ownLock(m_seams.runtimeFolder.isEmpty() ? QString()
                                                : instance::instanceLockPath(m_seams.runtimeFolder))
    , m_lock(m_seams.instanceLock ? *m_seams.instanceLock : m_ownLock)
{
    m_engine = std::make_unique<trail::TrailEngine>(m_seams.windowSystem, m_motion,
                                                    trail::spriteScaleFor(m_seams.pointerSize));
    m_translucency = std::make_unique<trail::Translucency>(m_store, m_seams.windowSystem,
                                                           m_seams.dialogs, m_engine->windows());
    m_fullScreen = std::make_unique<trail::FullScreenHiding>(*m_engine, m_seams.windowSystem,
                                                             m_seams.fullScreenWatch);
    // The notice must exist before the trail starts: opening the preferences may need it then.
    m_notice = std::make_unique<shell::NotFoundNotice>(m_seams.dialogs);
    if (!m_seams.fileChooser) {
        m_ownChooser = std::make_unique<platform::QtFileChooser>();
        m_seams.fileChooser = m_ownChooser.get();
    }
    if (!m_seams.endProgram)
        m_seams.endProgram = [] { QCoreApplication::exit(0); };
    prefs::AutostartPlace autostart = prefs::userAutostartPlace();
    if (!m_seams.autostartFolder.isEmpty())
        autostart.folder = m_seams.autostartFolder;
    m_prefs = std::make_unique<prefs::PrefsHolder>(prefs::PrefsDeps{
        m_store, m_motion, *m_engine, *m_translucency, m_seams.dialogs, m_seams.fileChooser,
        autostart, themes::shippedThemesFolder(QCoreApplication::applicationDirPath()),
        m_fullScreen.get()});
    connect(m_prefs.get(), &prefs::PrefsHolder::themeNotFound, m_notice.get(),
            &shell::NotFoundNotice::start);
    prefs::PrefsWindowDeps windowDeps{*m_prefs, m_seams.shell, m_seams.dialogs};
    if (m_seams.helpDocument)
        windowDeps.helpDocument = m_seams.helpDocument;
    if (m_seams.vandrelProgram)
        windowDeps.vandrelProgram = m_seams.vandrelProgram;
    m_prefsWindow = std::make_unique<prefs::PrefsWindow>(std::move(windowDeps));
    // The preferences' lifetime, in one place: the holder loads and unloads the state, the window
    // makes and drops its dialog with it. Connected before anything loads the preferences.
    connect(m_prefs.get(), &prefs::PrefsHolder::modelLoaded, m_prefsWindow.get(),
            &prefs::PrefsWindow::attach);
    connect(m_prefs.get(), &prefs::PrefsHolder::aboutToUnload, m_prefsWindow.get(),
            &prefs::PrefsWindow::drop);
    connect(m_prefsWindow.get(), &prefs::PrefsWindow::quitRequested, this, &ZorritApp::quitProgram);
    connect(m_prefsWindow.get(), &prefs::PrefsWindow::aboutRequested, this, &ZorritApp::showAbout);
    m_update = std::make_unique<update::UpdateContext>(m_versions, m_seams.dialogs, m_seams.shell);
    // A check closes the preferences dialog (which saves) when it starts.
    connect(m_update.get(), &update::UpdateContext::checkStarting, m_prefs.get(),
            &prefs::PrefsHolder::unload);
    connect(&m_handOff, &instance::HandOffServer::closeRequested, this, &ZorritApp::onCloseRequest);
    connect(&m_handOff, &instance::HandOffServer::handedOver, this, &ZorritApp::quitProgram);
    connect(&m_handOff, &instance::HandOffServer::preferencesRequested, this,
            &ZorritApp::showPreferences);
    connect(&m_handOff, &instance::HandOffServer::quitRequested, this, &ZorritApp::quitProgram);
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
    bool checkWanted = false;
    if (prefs::PrefsDialog *dialog = m_prefsWindow->dialog()) {
        // The box is the dialog's child: the preferences stay loaded until it has closed.
        const prefs::PrefsHolder::InUse inUse(*m_prefs);
        checkWanted = shell::showAboutBox(dialog, m_versions, m_seams.shell);
    } else {
        checkWanted = shell::showAboutBox(nullptr, m_versions, m_seams.shell);
    }
    if (checkWanted)
        update::startUpdateCheck(*m_update);
}

void ZorritApp::quitProgram()
{
    if (m_tray)
        m_tray->removeIcon();
    m_prefs->discard();
    m_seams.endProgram();
}

void ZorritApp::loadThemeFromTray()
{
    m_prefs->model().chooseTheme();
    if (prefs::PrefsModel *loaded = m_prefs->loaded()) {
        const QString path = loaded->themePath();
        m_store.write(kTheme, path.isEmpty() ? builtInThemeValue() : path);
    }
    m_prefs->unload();
}

void ZorritApp::useBuiltInTheme()
{
    m_prefs->model().useBuiltInTheme();
    m_prefs->unload();
}

void ZorritApp::createTray()
{
    if (m_tray)
        return;
    m_tray = std::make_unique<shell::TrayWindow>(shell::TrayDeps{*m_engine, m_seams.shell});
    connect(m_tray.get(), &shell::TrayWindow::preferencesRequested, this,
            &ZorritApp::showPreferences);
    connect(m_tray.get(), &shell::TrayWindow::aboutRequested, this, &ZorritApp::showAbout);
    connect(m_tray.get(), &shell::TrayWindow::loadThemeRequested, this,
            &ZorritApp::loadThemeFromTray);
    connect(m_tray.get(), &shell::TrayWindow::builtInThemeRequested, this,
            &ZorritApp::useBuiltInTheme);
    connect(m_tray.get(), &shell::TrayWindow::quitRequested, this, &ZorritApp::quitProgram);
    m_tray->addIcon();
    listenForRequests();
}

void ZorritApp::listenForRequests()
{
    // Only the copy that holds the lock hears requests, and only once its tray is there (a close
    // request takes the tray's icon away).
    if (m_tray && m_lock.isHeld() && !m_seams.runtimeFolder.isEmpty())
        m_handOff.listen(m_seams.runtimeFolder);
}

void ZorritApp::onCloseRequest()
{
    // The tray goes; the program ends only when a copy handed over (the server says so next).
    if (m_tray)
        m_tray->removeIcon();
}

namespace {

int deliveryExitCode(instance::Delivery delivery)
{
    switch (delivery) {
    case instance::Delivery::Delivered:
        return 0;
    case instance::Delivery::NotRunning:
        std::fputs(ZorritApp::notRunningText().toLocal8Bit().constData(), stderr);
        return 1;
    case instance::Delivery::NoAnswer:
        break;
    }
    std::fputs(ZorritApp::noAnswerText().toLocal8Bit().constData(), stderr);
    return 1;
}

} // namespace

std::optional<int> ZorritApp::answerWithoutStarting(const QStringList &arguments,
                                                    const std::function<QString()> &runtimeFolder)
{
    switch (instance::commandLineOption(instance::joinedCommandLine(arguments))) {
    case instance::CommandLineOption::None:
        return std::nullopt;
    case instance::CommandLineOption::Help:
        std::fputs(instance::usageText().toLocal8Bit().constData(), stdout);
        return 0;
    case instance::CommandLineOption::Version:
        std::fputs((common::version::programLine() + QLatin1Char('\n')).toLocal8Bit().constData(),
                   stdout);
        return 0;
    case instance::CommandLineOption::Quit:
        return deliveryExitCode(
            instance::sendToRunningCopy(runtimeFolder(), instance::HandOffRequest::Quit));
    case instance::CommandLineOption::Preferences: {
        const instance::Delivery delivery =
            instance::sendToRunningCopy(runtimeFolder(), instance::HandOffRequest::Preferences);
        if (delivery == instance::Delivery::NotRunning)
            return std::nullopt; // start() makes this copy the one that runs and opens them
        return deliveryExitCode(delivery);
    }
    }
    return std::nullopt;
}

std::optional<int> ZorritApp::waitForTurn(const QStringList &arguments,
                                          const QString &runtimeFolder,
                                          platform::InstanceLock &lock)
{
    const QString commandLine = instance::joinedCommandLine(arguments);
    if (instance::isPlainStart(commandLine)
        || instance::commandLineOption(commandLine) != instance::CommandLineOption::None
        || runtimeFolder.isEmpty() || lock.isHeld())
        return std::nullopt;
    const instance::Turn turn = instance::waitForTurn(
        instance::TakeoverClaims(runtimeFolder), instance::ownStartMark(), lock,
        [] { std::fputs(waitingText().toLocal8Bit().constData(), stderr); });
    if (turn == instance::Turn::GivenWay)
        return 0;
    return std::nullopt;
}

std::optional<int> ZorritApp::start(const QStringList &arguments)
{
    const QString commandLine = instance::joinedCommandLine(arguments);
    const instance::CommandLineOption option = instance::commandLineOption(commandLine);
    const bool preferences = option == instance::CommandLineOption::Preferences;
    if (option != instance::CommandLineOption::None && !preferences) {
        // --help, --version and --quit never start a copy.
        return answerWithoutStarting(arguments, [this] { return m_seams.runtimeFolder; })
            .value_or(0);
    }
    // --preferences is a plain start that opens them once the trail runs, unless a copy runs.
    const bool plain = preferences || instance::isPlainStart(commandLine);
    const auto handedPath = [&] {
        return instance::storedThemePath(instance::takeThemePath(commandLine), QDir::currentPath());
    };

    if (!m_lock.tryAcquire() && m_lock.isUnusable()) {
        // Nobody can hold a lock that cannot be made: telling the user that another copy runs
        // would be false, and waiting for it would never end.
        m_seams.dialogs.critical(nullptr, zorrit::errorTitle(), noLockText(m_seams.runtimeFolder));
        return 1;
    }
    if (!m_lock.isHeld()) {
        if (preferences) {
            // A copy runs (or has just started): it opens its preferences, this one ends.
            return deliveryExitCode(instance::sendToRunningCopy(
                m_seams.runtimeFolder, instance::HandOffRequest::Preferences));
        }
        if (plain) {
            m_seams.dialogs.critical(nullptr, zorrit::errorTitle(), alreadyRunningText());
            return 1;
        }
        // A theme start takes over once it holds the lock. Main waits for it before the display
        // is opened; this is for a caller that has not.
        if (const std::optional<int> exitCode =
                waitForTurn(arguments, m_seams.runtimeFolder, m_lock))
            return exitCode;
        if (!m_lock.isHeld()) {
            m_seams.dialogs.critical(nullptr, zorrit::errorTitle(),
                                     noLockText(m_seams.runtimeFolder));
            return 1;
        }
    }
    if (!plain) {
        // Opened with a theme file: no association and no welcome, even on a first start.
        m_handedTheme = handedPath();
        openHandedTheme();
        return std::nullopt;
    }
    m_preferencesWanted = preferences;
    if (m_seams.associateThemeFiles)
        m_seams.associateThemeFiles();
    firstRunCheck();
    return std::nullopt;
}

void ZorritApp::openHandedTheme()
{
    m_store.write(kTheme, m_handedTheme.value_or(QString()));
    showTrailAndTray();
}

void ZorritApp::firstRunCheck()
{
    if (m_store.read(kScroll) == QLatin1String(kWelcomeDue)) {
        // Written first: a run that ends while the welcome is open does not show it again.
        m_store.write(kScroll, QString::fromLatin1(kWelcomeShown));
        auto *welcome = new shell::WelcomeWindow;
        connect(welcome, &shell::WelcomeWindow::closed, this, &ZorritApp::showTrailAndTray);
        welcome->show();
        return;
    }
    showTrailAndTray();
}

void ZorritApp::showTrailAndTray()
{
    if (m_trailStarted)
        return;
    m_trailStarted = true;
    startTrailEngine();
    createTray();
    Q_EMIT trailShown();
    if (m_preferencesWanted) {
        m_preferencesWanted = false;
        showPreferences();
    }
}

void ZorritApp::startupThemeFallback(shell::LoadingWindow *loading)
{
    if (loading)
        loading->close();
    m_engine->tickTimer().stop();
    m_prefs->model().useBuiltInTheme();
    m_prefs->unload();
    m_seams.dialogs.critical(nullptr, zorrit::errorTitle(), themeNotFoundText());
    m_store.write(kTheme, builtInThemeValue());
}

void ZorritApp::startTrailEngine()
{
    // A theme start shows no "Loading, please wait..." window.
    std::unique_ptr<shell::LoadingWindow> loading;
    if (!m_handedTheme) {
        loading = std::make_unique<shell::LoadingWindow>();
        loading->showNow();
    }
    // Loading and closing the preferences once brings every stored value into its usual form.
    m_prefs->model();
    m_prefs->unload();

    // The motion options are read (with their defaults) where they are turned into the shared
    // motion settings, below; the theme decides the pictures first.
    const QString theme = m_store.read(kTheme);

    if (theme != builtInThemeValue()) {
        const themes::PictureScale scale{
            m_engine->spriteScale().factor,
            themes::shippedThemesFolder(QCoreApplication::applicationDirPath())};
        if (const auto pictures = themes::loadThemePictures(theme, scale)) {
            for (int k = 0; k < trail::kSpriteCount; ++k)
                m_engine->window(k)->setPicture((*pictures)[k]);
        } else {
            // The tick timer is stopped for the fall-back; it runs from the end of start-up either
            // way.
            startupThemeFallback(loading.get());
        }
    }

    m_engine->state().wobbleOffset = 1;
    m_engine->readMotionSettings(m_store);
    m_engine->shapeAll();
    m_engine->showWindows();
    m_prefs->unload();
    loading.reset();
    m_translucency->apply();
    m_engine->start();
    m_fullScreen->setWanted(isOnForm(kHideFullScreen, m_store.read(kHideFullScreen)));
    m_fullScreen->start();
}

} // namespace zorrit::app
