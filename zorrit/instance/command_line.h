// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line asks for: a plain start, a theme file to use, or one of the few options.
#pragma once

#include <QString>
#include <QStringList>

namespace zorrit::instance {

// The whole command line: the program's arguments joined with single blanks.
QString joinedCommandLine(const QStringList &arguments);

// An empty command line and exactly "%0" are a plain start.
bool isPlainStart(const QString &commandLine);

enum class CommandLineOption { None, Preferences, Quit, Help, Version };
// An option only when it is the whole command line ("--preferences", "--quit", "--help",
// "--version"); any other line is a theme path, so "./--quit" opens a theme file of that name.
CommandLineOption commandLineOption(const QString &commandLine);
// What --help prints.
QString usageText();

// The theme path in a command line: when it starts with a double quote, its last and then its
// first character go (whatever they are); nothing else is parsed, so a path with blanks stays
// whole. A line too short for both quotes yields what remains (possibly nothing).
QString takeThemePath(const QString &commandLine);

// The path as the theme setting keeps it: a file:// address becomes its local path, and a
// relative path is made absolute against currentFolder. An empty path stays empty.
QString storedThemePath(const QString &path, const QString &currentFolder);

} // namespace zorrit::instance
