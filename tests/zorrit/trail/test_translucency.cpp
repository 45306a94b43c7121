// SPDX-License-Identifier: GPL-3.0-or-later
// The translucent trail: the level rule, the windows' opacity and the failure path.
#include "zorrit/trail/translucency.h"

#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_window_system.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/trail/trail_engine.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace zorrit::trail;
using namespace zorrit::settings;

TEST(TranslucencyLevel, NumberAtTheStartRoundedHalfToEven)
{
    struct Row
    {
        const char *text;
        std::optional<int> level;
    };
    const Row rows[] = {
        {"130", 130},
        {"12.5", 12},
        {"13.5", 14},
        {"12.4", 12},
        {"12.6", 13},
        {"0.5", 0},
        {"255", 255},
        {"256", 256},
        {"0", 0},
        {"abc", 0},
        {"", 0},
        {"  77", 77},
        {"77abc", 77},
        {"-3", -3},
        {"32767", 32767},
        {"32767.4", 32767},
        {"-32768", -32768},
        {"32768", std::nullopt},
        {"70000", std::nullopt},
        {"-40000", std::nullopt},
        {"99999999999999999999999999999999999999999999999999", std::nullopt},
    };
    for (const Row &row : rows)
        EXPECT_EQ(translucencyLevel(QString::fromLatin1(row.text)), row.level) << row.text;
}

TEST(TranslucencyLevel, NumberTooLargeForADoubleIsOutOfRangeNotZero)
{
    // 400 digits overflow a double; the level must not come out as 0 (an invisible trail).
    const QString huge(400, QLatin1Char('9'));
    EXPECT_EQ(translucencyLevel(huge), std::nullopt);
    EXPECT_EQ(translucencyLevel(QLatin1Char('-') + huge), std::nullopt);
}

namespace {

class TranslucencyTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void apply(const char *transon, const char *transslid)
    {
        store.write(kTransOn, QString::fromLatin1(transon));
        store.write(kTransSlid, QString::fromLatin1(transslid));
        translucency.apply();
    }

    void expectOpacity(double alpha)
    {
        for (SpriteWindow *window : engine.windows())
            EXPECT_NEAR(window->windowOpacity(), alpha / 255.0, 0.003)
                << window->objectName().toStdString();
    }

    QTemporaryDir dir;
    SettingsStore store{dir.path()};
    platform::FakeWindowSystem fake;
    platform::FakeDialogs dialogs;
    MotionSettings motion;
    TrailEngine engine{fake, motion};
    Translucency translucency{store, fake, dialogs, engine.windows()};
};

} // namespace

TEST_F(TranslucencyTest, OnWithACompositorGivesEveryWindowTheLevel)
{
    fake.compositor = true;
    struct Row
    {
        const char *transslid;
        double alpha;
    };
    const Row rows[] = {{"130", 130}, {"255", 255}, {"0", 0},
                        {"12.5", 12}, {"13.5", 14}, {"abc", 0}};
    for (const Row &row : rows) {
        apply("1", row.transslid);
        expectOpacity(row.alpha);
        EXPECT_EQ(store.read(kTransOn), QStringLiteral("1")) << row.transslid;
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(TranslucencyTest, SpritesOnSurfacesOfTheirOwnTakeTheLevelThemselves)
{
    // Layer-shell sprites have real alpha: the windows are left alone.
    fake.offerSurfaces = true;
    fake.compositor = true;
    apply("1", "130");
    EXPECT_NEAR(fake.surfaces.opacity, 130 / 255.0, 0.003);
    expectOpacity(255);
    apply("0", "130");
    EXPECT_EQ(fake.surfaces.opacity, 1.0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TranslucencyTest, AnythingButOneMeansOffAndOpaque)
{
    fake.compositor = true;
    apply("1", "40");
    expectOpacity(40);
    for (const char *off : {"0", "True", "true", "", "01", " 1"}) {
        apply("1", "40");
        apply(off, "40");
        expectOpacity(255);
    }
    // Off needs no compositor and never complains.
    fake.compositor = false;
    apply("0", "999999");
    expectOpacity(255);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TranslucencyTest, ImpossibleTranslucencyReportsAndSwitchesItOff)
{
    struct Row
    {
        bool compositor;
        const char *transslid;
    };
    const Row rows[] = {{false, "130"}, {true, "256"}, {true, "70000"}, {true, "-1"}};
    // The trail was translucent before: it is opaque by the time the message is read.
    dialogs.onMessage = [this] { expectOpacity(255); };
    for (const Row &row : rows) {
        fake.compositor = true;
        apply("1", "40");
        expectOpacity(40);
        fake.compositor = row.compositor;
        dialogs.shown.clear();
        dialogs.beeps = 0;
        int failures = 0;
        const QMetaObject::Connection counting = QObject::connect(
            &translucency, &zorrit::trail::Translucency::failed, [&failures] { ++failures; });
        apply("1", row.transslid);
        expectOpacity(255);
        ASSERT_EQ(dialogs.shown.size(), 1u) << row.transslid;
        EXPECT_EQ(dialogs.beeps, 1);
        EXPECT_EQ(dialogs.shown[0].icon, platform::MessageIcon::Critical);
        EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Zorrit - Error"));
        EXPECT_EQ(dialogs.shown[0].text,
                  QStringLiteral("Sorry, but the translucid trail only works with a compositing "
                                 "window manager."));
        EXPECT_EQ(failures, 1);
        QObject::disconnect(counting);
        EXPECT_EQ(store.read(kTransOn), QStringLiteral("0")) << row.transslid;
        // The next call takes the "off" branch quietly.
        translucency.apply();
        EXPECT_EQ(dialogs.shown.size(), 1u);
    }
}
