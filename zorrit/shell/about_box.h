// SPDX-License-Identifier: GPL-3.0-or-later
// The about box "about": version, the maker's home page link, and the start of the update check.
#pragma once

#include "zorrit/shell/version_holder.h"

#include <QDialog>

namespace platform {
class Shell;
}

namespace zorrit::shell {

class AboutBox : public QDialog
{
    Q_OBJECT

public:
    // exec() result when "&Check for updates..." closed the box.
    static constexpr int kCheckForUpdates = 2;

    AboutBox(const VersionHolder &versions, platform::Shell &shell, QWidget *parent = nullptr);
};

// Shows the about box modally. True when the user asked for the update check: the box is gone by
// then, and the caller starts the check. Used by the tray menu's "A&bout Zorrit..." and the
// preferences dialog's "&About...".
bool showAboutBox(QWidget *parent, const VersionHolder &versions, platform::Shell &shell);

} // namespace zorrit::shell
