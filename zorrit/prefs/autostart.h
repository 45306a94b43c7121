// SPDX-License-Identifier: GPL-3.0-or-later
// "Start Zorrit when I log in": the desktop entry in the user's autostart folder that starts
// Zorrit with the session, and the user's own entries for Zorrit that are found there.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorrit::prefs {

// Where the entry goes, and what it starts.
struct AutostartPlace
{
    QString folder;  // the user's autostart folder
    QString program; // "zorrit" for the installed copy, the copy's own path for any other
};

// $XDG_CONFIG_HOME/autostart ($HOME/.config/autostart without it), with the running program:
// "zorrit" when it is the installed copy, else its own file.
AutostartPlace userAutostartPlace();

// The entry Zorrit writes for program.
QByteArray autostartEntry(const QString &program);

// What the autostart folder holds for Zorrit, read as the desktop reads it.
struct AutostartState
{
    QString ourEntry;               // the entry Zorrit wrote, byte for byte; empty when none
    QStringList usersEntries;       // the user's own entries that start Zorrit
    QStringList switchedOffEntries; // the user's own entries for Zorrit, switched off
    bool on() const { return !ourEntry.isEmpty() || !usersEntries.isEmpty(); }
};
AutostartState readAutostart(const QString &folder);

// Makes the session start Zorrit, or not. On: a user's own entry that is switched off is switched
// on again, otherwise Zorrit's own entry is written (none is when Zorrit already starts). Off:
// Zorrit's own entry is removed; the user's own entries are kept and switched off
// ("Hidden=true", set where the key stands or added), every other byte of them, their mode and
// their owner as they were. Returns the file that could not be written or removed, or nothing
// when all went well.
std::optional<QString> switchAutostart(const AutostartPlace &place, bool on);

} // namespace zorrit::prefs
