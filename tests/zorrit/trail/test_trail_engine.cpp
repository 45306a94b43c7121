// SPDX-License-Identifier: GPL-3.0-or-later
// The running trail against a scripted window system: moves, raises, sleeping and waking.
#include "zorrit/trail/trail_engine.h"

#include "platform/fake/fake_window_system.h"
#include "support/wait.h"
#include "zorrit/settings/settings_store.h"

#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

using namespace zorrit::trail;
using platform::FakeWindowSystem;

namespace {

class TrailEngineTest : public ::testing::Test
{
protected:
    TrailEngineTest()
    {
        motion.slowdown = 2;
        motion.setCorner(TrailCorner::BotRight);
    }

    void restAt(QPoint pointer)
    {
        for (SpriteState &s : engine.state().sprites) {
            s.x = pointer.x();
            s.y = pointer.y() + engine.state().wobbleOffset;
        }
        fake.current = pointer;
    }

    std::vector<QPoint> movesOf(int k) const
    {
        std::vector<QPoint> out;
        for (const auto &move : fake.moves)
            if (move.window == engine.window(k))
                out.push_back(move.topLeft);
        return out;
    }

    FakeWindowSystem fake;
    MotionSettings motion;
    TrailEngine engine{fake, motion};
};

} // namespace

TEST_F(TrailEngineTest, WindowsHaveTheirNamesAndTitlesInTrailOrder)
{
    const char *names[] = {"main1", "part2", "part3", "part4", "part5"};
    const char *titles[] = {"Zorrit", "p2", "p3", "p4", "p5"};
    for (int k = 0; k < kSpriteCount; ++k) {
        EXPECT_EQ(engine.window(k)->objectName(), QLatin1String(names[k]));
        EXPECT_EQ(engine.window(k)->windowTitle(), QLatin1String(titles[k]));
        EXPECT_EQ(engine.windows()[k], engine.window(k));
        EXPECT_TRUE(engine.window(k)->windowFlags() & Qt::WindowTransparentForInput);
        EXPECT_TRUE(engine.window(k)->windowFlags() & Qt::WindowStaysOnTopHint);
    }
}

TEST_F(TrailEngineTest, TickMovesEveryWindowToItsRoundedPosition)
{
    fake.current = QPoint(500, 300);
    engine.tick(); // from (0, 0): sprite 1 at (50, 30.1)
    ASSERT_EQ(fake.moves.size(), 5u);
    for (int k = 0; k < kSpriteCount; ++k)
        EXPECT_EQ(fake.moves[k].window, engine.window(k));
    EXPECT_EQ(fake.moves[0].topLeft, QPoint(62, 48));
    EXPECT_GE(fake.flushes, 1);

    fake.moves.clear();
    restAt(QPoint(500, 300));
    engine.tick();
    EXPECT_EQ(movesOf(0), std::vector<QPoint>{QPoint(512, 319)});
    EXPECT_EQ(movesOf(4), std::vector<QPoint>{QPoint(520, 375)});
}

TEST_F(TrailEngineTest, NoMoveIsSentWhenTheRoundedPositionStays)
{
    restAt(QPoint(500, 300));
    engine.tick();
    fake.moves.clear();
    const int flushes = fake.flushes;
    engine.tick();
    EXPECT_TRUE(fake.moves.empty());
    EXPECT_EQ(fake.flushes, flushes); // nothing to send, nothing flushed

    // One pixel right: sprite 1 moves 0.1 px, which rounds to the same pixel.
    fake.current = QPoint(501, 300);
    engine.tick();
    EXPECT_TRUE(fake.moves.empty());
    // Jump far: sprite 1 moves on this tick, and only windows whose pixel changed are sent.
    fake.current = QPoint(600, 300);
    engine.tick();
    EXPECT_EQ(movesOf(0).size(), 1u);
    EXPECT_TRUE(movesOf(4).empty());
}

TEST_F(TrailEngineTest, FailedPointerQueryKeepsTheLastSample)
{
    restAt(QPoint(500, 300));
    fake.samples = {QPoint(600, 300), std::nullopt, std::nullopt};
    fake.current = std::nullopt;
    engine.tick();
    const double afterFirst = engine.state().sprites[0].x;
    EXPECT_DOUBLE_EQ(afterFirst, 510);
    engine.tick();
    engine.tick();
    // Still chasing (600, 300), not (0, 0).
    EXPECT_GT(engine.state().sprites[0].x, afterFirst);
}

