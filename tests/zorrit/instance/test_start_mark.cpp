// SPDX-License-Identifier: GPL-3.0-or-later
// Start marks: the start time read from /proc, and which marks still belong to a running process.
#include "zorrit/instance/start_mark.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

using namespace zorrit::instance;

TEST(StartMark, ReadFromTheStatLineWhateverTheCommandName)
{
    const char *const tail = " 1 42 42 0 -1 4194560 120 0 0 0 3 1 0 0 20 0 1 0 987654 1000 9";
    const struct
    {
        QByteArray line;
        std::optional<char> state;
    } rows[] = {
        {QByteArray("42 (zorrit) S") + tail, 'S'},
        // A name may hold blanks and parentheses: the fields start after the last ')'.
        {QByteArray("42 (a) R 1 (x) Z") + tail, 'Z'},
        {QByteArray("42 (zorrit) S 1 42"), std::nullopt},
        {QByteArray("42 zorrit S") + tail, std::nullopt},
        {QByteArray("42 (zorrit) S") + QByteArray(tail).replace("987654", "98x"), std::nullopt},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.line.constData());
        const std::optional<ProcessStat> stat = parseProcessStat(row.line);
        ASSERT_EQ(stat.has_value(), row.state.has_value());
        if (stat) {
            EXPECT_EQ(stat->state, *row.state);
            EXPECT_EQ(stat->startTicks, 987654u);
        }
    }
}

TEST(StartMark, OnlyTheSameProcessStillRunningCarriesIt)
{
    const StartMark own = ownStartMark();
    EXPECT_GT(own.ticks, 0u);
    EXPECT_TRUE(processIsRunning(own));
    // The same id with another start is another process, as after the id was reused (or a boot).
    EXPECT_FALSE(processIsRunning(StartMark{own.ticks + 1, own.pid}));

    // A child that has ended but is not yet reaped (a zombie) runs no more, nor once reaped.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    const std::optional<StartMark> childMark = startMarkOf(child);
    ASSERT_TRUE(childMark.has_value());
    EXPECT_TRUE(processIsRunning(*childMark));
    EXPECT_GE(*childMark, own);
    ::kill(child, SIGKILL);
    siginfo_t info{};
    ::waitid(P_PID, id_t(child), &info, WEXITED | WNOWAIT);
    EXPECT_FALSE(processIsRunning(*childMark));
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(processIsRunning(*childMark));
}
