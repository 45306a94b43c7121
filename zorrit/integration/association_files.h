// SPDX-License-Identifier: GPL-3.0-or-later
// The content of the files that make the desktop open theme files with Zorrit: pure text, no I/O.
#pragma once

#include <QByteArray>
#include <QString>

namespace zorrit::integration {

// What the association is made of. Start-up fills it from the running program.
struct Association
{
    QString typeName;    // "Zorrit": names the MIME type, the desktop entry and the package file
    QString extension;   // ".thm"
    QString description; // "Zorrit File": the comment of the MIME type
    QString iconEntry;   // icon of the file type, an icon-theme name ("application-x-zorrit-theme")
    QString programPath; // the running program file, absolute
    // True when the program is the installed copy, whose desktop entry is also its menu entry;
    // any other copy (build tree, a moved file) registers itself without showing up in menus.
    bool menuEntry = false;
};

// The lower-case name used for files and the MIME type: letters, digits and '-' of the type name.
// Empty when nothing usable is left, and then nothing is written.
QString baseName(const QString &typeName);
// "application/x-zorrit-theme" for "Zorrit"; empty for an unusable type name.
QString mimeTypeName(const QString &typeName);
// "zorrit.desktop" for "Zorrit".
QString desktopFileId(const QString &typeName);
// The desktop-file ID the association writes: the installed copy's own, "zorrit.desktop"; any other
// copy has "zorrit-uninstalled.desktop", so that its entry (hidden from menus) never shadows the
// installed copy's menu entry.
QString desktopFileId(const Association &association);
// True when entry is exactly what desktopEntry() gives for an uninstalled copy of this type,
// whatever its path: a file this program wrote, which may be removed again.
bool isUninstalledCopyEntry(const QByteArray &entry, const Association &association);
// "*.thm" for ".thm" or "thm"; empty for an extension that is empty or holds glob or path
// characters.
QString globPattern(const QString &extension);

// One argument of an Exec line, quoted and escaped as the Desktop Entry rules require: in double
// quotes, with '"', '`', '$' and '\' escaped by a backslash and '%' doubled.
QString quoteExecArgument(const QString &argument);
// The same, but left bare (only '%' doubled) when it holds no reserved character.
QString execArgument(const QString &argument);
// A value escaped for a desktop entry line (backslash, newline, tab, carriage return).
QString escapeDesktopValue(const QString &value);

// The shared-MIME-info package declaring the type, its glob, comment and icon.
QByteArray mimePackageXml(const Association &association);
// The desktop entry that opens a theme file with the program ("%f": one local file, whole).
QByteArray desktopEntry(const Association &association);

} // namespace zorrit::integration
