// SPDX-License-Identifier: GPL-3.0-or-later
// Composing sprite drawings, their outlines, and drawing the built-in balls.
#include "sprite_picture.h"

#include <algorithm>
#include <cmath>

namespace zorrit::trail {

namespace {

// The picture as the sprite shows it at the scale, in pixels.
QImage shownPicture(const QImage &picture, const SpriteScale &scale)
{
    const double ratio = picture.devicePixelRatio();
    if (ratio == scale.factor)
        return picture;
    // Only the sprite's square, as drawn, is scaled.
    const int drawnSide = int(std::ceil(kSpriteSize * ratio));
    QImage source =
        picture
            .copy(0, 0, std::min(picture.width(), drawnSide), std::min(picture.height(), drawnSide))
            .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if ((row[x] & 0xffffff) == (KeyColour & 0xffffff))
                row[x] = 0;
        }
    }
    // Premultiplied, so that a clear pixel's colour does not bleed into its neighbours.
    const double by = scale.factor / ratio;
    const QSize size(std::max(1, int(std::lround(source.width() * by))),
                     std::max(1, int(std::lround(source.height() * by))));
    return source.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QImage composeSpriteDrawing(const QImage &picture, const SpriteScale &scale)
{
    QImage drawing(scale.side, scale.side, QImage::Format_RGB32);
    drawing.fill(KeyColour);
    if (picture.isNull())
        return drawing;
    const QImage source = shownPicture(picture, scale).convertToFormat(QImage::Format_ARGB32);
    const int w = std::min(source.width(), scale.side);
    const int h = std::min(source.height(), scale.side);
    for (int y = 0; y < h; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(drawing.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (qAlpha(in[x]) >= 128)
                out[x] = qRgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
        }
    }
    return drawing;
}

QRegion visibleRegion(const QImage &drawing, QRgb cutColour)
{
    // Runs of visible pixels per row, rather than one rectangle per pixel.
    QRegion region;
    const QImage image = drawing.convertToFormat(QImage::Format_RGB32);
    const QRgb key = cutColour | 0xff000000u;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && (row[x] | 0xff000000u) == key)
                ++x;
            const int start = x;
            while (x < image.width() && (row[x] | 0xff000000u) != key)
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

QImage clearKeyColour(const QImage &drawing, QRgb cutColour)
{
    QImage clear = drawing.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < clear.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(clear.scanLine(y));
        for (int x = 0; x < clear.width(); ++x)
            row[x] = (row[x] & 0xffffff) == (cutColour & 0xffffff) ? 0 : (row[x] | 0xff000000);
    }
    return clear;
}

QImage builtInBall(int index, double factor)
{
    // Base colours of the five balls, in trail order.
    static constexpr QRgb kBase[] = {qRgb(220, 30, 30), qRgb(40, 80, 230), qRgb(250, 140, 20),
                                     qRgb(30, 170, 50), qRgb(150, 50, 200)};
    const QRgb base = kBase[std::clamp(index, 0, 4)];
    constexpr int kSize = 11;
    // Each pixel takes the shade at its centre in the drawing's own 11 x 11 pixels.
    const int side = std::max(1, int(std::lround(kSize * factor)));
    const double step = double(kSize) / side;
    QImage ball(side, side, QImage::Format_ARGB32);
    ball.fill(Qt::transparent);
    ball.setDevicePixelRatio(factor);
    const double centre = 5.0;
    for (int py = 0; py < side; ++py) {
        for (int px = 0; px < side; ++px) {
            const double x = (px + 0.5) * step - 0.5;
            const double y = (py + 0.5) * step - 0.5;
            const double dx = x - centre;
            const double dy = y - centre;
            if (dx * dx + dy * dy > 5.6 * 5.6)
                continue;
            // Light from the top left: a highlight near (3.5, 3.5), darker towards the far rim.
            const double hx = x - 3.3;
            const double hy = y - 3.3;
            const double light = std::clamp(1.25 - std::sqrt(hx * hx + hy * hy) / 7.0, 0.35, 1.25);
            const auto shade = [light](int c) {
                const double lit = light > 1.0 ? c + (255 - c) * (light - 1.0) * 2.4 : c * light;
                return std::clamp(int(std::lround(lit)), 0, 255);
            };
            int r = shade(qRed(base));
            int g = shade(qGreen(base));
            int b = shade(qBlue(base));
            if (r == 255 && g == 0 && b == 255)
                g = 1; // never the key colour
            ball.setPixel(px, py, qRgba(r, g, b, 255));
        }
    }
    return ball;
}

QImage blankPicture()
{
    QImage blank(1, 1, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    return blank;
}

} // namespace zorrit::trail
