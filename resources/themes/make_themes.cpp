// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the shipped themes (their .thm files and pictures) into one folder, at build time.
#include "common/theme_file.h"
#include "theme_art.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "make_themes: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Drawing needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_themes FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_themes: cannot make %s\n", argv[1]);
        return 1;
    }
    using namespace resources::themes;
    for (const ShippedTheme &theme : shippedThemes()) {
        common::ThemeContent content{theme.name, theme.author, {}, theme.site};
        for (size_t k = 0; k < theme.pictures.size(); ++k) {
            const ShippedPicture &picture = theme.pictures[k];
            const std::optional<QByteArray> bytes = encodePicture(picture.image, theme.format);
            if (!bytes || !writeFile(folder.filePath(picture.fileName), *bytes))
                return 1;
            content.pictures[k] = picture.fileName;
        }
        if (!writeFile(folder.filePath(theme.fileStem + QStringLiteral(".thm")),
                       common::encodeTheme(content)))
            return 1;
    }
    return 0;
}
