// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden window titled "Tray": it owns the tray icon and its menu, hears the close request of
// a copy that takes over, and holds the program's version and the not-found notice timer.
#pragma once

#include "version_holder.h"

#include <QLocalServer>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QLocalSocket;

namespace platform {
class Shell;
}
namespace zorrit::prefs {
class PrefsHolder;
}
namespace zorrit::settings {
class SettingsStore;
}
namespace zorrit::trail {
class TrailEngine;
}

namespace zorrit::shell {

class NotFoundNotice;

struct TrayDeps
{
    prefs::PrefsHolder &prefs;
    settings::SettingsStore &store;
    trail::TrailEngine &engine;
    NotFoundNotice &notice;
    platform::Shell &shell;
    QString runtimeFolder; // where Scrap.dat is looked for
    VersionHolder &versions;
};

class TrayWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit TrayWindow(TrayDeps deps);
    ~TrayWindow() override;

    // The window's load: puts the icon into the tray. Without a tray host yet (a session still
    // starting) it keeps trying for a while and says so on stderr if none ever comes.
    void addIcon();
    // Takes the icon out of the tray.
    void RemoveThat();
    // Starts hearing close requests at serverPath (the copy must hold the instance lock).
    bool listenForCloseRequests(const QString &serverPath);
    bool isListening() const { return m_server.isListening(); }

    QSystemTrayIcon &icon() { return m_icon; }
    QMenu &mnuFile() { return m_menu; }
    // A menu item by its name ("theprefs", "yesjug", ...), or null.
    QAction *item(const QString &name) const;
    bool trailOn() const;

    // The program's version for display and as a number without points.
    QString whatsit() const;
    QString daversion() const;
    // The latest version the update check found.
    qint16 latestversion() const { return m_deps.versions.latestversion; }
    void setLatestversion(qint16 value) { m_deps.versions.latestversion = value; }
    QTimer &TimerEr();

    // What the window asks of the rest of the program.
    std::function<void()> showPreferences; // shown and brought to the front
    std::function<void()> showAbout;       // empty: the item does nothing
    std::function<void()> endProgram;      // at once, nothing saved

    // Whether a tray host runs, how often to look again, and where to say there is none.
    std::function<bool()> trayHostAvailable;
    int hostRetryIntervalMs = 1000;
    int hostRetryAttempts = 60;
    std::function<void(const char *)> reportNoTrayHost;

    static QString noTrayHostText()
    {
        return QStringLiteral("zorrit: no system tray found after a minute; Zorrit runs on "
                              "without its tray icon.\n");
    }

protected:
    // The window's close path: icon removed; when a copy handed over (Scrap.dat), the program ends.
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *addItem(const char *name, const QString &caption);
    void addSeparator(const char *name);
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void retryTrayHost();
    void acceptCloseRequests();
    void readCloseRequest(QLocalSocket *socket);

    void down();
    void loadth();
    void usebuilt();
    void yesjug();
    void nojug();
    void closeit();

    TrayDeps m_deps;
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QLabel *m_whatsit;
    QLabel *m_daversion;
    QTimer m_hostRetry;
    int m_hostTries = 0;
    bool m_iconWanted = false;
    bool m_statusNotifier = false; // the icon is a StatusNotifier item, not in an XEmbed tray
    QLocalServer m_server;
};

} // namespace zorrit::shell
