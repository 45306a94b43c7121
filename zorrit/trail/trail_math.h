// SPDX-License-Identifier: GPL-3.0-or-later
// The trail's arithmetic: five sprites chasing the pointer as a chain, with a vertical wobble and
// one of four corners. Plain structs, no window system, no allocation.
#pragma once

#include "zorrit/trail/tick.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace zorrit::trail {

inline constexpr int kSpriteCount = 5;

// The sprites' side in pixels as their pictures were drawn: for the usual 24-pixel pointer.
inline constexpr int kSpriteSize = 20;
inline constexpr int kDrawnForPointerSize = 24;
// A larger size counts as this one: no pointer is drawn bigger.
inline constexpr int kLargestPointerSize = 256;

// How big the trail is drawn: beside a larger pointer than the pictures were drawn for, the
// pictures, the corner offsets and the wobble grow with it.
struct SpriteScale
{
    int side = kSpriteSize; // the sprite's side in pixels, a whole number
    double factor = 1;      // pixels per drawn pixel: side / kSpriteSize
};

// The scale beside a pointer of that size (none: the desktop does not say). The sprite's side
// grows in proportion, to the nearest whole pixel; beside a pointer of 24 pixels or less the
// pictures keep the size they were drawn at.
constexpr SpriteScale spriteScaleFor(std::optional<int> pointerSize)
{
    const int size = std::clamp(pointerSize.value_or(kDrawnForPointerSize), kDrawnForPointerSize,
                                kLargestPointerSize);
    const int side = (2 * kSpriteSize * size + kDrawnForPointerSize) / (2 * kDrawnForPointerSize);
    return {side, double(side) / kSpriteSize};
}

// Per sprite: how slowly it follows the one ahead (divisor: every kFollowStepMs it closes
// 1 / (slowdown × divisor) of its gap) and where its window hangs relative to its smoothed position
// (multiplied by the corner's signs).
struct SpriteConstants
{
    int divisor;
    int dx;
    int dy;
};
inline constexpr std::array<SpriteConstants, kSpriteCount> kSprites{{
    {5, 2, 8},
    {4, 4, 22},
    {3, 6, 36},
    {3, 8, 50},
    {2, 10, 64},
}};

// The pace of the chain is set in time, not in ticks: every kFollowStepMs a sprite closes
// 1 / (slowdown × divisor) of the gap to the one ahead, the lead sprite to the pointer. So at
// normal speed (slowdown 2) the lead closes 10% of its gap every 20 ms and about 88% within 400 ms;
// fast (slowdown 1), 20% and about 99%. The sprites behind it follow it the same way.
inline constexpr int kFollowStepMs = 20;

// The divisor a tick of tickMs uses for a sprite that closes 1 / stepDivisor of its gap every
// kFollowStepMs: the same share of the gap in the same time, whatever the tick.
double followDivisor(double stepDivisor, int tickMs = kTickMs);

enum class TrailCorner { BotRight, BotLeft, TopRight, TopLeft };

struct CornerValues
{
    std::int16_t signY;
    std::int16_t signX;
    std::int16_t offsetX;
    std::int16_t offsetY;
};
// The offsets are deliberately not symmetric between the corners.
inline constexpr std::array<CornerValues, 4> kCorners{{
    {+1, +1, 10, 10},  // bottom right
    {+1, -1, -12, 10}, // bottom left
    {-1, +1, 10, -7},  // top right
    {-1, -1, -15, -9}, // top left
}};
constexpr CornerValues cornerValues(TrailCorner corner)
{
    return kCorners[static_cast<int>(corner)];
}

// The motion settings shared by the trail and the preferences dialog.
struct MotionSettings
{
    bool wobbleOn = false;
    bool keepOnTop = false;
    std::int16_t slowdown = 2; // multiplies every divisor: 1 fast, 2 normal
    std::int16_t cornerSignX = 0;
    std::int16_t cornerSignY = 0;
    std::int16_t cornerOffsetX = 0;
    std::int16_t cornerOffsetY = 0;

    void setCorner(TrailCorner corner)
    {
        const CornerValues v = cornerValues(corner);
        cornerSignY = v.signY;
        cornerSignX = v.signX;
        cornerOffsetX = v.offsetX;
        cornerOffsetY = v.offsetY;
    }
};

struct SpriteState
{
    double x = 0;
    double y = 0;
};

struct PointD
{
    double x = 0;
    double y = 0;
};

// Everything the animation remembers between ticks. Positions start at (0, 0), so a new trail
// flies in from the top-left corner of the screen.
struct TrailState
{
    std::array<SpriteState, kSpriteCount> sprites{};
    int wobbleOffset = 1;
    bool wobbleRising = false;
};

// One step of the wobble: a triangle wave between 0 and 10, one pixel a tick.
void advanceWobble(TrailState &state);

// One animation step for a pointer sample (px, py): wobble (when on), then the follow chain.
// Returns the five windows' top-left corners in pixels, unrounded.
std::array<PointD, kSpriteCount> advanceTrail(TrailState &state, const MotionSettings &motion,
                                              double px, double py);

// The same step on a screen drawn at a scale (device pixels per pixel, times the sprites' own
// factor beside a large pointer), with (px, py) in device pixels: the chain follows in device
// pixels, and the wobble is `scale` device pixels per pixel.
void advanceChain(TrailState &state, const MotionSettings &motion, double px, double py,
                  double scale);

// Where sprite k's window goes for the current smoothed positions and corner; at a scale (as for
// advanceChain()), its offsets are that many device pixels per pixel.
PointD windowPosition(const TrailState &state, const MotionSettings &motion, int k,
                      double scale = 1);

// True when every sprite sits (to well under a pixel) on the point it converges to for a resting
// pointer at (px, py): from then on, ticking changes no window position, as long as neither the
// pointer nor the wobble moves. `scale` as for advanceChain().
bool isAtRest(const TrailState &state, double px, double py, double scale = 1);

} // namespace zorrit::trail
