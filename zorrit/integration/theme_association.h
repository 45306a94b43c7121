// SPDX-License-Identifier: GPL-3.0-or-later
// Registers the running program as the opener of theme files for the current user.
#pragma once

#include "association_files.h"

#include <QString>
#include <QStringList>

namespace platform {
class Shell;
}

namespace zorrit::integration {

// The icon-theme name of the theme file type, installed with the program's icons.
inline QString themeFileIconName()
{
    return QStringLiteral("application-x-zorrit-theme");
}

// Where the user's desktop files live.
struct AssociationFolders
{
    QString dataHome;   // $XDG_DATA_HOME, by default ~/.local/share
    QString configHome; // $XDG_CONFIG_HOME, by default ~/.config
    static AssociationFolders fromEnvironment();

    QString mimePackagesDir() const;  // <dataHome>/mime/packages
    QString applicationsDir() const;  // <dataHome>/applications
    QString mimeappsListPath() const; // <configHome>/mimeapps.list
};

// Which files were written anew (an unchanged file is left alone), and which caches were asked
// to refresh. Start-up ignores it; tests read it.
struct AssociationResult
{
    bool mimePackage = false;
    bool desktopEntry = false;
    bool mimeappsList = false;
    bool mimeDatabaseRefreshed = false;
    bool desktopDatabaseRefreshed = false;
    // Files that are not regular files (a FIFO, a device, a folder) or are far too big: neither
    // read nor replaced.
    QStringList leftAlone;
};

// Writes the MIME package, the desktop entry and the default in mimeapps.list, each atomically
// (but not over a file it leaves alone), then starts update-mime-database /
// update-desktop-database (detached, through `shell`) when they are installed and a cache is
// older than what was written. No shell: no refresh.
// Nothing is written for an empty or unusable type name or extension. Failures are silent.
AssociationResult writeAssociation(const Association &association,
                                   const AssociationFolders &folders, platform::Shell *shell);

// Start-up calls this on every plain start: registers the running program file (so a moved or
// renamed program registers itself again) in the user's XDG folders. Each file left alone is
// named once on standard error.
void AssociateThemeFiles(const QString &typeName, const QString &extension,
                         const QString &description, const QString &iconEntry);

} // namespace zorrit::integration
