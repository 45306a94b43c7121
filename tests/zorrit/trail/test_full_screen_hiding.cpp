// SPDX-License-Identifier: GPL-3.0-or-later
// The trail standing aside for full-screen programs, as the running program does it: beside the
// user's own "Zorrit Off", and following the pointer from monitor to monitor.
#include "zorrit/trail/full_screen_hiding.h"

#include "../zorrit_world.h"
#include "platform/fake/fake_full_screen_watch.h"
#include "support/wait.h"
#include "zorrit/shell/tray_window.h"

#include <QAction>

#include <gtest/gtest.h>

using namespace zorrit;
using platform::FocusedWindow;
using tests::ZorritWorld;

namespace {

class FullScreenHidingTest : public ::testing::Test
{
protected:
    int spritesShown() const
    {
        int shown = 0;
        for (int k = 0; k < trail::kSpriteCount; ++k)
            shown += world.app->engine().window(k)->isVisible() ? 1 : 0;
        return shown;
    }

    platform::FakeFullScreenWatch watch;
    ZorritWorld world{nullptr, [this](app::Seams &seams) { seams.fullScreenWatch = &watch; }};
};

const QRect kLeft(0, 0, 800, 600);
const QRect kRight(800, 0, 800, 600);

} // namespace

TEST_F(FullScreenHidingTest, AFullScreenWindowAndZorritOffHideTheTrailEachForItself)
{
    world.startTrail();
    shell::TrayWindow *tray = world.app->tray();
    ASSERT_NE(tray, nullptr);
    QAction *on = tray->item(QStringLiteral("yesjug"));
    QAction *off = tray->item(QStringLiteral("nojug"));
    ASSERT_EQ(spritesShown(), 5);

    const FocusedWindow fullScreen{true, {kLeft}};
    const FocusedWindow ordinary{false, {kLeft}};
    // Under "Zorrit Off" alone the tick goes on; over a full-screen program it sleeps.
    const struct
    {
        const char *what;
        std::function<void()> act;
        bool shown;
        bool userOn;
        bool ticking;
    } steps[] = {
        {"a full-screen window takes the focus", [&] { watch.set(fullScreen); }, false, true,
         false},
        {"Zorrit Off", [&] { off->trigger(); }, false, false, false},
        {"the full-screen window goes", [&] { watch.set(ordinary); }, false, false, true},
        {"Zorrit On", [&] { on->trigger(); }, true, true, true},
        {"full screen again", [&] { watch.set(fullScreen); }, false, true, false},
        {"Zorrit On while it is", [&] { on->trigger(); }, false, true, false},
        {"it leaves full screen", [&] { watch.set(ordinary); }, true, true, true},
        {"Zorrit Off, then full screen", [&] { off->trigger(), watch.set(fullScreen); }, false,
         false, false},
        {"Zorrit On, then the focus goes", [&] { on->trigger(), watch.set({}); }, true, true, true},
    };
    trail::TrailEngine &engine = world.app->engine();
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(spritesShown(), step.shown ? 5 : 0);
        EXPECT_EQ(engine.windowsVisible(), step.shown);
        EXPECT_EQ(tray->trailOn(), step.userOn);
        EXPECT_EQ(engine.tickTimer().isActive(), step.ticking);
        // Nothing but the end of full screen wakes a halted trail.
        if (!step.ticking) {
            engine.wake();
            EXPECT_FALSE(engine.tickTimer().isActive());
        }
    }
}

TEST_F(FullScreenHidingTest, WithTwoMonitorsOnlyThePointersOneCounts)
{
    world.windowSystem.layout.add(kLeft, 1);
    world.windowSystem.layout.add(kRight, 1);
    world.windowSystem.current = QPoint(1000, 300);
    world.startTrail();
    watch.set({true, {kLeft}});
    EXPECT_EQ(spritesShown(), 5) << "the full-screen window is on the other monitor";

    // Nothing tells of the pointer crossing over: it is looked for once a second.
    world.windowSystem.current = QPoint(300, 300);
    EXPECT_TRUE(testsupport::waitFor([&] { return spritesShown() == 0; }, 3000));
    world.windowSystem.current = QPoint(1000, 300);
    EXPECT_TRUE(testsupport::waitFor([&] { return spritesShown() == 5; }, 3000));
}
