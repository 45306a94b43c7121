// SPDX-License-Identifier: GPL-3.0-or-later
// A trail tick allocates nothing: every global operator new in this binary is counted.
#include "zorrit/trail/trail_math.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> g_allocations{0};
}

void *operator new(std::size_t size)
{
    ++g_allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size)
{
    ++g_allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept
{
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete[](void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void *p, std::size_t) noexcept
{
    std::free(p);
}

using namespace zorrit::trail;

TEST(TrailMathAllocations, TickAllocatesNothing)
{
    // The counter must see allocations at all, or the check below proves nothing.
    const long probe = g_allocations;
    int *volatile probeAllocation = new int(1); // volatile: the allocation cannot be elided
    delete probeAllocation;
    ASSERT_GT(g_allocations.load(), probe);

    TrailState state;
    MotionSettings motion;
    motion.setCorner(TrailCorner::TopLeft);
    motion.wobbleOn = true;
    double sum = 0;
    const long before = g_allocations;
    for (int tick = 0; tick < 1000; ++tick) {
        const auto windows = advanceTrail(state, motion, tick % 640, tick % 480);
        sum += windows[4].x;
        sum += isAtRest(state, tick % 640, tick % 480) ? 1 : 0;
        advanceWobble(state);
    }
    EXPECT_EQ(g_allocations.load() - before, 0);
    EXPECT_TRUE(std::isfinite(sum));
}
