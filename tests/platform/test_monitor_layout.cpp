// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the monitor of a point, and the mapping to Qt's pixels, on a 1x and a 2x monitor side
// by side.
#include "platform/monitor_layout.h"

#include <gtest/gtest.h>

using platform::MonitorLayout;

namespace {
MonitorLayout sideBySide()
{
    MonitorLayout layout;
    layout.add(QRect(0, 0, 800, 600), 1);
    layout.add(QRect(800, 0, 800, 600), 2);
    layout.add(QRect(1600, 0, 0, 600), 3);   // empty: left out
    layout.add(QRect(1600, 0, 800, 600), 0); // no scale: left out
    return layout;
}
} // namespace

TEST(MonitorLayout, PointsFindTheirMonitorOrTheNearestOne)
{
    const MonitorLayout layout = sideBySide();
    ASSERT_EQ(layout.count(), 2);
    EXPECT_TRUE(layout.scaled());
    const struct
    {
        double x, y;
        int monitor;
    } cases[] = {
        {0, 0, 0},      {799, 599, 0},  {799.9, 300, 0}, {800, 300, 1},
        {1599.5, 0, 1}, {-50, 300, 0},  {1700, 300, 1},  {300, -10, 0},
        {1200, 900, 1}, {790, 2000, 0}, {810, 2000, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(layout.indexAt(c.x, c.y), c.monitor) << c.x << "," << c.y;

    EXPECT_EQ(MonitorLayout().indexAt(10, 10), -1);
    EXPECT_EQ(MonitorLayout().scale(-1), 1.0);
    EXPECT_EQ(layout.scale(1), 2.0);
}

TEST(MonitorLayout, EachMonitorKeepsItsCornerAndShrinksByItsScale)
{
    const MonitorLayout layout = sideBySide();
    EXPECT_EQ(layout.toLogical(QPointF(300, 200), 0), QPointF(300, 200));
    EXPECT_EQ(layout.toLogical(QPointF(800, 0), 1), QPointF(800, 0));
    EXPECT_EQ(layout.toLogical(QPointF(1200, 300), 1), QPointF(1000, 150));
    EXPECT_EQ(layout.toLogical(QPointF(7, 9), -1), QPointF(7, 9));

    MonitorLayout full;
    for (int i = 0; i < MonitorLayout::kMaxMonitors + 3; ++i)
        full.add(QRect(i * 10, 0, 10, 10), 1);
    EXPECT_EQ(full.count(), MonitorLayout::kMaxMonitors);
    EXPECT_FALSE(full.scaled());
}
