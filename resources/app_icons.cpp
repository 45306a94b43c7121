// SPDX-License-Identifier: GPL-3.0-or-later
// Building the icons from the PNGs compiled in under ":/icons/hicolor".
#include "app_icons.h"

#include <QImageReader>
#include <QPixmap>

namespace resources {

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QIcon drawnIcon(const char *context, const char *name)
{
    QIcon icon;
    for (const int size : kSizes) {
        // Named as PNG, with no guessing: guessing would load every image format plugin there
        // is (TIFF, WebP, MNG...) into each program just to find these PNGs are PNGs.
        QImageReader reader(QStringLiteral(":/icons/hicolor/%1x%1/%2/%3.png")
                                .arg(size)
                                .arg(QLatin1String(context), QLatin1String(name)),
                            "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

QIcon zorritIcon()
{
    return drawnIcon("apps", "zorrit");
}

QIcon vandrelIcon()
{
    return drawnIcon("apps", "vandrel");
}

QIcon themeFileIcon()
{
    return drawnIcon("mimetypes", "application-x-zorrit-theme");
}

} // namespace resources
