// SPDX-License-Identifier: GPL-3.0-or-later
// The tick thread: one blocking read of a timerfd per tick.
#include "tick_thread.h"

#include <cstdint>
#include <system_error>

#include <pthread.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace zorrit::trail {

TickThread::TickThread(std::chrono::milliseconds interval, std::function<void()> tick)
    : m_intervalNs(long(std::chrono::nanoseconds(interval).count()))
    , m_tick(std::move(tick))
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
    // Wakes a read that waits. A tick under way may disarm the timer again (it pauses when the
    // trail falls asleep), but the loop looks at the flag after every tick, before it reads.
    arm(1, 0);
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
    if (m_timer >= 0)
        arm(1, m_intervalNs); // a zero first expiry would disarm it
}

void TickThread::pause()
{
    if (m_timer >= 0)
        arm(0, 0);
}

void TickThread::run()
{
    pthread_setname_np(pthread_self(), "trail tick"); // for top, perf and the benchmark
    while (!m_quit) {
        std::uint64_t expirations = 0;
        const ssize_t n = ::read(m_timer, &expirations, sizeof expirations);
        if (m_quit)
            return;
        // Late ticks are not made up for: the trail simply goes on from where it is.
        if (n == sizeof expirations)
            m_tick();
    }
}

} // namespace zorrit::trail
