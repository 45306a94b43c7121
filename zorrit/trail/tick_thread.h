// SPDX-License-Identifier: GPL-3.0-or-later
// A steady tick on a thread of its own. The window system's clock paces it where it offers one;
// otherwise the kernel's timer (timerfd) does. Nothing wakes between ticks, and a paused tick
// costs nothing at all.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

namespace zorrit::trail {

class TickThread
{
public:
    // Waits on another clock for the next tick (`restart`: the first after a pause, or after a
    // tick the timer paced); false when it cannot, and the timer paces every tick after.
    using ClockWait = std::function<bool(bool restart)>;

    // tick runs on the thread; the first one at the first resume(). Without a clock wait the
    // timer paces every tick.
    TickThread(std::chrono::milliseconds interval, std::function<void()> tick,
               ClockWait clockWait = {});
    // Stops the thread if stop() has not.
    ~TickThread();
    TickThread(const TickThread &) = delete;
    TickThread &operator=(const TickThread &) = delete;

    // False when the system gave no timer or thread; nothing ever ticks then.
    bool valid() const { return m_thread.joinable(); }
    // Ticks at once, then every interval. Any thread, the tick itself included.
    void resume();
    // Stops the ticks; one already under way may still run. Any thread.
    void pause();
    // Ends the thread and waits for it: a tick under way finishes first, and none comes after.
    // Whatever the tick does with pause() and resume() meanwhile, the thread ends. Not from the
    // tick itself.
    void stop();

private:
    void run();
    void arm(long firstNs, long intervalNs);

    const long m_intervalNs;
    std::function<void()> m_tick;
    ClockWait m_clockWait;
    int m_timer = -1;
    std::atomic<bool> m_quit{false};
    // Guards the timer's arming against the flags it follows. While the clock works the timer
    // only starts the ticks after a pause, once; when it fails, the timer takes over.
    std::mutex m_armLock;
    std::atomic<bool> m_paused{true};
    std::atomic<bool> m_clockWorks{false};
    std::thread m_thread;
};

} // namespace zorrit::trail
