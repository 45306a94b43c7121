// SPDX-License-Identifier: GPL-3.0-or-later
// Reading theme files: their texts for the preferences dialog and their five pictures.
#pragma once

#include "common/theme_file.h"

#include <QImage>
#include <QString>

#include <array>
#include <optional>

namespace zorrit::themes {

inline QString builtInThemeName()
{
    return QStringLiteral("Bubbles (built-in)");
}

// The folder of a theme path (without its last "/"); nothing when the path has no "/".
std::optional<QString> themeFolder(const QString &path);

struct ThemeTexts
{
    QString name;
    QString author;
    QString site; // empty for a file of exactly seven lines
};

struct ThemeFile
{
    ThemeTexts texts;
    std::array<QString, common::kThemePictureCount> pictureLines;
    int lineCount = 0;
};

// Reads a whole theme file as the preferences dialog and the theme chooser do: counts its lines
// (more than 32767 is an error), then takes the name, author, five picture lines and, unless it
// has exactly seven lines, the site. Nothing when the file is missing, unreadable, empty or has
// fewer than seven lines.
std::optional<ThemeFile> readThemeFile(const QString &path);

// Reads just the seven lines start-up needs (the site line is never read).
std::optional<std::array<QString, common::kThemePictureCount>> readThemePictureLines(
    const QString &path);

// How large the sprites show the pictures (the factor of their scale) and where the shipped
// themes lie: a shipped theme's picture is drawn afresh at that size rather than scaled.
struct PictureScale
{
    double factor = 1;
    QString shippedFolder = {};
};

// The picture a picture line names, relative to the theme's folder: the blank picture for
// "No picture", nothing when it cannot be loaded.
std::optional<QImage> loadThemePicture(const QString &folder, const QString &line,
                                       const PictureScale &scale = {});

// Start-up: the five pictures of the theme at path, or nothing on any error.
std::optional<std::array<QImage, common::kThemePictureCount>> loadThemePictures(
    const QString &path, const PictureScale &scale = {});

} // namespace zorrit::themes
