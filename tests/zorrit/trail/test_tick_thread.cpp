// SPDX-License-Identifier: GPL-3.0-or-later
// The tick thread's pacing: a clock that works paces every tick but the first after a pause, a
// clock that fails hands over to the timer for good, and stopping ends a wait on the clock
// without another tick.
#include "zorrit/trail/tick_thread.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace zorrit::trail {
namespace {

using namespace std::chrono_literals;

// A clock the test steps by hand: a wait ends when the test lets a tick through, or fails.
struct SteppedClock
{
    bool wait(bool restart)
    {
        std::unique_lock hold(lock);
        restarts.push_back(restart);
        changed.notify_all();
        changed.wait(hold, [this] { return released > 0 || failing; });
        if (released == 0)
            return false;
        --released;
        return true;
    }
    template <typename Change>
    void update(Change change)
    {
        const std::lock_guard hold(lock);
        change();
        changed.notify_all();
    }
    template <typename Condition>
    bool waitFor(Condition condition)
    {
        std::unique_lock hold(lock);
        return changed.wait_for(hold, 10s, condition);
    }

    // Declared after the thread: a test that ends early lets the last wait fail, so that the
    // thread can be stopped.
    struct Unblock
    {
        SteppedClock &clock;
        ~Unblock()
        {
            clock.update([this] { clock.failing = true; });
        }
    };

    std::mutex lock;
    std::condition_variable changed;
    std::vector<bool> restarts; // one entry per wait begun
    int released = 0;
    bool failing = false;
    int ticks = 0;
};

TEST(TickThread, TheClockPacesTheTicksUntilItFailsAndThenTheTimerDoes)
{
    SteppedClock clock;
    TickThread *self = nullptr;
    TickThread thread(
        50ms,
        [&] {
            clock.update([&] { ++clock.ticks; });
            if (clock.ticks == 3)
                self->pause(); // the trail falls asleep
        },
        [&](bool restart) { return clock.wait(restart); });
    self = &thread;
    const SteppedClock::Unblock unblock{clock};
    ASSERT_TRUE(thread.valid());

    // The timer starts the ticks at once; from then on each one waits on the clock.
    thread.resume();
    ASSERT_TRUE(clock.waitFor([&] { return clock.ticks == 1 && clock.restarts.size() == 1; }));
    std::this_thread::sleep_for(200ms); // four intervals: the timer adds no tick of its own
    clock.update([&] { clock.released = 2; });
    ASSERT_TRUE(clock.waitFor([&] { return clock.ticks == 3; }));
    // Paused by its third tick: no further wait on the clock until it resumes, at once.
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(clock.restarts, (std::vector<bool>{true, false}));
    EXPECT_EQ(clock.ticks, 3);
    thread.resume();
    ASSERT_TRUE(clock.waitFor([&] { return clock.ticks == 4 && clock.restarts.size() == 3; }));
    EXPECT_TRUE(clock.restarts.back()); // after the timer's tick the clock starts anew

    // The clock fails: the timer ticks every interval, and the clock is not asked again.
    clock.update([&] { clock.failing = true; });
    ASSERT_TRUE(clock.waitFor([&] { return clock.ticks >= 8; }));
    EXPECT_EQ(clock.restarts.size(), 3u);
    thread.stop();
}

TEST(TickThread, StoppingEndsAWaitOnTheClockWithoutAnotherTick)
{
    SteppedClock clock;
    TickThread thread(
        20ms, [&] { clock.update([&] { ++clock.ticks; }); },
        [&](bool restart) { return clock.wait(restart); });
    const SteppedClock::Unblock unblock{clock};
    thread.resume();
    ASSERT_TRUE(clock.waitFor([&] { return clock.restarts.size() == 1; }));
    // The server's next tick ends the wait while stop() waits for the thread.
    std::thread server([&] {
        std::this_thread::sleep_for(100ms);
        clock.update([&] { clock.released = 1; });
    });
    thread.stop();
    server.join();
    EXPECT_EQ(clock.ticks, 1);
    EXPECT_EQ(clock.restarts.size(), 1u);
}

} // namespace
} // namespace zorrit::trail
