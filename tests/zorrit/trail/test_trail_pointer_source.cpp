// SPDX-License-Identifier: GPL-3.0-or-later
// The trail fed by a compositor's pointer reports: it follows them, sleeps at rest and wakes on
// the next report; a source that stops hands the pointer back to the X server.
#include "platform/pointer_source.h"
#include "zorrit/trail/trail_engine.h"

#include "platform/fake/fake_window_system.h"

#include <gtest/gtest.h>

using namespace zorrit::trail;

namespace {

class ScriptedSource final : public platform::PointerSource
{
public:
    using PointerSource::open;
    using PointerSource::report;
    using PointerSource::shut;

    int unreported = 0;

protected:
    void moveUnreported() override { ++unreported; }
};

} // namespace

TEST(TrailPointerSource, FollowsTheReportsSleepsAtRestAndWakesOnTheNextReport)
{
    platform::FakeWindowSystem x11;
    x11.current = QPoint(652, 531); // what Xwayland keeps saying while the pointer is elsewhere
    platform::SourcedWindowSystem windows(x11);
    ScriptedSource source;
    windows.setSource(&source);
    EXPECT_EQ(windows.pointerPos(), QPoint(652, 531)); // nothing reported yet

    MotionSettings motion;
    motion.slowdown = 2;
    motion.setCorner(TrailCorner::BotRight);
    TrailEngine engine(windows, motion);
    engine.start();
    // A source that has not reported yet (a script that never ran) leaves waking to X.
    bool woken = false;
    windows.watchPointerOnce([&] { woken = true; });
    ASSERT_TRUE(x11.watcher);
    windows.stopWatchingPointer();
    EXPECT_FALSE(x11.watcher);

    source.report(500, 300);
    for (SpriteState &s : engine.state().sprites) {
        s.x = 500;
        s.y = 300 + engine.state().wobbleOffset;
    }
    engine.tick();
    ASSERT_TRUE(engine.isSleeping());
    EXPECT_FALSE(x11.watcher); // the X server's raw motion is not what wakes it

    source.report(600, 300);
    EXPECT_FALSE(engine.isSleeping());
    EXPECT_DOUBLE_EQ(engine.state().sprites[0].x, 510); // the first step, at once

    // The watch was for one move: later reports while awake leave the ticking alone.
    engine.tickTimer().stop();
    source.report(700, 300);
    EXPECT_FALSE(engine.tickTimer().isActive());

    // Without a source the X server's pointer and its watch are back.
    windows.setSource(nullptr);
    EXPECT_EQ(windows.pointerPos(), QPoint(652, 531));
    windows.watchPointerOnce([&] { woken = true; });
    source.report(800, 300);
    EXPECT_FALSE(woken);
    x11.wakeUp();
    EXPECT_TRUE(woken);
}

TEST(TrailPointerSource, ASourceThatStopsWakesTheTrailAndLeavesThePointerToTheXServer)
{
    platform::FakeWindowSystem x11;
    x11.current = QPoint(652, 531);
    platform::SourcedWindowSystem windows(x11);
    ScriptedSource source;
    windows.setSource(&source);
    source.report(500, 300);
    bool woken = false;
    windows.watchPointerOnce([&] { woken = true; });
    EXPECT_FALSE(x11.watcher);

    // The extension was turned off: a trail asleep on the source would never wake again.
    source.shut();
    EXPECT_TRUE(woken);
    EXPECT_EQ(windows.pointerPos(), QPoint(652, 531));
    source.report(600, 300); // a report still on its way when it stopped
    EXPECT_EQ(windows.pointerPos(), QPoint(652, 531));

    // Asleep meanwhile, the X server's moves wake it, and so does the source's first report once
    // it runs again.
    woken = false;
    windows.watchPointerOnce([&] { woken = true; });
    ASSERT_TRUE(x11.watcher);
    source.open();
    source.report(700, 300);
    EXPECT_TRUE(woken);
    EXPECT_FALSE(x11.watcher);
    EXPECT_EQ(windows.pointerPos(), QPoint(700, 300));
}

TEST(TrailPointerSource, TheTickAsksTheServerForThePointerOnlyWhileTheSourceHasNone)
{
    platform::FakeWindowSystem x11;
    x11.offerChannel = true;
    x11.channelPointer = QPoint(652, 531);
    platform::SourcedWindowSystem windows(x11);
    ScriptedSource source;
    windows.setSource(&source);
    const std::unique_ptr<platform::TrailChannel> channel = windows.openTrailChannel({});
    ASSERT_TRUE(channel);
    const auto tick = [&] {
        (void)channel->waitForTick(std::chrono::milliseconds(20), false);
        return channel->pointerPos();
    };
    EXPECT_EQ(tick(), QPoint(652, 531));
    source.report(500, 300);
    EXPECT_EQ(tick(), QPoint(500, 300));
    // Stopped after the tick was asked for: the position comes from the server all the same.
    (void)channel->waitForTick(std::chrono::milliseconds(20), false);
    source.shut();
    EXPECT_EQ(channel->pointerPos(), QPoint(652, 531));
    EXPECT_EQ(tick(), QPoint(652, 531));
    EXPECT_EQ(x11.tickSamples, (std::vector<bool>{true, false, false, true}));
}

TEST(TrailPointerSource, ASleepingTrailTellsTheSourceOfMovesThatOnlyTheXServerSaw)
{
    // A source that stops without a word (a script unloaded behind its back) would otherwise
    // hold a sleeping trail where it is for good.
    platform::FakeWindowSystem x11;
    x11.current = QPoint(652, 531);
    platform::SourcedWindowSystem windows(x11);
    ScriptedSource source;
    windows.setSource(&source);
    source.report(500, 300);
    const auto look = [&](QPoint server) {
        x11.current = server;
        EXPECT_EQ(windows.pointerPos(), QPoint(500, 300));
        return source.unreported;
    };
    // Awake, the reports alone count.
    EXPECT_EQ(look({10, 10}), 0);
    EXPECT_EQ(look({20, 10}), 0);
    // Asleep, the look once a second also asks the X server.
    windows.watchPointerOnce([] {});
    EXPECT_EQ(look({20, 10}), 0);
    EXPECT_EQ(look({20, 10}), 0);
    EXPECT_EQ(look({30, 10}), 1);
    // Each sleep starts afresh.
    windows.stopWatchingPointer();
    windows.watchPointerOnce([] {});
    EXPECT_EQ(look({40, 10}), 1);
    EXPECT_EQ(look({40, 10}), 1);
    windows.setSource(nullptr);
}