TEST_F(TrailEngineTest, KeepOnTopRaisesTheFiveWindowsInOrderOnlyWhenOn)
{
    motion.keepOnTop = false;
    engine.keepOnTopTick();
    EXPECT_TRUE(fake.raises.empty());

    motion.keepOnTop = true;
    engine.keepOnTopTick();
    ASSERT_EQ(fake.raises.size(), 5u);
    for (int k = 0; k < kSpriteCount; ++k)
        EXPECT_EQ(fake.raises[k], engine.window(k));
    EXPECT_GE(fake.flushes, 1);
}

TEST_F(TrailEngineTest, TimersRunEveryTickAndEverySecond)
{
    EXPECT_EQ(engine.tickTimer().interval(), kTickMs);
    EXPECT_EQ(engine.keepOnTopTimer().interval(), 1000);
    engine.start();
    EXPECT_TRUE(engine.tickTimer().isActive());
    EXPECT_TRUE(engine.keepOnTopTimer().isActive());
    // Each second also reads away what piles up unasked on the trail's own connection.
    const int drains = fake.drains;
    QMetaObject::invokeMethod(&engine.keepOnTopTimer(), "timeout");
    EXPECT_EQ(fake.drains, drains + 1);
}

TEST_F(TrailEngineTest, SleepsAtRestAndWakesWithATickWhenThePointerMoves)
{
    engine.start();
    restAt(QPoint(500, 300));
    engine.tick();
    ASSERT_TRUE(engine.isSleeping());
    EXPECT_FALSE(engine.tickTimer().isActive());
    EXPECT_TRUE(engine.keepOnTopTimer().isActive()); // keeping on top goes on
    ASSERT_TRUE(fake.watcher);

    fake.moves.clear();
    fake.current = QPoint(600, 300);
    fake.wakeUp();
    EXPECT_FALSE(engine.isSleeping());
    EXPECT_TRUE(engine.tickTimer().isActive());
    // The reaction is immediate: the first step towards the new pointer is already on screen.
    EXPECT_DOUBLE_EQ(engine.state().sprites[0].x, 510);
    EXPECT_EQ(movesOf(0), std::vector<QPoint>{QPoint(522, 319)});
}

TEST_F(TrailEngineTest, OnItsOwnThreadTheTrailFollowsSleepsAndTakesNewSettings)
{
    fake.offerChannel = true;
    restAt(QPoint(500, 300));
    fake.channelPointer = QPoint(500, 300);
    const auto settlesAt = [&](QPoint lead, QPoint last) {
        return testsupport::waitFor([&] {
            std::optional<QPoint> first, fifth;
            {
                // Not held while asking the engine: its thread takes the engine's lock, then
                // this one.
                const std::lock_guard lock(fake.channelLock);
                for (const auto &[index, topLeft] : fake.channelMoves) {
                    if (index == 0)
                        first = topLeft;
                    if (index == 4)
                        fifth = topLeft;
                }
            }
            return first == lead && fifth == last && engine.isSleeping() && fake.watcher;
        });
    };
    engine.start();
    ASSERT_TRUE(engine.ticksOnItsOwnThread());
    EXPECT_FALSE(engine.tickTimer().isActive());
    EXPECT_TRUE(engine.keepOnTopTimer().isActive());
    EXPECT_TRUE(fake.moves.empty()); // everything goes through the channel
    ASSERT_TRUE(settlesAt(QPoint(512, 319), QPoint(520, 375)));

    // A changed setting reaches the thread's copy and wakes the sleeping trail.
    motion.setCorner(TrailCorner::TopLeft);
    engine.wake();
    EXPECT_TRUE(settlesAt(QPoint(483, 284), QPoint(475, 228)));

    // The pointer moves: the watch wakes the trail, which follows and sleeps again.
    {
        const std::lock_guard lock(fake.channelLock);
        fake.channelPointer = QPoint(600, 350);
    }
    fake.wakeUp();
    EXPECT_TRUE(settlesAt(QPoint(583, 334), QPoint(575, 278)));

    // Moved while asleep without a word from the watch (warped): the once-a-second look sees it.
    {
        const std::lock_guard lock(fake.channelLock);
        fake.channelPointer = QPoint(100, 100);
    }
    EXPECT_TRUE(settlesAt(QPoint(83, 84), QPoint(75, 28)));
}

