// SPDX-License-Identifier: GPL-3.0-or-later
// Building the icons from the PNGs compiled in under ":/icons/hicolor".
#include "app_icons.h"

namespace resources {

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QIcon drawnIcon(const char *context, const char *name)
{
    QIcon icon;
    for (const int size : kSizes)
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/%2/%3.png")
                         .arg(size)
                         .arg(QLatin1String(context), QLatin1String(name)),
                     QSize(size, size));
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
