// SPDX-License-Identifier: GPL-3.0-or-later
// Start marks from /proc.
#include "start_mark.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <unistd.h>

namespace zorrit::instance {

std::optional<ProcessStat> parseProcessStat(QByteArrayView line)
{
    const qsizetype nameEnd = line.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    // After the name: state (field 3) ... start time (field 22).
    const QList<QByteArray> fields = line.sliced(nameEnd + 1).toByteArray().simplified().split(' ');
    constexpr int kStateField = 3;
    constexpr int kStartField = 22;
    if (fields.size() <= kStartField - kStateField || fields[0].size() != 1)
        return std::nullopt;
    bool ok = false;
    const quint64 start = fields[kStartField - kStateField].toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    return ProcessStat{fields[0][0], start};
}

namespace {

std::optional<ProcessStat> statOf(qint64 pid)
{
    if (pid <= 0)
        return std::nullopt;
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseProcessStat(file.read(4096));
}

bool hasEnded(char state)
{
    return state == 'Z' || state == 'X' || state == 'x';
}

} // namespace

std::optional<StartMark> startMarkOf(qint64 pid)
{
    const std::optional<ProcessStat> stat = statOf(pid);
    if (!stat || hasEnded(stat->state))
        return std::nullopt;
    return StartMark{stat->startTicks, pid};
}

StartMark ownStartMark()
{
    const qint64 pid = ::getpid();
    return startMarkOf(pid).value_or(StartMark{0, pid});
}

bool processIsRunning(const StartMark &mark)
{
    const std::optional<StartMark> now = startMarkOf(mark.pid);
    return now && now->ticks == mark.ticks;
}

} // namespace zorrit::instance