TEST_F(TrailEngineTest, StoppingWhileTheThreadFallsAsleepEndsCleanly)
{
    // The engine goes (quit, a theme handed to a new copy) just as the thread's tick finds the
    // trail at rest and pauses its timer: the thread must still end, and nothing may touch the
    // engine's half-destroyed parts.
    fake.offerChannel = true;
    fake.channelPointer = QPoint(500, 300);
    fake.holdPointerQueries = true;
    auto stopping = std::make_unique<TrailEngine>(fake, motion);
    for (SpriteState &s : stopping->state().sprites) {
        s.x = 500;
        s.y = 300 + stopping->state().wobbleOffset;
    }
    stopping->start();
    ASSERT_TRUE(stopping->ticksOnItsOwnThread());
    {
        std::unique_lock lock(fake.channelLock);
        ASSERT_TRUE(fake.channelChanged.wait_for(lock, std::chrono::seconds(10),
                                                 [&] { return fake.heldQueries > 0; }));
    }
    // The tick is held in its pointer query; it goes on once the engine is being destroyed.
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        fake.releasePointerQueries();
    });
    stopping.reset(); // neither crashes nor hangs
    release.join();
}

TEST_F(TrailEngineTest, LeavingTheThreadJustAfterItFellAsleepStillFollowsThePointer)
{
    // The thread's tick falls asleep and asks the GUI thread for a pointer watch; before that
    // request runs, a scaled monitor appears and the once-a-second tick takes the tick back.
    fake.offerChannel = true;
    restAt(QPoint(500, 300));
    fake.channelPointer = QPoint(500, 300);
    engine.start();
    ASSERT_TRUE(engine.ticksOnItsOwnThread());
    // Waits without running the event loop, so the request for the watch stays queued.
    const QDeadlineTimer deadline(10000);
    while (!engine.isSleeping() && !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(engine.isSleeping());
    fake.layout.add(QRect(0, 0, 800, 600), 2);
    QMetaObject::invokeMethod(&engine.keepOnTopTimer(), "timeout");
    ASSERT_FALSE(engine.ticksOnItsOwnThread());
    QCoreApplication::processEvents(); // the queued request
    // Asleep only with a watch, otherwise ticking.
    EXPECT_TRUE(engine.tickTimer().isActive() || (engine.isSleeping() && fake.watcher));

    fake.moves.clear();
    fake.current = QPoint(600, 300);
    fake.wakeUp();
    EXPECT_TRUE(testsupport::waitFor(
        [&] { return !movesOf(0).empty() && movesOf(0).back().x() > 530; }, 500));
}

TEST_F(TrailEngineTest, DoesNotSleepWhileAnythingCouldStillMove)
{
    engine.start();
    // Wobbling: the first sprite's target moves every tick.
    motion.wobbleOn = true;
    restAt(QPoint(500, 300));
    engine.tick();
    EXPECT_FALSE(engine.isSleeping());

    // Still on its way.
    motion.wobbleOn = false;
    restAt(QPoint(500, 300));
    fake.current = QPoint(700, 300);
    engine.tick();
    EXPECT_FALSE(engine.isSleeping());
    EXPECT_TRUE(engine.tickTimer().isActive());

    // A window system that cannot report movement: keep polling.
    fake.watchable = false;
    restAt(QPoint(500, 300));
    engine.tick();
    EXPECT_FALSE(engine.isSleeping());
    EXPECT_TRUE(engine.tickTimer().isActive());
}

TEST_F(TrailEngineTest, MovementJustBeforeFallingAsleepIsNotMissed)
{
    engine.start();
    restAt(QPoint(500, 300));
    // The tick samples (500, 300); the check made while going to sleep sees (520, 300).
    fake.samples = {QPoint(500, 300), QPoint(520, 300)};
    engine.tick();
    EXPECT_FALSE(engine.isSleeping());
    EXPECT_TRUE(engine.tickTimer().isActive());
    EXPECT_DOUBLE_EQ(engine.state().sprites[0].x, 502);
}

TEST_F(TrailEngineTest, CornerChangeWhileAsleepMovesTheWindowsAtOnce)
{
    engine.start();
    restAt(QPoint(500, 300));
    engine.tick();
    ASSERT_TRUE(engine.isSleeping());
    fake.moves.clear();
    motion.setCorner(TrailCorner::TopLeft);
    engine.wake();
    EXPECT_EQ(movesOf(0), std::vector<QPoint>{QPoint(500 - 2 - 15, 301 - 8 - 9)});
    EXPECT_DOUBLE_EQ(engine.state().sprites[0].x, 500); // smoothed positions untouched
    // Nothing else can change now, so it may sleep again; a pointer movement still wakes it.
    if (engine.isSleeping()) {
        fake.current = QPoint(600, 300);
        fake.wakeUp();
        EXPECT_DOUBLE_EQ(engine.state().sprites[0].x, 510);
    }
}

TEST_F(TrailEngineTest, MotionSettingsFollowTheStoredTextsExactly)
{
    QTemporaryDir dir;
    const zorrit::settings::SettingsStore store(dir.path());
    using namespace zorrit::settings;
    struct Row
    {
        const char *move, *fast, *above, *under;
        bool wobble;
        int speed;
        bool keepOnTopBefore, keepOnTop;
    };
    const Row rows[] = {
        {"1", "1", "True", "False", true, 1, false, true},
        {"True", "0", "False", "True", false, 2, true, false},
        {"0", "True", "1", "0", false, 2, true, true},    // neither "True": unchanged
        {"-1", "2", "true", "0", false, 2, false, false}, // case matters
    };
    for (const Row &row : rows) {
        store.write(kMove, QString::fromLatin1(row.move));
        store.write(kFast, QString::fromLatin1(row.fast));
        store.write(kAbove, QString::fromLatin1(row.above));
        store.write(kUnder, QString::fromLatin1(row.under));
        motion.keepOnTop = row.keepOnTopBefore;
        engine.readMotionSettings(store);
        EXPECT_EQ(motion.wobbleOn, row.wobble) << row.move;
        EXPECT_EQ(motion.slowdown, row.speed) << row.fast;
        EXPECT_EQ(motion.keepOnTop, row.keepOnTop) << row.above << "/" << row.under;
    }
}

TEST_F(TrailEngineTest, FirstCornerReadingTrueWinsAndNoneLeavesTheValues)
{
    QTemporaryDir dir;
    const zorrit::settings::SettingsStore store(dir.path());
    using namespace zorrit::settings;
    const auto corners = [&](const char *br, const char *bl, const char *tr, const char *tl) {
        store.write(kBotRight, QString::fromLatin1(br));
        store.write(kBotLeft, QString::fromLatin1(bl));
        store.write(kTopRight, QString::fromLatin1(tr));
        store.write(kTopLeft, QString::fromLatin1(tl));
        engine.readMotionSettings(store);
    };
    corners("False", "True", "False", "True");
    EXPECT_EQ(motion.cornerOffsetX, -12); // bottom left comes before top left
    corners("False", "False", "False", "True");
    EXPECT_EQ(motion.cornerOffsetX, -15);
    corners("1", "0", "0", "0"); // defaults as first written: none is "True"
    EXPECT_EQ(motion.cornerOffsetX, -15);
    EXPECT_EQ(motion.cornerSignY, -1);

    MotionSettings fresh;
    TrailEngine other(fake, fresh);
    other.readMotionSettings(store);
    EXPECT_EQ(fresh.cornerSignX, 0);
    EXPECT_EQ(fresh.cornerOffsetY, 0);
}

TEST_F(TrailEngineTest, ShownWindowsStandWhereTheTrailIs)
{
    restAt(QPoint(500, 300));
    engine.showWindows();
    EXPECT_TRUE(engine.windowsVisible());
    EXPECT_EQ(engine.window(0)->pos(), QPoint(512, 319));
    EXPECT_EQ(movesOf(4), std::vector<QPoint>{QPoint(520, 375)});
    engine.hideWindows();
    EXPECT_FALSE(engine.windowsVisible());
    EXPECT_FALSE(engine.window(0)->isVisible());
}

TEST_F(TrailEngineTest, ShapingCutsEachWindowToItsPicture)
{
    engine.shapeAll();
    for (int k = 0; k < kSpriteCount; ++k) {
        EXPECT_FALSE(engine.window(k)->shape().isEmpty());
        EXPECT_TRUE(QRect(0, 0, 11, 11).contains(engine.window(k)->shape().boundingRect()));
    }
    engine.window(2)->setPicture(blankPicture());
    engine.window(2)->cutOutline(KeyColour);
    EXPECT_TRUE(engine.window(2)->shape().isEmpty());
}

TEST_F(TrailEngineTest, SpritesOnSurfacesOfTheirOwnGetPicturesPlacesAndLayerButNoWindow)
{
    // Layer-shell sprites: the windows stay hidden, the surfaces get clear pictures (the key
    // colour's pixels transparent, every other opaque), the moves, and the layer on each change.
    fake.offerSurfaces = true;
    motion.keepOnTop = true;
    QImage keyed(kSpriteSize, kSpriteSize, QImage::Format_RGB32);
    keyed.fill(KeyColour);
    keyed.setPixel(3, 4, qRgb(10, 20, 30));
    engine.window(1)->setPicture(keyed);
    engine.shapeAll();
    const QImage &clear = fake.surfaces.pictures[1];
    ASSERT_EQ(clear.size(), QSize(kSpriteSize, kSpriteSize));
    EXPECT_EQ(clear.pixel(3, 4), qRgba(10, 20, 30, 255));
    EXPECT_EQ(qAlpha(clear.pixel(0, 0)), 0);
    EXPECT_TRUE(engine.window(1)->shape().isEmpty()) << "no outline is cut";

    restAt(QPoint(500, 300));
    engine.showWindows();
    EXPECT_TRUE(fake.surfaces.visible);
    EXPECT_TRUE(fake.surfaces.onTop);
    EXPECT_FALSE(engine.window(0)->isVisible());
    EXPECT_TRUE(fake.moves.empty());
    const std::vector<std::pair<int, QPoint>> placed = {{0, QPoint(512, 319)},
                                                        {1, QPoint(514, 333)},
                                                        {2, QPoint(516, 347)},
                                                        {3, QPoint(518, 361)},
                                                        {4, QPoint(520, 375)}};
    EXPECT_EQ(fake.surfaces.moves, placed);
    EXPECT_GE(fake.surfaces.commits, 1);

    motion.keepOnTop = false;
    engine.wake();
    EXPECT_FALSE(fake.surfaces.onTop) << "\"On desktop\" is the bottom layer";
    engine.hideWindows();
    EXPECT_FALSE(fake.surfaces.visible);
}

TEST_F(TrailEngineTest, OnMonitorsOfDifferentScaleEachSpriteLooksAsOnItsOwnMonitor)
{
    // A 1x monitor and a 2x one to its right, in device pixels.
    fake.layout.add(QRect(0, 0, 800, 600), 1);
    fake.layout.add(QRect(800, 0, 800, 600), 2);
    engine.start();
    const struct
    {
        QPoint pointer;
        QPoint lead, last; // window corners at rest
        int monitor;
    } cases[] = {
        {{300, 300}, {312, 319}, {320, 375}, 0},
        {{1200, 300}, {1224, 338}, {1240, 450}, 1}, // offsets and wobble in 2x device pixels
        {{790, 100}, {802, 119}, {810, 175}, 0},    // hangs over the edge, still at 1x
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pointer.x());
        restAt(c.pointer);
        for (SpriteState &s : engine.state().sprites)
            s.y = c.pointer.y() + engine.state().wobbleOffset * fake.layout.scale(c.monitor);
        fake.moves.clear();
        engine.showWindows();
        engine.wake(); // ticks, when the case before left the trail asleep
        engine.tick();
        ASSERT_FALSE(fake.moves.empty());
        EXPECT_EQ(movesOf(0).back(), c.lead);
        EXPECT_EQ(movesOf(4).back(), c.last);
        for (const auto &move : fake.moves)
            EXPECT_EQ(move.monitor, c.monitor);
        // At rest there as well: the trail sleeps.
        EXPECT_TRUE(engine.isSleeping());
    }

    // Crossing from one to the other: each sprite changes monitor once, the chain moves on
    // steadily without jumping back.
    restAt(QPoint(700, 300));
    fake.moves.clear();
    std::vector<int> lastMonitor(kSpriteCount, 0);
    std::vector<int> changes(kSpriteCount, 0);
    int previousX = 0;
    for (int x = 700; x <= 900; x += 4) {
        fake.current = QPoint(x, 300);
        engine.tick();
    }
    for (int i = 0; i < 100; ++i)
        engine.tick();
    for (const auto &move : fake.moves) {
        for (int k = 0; k < kSpriteCount; ++k) {
            if (engine.window(k) != move.window)
                continue;
            changes[k] += move.monitor != lastMonitor[k];
            lastMonitor[k] = move.monitor;
        }
        if (move.window == engine.window(0)) {
            EXPECT_GE(move.topLeft.x(), previousX);
            previousX = move.topLeft.x();
        }
    }
    EXPECT_EQ(changes, std::vector<int>(kSpriteCount, 1));
    EXPECT_EQ(movesOf(0).back(), QPoint(924, 338));
}

