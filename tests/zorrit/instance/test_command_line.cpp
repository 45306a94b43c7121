// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: plain start or a theme path, quotes, relative paths and file addresses.
#include "zorrit/instance/command_line.h"

#include <gtest/gtest.h>

using namespace zorrit::instance;

TEST(CommandLine, ArgumentsAreJoinedWithSingleBlanks)
{
    EXPECT_EQ(joinedCommandLine({}), QString());
    EXPECT_EQ(joinedCommandLine({QStringLiteral("/a b/c.thm")}), QStringLiteral("/a b/c.thm"));
    EXPECT_EQ(joinedCommandLine({QStringLiteral("/my"), QStringLiteral("theme.thm")}),
              QStringLiteral("/my theme.thm"));
}

TEST(CommandLine, PlainStartAndThemePathRule)
{
    struct Row
    {
        const char *commandLine;
        bool plain;
        const char *path; // what the quote rule leaves
        CommandLineOption option = CommandLineOption::None;
    };
    const Row rows[] = {
        {"", true, ""},
        {"%0", true, "%0"},
        {"%0 ", false, "%0 "},
        {"%1", false, "%1"},
        {"\"/home/u/My Themes/a.thm\"", false, "/home/u/My Themes/a.thm"},
        {"/home/u/My Themes/a.thm", false, "/home/u/My Themes/a.thm"},
        // Only a leading quote: the first and the last character go, whatever the last one is.
        {"\"/home/u/a.thm", false, "/home/u/a.th"},
        // A trailing quote alone is not looked at.
        {"/home/u/a.thm\"", false, "/home/u/a.thm\""},
        {"\"", false, ""},
        {"\"\"", false, ""},
        {"\"x", false, ""},
        {"\"x\"", false, "x"},
        // Options count only as the whole line; anything else stays a theme path.
        {"--preferences", false, "--preferences", CommandLineOption::Preferences},
        {"--quit", false, "--quit", CommandLineOption::Quit},
        {"--help", false, "--help", CommandLineOption::Help},
        {"--version", false, "--version", CommandLineOption::Version},
        {"./--quit", false, "./--quit"},
        {"--quit --preferences", false, "--quit --preferences"},
        {"--QUIT", false, "--QUIT"},
        {"--quit ", false, "--quit "},
        {"\"--quit\"", false, "--quit"},
        {"-q", false, "-q"},
    };
    for (const Row &row : rows) {
        const QString line = QString::fromUtf8(row.commandLine);
        EXPECT_EQ(isPlainStart(line), row.plain) << row.commandLine;
        EXPECT_EQ(takeThemePath(line), QString::fromUtf8(row.path)) << row.commandLine;
        EXPECT_EQ(commandLineOption(line), row.option) << row.commandLine;
    }
}

TEST(CommandLine, StoredPathIsAbsoluteAndLocal)
{
    const QString here = QStringLiteral("/home/u/work");
    struct Row
    {
        const char *path;
        const char *stored;
    };
    const Row rows[] = {
        {"", ""},
        {"/abs/theme.thm", "/abs/theme.thm"},
        {"theme.thm", "/home/u/work/theme.thm"},
        {"sub/../themes/t.thm", "/home/u/work/themes/t.thm"},
        {"../t.thm", "/home/u/t.thm"},
        {"My Theme.thm", "/home/u/work/My Theme.thm"},
        {"file:///home/u/My%20Themes/t.thm", "/home/u/My Themes/t.thm"},
        {"FILE:///tmp/t.thm", "/tmp/t.thm"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(storedThemePath(QString::fromUtf8(row.path), here), QString::fromUtf8(row.stored))
            << row.path;
}
