// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon, its menu and the hidden window that carries them.
#include "tray_window.h"

#include "common/maker_web.h"
#include "not_found_notice.h"
#include "platform/shell.h"
#include "program_icon.h"
#include "status_notifier.h"
#include "zorrit/prefs/prefs_holder.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/trail/hand_off.h"
#include "zorrit/trail/trail_engine.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLocalSocket>
#include <QUrl>

#include <cstdio>

namespace zorrit::shell {

namespace {
// A close request is one short line; anything longer is not one.
constexpr qint64 kMaxRequestBytes = 64;
} // namespace

TrayWindow::TrayWindow(TrayDeps deps)
    : m_deps(std::move(deps))
    , m_menu(QStringLiteral("File"))
{
    setObjectName(QStringLiteral("tray"));
    setWindowTitle(QStringLiteral("Tray"));
    setAttribute(Qt::WA_DontShowOnScreen);
    m_menu.setObjectName(QStringLiteral("mnuFile"));

    m_whatsit = new QLabel(m_deps.versions.whatsit, this);
    m_whatsit->setObjectName(QStringLiteral("whatsit"));
    m_daversion = new QLabel(m_deps.versions.daversion, this);
    m_daversion->setObjectName(QStringLiteral("daversion"));

    QAction *theprefs = addItem("theprefs", QStringLiteral("&Zorrit Preferences..."));
    QFont bold = theprefs->font();
    bold.setBold(true);
    theprefs->setFont(bold);
    m_menu.setDefaultAction(theprefs);
    QAction *downItem = addItem("down", QStringLiteral("&Download new themes..."));
    addSeparator("sep3");
    QAction *loadthItem = addItem("loadth", QStringLiteral("&Load Theme..."));
    QAction *usebuiltItem = addItem("usebuilt", QStringLiteral("&Use built-in theme"));
    addSeparator("sep1");
    QAction *yesjugItem = addItem("yesjug", QStringLiteral("Zorrit &On"));
    QAction *nojugItem = addItem("nojug", QStringLiteral("Zorrit O&ff"));
    yesjugItem->setCheckable(true);
    nojugItem->setCheckable(true);
    yesjugItem->setChecked(true);
    addSeparator("sep2");
    QAction *aboItem = addItem("abo", QStringLiteral("A&bout Zorrit..."));
    QAction *closeitItem = addItem("closeit", QStringLiteral("&Quit"));

    connect(theprefs, &QAction::triggered, this, [this] {
        if (showPreferences)
            showPreferences();
    });
    connect(downItem, &QAction::triggered, this, &TrayWindow::down);
    connect(loadthItem, &QAction::triggered, this, &TrayWindow::loadth);
    connect(usebuiltItem, &QAction::triggered, this, &TrayWindow::usebuilt);
    connect(yesjugItem, &QAction::triggered, this, &TrayWindow::yesjug);
    connect(nojugItem, &QAction::triggered, this, &TrayWindow::nojug);
    connect(aboItem, &QAction::triggered, this, [this] {
        if (showAbout)
            showAbout();
    });
    connect(closeitItem, &QAction::triggered, this, &TrayWindow::closeit);

    m_icon.setIcon(programIcon());
    m_icon.setToolTip(QStringLiteral("Zorrit"));
    // The right button opens the menu (the tray host's way); the left double click opens the
    // preferences; nothing else acts. A StatusNotifier panel sends no double click: there a click
    // on the icon opens the preferences.
    m_statusNotifier = statusNotifierHostPresent();
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayWindow::onActivated);

    trayHostAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    reportNoTrayHost = [](const char *text) { std::fputs(text, stderr); };
    connect(&m_hostRetry, &QTimer::timeout, this, &TrayWindow::retryTrayHost);

    connect(&m_server, &QLocalServer::newConnection, this, &TrayWindow::acceptCloseRequests);
}

TrayWindow::~TrayWindow()
{
    RemoveThat();
}