TEST_F(TrailEngineTest, BesideALargerPointerWindowsAndOffsetsGrowOnTopOfEachMonitorsScale)
{
    // A pointer twice the usual size: 40 x 40 windows, offsets and wobble twice as large, and
    // on a 2x monitor twice that again in its device pixels.
    const SpriteScale scale = spriteScaleFor(48);
    const auto restLarge = [&](TrailEngine &large, QPoint pointer, double monitorScale) {
        for (SpriteState &s : large.state().sprites) {
            s.x = pointer.x();
            s.y = pointer.y() + large.state().wobbleOffset * monitorScale * scale.factor;
        }
    };
    {
        FakeWindowSystem monitors;
        monitors.layout.add(QRect(0, 0, 800, 600), 1);
        monitors.layout.add(QRect(800, 0, 800, 600), 2);
        TrailEngine large{monitors, motion, scale};
        for (SpriteWindow *window : large.windows())
            EXPECT_EQ(window->size(), QSize(40, 40));
        large.start(); // scaled monitors: the GUI thread ticks
        const struct
        {
            QPoint pointer, lead, last;
            double monitorScale;
        } cases[] = {
            {{300, 300}, {324, 338}, {340, 450}, 1},
            {{1200, 300}, {1248, 376}, {1280, 600}, 2},
        };
        for (const auto &c : cases) {
            SCOPED_TRACE(c.pointer.x());
            restLarge(large, c.pointer, c.monitorScale);
            monitors.current = c.pointer;
            monitors.moves.clear();
            large.showWindows();
            large.wake();
            large.tick();
            ASSERT_FALSE(monitors.moves.empty());
            std::map<QWidget *, QPoint> last;
            for (const auto &move : monitors.moves)
                last[move.window] = move.topLeft;
            EXPECT_EQ(last[large.window(0)], c.lead);
            EXPECT_EQ(last[large.window(4)], c.last);
            EXPECT_TRUE(large.isSleeping()) << "at rest at that scale";
        }
    }
    // Layer-shell sprites get the drawing at its size, which the compositor shows as it is.
    {
        FakeWindowSystem layer;
        layer.offerSurfaces = true;
        TrailEngine large{layer, motion, scale};
        large.shapeAll();
        for (int k = 0; k < kSpriteCount; ++k)
            EXPECT_EQ(layer.surfaces.pictures[k].size(), QSize(40, 40)) << k;
    }
    // The tick on its own thread, on one monitor of scale 1, does the same.
    FakeWindowSystem flat;
    flat.offerChannel = true;
    flat.channelPointer = QPoint(500, 300);
    TrailEngine large{flat, motion, scale};
    restLarge(large, QPoint(500, 300), 1);
    large.start();
    ASSERT_TRUE(large.ticksOnItsOwnThread());
    EXPECT_TRUE(testsupport::waitFor([&] {
        std::map<int, QPoint> last;
        {
            const std::lock_guard lock(flat.channelLock);
            for (const auto &[index, topLeft] : flat.channelMoves)
                last[index] = topLeft;
        }
        return last[0] == QPoint(524, 338) && last[4] == QPoint(540, 450) && large.isSleeping();
    }));
}
