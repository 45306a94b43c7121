// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the wizard and the help page relative to the running program.
#include "install_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zorrit::integration {

namespace {

const QString kHelpFile = QStringLiteral("Help.htm");

// From the program folder to the data folder, e.g. "../share/zorrit"; set by the build.
QString relativeDataDir()
{
    return QStringLiteral(ZORRIT_RELATIVE_DATADIR);
}

QString relativeApplicationsDir()
{
    return QStringLiteral(ZORRIT_RELATIVE_APPLICATIONSDIR);
}

} // namespace

QString vandrelProgram(const QString &programDir)
{
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("vandrel")));
}

QStringList helpFileCandidates(const QString &currentDir, const QString &programDir)
{
    QStringList candidates;
    const auto add = [&candidates](const QString &path) {
        const QString clean = QDir::cleanPath(path);
        if (!candidates.contains(clean))
            candidates.append(clean);
    };
    if (!currentDir.isEmpty())
        add(QDir(currentDir).filePath(kHelpFile));
    if (!programDir.isEmpty())
        add(QDir(programDir).filePath(relativeDataDir() + QLatin1Char('/') + kHelpFile));
    add(QStringLiteral(ZORRIT_INSTALL_DATADIR) + QLatin1Char('/') + kHelpFile);
    return candidates;
}

QString findHelpFile(const QString &currentDir, const QString &programDir)
{
    for (const QString &candidate : helpFileCandidates(currentDir, programDir)) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

QString findHelpFile()
{
    return findHelpFile(QDir::currentPath(), QCoreApplication::applicationDirPath());
}

bool isInstalledCopy(const QString &programDir)
{
    if (programDir.isEmpty())
        return false;
    return QFileInfo(QDir(programDir)
                         .filePath(relativeApplicationsDir() + QStringLiteral("/zorrit.desktop")))
        .isFile();
}

} // namespace zorrit::integration
