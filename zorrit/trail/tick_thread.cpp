// SPDX-License-Identifier: GPL-3.0-or-later
// The tick thread: one wait per tick, on the window system's clock or on a timerfd.
#include "tick_thread.h"

#include <cstdint>
#include <system_error>

#include <pthread.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace zorrit::trail {

TickThread::TickThread(std::chrono::milliseconds interval, std::function<void()> tick,
                       ClockWait clockWait)
    : m_intervalNs(long(std::chrono::nanoseconds(interval).count()))
    , m_tick(std::move(tick))
    , m_clockWait(std::move(clockWait))
    , m_clockWorks(bool(m_clockWait))
{
    m_timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    if (m_timer < 0)
        return;
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error &) {
        ::close(m_timer);
        m_timer = -1;
    }
}

TickThread::~TickThread()
{
    stop();
    if (m_timer >= 0)
        ::close(m_timer);
}

void TickThread::stop()
{
    if (!m_thread.joinable())
        return;
    m_quit = true;
    // Wakes a read that waits; a wait on the clock ends by itself at the next tick. A tick under
    // way may disarm the timer again (it pauses when the trail falls asleep), but the loop looks
    // at the flag after every tick, before it waits.
    {
        const std::lock_guard lock(m_armLock);
        arm(1, 0);
    }
    m_thread.join();
}

void TickThread::arm(long firstNs, long intervalNs)
{
    itimerspec spec{};
    spec.it_value.tv_sec = firstNs / 1000000000;
    spec.it_value.tv_nsec = firstNs % 1000000000;
    spec.it_interval.tv_sec = intervalNs / 1000000000;
    spec.it_interval.tv_nsec = intervalNs % 1000000000;
    timerfd_settime(m_timer, 0, &spec, nullptr);
}

void TickThread::resume()
{
    if (m_timer < 0)
        return;
    const std::lock_guard lock(m_armLock);
    m_paused = false;
    // A zero first expiry would disarm it. With the clock, the timer only starts the ticks.
    arm(1, m_clockWorks ? 0 : m_intervalNs);
}

void TickThread::pause()
{
    if (m_timer < 0)
        return;
    const std::lock_guard lock(m_armLock);
    m_paused = true;
    arm(0, 0);
}

void TickThread::run()
{
    pthread_setname_np(pthread_self(), "trail tick"); // for top, perf and the benchmark
    // The timer makes the first tick after each resume(), at once; the clock paces those after.
    bool started = false;
    bool restart = true;
    while (!m_quit) {
        if (started && m_clockWorks && !m_paused) {
            if (m_clockWait(restart)) {
                restart = false;
                if (m_quit)
                    return;
                if (!m_paused)
                    m_tick();
                continue;
            }
            // The timer takes over for good, from the next interval on.
            const std::lock_guard lock(m_armLock);
            m_clockWorks = false;
            if (!m_paused)
                arm(m_intervalNs, m_intervalNs);
        }
        std::uint64_t expirations = 0;
        const ssize_t n = ::read(m_timer, &expirations, sizeof expirations);
        if (m_quit)
            return;
        restart = true;
        // Late ticks are not made up for: the trail simply goes on from where it is.
        started = n == sizeof expirations && !m_paused;
        if (started)
            m_tick();
    }
}

} // namespace zorrit::trail
