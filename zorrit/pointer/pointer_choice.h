// SPDX-License-Identifier: GPL-3.0-or-later
// Where the trail's pointer comes from: the X server in an X11 session, KWin or GNOME Shell in
// theirs, and a plain word to the user on any other Wayland desktop.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace platform {
class Dialogs;
class SourcedWindowSystem;
} // namespace platform

namespace zorrit::pointer {

class BusPointerSource;
class CompositorSource;
class GnomePointerSource;
class KWinPointerSource;

enum class PointerSession { X11, KWin, Gnome, Wlroots, OtherWayland };

// Wayland when WAYLAND_DISPLAY or XDG_SESSION_TYPE says so; then the compositor by the name it
// holds on the session bus (so a KWin without XDG_CURRENT_DESKTOP is still found), else one that
// offers cursor sessions.
PointerSession detectPointerSession();

QString otherWaylandText();
QString gnomeExtensionText();

// Shows an information message once per user: `markerFolder` keeps a file per notice shown.
// Returns whether it was shown now.
bool showNoticeOnce(platform::Dialogs &dialogs, const QString &markerFolder, const QString &key,
                    const QString &text);

// The compositor's pointer for one run: chosen at start, followed while the compositor or the
// extension comes and goes (the X server's pointer stands in meanwhile, and standard error says
// so once each time), given up at quit.
class PointerChoice final : public QObject
{
    Q_OBJECT

public:
    // How long a GNOME Shell extension that is not active at start gets before the user is told
    // how to enable it: GNOME Shell says it enabled one a moment before it runs.
    static constexpr int kGnomeGraceMs = 3000;
    // How long a copy waits for the bus name before saying another program holds it (a copy
    // that hands over ends within a second).
    static constexpr int kNameWaitMs = 5000;

    PointerChoice(platform::SourcedWindowSystem &windows, platform::Dialogs &dialogs,
                  const QString &noticeFolder);
    ~PointerChoice() override;

    // `scriptFolder` receives the KWin script.
    void start(PointerSession session, const QString &scriptFolder);
    // Gives the pointer back to the X server and unloads the KWin script: the quit path. The
    // source itself goes (and the bus name with it) with this object, after the trail.
    void stop();

private:
    void otherWayland(const QString &why);
    void sayOnlyOverX11(const QString &why);
    void gnomeGraceOver();

    platform::SourcedWindowSystem &m_windows;
    platform::Dialogs &m_dialogs;
    QString m_noticeFolder;
    std::unique_ptr<BusPointerSource> m_source;
    std::unique_ptr<CompositorSource> m_compositor;
    // m_source, as what it is
    KWinPointerSource *m_kwin = nullptr;
    const GnomePointerSource *m_gnome = nullptr;
    QTimer m_gnomeGrace;
    QTimer m_nameWait;
};

} // namespace zorrit::pointer
