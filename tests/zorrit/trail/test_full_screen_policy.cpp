// SPDX-License-Identifier: GPL-3.0-or-later
// Which full-screen window the trail stands aside for: the box, the focus, the pointer's monitor.
#include "zorrit/trail/full_screen_policy.h"

#include <gtest/gtest.h>

using platform::FocusedWindow;
using zorrit::trail::hidesOverFullScreen;
using zorrit::trail::hidingFollowsPointer;

TEST(FullScreenPolicy, HidesForAFocusedFullScreenWindowOnThePointersMonitorOnly)
{
    const QRect left(0, 0, 800, 600);
    const QRect right(800, 0, 1024, 768);
    platform::MonitorLayout one;
    one.add(left, 1);
    platform::MonitorLayout two;
    two.add(left, 1);
    two.add(right, 1);
    const struct
    {
        const char *what;
        bool wanted;
        FocusedWindow focused;
        const platform::MonitorLayout &monitors;
        std::optional<QPoint> pointer;
        bool hides;
        bool followsPointer;
    } cases[] = {
        {"box unticked", false, {true, {left}}, one, QPoint(10, 10), false, false},
        {"focused window not full screen",
         true,
         {false, {left}},
         two,
         QPoint(10, 10),
         false,
         false},
        {"one monitor", true, {true, {left}}, one, QPoint(10, 10), true, false},
        {"place not known", true, {true, {}}, two, QPoint(900, 10), true, false},
        {"pointer not known", true, {true, {left}}, two, std::nullopt, true, true},
        {"on the pointer's monitor", true, {true, {left}}, two, QPoint(799, 599), true, true},
        {"on the other monitor", true, {true, {left}}, two, QPoint(800, 10), false, true},
        {"pointer off every monitor, nearest its",
         true,
         {true, {right}},
         two,
         QPoint(1900, 900),
         true,
         true},
        {"spanning both",
         true,
         {true, {QRect(0, 0, 1824, 768)}},
         two,
         QPoint(1000, 10),
         true,
         true},
        {"on the outputs it entered",
         true,
         {true, {left, right}},
         two,
         QPoint(1000, 10),
         true,
         true},
        {"a neighbour's edge over this one",
         true,
         {true, {QRect(790, 0, 1034, 768)}},
         two,
         QPoint(10, 10),
         false,
         true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(hidesOverFullScreen(c.wanted, c.focused, c.monitors, c.pointer), c.hides);
        EXPECT_EQ(hidingFollowsPointer(c.wanted, c.focused, c.monitors), c.followsPointer);
    }
}
