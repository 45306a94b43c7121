// SPDX-License-Identifier: GPL-3.0-or-later
// The trail's arithmetic: the follow chain, the wobble, the corners and resting.
#include "zorrit/trail/trail_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>

using namespace zorrit::trail;

namespace {

MotionSettings normalBottomRight()
{
    MotionSettings motion;
    motion.slowdown = 2;
    motion.setCorner(TrailCorner::BotRight);
    return motion;
}

// A trail whose sprites all rest where a still pointer at (px, py) leads them.
TrailState restingAt(double px, double py, int wobbleOffset = 1)
{
    TrailState state;
    state.wobbleOffset = wobbleOffset;
    for (SpriteState &s : state.sprites) {
        s.x = px;
        s.y = py + wobbleOffset;
    }
    return state;
}

} // namespace

TEST(TrailMath, RestingTrailSitsBelowRightOfThePointer)
{
    TrailState state = restingAt(500, 300);
    const auto windows = advanceTrail(state, normalBottomRight(), 500, 300);
    EXPECT_DOUBLE_EQ(windows[0].x, 512);
    EXPECT_DOUBLE_EQ(windows[0].y, 319);
    EXPECT_DOUBLE_EQ(windows[4].x, 520);
    EXPECT_DOUBLE_EQ(windows[4].y, 375);
    // DX grows by 2 and DY by 14 from sprite to sprite.
    for (int k = 0; k < kSpriteCount; ++k) {
        EXPECT_DOUBLE_EQ(windows[k].x, 500 + 2 * (k + 1) + 10) << k;
        EXPECT_DOUBLE_EQ(windows[k].y, 301 + 8 + 14 * k + 10) << k;
    }
}

TEST(TrailMath, EachSpriteAimsAtTheNewPositionOfTheOneAhead)
{
    if (kTickMs != kFollowStepMs)
        GTEST_SKIP() << "the arithmetic of one step, which is one tick only at 20 ms";
    TrailState state = restingAt(500, 300);
    advanceTrail(state, normalBottomRight(), 600, 300);
    EXPECT_DOUBLE_EQ(state.sprites[0].x, 510);    // 100 / (2 x 5)
    EXPECT_DOUBLE_EQ(state.sprites[1].x, 501.25); // (510 - 500) / (2 x 4)
    EXPECT_DOUBLE_EQ(state.sprites[2].x, 500 + 1.25 / 6);
    EXPECT_DOUBLE_EQ(state.sprites[0].y, 301); // no vertical change
}

TEST(TrailMath, FirstTickFliesInFromTheTopLeftCorner)
{
    if (kTickMs != kFollowStepMs)
        GTEST_SKIP() << "the arithmetic of one step, which is one tick only at 20 ms";
    for (const int speed : {1, 2}) {
        TrailState state; // positions (0, 0), wobble offset 1
        MotionSettings motion = normalBottomRight();
        motion.slowdown = std::int16_t(speed);
        advanceTrail(state, motion, 400, 200);
        EXPECT_DOUBLE_EQ(state.sprites[0].x, 400.0 / (speed * 5)) << speed;
        EXPECT_DOUBLE_EQ(state.sprites[0].y, 201.0 / (speed * 5)) << speed;
    }
}

TEST(TrailMath, FollowDivisorsAreFiveFourThreeThreeTwoTimesTheSlowdown)
{
    if (kTickMs != kFollowStepMs)
        GTEST_SKIP() << "the arithmetic of one step, which is one tick only at 20 ms";
    constexpr int kDivisors[] = {5, 4, 3, 3, 2};
    for (const int speed : {1, 2}) {
        for (int k = 0; k < kSpriteCount; ++k) {
            // Sprite k alone away from its target: everything else rests at 0 with the pointer.
            TrailState state = restingAt(0, -1); // wobble 1: the target y is 0
            state.sprites[k].x = 600;
            MotionSettings motion = normalBottomRight();
            motion.slowdown = std::int16_t(speed);
            advanceTrail(state, motion, 0, -1);
            EXPECT_DOUBLE_EQ(state.sprites[k].x, 600 - 600.0 / (speed * kDivisors[k]))
                << "sprite " << k << " speed " << speed;
        }
    }
}

