// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the shipped themes beside the program.
#include "shipped_themes.h"

#include "resources/themes/theme_art.h"

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

std::optional<QImage> shippedPictureAt(const QString &shippedFolder, const QString &path,
                                       double scale)
{
    if (scale == 1 || shippedFolder.isEmpty())
        return std::nullopt;
    const QFileInfo file(path);
    const QString shipped = QFileInfo(shippedFolder).canonicalFilePath();
    if (shipped.isEmpty() || file.canonicalPath() != shipped)
        return std::nullopt;
    using namespace resources::themes;
    for (const ShippedTheme &theme : shippedThemes(scale)) {
        for (const ShippedPicture &picture : theme.pictures) {
            if (picture.fileName != file.fileName())
                continue;
            // As its file holds it: the same colours, the key colour where it is cut away.
            QImage image = storedImage(picture.image, theme.format);
            image.setDevicePixelRatio(scale);
            return image;
        }
    }
    return std::nullopt;
}

} // namespace zorrit::themes
