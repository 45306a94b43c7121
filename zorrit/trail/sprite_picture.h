// SPDX-License-Identifier: GPL-3.0-or-later
// What a sprite window shows: its picture on the key colour, and the outline that cuts the window
// to the picture. Pure image work, no window system.
#pragma once

#include "trail_math.h"

#include <QImage>
#include <QRegion>

#include <array>

namespace zorrit::trail {

// The colour cut away from every sprite window.
inline constexpr QRgb KeyColour = qRgb(255, 0, 255);
// The window's client drawing, scale.side pixels square: the key colour, with the picture drawn
// at (0, 0) and cut off at the window's edge. A picture drawn for the scale (its device pixel
// ratio is the scale's factor; at factor 1 any picture loaded from a file) is drawn pixel for
// pixel. Any other is taken as drawn for the usual pointer and scaled smoothly, its key colour
// made transparent first so that none of it bleeds into the picture's edge. A pixel that is
// transparent (alpha below 128) leaves the key colour; every other is drawn opaque.
QImage composeSpriteDrawing(const QImage &picture, const SpriteScale &scale = {});

// The visible part of a drawing: every pixel whose colour is not exactly the given colour.
QRegion visibleRegion(const QImage &drawing, QRgb cutColour = KeyColour);

// A drawing with real transparency: the given colour's pixels are clear, every other is opaque.
QImage clearKeyColour(const QImage &drawing, QRgb cutColour = KeyColour);

// The built-in theme: five shaded 11 x 11 balls (red, blue, orange, green, purple) on a
// transparent surround; at another factor drawn at that size (device pixel ratio = factor), so
// the balls stay sharp on a larger trail.
QImage builtInBall(int index, double factor = 1);
// The picture of an empty slot: one transparent pixel.
QImage blankPicture();

} // namespace zorrit::trail
