// SPDX-License-Identifier: GPL-3.0-or-later
// What a sprite window shows: its picture on the key colour, and the outline that cuts the window
// to the picture. Pure image work, no window system.
#pragma once

#include <QImage>
#include <QRegion>

#include <array>

namespace zorrit::trail {

// The colour cut away from every sprite window.
inline constexpr QRgb KeyColour = qRgb(255, 0, 255);
// The sprite windows' fixed client size in pixels.
inline constexpr int kSpriteSize = 20;

// The window's client drawing: the key colour, with the picture drawn unscaled at (0, 0) and cut
// off at the window's edge. A picture pixel that is transparent (alpha below 128) leaves the key
// colour; every other pixel is drawn opaque.
QImage composeSpriteDrawing(const QImage &picture);

// The visible part of a drawing: every pixel whose colour is not exactly the given colour.
QRegion visibleRegion(const QImage &drawing, QRgb cutColour = KeyColour);

// A drawing with real transparency: the given colour's pixels are clear, every other is opaque.
QImage clearKeyColour(const QImage &drawing, QRgb cutColour = KeyColour);

// The built-in theme: five shaded 11 x 11 balls (red, blue, orange, green, purple) on a
// transparent surround.
QImage builtInBall(int index);
// The picture of an empty slot: one transparent pixel.
QImage blankPicture();

} // namespace zorrit::trail