TEST(TrailMath, TheLeadClosesOnAStillPointerAtAPaceSetInTime)
{
    // Normal speed closes 10% of the gap every 20 ms, fast 20%, whatever the tick: about 88% and
    // 99% within 400 ms.
    for (const auto &[speed, perStep, after400] :
         {std::tuple{2, 0.1, 0.878}, std::tuple{1, 0.2, 0.988}}) {
        const auto closedAfter = [&](double ms) {
            return 1 - std::pow(1 - perStep, ms / kFollowStepMs);
        };
        EXPECT_NEAR(closedAfter(400), after400, 0.001) << speed;

        // The trail as built, tick by tick.
        TrailState state = restingAt(0, 0, 0);
        MotionSettings motion = normalBottomRight();
        motion.slowdown = std::int16_t(speed);
        for (int ms = kTickMs; ms <= 400; ms += kTickMs) {
            advanceTrail(state, motion, 1000, 0);
            EXPECT_NEAR(state.sprites[0].x, 1000 * closedAfter(ms), 1e-9) << speed << " " << ms;
        }

        // Any other tick: as much of the gap closed after the same time.
        for (const int tickMs : {5, 10, 16, 20, 25, 40, 50, 100}) {
            const double divisor = followDivisor(speed * kSprites[0].divisor, tickMs);
            double gap = 1;
            for (int ms = tickMs; ms <= 400; ms += tickMs) {
                gap -= gap / divisor;
                EXPECT_NEAR(1 - gap, closedAfter(ms), 1e-9) << speed << " tick " << tickMs;
            }
        }
    }
}

TEST(TrailMath, WobbleIsATriangleWaveBetweenZeroAndTen)
{
    TrailState state; // offset 1, falling
    MotionSettings motion = normalBottomRight();
    motion.wobbleOn = true;
    std::vector<int> offsets;
    for (int tick = 0; tick < 42; ++tick) {
        advanceTrail(state, motion, 0, 0);
        offsets.push_back(state.wobbleOffset);
    }
    EXPECT_EQ(offsets[0], 0);   // first tick
    EXPECT_EQ(offsets[10], 10); // eleventh
    EXPECT_EQ(offsets[20], 0);  // twenty-first
    EXPECT_EQ(offsets[40], 0);
    for (std::size_t i = 1; i < offsets.size(); ++i)
        EXPECT_EQ(std::abs(offsets[i] - offsets[i - 1]), 1) << i;
    for (const int offset : offsets) {
        EXPECT_GE(offset, 0);
        EXPECT_LE(offset, 10);
    }
}

TEST(TrailMath, WobbleOffsetIsAddedToThePointerAndKeptWhenSwitchedOff)
{
    TrailState state;
    MotionSettings motion = normalBottomRight();
    motion.wobbleOn = true;
    for (int tick = 0; tick < 6; ++tick)
        advanceTrail(state, motion, 0, 0);
    ASSERT_EQ(state.wobbleOffset, 5);
    motion.wobbleOn = false;
    for (int tick = 0; tick < 400; ++tick)
        advanceTrail(state, motion, 100, 100);
    EXPECT_EQ(state.wobbleOffset, 5);
    EXPECT_NEAR(state.sprites[0].y, 105, 1e-6);

    // A trail that never wobbled aims one pixel below the pointer.
    TrailState fresh;
    motion.wobbleOn = false;
    for (int tick = 0; tick < 400; ++tick)
        advanceTrail(fresh, motion, 100, 100);
    EXPECT_NEAR(fresh.sprites[4].y, 101, 1e-6);
}

TEST(TrailMath, CornerTable)
{
    struct Row
    {
        TrailCorner corner;
        int signY, signX, offsetX, offsetY;
    };
    const Row rows[] = {
        {TrailCorner::BotRight, +1, +1, 10, 10},
        {TrailCorner::BotLeft, +1, -1, -12, 10},
        {TrailCorner::TopRight, -1, +1, 10, -7},
        {TrailCorner::TopLeft, -1, -1, -15, -9},
    };
    for (const Row &row : rows) {
        MotionSettings motion;
        motion.setCorner(row.corner);
        EXPECT_EQ(motion.cornerSignY, row.signY);
        EXPECT_EQ(motion.cornerSignX, row.signX);
        EXPECT_EQ(motion.cornerOffsetX, row.offsetX);
        EXPECT_EQ(motion.cornerOffsetY, row.offsetY);
        // Sprite 5 of a trail resting at (500, 301).
        const TrailState state = restingAt(500, 300);
        const PointD p = windowPosition(state, motion, 4);
        EXPECT_DOUBLE_EQ(p.x, 500 + row.signX * 10 + row.offsetX);
        EXPECT_DOUBLE_EQ(p.y, 301 + row.signY * 64 + row.offsetY);
    }
}