QAction *TrayWindow::addItem(const char *name, const QString &caption)
{
    QAction *action = m_menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void TrayWindow::addSeparator(const char *name)
{
    m_menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

QAction *TrayWindow::item(const QString &name) const
{
    const QList<QAction *> actions = m_menu.actions();
    for (QAction *action : actions) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

bool TrayWindow::trailOn() const
{
    return item(QStringLiteral("yesjug"))->isChecked();
}

QString TrayWindow::whatsit() const
{
    return m_whatsit->text();
}

QString TrayWindow::daversion() const
{
    return m_daversion->text();
}

QTimer &TrayWindow::TimerEr()
{
    return m_deps.notice.TimerEr();
}

void TrayWindow::addIcon()
{
    m_iconWanted = true;
    // Shown even without a host: Qt embeds it when one appears; the retry makes sure it does.
    m_icon.show();
    if (trayHostAvailable && trayHostAvailable())
        return;
    m_hostTries = 0;
    m_hostRetry.start(hostRetryIntervalMs);
}

void TrayWindow::retryTrayHost()
{
    if (!m_iconWanted) {
        m_hostRetry.stop();
        return;
    }
    if (trayHostAvailable && trayHostAvailable()) {
        m_hostRetry.stop();
        m_icon.hide();
        m_icon.show();
        return;
    }
    if (++m_hostTries >= hostRetryAttempts) {
        m_hostRetry.stop();
        if (reportNoTrayHost)
            reportNoTrayHost(noTrayHostText().toLocal8Bit().constData());
    }
}

void TrayWindow::RemoveThat()
{
    m_iconWanted = false;
    m_hostRetry.stop();
    m_icon.hide();
}

void TrayWindow::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    const bool opens = reason == QSystemTrayIcon::DoubleClick
                       || (reason == QSystemTrayIcon::Trigger && m_statusNotifier);
    if (opens && showPreferences)
        showPreferences();
}

void TrayWindow::down()
{
    m_deps.shell.openUrl(QUrl(common::web::gallery()));
}

void TrayWindow::loadth()
{
    prefs::PrefsModel &model = m_deps.prefs.model();
    model.LaunchTheme();
    if (prefs::PrefsModel *loaded = m_deps.prefs.loaded()) {
        const QString path = loaded->whatpath();
        m_deps.store.WriteSetting(settings::kTheme,
                                  path.isEmpty() ? settings::builtInThemeValue() : path);
    }
    m_deps.prefs.unload();
}

void TrayWindow::usebuilt()
{
    m_deps.prefs.model().MakeMeBuilt();
    m_deps.prefs.unload();
}

void TrayWindow::yesjug()
{
    item(QStringLiteral("yesjug"))->setChecked(true);
    item(QStringLiteral("nojug"))->setChecked(false);
    m_deps.engine.showWindows();
}

void TrayWindow::nojug()
{
    item(QStringLiteral("yesjug"))->setChecked(false);
    item(QStringLiteral("nojug"))->setChecked(true);
    // The animation goes on; the windows keep their pictures, outlines and places.
    m_deps.engine.hideWindows();
}

void TrayWindow::closeit()
{
    // The icon goes first so no dead icon stays in the tray; Scrap.dat is not this path's business.
    RemoveThat();
    if (endProgram)
        endProgram();
}

void TrayWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    RemoveThat();
    // A closed window hears no more requests.
    m_server.close();
    const QString scrap = trail::scrapFilePath(m_deps.runtimeFolder);
    if (!m_deps.runtimeFolder.isEmpty() && trail::FileExists(scrap)) {
        QFile::remove(scrap);
        if (endProgram)
            endProgram();
    }
}

bool TrayWindow::listenForCloseRequests(const QString &serverPath)
{
    if (m_server.isListening())
        return true;
    // Only the holder of the instance lock gets here, so a socket file left there is stale.
    QLocalServer::removeServer(serverPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(serverPath);
}

void TrayWindow::acceptCloseRequests()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readCloseRequest(socket); });
        readCloseRequest(socket);
    }
}

void TrayWindow::readCloseRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequestBytes)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(kMaxRequestBytes);
    socket->disconnectFromServer();
    if (line == trail::closeRequest())
        close();
}

} // namespace zorrit::shell
