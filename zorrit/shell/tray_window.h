// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden window titled "Tray": it owns the tray icon and its menu. What the menu asks for
// beyond the trail's visibility goes out as signals; the composition root decides what they do.
#pragma once

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
    platform::Shell &shell;
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
    void removeIcon();

    QSystemTrayIcon &icon() { return m_icon; }
    QMenu &menu() { return m_menu; }
    // A menu item by its name ("theprefs", "yesjug", ...), or null.
    QAction *item(const QString &name) const;
    bool trailOn() const;

    static QString noTrayHostText()
    {
        return tr("zorrit: no system tray found after a minute; Zorrit runs on without its tray "
                  "icon. Open its preferences with \"zorrit --preferences\" and end it with "
                  "\"zorrit --quit\".\n");
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

private:
    QAction *addItem(const char *name, const QString &caption);
    void addSeparator(const char *name);
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void retryTrayHost();

    void openGallery();
    void showTrail();
    void hideTrail();
    void quitFromMenu();

    TrayDeps m_deps;
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QAction *m_preferencesItem = nullptr;
    QAction *m_trailOnItem = nullptr;
    QAction *m_trailOffItem = nullptr;
    QTimer m_hostRetry;
    int m_hostTries = 0;
    bool m_iconWanted = false;
    bool m_statusNotifier = false; // the icon is a StatusNotifier item, not in an XEmbed tray
};

} // namespace zorrit::shell