TEST(TrailMath, SwitchingCornersMovesTheWindowsButNotTheSmoothedPositions)
{
    TrailState state = restingAt(500, 300);
    MotionSettings motion = normalBottomRight();
    advanceTrail(state, motion, 500, 300);
    const TrailState before = state;
    motion.setCorner(TrailCorner::TopLeft);
    const auto windows = advanceTrail(state, motion, 500, 300);
    for (int k = 0; k < kSpriteCount; ++k) {
        EXPECT_DOUBLE_EQ(state.sprites[k].x, before.sprites[k].x);
        EXPECT_DOUBLE_EQ(state.sprites[k].y, before.sprites[k].y);
    }
    EXPECT_DOUBLE_EQ(windows[0].x, 500 - 2 - 15);
    EXPECT_DOUBLE_EQ(windows[0].y, 301 - 8 - 9);
}

TEST(TrailMath, WithoutACornerTheWindowsSitOnTheSmoothedPositions)
{
    TrailState state = restingAt(500, 300);
    const MotionSettings motion; // signs and offsets 0: nothing selected
    const auto windows = advanceTrail(state, motion, 500, 300);
    for (const PointD &p : windows) {
        EXPECT_DOUBLE_EQ(p.x, 500);
        EXPECT_DOUBLE_EQ(p.y, 301);
    }
}

TEST(TrailMath, RestIsReachedOnlyWhereTheWindowsNoLongerMove)
{
    TrailState state;
    const MotionSettings motion = normalBottomRight();
    EXPECT_FALSE(isAtRest(state, 500, 300));
    int ticks = 0;
    while (!isAtRest(state, 500, 300) && ticks < 5000) {
        advanceTrail(state, motion, 500, 300);
        ++ticks;
    }
    ASSERT_LT(ticks, 5000) << "the chain never came to rest";
    // From rest on, further ticks change no rounded window position.
    const auto atRest = advanceTrail(state, motion, 500, 300);
    for (int tick = 0; tick < 200; ++tick) {
        const auto later = advanceTrail(state, motion, 500, 300);
        for (int k = 0; k < kSpriteCount; ++k) {
            EXPECT_EQ(std::lround(later[k].x), std::lround(atRest[k].x));
            EXPECT_EQ(std::lround(later[k].y), std::lround(atRest[k].y));
        }
    }
    EXPECT_EQ(std::lround(atRest[0].x), 512);
    EXPECT_EQ(std::lround(atRest[0].y), 319);
    // The resting point includes the wobble offset.
    EXPECT_FALSE(isAtRest(state, 500, 299));
    EXPECT_FALSE(isAtRest(state, 501, 300));
}

TEST(TrailMath, BesideALargerPointerTheSpritesAndTheirOffsetsGrowInWholePixels)
{
    const struct
    {
        std::optional<int> pointerSize;
        int side;
        double factor;
    } rows[] = {
        {std::nullopt, 20, 1}, // the desktop does not say
        {16, 20, 1},           // smaller than drawn for: as drawn
        {24, 20, 1},           // the size drawn for
        {32, 27, 1.35},        // 26.67 to whole pixels
        {48, 40, 2},           // twice as large
        {64, 53, 2.65},        // 53.33
        {96, 80, 4},           // four times
        {5000, 213, 10.65},    // no pointer is larger than 256
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.pointerSize.value_or(0));
        const SpriteScale scale = spriteScaleFor(row.pointerSize);
        EXPECT_EQ(scale.side, row.side);
        EXPECT_DOUBLE_EQ(scale.factor, row.factor);

        // A resting trail at that scale: the wobble and every offset that many times as large.
        TrailState state = restingAt(500, 300);
        for (SpriteState &s : state.sprites)
            s.y = 300 + scale.factor * state.wobbleOffset;
        const MotionSettings motion = normalBottomRight();
        advanceChain(state, motion, 500, 300, scale.factor);
        EXPECT_TRUE(isAtRest(state, 500, 300, scale.factor));
        for (int k = 0; k < kSpriteCount; ++k) {
            const PointD p = windowPosition(state, motion, k, scale.factor);
            EXPECT_DOUBLE_EQ(p.x, 500 + scale.factor * (2 * (k + 1) + 10)) << k;
            EXPECT_DOUBLE_EQ(p.y, 300 + scale.factor * (1 + 8 + 14 * k + 10)) << k;
        }
    }
}
