// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing where the pointer comes from at start: the X server in an X11 session, KWin or GNOME
// Shell in theirs, and a plain word to the user on any other Wayland desktop.
#pragma once

#include "platform/pointer_source.h"

#include <QString>

#include <memory>

namespace platform {
class Dialogs;
}

namespace zorrit::pointer {

enum class PointerSession { X11, KWin, Gnome, OtherWayland };

// Wayland when WAYLAND_DISPLAY or XDG_SESSION_TYPE says so; then the compositor by the name it
// holds on the session bus (so a KWin without XDG_CURRENT_DESKTOP is still found).
PointerSession detectPointerSession();

struct PointerChoice
{
    std::unique_ptr<platform::PointerSource> source; // null: the X server's pointer alone
    QString warning;                       // for stderr, once per start
    QString noticeKey;                     // names the once-per-user notice; empty: none
    QString noticeText;
};

// Sets up the source for the session; `folder` receives the KWin script.
PointerChoice choosePointerSource(PointerSession session, const QString &folder);

inline QString otherWaylandText()
{
    return QStringLiteral("This desktop does not tell other programs where the pointer is, so "
                          "the trail follows it only over X11 windows.");
}
QString gnomeExtensionText();

// Shows an information message once per user: `markerFolder` keeps a file per notice shown.
// Returns whether it was shown now.
bool showNoticeOnce(platform::Dialogs &dialogs, const QString &markerFolder, const QString &key,
                    const QString &text);

} // namespace zorrit::pointer
