// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the shipped themes beside the program.
#include "shipped_themes.h"

#include <QDir>
#include <QFileInfo>

namespace zorrit::themes {

QString shippedThemesFolder(const QString &programDir)
{
    if (programDir.isEmpty())
        return {};
    const QString folder = QDir::cleanPath(
        QDir(programDir).absoluteFilePath(QStringLiteral("../share/zorrit/themes")));
    return QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace zorrit::themes
