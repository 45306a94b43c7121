// SPDX-License-Identifier: GPL-3.0-or-later
// A steady tick on a thread of its own, driven by the kernel's timer (timerfd): nothing wakes
// between ticks, and a paused tick costs nothing at all.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace zorrit::trail {

class TickThread
{
public:
    // tick runs on the thread; the first one at the first resume().
    TickThread(std::chrono::milliseconds interval, std::function<void()> tick);
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
    int m_timer = -1;
    std::atomic<bool> m_quit{false};
    std::thread m_thread;
};

} // namespace zorrit::trail
