// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon, its menu and the hidden window that carries them.
#include "tray_window.h"

#include "common/maker_web.h"
#include "not_found_notice.h"
#include "platform/shell.h"
#include "program_icon.h"
#include "status_notifier.h"
#include "zorrit/trail/hand_off.h"
#include "zorrit/trail/trail_engine.h"

#include <QCloseEvent>
#include <QFile>
#include <QUrl>

#include <cstdio>

namespace zorrit::shell {

bool TrayHostWatch::systemTrayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayHostWatch::reportOnStderr(const char *text)
{
    std::fputs(text, stderr);
}

TrayWindow::TrayWindow(TrayDeps deps)
    : m_deps(std::move(deps))
    , m_menu(QStringLiteral("File"))
{
    setObjectName(QStringLiteral("tray"));
    setWindowTitle(QStringLiteral("Tray"));
    setAttribute(Qt::WA_DontShowOnScreen);
    m_menu.setObjectName(QStringLiteral("mnuFile"));

    m_theprefs = addItem("theprefs", QStringLiteral("&Zorrit Preferences..."));
    QFont bold = m_theprefs->font();
    bold.setBold(true);
    m_theprefs->setFont(bold);
    m_menu.setDefaultAction(m_theprefs);
    QAction *downItem = addItem("down", QStringLiteral("&Download new themes..."));
    addSeparator("sep3");
    QAction *loadthItem = addItem("loadth", QStringLiteral("&Load Theme..."));
    QAction *usebuiltItem = addItem("usebuilt", QStringLiteral("&Use built-in theme"));
    addSeparator("sep1");
    m_yesjug = addItem("yesjug", QStringLiteral("Zorrit &On"));
    m_nojug = addItem("nojug", QStringLiteral("Zorrit O&ff"));
    // One of the two is always marked; choosing the marked one again changes nothing. They carry
    // check marks: an exclusive QActionGroup would turn them into radio marks, in our menu and on
    // StatusNotifier panels alike, so the two slots keep the pair exclusive themselves.
    for (QAction *mark : {m_yesjug, m_nojug})
        mark->setCheckable(true);
    m_yesjug->setChecked(true);
    addSeparator("sep2");
    QAction *aboItem = addItem("abo", QStringLiteral("A&bout Zorrit..."));
    QAction *closeitItem = addItem("closeit", QStringLiteral("&Quit"));

    connect(m_theprefs, &QAction::triggered, this, &TrayWindow::preferencesRequested);
    connect(downItem, &QAction::triggered, this, &TrayWindow::down);
    connect(loadthItem, &QAction::triggered, this, &TrayWindow::loadThemeRequested);
    connect(usebuiltItem, &QAction::triggered, this, &TrayWindow::builtInThemeRequested);
    connect(m_yesjug, &QAction::triggered, this, &TrayWindow::yesjug);
    connect(m_nojug, &QAction::triggered, this, &TrayWindow::nojug);
    connect(aboItem, &QAction::triggered, this, &TrayWindow::aboutRequested);
    connect(closeitItem, &QAction::triggered, this, &TrayWindow::closeit);

    m_icon.setIcon(programIcon());
    m_icon.setToolTip(QStringLiteral("Zorrit"));
    // The right button opens the menu (the tray host's way); the left double click opens the
    // preferences; nothing else acts. A StatusNotifier panel sends no double click: there a click
    // on the icon opens the preferences.
    m_statusNotifier = statusNotifierHostPresent();
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayWindow::onActivated);

    connect(&m_hostRetry, &QTimer::timeout, this, &TrayWindow::retryTrayHost);
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
    return m_yesjug->isChecked();
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
    const TrayHostWatch &watch = m_deps.hostWatch;
    if (watch.available && watch.available())
        return;
    m_hostTries = 0;
    m_hostRetry.start(watch.retryIntervalMs);
}

void TrayWindow::retryTrayHost()
{
    if (!m_iconWanted) {
        m_hostRetry.stop();
        return;
    }
    const TrayHostWatch &watch = m_deps.hostWatch;
    if (watch.available && watch.available()) {
        m_hostRetry.stop();
        m_icon.hide();
        m_icon.show();
        return;
    }
    if (++m_hostTries >= watch.retryAttempts) {
        m_hostRetry.stop();
        if (watch.report)
            watch.report(noTrayHostText().toLocal8Bit().constData());
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
    if (opens)
        Q_EMIT preferencesRequested();
}

void TrayWindow::down()
{
    m_deps.shell.openUrl(QUrl(common::web::gallery()));
}

void TrayWindow::yesjug()
{
    m_yesjug->setChecked(true);
    m_nojug->setChecked(false);
    m_deps.engine.showWindows();
}

void TrayWindow::nojug()
{
    m_yesjug->setChecked(false);
    m_nojug->setChecked(true);
    // The animation goes on; the windows keep their pictures, outlines and places.
    m_deps.engine.hideWindows();
}

void TrayWindow::closeit()
{
    // The icon goes first so no dead icon stays in the tray; Scrap.dat is not this path's business.
    RemoveThat();
    Q_EMIT quitRequested();
}

void TrayWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    RemoveThat();
    const QString scrap = trail::scrapFilePath(m_deps.runtimeFolder);
    if (!m_deps.runtimeFolder.isEmpty() && trail::FileExists(scrap)) {
        QFile::remove(scrap);
        Q_EMIT quitRequested();
    }
}

} // namespace zorrit::shell
