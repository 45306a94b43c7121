// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one trail tick's arithmetic for five sprites, and its heap allocations.
#include "zorrit/trail/trail_math.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> g_allocations{0};
}

// Kept out of line: inlined into their callers, malloc() met by operator delete or operator new
// met by free() look to GCC like mismatched pairs.
[[gnu::noinline]] void *operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void *p) noexcept
{
    std::free(p);
}
[[gnu::noinline]] void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

using namespace zorrit::trail;

static void TrailTickFiveSprites(benchmark::State &state)
{
    MotionSettings motion;
    motion.setCorner(TrailCorner::BotRight);
    motion.wobbleOn = state.range(0) != 0;
    TrailState trail;
    double px = 500;
    double py = 300;
    const long before = g_allocations.load();
    for (auto _ : state) {
        px = px > 1000 ? 0 : px + 3; // a pointer sweeping across the screen
        py = py > 700 ? 0 : py + 1;
        auto positions = advanceTrail(trail, motion, px, py);
        benchmark::DoNotOptimize(positions);
    }
    state.counters["allocs/tick"] =
        benchmark::Counter(double(g_allocations.load() - before) / double(state.iterations()));
}
BENCHMARK(TrailTickFiveSprites)->Arg(0)->Arg(1)->ArgName("wobble");

BENCHMARK_MAIN();
