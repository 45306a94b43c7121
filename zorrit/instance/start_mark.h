// SPDX-License-Identifier: GPL-3.0-or-later
// When a process started, as the kernel recorded it at the fork: which of two copies is newer.
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace zorrit::instance {

// A process and the moment it started, in clock ticks since boot. Copies started within one tick
// are told apart by their process ids, which the kernel hands out in the order of the forks.
struct StartMark
{
    quint64 ticks = 0;
    qint64 pid = 0;

    friend auto operator<=>(const StartMark &, const StartMark &) = default;
};

// What /proc/PID/stat says about a process: its state letter and its start in clock ticks.
struct ProcessStat
{
    char state = 0;
    quint64 startTicks = 0;
};
// Reads the line of /proc/PID/stat; the command name in parentheses may hold anything, so the
// fields are counted from the last ')'. Nothing for a line that is not one.
std::optional<ProcessStat> parseProcessStat(QByteArrayView line);

// The mark of a running process; nothing when it has ended (or /proc cannot tell).
std::optional<StartMark> startMarkOf(qint64 pid);
// This process's mark.
StartMark ownStartMark();
// Whether the process that carried the mark still runs: same id, same start, not a zombie. A
// process id taken again by another program has another start.
bool processIsRunning(const StartMark &mark);

} // namespace zorrit::instance
