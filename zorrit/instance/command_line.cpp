// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line rule of Zorrit's start-up.
#include "command_line.h"

#include "common/translations.h"

#include <QDir>
#include <QUrl>

namespace zorrit::instance {

QString joinedCommandLine(const QStringList &arguments)
{
    return arguments.join(QLatin1Char(' '));
}

bool isPlainStart(const QString &commandLine)
{
    return commandLine.isEmpty() || commandLine == QLatin1String("%0");
}

CommandLineOption commandLineOption(const QString &commandLine)
{
    static const struct
    {
        QLatin1StringView word;
        CommandLineOption option;
    } options[] = {
        {QLatin1StringView("--preferences"), CommandLineOption::Preferences},
        {QLatin1StringView("--quit"), CommandLineOption::Quit},
        {QLatin1StringView("--help"), CommandLineOption::Help},
        {QLatin1StringView("--version"), CommandLineOption::Version},
    };
    for (const auto &entry : options) {
        if (commandLine == entry.word)
            return entry.option;
    }
    return CommandLineOption::None;
}

QString usageText()
{
    // Asked for before the application object exists.
    return common::translate(
        "zorrit::instance",
        "Usage: zorrit [THEME-FILE]\n"
        "       zorrit --preferences | --quit | --help | --version\n"
        "\n"
        "A trail of five little pictures that follows the mouse pointer.\n"
        "\n"
        "  THEME-FILE      use this theme (a copy already running hands over to this one)\n"
        "  --preferences   open the preferences of the running Zorrit; with none running,\n"
        "                  start Zorrit and open them\n"
        "  --quit          end the running Zorrit\n"
        "  --help          show this help\n"
        "  --version       show the version\n"
        "\n"
        "An option counts only as the whole command line; anything else is a theme file's path.\n");
}

QString takeThemePath(const QString &commandLine)
{
    QString path = commandLine;
    if (path.startsWith(QLatin1Char('"'))) {
        path.chop(1);                               // the last character, whatever it is
        path = path.isEmpty() ? path : path.mid(1); // then the first, if anything is left
    }
    return path;
}

QString storedThemePath(const QString &path, const QString &currentFolder)
{
    if (path.isEmpty())
        return path;
    QString local = path;
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(path);
        if (url.isValid() && url.isLocalFile())
            local = url.toLocalFile();
    }
    if (QDir::isAbsolutePath(local))
        return local;
    return QDir::cleanPath(currentFolder + QLatin1Char('/') + local);
}

} // namespace zorrit::instance
