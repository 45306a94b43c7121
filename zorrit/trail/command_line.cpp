// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line rule of Zorrit's start-up.
#include "command_line.h"

#include <QDir>
#include <QUrl>

namespace zorrit::trail {

QString joinedCommandLine(const QStringList &arguments)
{
    return arguments.join(QLatin1Char(' '));
}

bool isPlainStart(const QString &commandLine)
{
    return commandLine.isEmpty() || commandLine == QLatin1String("%0");
}

QString takeThemePath(const QString &commandLine)
{
    QString path = commandLine;
    if (path.startsWith(QLatin1Char('"'))) {
        path.chop(1);                        // the last character, whatever it is
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

} // namespace zorrit::trail
