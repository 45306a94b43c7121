// SPDX-License-Identifier: GPL-3.0-or-later
// Finding Help.htm and vandrel.
#include "help_lookup.h"

#include <QDir>
#include <QFileInfo>

namespace zorrit::prefs {

namespace {
const QString kHelpName = QStringLiteral("Help.htm");
}

QString installedHelpDocument(const QString &programFolder)
{
    const QDir program(programFolder);
    // Next to the program (a build or an unpacked copy), then the usual share folder of a prefix.
    const QString candidates[] = {
        program.filePath(kHelpName),
        program.filePath(QStringLiteral("../share/zorrit/") + kHelpName),
        program.filePath(QStringLiteral("../share/doc/zorrit/") + kHelpName),
    };
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).absoluteFilePath();
    }
    return {};
}

QString helpDocument(const QString &currentFolder, const QString &programFolder)
{
    const QString here = QDir(currentFolder).filePath(kHelpName);
    if (QFileInfo(here).isFile())
        return here;
    const QString installed = installedHelpDocument(programFolder);
    return installed.isEmpty() ? here : installed;
}

QString vandrelProgram(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("vandrel"));
}

} // namespace zorrit::prefs
