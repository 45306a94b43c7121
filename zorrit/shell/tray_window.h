// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden window titled "Tray": it owns the tray icon and its menu, and closing it ends the
// program when a copy has handed over. What the menu asks for beyond the trail's visibility goes
// out as signals; the composition root decides what they do.
#pragma once

#include "version_holder.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <functional>

class QAction;

namespace platform {
class Shell;
}
namespace zorrit::trail {
class TrailEngine;
}

namespace zorrit::shell {

class NotFoundNotice;

// Whether a tray host runs, how often to look again, and where to say there is none.
struct TrayHostWatch
{
    static bool systemTrayAvailable();
    static void reportOnStderr(const char *text);

    std::function<bool()> available = systemTrayAvailable;
    int retryIntervalMs = 1000;
    int retryAttempts = 60;
    std::function<void(const char *)> report = reportOnStderr;
};

struct TrayDeps
{
    trail::TrailEngine &engine;
    NotFoundNotice &notice;
    platform::Shell &shell;
    QString runtimeFolder; // where Scrap.dat is looked for
    VersionHolder &versions;
    TrayHostWatch hostWatch = {};
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

    QSystemTrayIcon &icon() { return m_icon; }
    QMenu &mnuFile() { return m_menu; }
    // A menu item by its name ("theprefs", "yesjug", ...), or null.
    QAction *item(const QString &name) const;
    bool trailOn() const;

    // The program's version for display and as a number without points.
    QString whatsit() const { return m_deps.versions.whatsit; }
    QString daversion() const { return m_deps.versions.daversion; }
    // The latest version the update check found.
    qint16 latestversion() const { return m_deps.versions.latestversion; }
    void setLatestversion(qint16 value) { m_deps.versions.latestversion = value; }
    QTimer &TimerEr();

    static QString noTrayHostText()
    {
        return QStringLiteral("zorrit: no system tray found after a minute; Zorrit runs on "
                              "without its tray icon. Open its preferences with "
                              "\"zorrit --preferences\" and end it with \"zorrit --quit\".\n");
    }

Q_SIGNALS:
    // The preferences are to be shown and brought to the front.
    void preferencesRequested();
    void aboutRequested();
    // "&Load Theme..." and "&Use built-in theme".
    void loadThemeRequested();
    void builtInThemeRequested();
    // The program is to end at once, nothing saved; the icon is already gone.
    void quitRequested();

protected:
    // The window's close path: icon removed; when a copy handed over (Scrap.dat), the program ends.
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *addItem(const char *name, const QString &caption);
    void addSeparator(const char *name);
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void retryTrayHost();

    void down();
    void yesjug();
    void nojug();
    void closeit();

    TrayDeps m_deps;
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QAction *m_theprefs = nullptr;
    QAction *m_yesjug = nullptr;
    QAction *m_nojug = nullptr;
    QTimer m_hostRetry;
    int m_hostTries = 0;
    bool m_iconWanted = false;
    bool m_statusNotifier = false; // the icon is a StatusNotifier item, not in an XEmbed tray
};

} // namespace zorrit::shell
