// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon, its menu and the hidden window that carries them.
#include "tray_window.h"

#include "common/maker_web.h"
#include "platform/shell.h"
#include "program_icon.h"
#include "status_notifier.h"
#include "zorrit/trail/trail_engine.h"

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

    // The items' object names are the ones tests look them up by.
    m_preferencesItem = addItem("theprefs", tr("&Zorrit Preferences..."));
    QFont bold = m_preferencesItem->font();
    bold.setBold(true);
    m_preferencesItem->setFont(bold);
    m_menu.setDefaultAction(m_preferencesItem);
    QAction *galleryItem = addItem("down", tr("&Download new themes..."));
    addSeparator("sep3");
    QAction *loadThemeItem = addItem("loadth", tr("&Load Theme..."));
    QAction *builtInItem = addItem("usebuilt", tr("&Use built-in theme"));
    addSeparator("sep1");
    m_trailOnItem = addItem("yesjug", tr("Zorrit &On"));
    m_trailOffItem = addItem("nojug", tr("Zorrit O&ff"));
    // One of the two is always marked; choosing the marked one again changes nothing. They carry
    // check marks: an exclusive QActionGroup would turn them into radio marks, in our menu and on
    // StatusNotifier panels alike, so the two slots keep the pair exclusive themselves.
    for (QAction *mark : {m_trailOnItem, m_trailOffItem})
        mark->setCheckable(true);
    m_trailOnItem->setChecked(true);
    addSeparator("sep2");
    QAction *aboutItem = addItem("abo", tr("A&bout Zorrit..."));
    QAction *quitItem = addItem("closeit", tr("&Quit"));

    connect(m_preferencesItem, &QAction::triggered, this, &TrayWindow::preferencesRequested);
    connect(galleryItem, &QAction::triggered, this, &TrayWindow::openGallery);
    connect(loadThemeItem, &QAction::triggered, this, &TrayWindow::loadThemeRequested);
    connect(builtInItem, &QAction::triggered, this, &TrayWindow::builtInThemeRequested);
    connect(m_trailOnItem, &QAction::triggered, this, &TrayWindow::showTrail);
    connect(m_trailOffItem, &QAction::triggered, this, &TrayWindow::hideTrail);
    connect(aboutItem, &QAction::triggered, this, &TrayWindow::aboutRequested);
    connect(quitItem, &QAction::triggered, this, &TrayWindow::quitFromMenu);

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
    removeIcon();
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
    return m_trailOnItem->isChecked();
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

void TrayWindow::removeIcon()
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

void TrayWindow::openGallery()
{
    m_deps.shell.openUrl(QUrl(common::web::gallery()));
}

void TrayWindow::showTrail()
{
    m_trailOnItem->setChecked(true);
    m_trailOffItem->setChecked(false);
    // Shown unless a full-screen program keeps it hidden for now.
    m_deps.engine.setHidden(trail::TrailEngine::HiddenBy::User, false);
}

void TrayWindow::hideTrail()
{
    m_trailOnItem->setChecked(false);
    m_trailOffItem->setChecked(true);
    // The animation goes on; the windows keep their pictures, outlines and places.
    m_deps.engine.setHidden(trail::TrailEngine::HiddenBy::User, true);
}

void TrayWindow::quitFromMenu()
{
    // The icon goes first so no dead icon stays in the tray; Scrap.dat is not this path's business.
    removeIcon();
    Q_EMIT quitRequested();
}

} // namespace zorrit::shell
