// SPDX-License-Identifier: GPL-3.0-or-later
// Theme files read as a stream: never more of a file than the rules need.
#include "theme_reader.h"

#include "shipped_themes.h"

#include "common/picture_loader.h"
#include "common/theme_file.h"
#include "platform/file_names.h"
#include "zorrit/trail/sprite_picture.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace zorrit::themes {

namespace {

constexpr int kMaxThemeLines = 32767;

// Lines counted up to the end of the file; nothing on a read error or beyond 32767 lines.
std::optional<int> countLines(QFile &file)
{
    common::ThemeLineReader reader(&file);
    int count = 0;
    while (reader.skip()) {
        if (++count > kMaxThemeLines)
            return std::nullopt;
    }
    if (reader.failed())
        return std::nullopt;
    return count;
}

bool openForReading(QFile &file)
{
    // Theme files are regular files; anything else (a FIFO, a device) is not opened at all. The
    // name is taken as the bytes the system gave, UTF-8 or not.
    const int fd = platform::openRegularFile(file.fileName());
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

std::optional<QString> themeFolder(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return std::nullopt;
    return path.left(slash);
}

std::optional<ThemeFile> readThemeFile(const QString &path)
{
    QFile file(path);
    if (!openForReading(file))
        return std::nullopt;
    const std::optional<int> count = countLines(file);
    if (!count || *count < common::kThemeMinimumLines || !file.seek(0))
        return std::nullopt;

    common::ThemeLineReader reader(&file);
    std::array<QByteArray, common::kThemeLineCount> raw;
    const int wanted =
        *count == common::kThemeMinimumLines ? common::kThemeMinimumLines : common::kThemeLineCount;
    for (int i = 0; i < wanted; ++i) {
        std::optional<QByteArray> line = reader.next();
        if (!line)
            return std::nullopt; // the file changed under us
        raw[i] = std::move(*line);
    }
    ThemeFile theme;
    theme.lineCount = *count;
    theme.texts.name = common::decodeThemeText(raw[common::kThemeName]);
    theme.texts.author = common::decodeThemeText(raw[common::kThemeAuthor]);
    for (int k = 0; k < common::kThemePictureCount; ++k)
        theme.pictureLines[k] = common::decodeThemeText(raw[common::kThemeFirstPicture + k]);
    if (wanted == common::kThemeLineCount)
        theme.texts.site = common::decodeThemeText(raw[common::kThemeSite]);
    return theme;
}

std::optional<std::array<QString, common::kThemePictureCount>> readThemePictureLines(
    const QString &path)
{
    QFile file(path);
    if (!openForReading(file))
        return std::nullopt;
    common::ThemeLineReader reader(&file);
    std::array<QString, common::kThemePictureCount> lines;
    for (int i = 0; i < common::kThemeMinimumLines; ++i) {
        std::optional<QByteArray> line = reader.next();
        if (!line)
            return std::nullopt;
        if (i >= common::kThemeFirstPicture)
            lines[i - common::kThemeFirstPicture] = common::decodeThemeText(*line);
    }
    return lines;
}

std::optional<QImage> loadThemePicture(const QString &folder, const QString &line,
                                       const PictureScale &scale)
{
    if (line == common::noPictureText())
        return trail::blankPicture();
    // A sprite shows the picture's top-left corner only: nothing more is decoded.
    const common::PictureView corner{QRect(0, 0, trail::kSpriteSize, trail::kSpriteSize), {}};
    const QString path = folder + QLatin1Char('/') + line;
    if (std::optional<QImage> picture = common::loadPicture(path, corner)) {
        if (std::optional<QImage> drawn = shippedPictureAt(scale.shippedFolder, path, scale.factor))
            return drawn;
        return picture;
    }
    // A line that is not UTF-8 was read as Windows-1252; the file it names may have exactly those
    // bytes in its name.
    const std::optional<QByteArray> bytes = common::windows1252Bytes(line);
    if (!bytes || *bytes == line.toUtf8())
        return std::nullopt;
    return common::loadPicture(folder + QLatin1Char('/') + platform::decodeFileName(*bytes),
                               corner);
}

std::optional<std::array<QImage, common::kThemePictureCount>> loadThemePictures(
    const QString &path, const PictureScale &scale)
{
    const std::optional<QString> folder = themeFolder(path);
    if (!folder)
        return std::nullopt;
    const std::optional<std::array<QString, common::kThemePictureCount>> lines =
        readThemePictureLines(path);
    if (!lines)
        return std::nullopt;
    std::array<QImage, common::kThemePictureCount> pictures;
    for (int k = 0; k < common::kThemePictureCount; ++k) {
        std::optional<QImage> picture = loadThemePicture(*folder, (*lines)[k], scale);
        if (!picture)
            return std::nullopt;
        pictures[k] = std::move(*picture);
    }
    return pictures;
}

} // namespace zorrit::themes
