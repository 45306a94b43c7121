// SPDX-License-Identifier: GPL-3.0-or-later
// The follow chain, the wobble and the placement of the sprite windows.
#include "trail_math.h"

#include <cmath>

namespace zorrit::trail {

namespace {
// Closer than this to the resting point, a sprite's rounded window position can no longer change:
// the resting points are whole pixels, and the chain only ever moves towards them from here.
constexpr double kRestEpsilon = 1e-3;
} // namespace

void advanceWobble(TrailState &state)
{
    if (state.WobbleRising) {
        if (++state.WobbleOffset == 10)
            state.WobbleRising = false;
    } else {
        if (--state.WobbleOffset == 0)
            state.WobbleRising = true;
    }
}

PointD windowPosition(const TrailState &state, const MotionSettings &motion, int k, double scale)
{
    const SpriteState &s = state.sprites[k];
    return {s.PosX + scale * (motion.TrailSignX * kSprites[k].dx + motion.TrailOffsetX),
            s.PosY + scale * (motion.TrailSignY * kSprites[k].dy + motion.TrailOffsetY)};
}

void advanceChain(TrailState &state, const MotionSettings &motion, double px, double py,
                  double scale)
{
    if (motion.WobbleOn)
        advanceWobble(state);
    double tx = px;
    double ty = py + scale * state.WobbleOffset;
    for (int k = 0; k < kSpriteCount; ++k) {
        SpriteState &s = state.sprites[k];
        const double divisor = double(motion.SpeedFactor) * kSprites[k].divisor;
        s.PosY = s.PosY + (ty - s.PosY) / divisor;
        s.PosX = s.PosX + (tx - s.PosX) / divisor;
        tx = s.PosX;
        ty = s.PosY;
    }
}

std::array<PointD, kSpriteCount> TrailTickMath(TrailState &state, const MotionSettings &motion,
                                               double px, double py)
{
    advanceChain(state, motion, px, py, 1);
    std::array<PointD, kSpriteCount> out{};
    for (int k = 0; k < kSpriteCount; ++k)
        out[k] = windowPosition(state, motion, k);
    return out;
}

bool isAtRest(const TrailState &state, double px, double py, double scale)
{
    const double ty = py + scale * state.WobbleOffset;
    for (const SpriteState &s : state.sprites) {
        if (std::abs(s.PosX - px) > kRestEpsilon || std::abs(s.PosY - ty) > kRestEpsilon)
            return false;
    }
    return true;
}

} // namespace zorrit::trail
