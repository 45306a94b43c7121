// SPDX-License-Identifier: GPL-3.0-or-later
// The themes that come with Zorrit, drawn by code: each picture as it is stored, and the GIF
// writer Qt lacks.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace resources::themes {

// The colour a sprite window cuts away.
inline constexpr QRgb kKeyColour = 0xffff00ff;
// The largest picture a sprite shows.
inline constexpr int kSpriteSide = 20;

enum class PictureFormat {
    Bmp,      // 24 bits, the key colour around the shape
    Gif,      // a palette; the key colour around the shape
    GifClear, // a palette; a transparent entry around the shape
    Jpeg,     // square pictures that need no key colour (JPEG would blur its edge)
};

struct ShippedPicture
{
    QString fileName;
    QImage image; // ARGB32: transparent where the sprite is cut away
};

struct ShippedTheme
{
    QString fileStem; // the .thm file's name without ".thm"
    QString name;
    QString author;
    QString site;
    PictureFormat format;
    std::array<ShippedPicture, 5> pictures;
};

// Every shipped theme, drawn afresh; at a scale, the same shapes drawn that many times as large
// (each side rounded to whole pixels), as sharp as at their own size.
std::vector<ShippedTheme> shippedThemes(double scale = 1);

// A picture as the file stores it: fully opaque, the key colour where it is transparent (BMP,
// JPEG and the keyed GIF); the transparent GIF keeps its transparency.
QImage storedImage(const QImage &picture, PictureFormat format);

// GIF89a of an image with at most 256 colours (a fully transparent pixel becomes the one
// transparent entry); nothing when it has more colours.
std::optional<QByteArray> encodeGif(const QImage &image);

// The bytes of the picture file in its format; nothing if it cannot be encoded.
std::optional<QByteArray> encodePicture(const QImage &picture, PictureFormat format);

} // namespace resources::themes
