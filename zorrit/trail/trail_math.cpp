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

double followDivisor(double stepDivisor, int tickMs)
{
    if (tickMs == kFollowStepMs)
        return stepDivisor; // one tick is one step: the plain division, to the last bit
    const double keptPerTick = std::pow(1 - 1 / stepDivisor, double(tickMs) / kFollowStepMs);
    return 1 / (1 - keptPerTick);
}

void advanceWobble(TrailState &state)
{
    if (state.wobbleRising) {
        if (++state.wobbleOffset == 10)
            state.wobbleRising = false;
    } else {
        if (--state.wobbleOffset == 0)
            state.wobbleRising = true;
    }
}

PointD windowPosition(const TrailState &state, const MotionSettings &motion, int k, double scale)
{
    const SpriteState &s = state.sprites[k];
    return {s.x + scale * (motion.cornerSignX * kSprites[k].dx + motion.cornerOffsetX),
            s.y + scale * (motion.cornerSignY * kSprites[k].dy + motion.cornerOffsetY)};
}

void advanceChain(TrailState &state, const MotionSettings &motion, double px, double py,
                  double scale)
{
    if (motion.wobbleOn)
        advanceWobble(state);
    double tx = px;
    double ty = py + scale * state.wobbleOffset;
    for (int k = 0; k < kSpriteCount; ++k) {
        SpriteState &s = state.sprites[k];
        const double divisor = followDivisor(double(motion.slowdown) * kSprites[k].divisor);
        s.y = s.y + (ty - s.y) / divisor;
        s.x = s.x + (tx - s.x) / divisor;
        tx = s.x;
        ty = s.y;
    }
}

std::array<PointD, kSpriteCount> advanceTrail(TrailState &state, const MotionSettings &motion,
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
    const double ty = py + scale * state.wobbleOffset;
    for (const SpriteState &s : state.sprites) {
        if (std::abs(s.x - px) > kRestEpsilon || std::abs(s.y - ty) > kRestEpsilon)
            return false;
    }
    return true;
}

} // namespace zorrit::trail
