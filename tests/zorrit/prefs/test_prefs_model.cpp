// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences' state: what opening reads, what closing writes, the live effects on the trail
// and the theme fall-backs.
#include "zorrit/prefs/prefs_holder.h"
#include "zorrit/prefs/prefs_model.h"

#include "common/maker_web.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_window_system.h"
#include "support/theme_fixture.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/trail/sprite_picture.h"
#include "zorrit/trail/trail_engine.h"
#include "zorrit/trail/translucency.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorrit;
using namespace zorrit::settings;
using testsupport::ThemeFolder;
using zorrit::prefs::PrefsHolder;
using zorrit::prefs::PrefsModel;
using zorrit::trail::TrailCorner;

namespace {

class PrefsTest : public ::testing::Test
{
protected:
    QString stored(const SettingKey &key) const
    {
        return store.read(key.path(), QStringLiteral("<none>"));
    }

    // Gives every sprite a plain grey square, so a change back to the built-in balls shows.
    void greySprites()
    {
        QImage grey(11, 11, QImage::Format_RGB32);
        grey.fill(qRgb(128, 128, 128));
        for (int k = 0; k < trail::kSpriteCount; ++k) {
            engine.window(k)->setPicture(grey);
            engine.window(k)->cutOutline(trail::KeyColour);
        }
    }

    bool showsBuiltIn(int k) const { return engine.window(k)->picture() == trail::builtInBall(k); }

    QTemporaryDir dir;
    SettingsStore store{dir.path()};
    platform::FakeWindowSystem fake;
    platform::FakeDialogs dialogs;
    trail::MotionSettings motion;
    trail::TrailEngine engine{fake, motion};
    trail::Translucency translucency{store, fake, dialogs, engine.windows()};
    int notices = 0;
    PrefsHolder holder{prefs::PrefsDeps{store, motion, engine, translucency, dialogs}};
    QMetaObject::Connection countNotices =
        QObject::connect(&holder, &PrefsHolder::themeNotFound, [this] { ++notices; });
};

} // namespace

TEST_F(PrefsTest, FirstUseShowsTheDefaults)
{
    PrefsModel &model = holder.model();
    EXPECT_TRUE(model.onTop());
    EXPECT_FALSE(model.onDesktop());
    EXPECT_EQ(model.position(), TrailCorner::BotRight);
    EXPECT_TRUE(model.fastMove());
    EXPECT_FALSE(model.wobble());
    EXPECT_FALSE(model.translucent());
    EXPECT_EQ(model.visibility(), 130);
    EXPECT_FALSE(model.visibilityEnabled());
    EXPECT_EQ(model.themeName(), QStringLiteral("Bubbles (built-in)"));
    EXPECT_EQ(model.themeAuthor(), common::web::creditLine());
    EXPECT_EQ(model.themeSite(), common::web::homePage());
    EXPECT_EQ(model.themePath(), QStringLiteral("default"));
    EXPECT_FALSE(model.isLoading());
    // Setting the controls acted on the trail like clicks.
    EXPECT_EQ(motion.slowdown, 1);
    EXPECT_FALSE(motion.wobbleOn);
    EXPECT_EQ(motion.cornerOffsetX, 10);
    EXPECT_EQ(motion.cornerSignY, 1);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(notices, 0);
}

TEST_F(PrefsTest, ClosingWritesEverySettingInTheDialogsOwnForm)
{
    holder.model();
    holder.unload();
    EXPECT_EQ(holder.loaded(), nullptr);
    EXPECT_EQ(stored(kMove), QStringLiteral("0"));
    EXPECT_EQ(stored(kAbove), QStringLiteral("True"));
    EXPECT_EQ(stored(kUnder), QStringLiteral("False"));
    EXPECT_EQ(stored(kFast), QStringLiteral("1"));
    EXPECT_EQ(stored(kBotRight), QStringLiteral("True"));
    EXPECT_EQ(stored(kBotLeft), QStringLiteral("False"));
    EXPECT_EQ(stored(kTopRight), QStringLiteral("False"));
    EXPECT_EQ(stored(kTopLeft), QStringLiteral("False"));
    EXPECT_EQ(stored(kTransOn), QStringLiteral("0"));
    EXPECT_EQ(stored(kTransSlid), QStringLiteral("130"));
    EXPECT_EQ(stored(kTheme), QStringLiteral("default"));

    // Changes are saved on any closing; an empty theme path is stored as the built-in theme.
    PrefsModel &model = holder.model();
    model.clickWobble(true);
    model.clickFastMove(false);
    model.clickOnDesktop();
    model.clickPosition(TrailCorner::TopRight);
    model.setThemePath(QString());
    holder.unload();
    EXPECT_EQ(stored(kMove), QStringLiteral("1"));
    EXPECT_EQ(stored(kFast), QStringLiteral("0"));
    EXPECT_EQ(stored(kAbove), QStringLiteral("False"));
    EXPECT_EQ(stored(kUnder), QStringLiteral("True"));
    EXPECT_EQ(stored(kBotRight), QStringLiteral("False"));
    EXPECT_EQ(stored(kTopRight), QStringLiteral("True"));
    EXPECT_EQ(stored(kTheme), QStringLiteral("default"));
}

TEST_F(PrefsTest, DiscardingSavesNothing)
{
    holder.model().clickWobble(true);
    holder.discard();
    EXPECT_EQ(holder.loaded(), nullptr);
    EXPECT_EQ(stored(kMove), QStringLiteral("0"));
}

TEST_F(PrefsTest, StoredChoicesComeBackWhenOpenedAgain)
{
    store.write(kBotRight, QStringLiteral("False"));
    store.write(kBotLeft, QStringLiteral("True"));
    store.write(kAbove, QStringLiteral("False"));
    store.write(kUnder, QStringLiteral("True"));
    store.write(kMove, QStringLiteral("1"));
    store.write(kFast, QStringLiteral("0"));
    store.write(kTransSlid, QStringLiteral("200"));
    motion.keepOnTop = true;
    PrefsModel &model = holder.model();
    EXPECT_EQ(model.position(), TrailCorner::BotLeft);
    EXPECT_FALSE(model.onTop());
    EXPECT_TRUE(model.onDesktop());
    EXPECT_TRUE(model.wobble());
    EXPECT_FALSE(model.fastMove());
    EXPECT_EQ(model.visibility(), 200);
    EXPECT_EQ(motion.cornerSignX, -1);
    EXPECT_EQ(motion.cornerOffsetX, -12);
    EXPECT_TRUE(motion.wobbleOn);
    EXPECT_EQ(motion.slowdown, 2);
    EXPECT_FALSE(motion.keepOnTop); // "On desktop" acts at once
}

TEST_F(PrefsTest, NoStoredPositionSelectsNone)
{
    store.write(kBotRight, QStringLiteral("False"));
    EXPECT_EQ(holder.model().position(), std::nullopt);
    holder.unload();
    EXPECT_EQ(stored(kBotRight), QStringLiteral("False"));
    EXPECT_EQ(stored(kTopLeft), QStringLiteral("False"));
}

TEST_F(PrefsTest, FillingTheTranslucencyBoxOnOpeningAppliesNothing)
{
    fake.compositor = false; // applying would fail loudly
    store.write(kTransOn, QStringLiteral("1"));
    PrefsModel &model = holder.model();
    EXPECT_TRUE(model.translucent());
    EXPECT_TRUE(model.visibilityEnabled());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(stored(kTransOn), QStringLiteral("1"));
}

TEST_F(PrefsTest, TranslucencyControlsActOnTheTrail)
{
    fake.compositor = true;
    PrefsModel &model = holder.model();
    model.clickTranslucent(true);
    EXPECT_TRUE(model.visibilityEnabled());
    EXPECT_EQ(stored(kTransOn), QStringLiteral("1"));
    EXPECT_NEAR(engine.window(0)->windowOpacity(), 130 / 255.0, 0.003);
    model.slideVisibility(200);
    EXPECT_EQ(stored(kTransSlid), QStringLiteral("200"));
    EXPECT_NEAR(engine.window(4)->windowOpacity(), 200 / 255.0, 0.003);
    model.clickTranslucent(false);
    EXPECT_FALSE(model.visibilityEnabled());
    EXPECT_NEAR(engine.window(4)->windowOpacity(), 1.0, 0.003);

    // Without a compositor: the message, and the box is unticked again.
    fake.compositor = false;
    model.clickTranslucent(true);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(model.translucent());
    EXPECT_FALSE(model.visibilityEnabled());
    holder.unload();
    EXPECT_EQ(stored(kTransOn), QStringLiteral("0"));
}

TEST_F(PrefsTest, ClicksSetTheSharedMotionSettings)
{
    PrefsModel &model = holder.model();
    struct Row
    {
        TrailCorner corner;
        int signY, signX, offsetX, offsetY;
    };
    const Row rows[] = {{TrailCorner::BotRight, 1, 1, 10, 10},
                        {TrailCorner::BotLeft, 1, -1, -12, 10},
                        {TrailCorner::TopRight, -1, 1, 10, -7},
                        {TrailCorner::TopLeft, -1, -1, -15, -9}};
    for (const Row &row : rows) {
        model.clickPosition(row.corner);
        EXPECT_EQ(motion.cornerSignY, row.signY);
        EXPECT_EQ(motion.cornerSignX, row.signX);
        EXPECT_EQ(motion.cornerOffsetX, row.offsetX);
        EXPECT_EQ(motion.cornerOffsetY, row.offsetY);
    }
    model.clickFastMove(false);
    EXPECT_EQ(motion.slowdown, 2);
    model.clickFastMove(true);
    EXPECT_EQ(motion.slowdown, 1);
    model.clickWobble(true);
    EXPECT_TRUE(motion.wobbleOn);
    motion.keepOnTop = true;
    model.clickOnTop();
    EXPECT_TRUE(motion.keepOnTop);
    model.clickOnDesktop();
    EXPECT_FALSE(motion.keepOnTop);
    model.clickOnTop(); // acts only at the next start
    EXPECT_FALSE(motion.keepOnTop);
}

TEST_F(PrefsTest, CornerClickWakesASleepingTrail)
{
    motion.setCorner(TrailCorner::BotRight);
    engine.start();
    for (trail::SpriteState &s : engine.state().sprites) {
        s.x = 500;
        s.y = 301;
    }
    fake.current = QPoint(500, 300);
    engine.tick();
    ASSERT_TRUE(engine.isSleeping());
    fake.moves.clear();
    holder.model().clickPosition(TrailCorner::BotLeft);
    ASSERT_FALSE(fake.moves.empty());
    EXPECT_EQ(fake.moves.front().window, engine.window(0));
    EXPECT_EQ(fake.moves.front().topLeft, QPoint(500 - 2 - 12, 301 + 8 + 10));
}

TEST_F(PrefsTest, ThemeInUseFillsTheLabels)
{
    ThemeFolder themes;
    const QString path = themes.goodTheme();
    store.write(kTheme, path);
    greySprites();
    PrefsModel &model = holder.model();
    EXPECT_EQ(model.themeName(), QStringLiteral("Good Theme"));
    EXPECT_EQ(model.themeAuthor(), QStringLiteral("Ann Author"));
    EXPECT_EQ(model.themeSite(), QStringLiteral("www.example.org"));
    EXPECT_EQ(model.themePath(), path);
    EXPECT_FALSE(showsBuiltIn(0)); // opening leaves the pictures alone
    holder.unload();
    EXPECT_EQ(stored(kTheme), path);
}

TEST_F(PrefsTest, UnusableThemeAtOpeningFallsBackToTheBuiltInOneWithTheNotice)
{
    ThemeFolder themes;
    themes.goodTheme();
    const QString shortTheme = themes.theme(QStringLiteral("six.thm"),
                                            {QStringLiteral("N"), QStringLiteral("A"),
                                             QStringLiteral("p1.png"), QStringLiteral("p2.png"),
                                             QStringLiteral("p3.png"), QStringLiteral("p4.png")});
    const QString candidates[] = {themes.file(QStringLiteral("missing.thm")), shortTheme,
                                  QStringLiteral("Default"), themes.path()};
    for (const QString &theme : candidates) {
        notices = 0;
        store.write(kTheme, theme);
        greySprites();
        PrefsModel &model = holder.model();
        EXPECT_EQ(stored(kTheme), QStringLiteral("default")) << theme.toStdString();
        EXPECT_EQ(notices, 1) << theme.toStdString();
        EXPECT_FALSE(model.notFoundFlag());
        EXPECT_EQ(model.themePath(), QStringLiteral("default"));
        EXPECT_EQ(model.themeName(), QStringLiteral("Bubbles (built-in)"));
        for (int k = 0; k < trail::kSpriteCount; ++k) {
            EXPECT_TRUE(showsBuiltIn(k)) << k;
            EXPECT_EQ(engine.window(k)->shape(),
                      trail::visibleRegion(trail::composeSpriteDrawing(trail::builtInBall(k))));
        }
        EXPECT_TRUE(dialogs.shown.empty()); // the notice, not a message box
        holder.unload();
        EXPECT_EQ(stored(kTheme), QStringLiteral("default"));
    }
}

TEST_F(PrefsTest, BuiltInThemeOnRequestShowsTheMakersSiteAndGivesNoNotice)
{
    ThemeFolder themes;
    store.write(kTheme, themes.goodTheme());
    greySprites();
    PrefsModel &model = holder.model();
    model.useBuiltInTheme();
    EXPECT_EQ(notices, 0);
    // Not the previous theme's site beside "Bubbles (built-in)".
    EXPECT_EQ(model.themeSite(), common::web::homePage());
    EXPECT_EQ(model.themePath(), QStringLiteral("default"));
    for (int k = 0; k < trail::kSpriteCount; ++k)
        EXPECT_TRUE(showsBuiltIn(k));
}

TEST_F(PrefsTest, ChosenThemePutsItsPicturesOnTheTrail)
{
    ThemeFolder themes;
    const QString path = themes.goodTheme();
    PrefsModel &model = holder.model();
    model.loadChosenTheme(path);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(model.themePath(), path);
    EXPECT_EQ(model.themeName(), QStringLiteral("Good Theme"));
    EXPECT_EQ(model.themeSite(), QStringLiteral("www.example.org"));
    for (int k = 0; k < trail::kSpriteCount; ++k) {
        EXPECT_EQ(engine.window(k)->picture().pixel(5, 5), ThemeFolder::colour(k));
        EXPECT_EQ(engine.window(k)->shape(), QRegion(0, 0, 11, 11)) << k;
    }
    holder.unload();
    EXPECT_EQ(stored(kTheme), path);

    // Sprites on surfaces of their own (layer shell) get the pictures themselves.
    fake.offerSurfaces = true;
    holder.model().loadChosenTheme(path);
    for (int k = 0; k < trail::kSpriteCount; ++k)
        EXPECT_EQ(fake.surfaces.pictures[k].pixel(5, 5), ThemeFolder::colour(k) | 0xff000000u) << k;
}

TEST_F(PrefsTest, ChosenThemeMissingAPictureKeepsWhatChangedAndRecutsIt)
{
    ThemeFolder themes;
    themes.goodTheme();
    const QString path =
        themes.theme(QStringLiteral("broken.thm"),
                     {QStringLiteral("Broken"), QStringLiteral("B"), QStringLiteral("p1.png"),
                      QStringLiteral("gone.png"), QStringLiteral("p3.png"),
                      QStringLiteral("p4.png"), QStringLiteral("p5.png"), QStringLiteral("S")});
    PrefsModel &model = holder.model();
    const QRegion ballShape = engine.window(1)->shape();
    model.loadChosenTheme(path);

    EXPECT_EQ(engine.window(0)->picture().pixel(5, 5), ThemeFolder::colour(0));
    // The new picture of sprite 1 shows through its own outline, not the ball's.
    EXPECT_EQ(engine.window(0)->shape(), QRegion(0, 0, 11, 11));
    for (int k = 1; k < trail::kSpriteCount; ++k)
        EXPECT_TRUE(showsBuiltIn(k)) << k;
    EXPECT_EQ(engine.window(1)->shape(), ballShape);

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(dialogs.shown[0].icon, platform::MessageIcon::Critical);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Zorrit - Error"));
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("The theme you have selected is damaged or some files are missing. "
                             "Please install it again."));
    EXPECT_EQ(model.themePath(), QStringLiteral("default"));
    EXPECT_EQ(model.themeName(), QStringLiteral("Bubbles (built-in)")); // labels not reached
    holder.unload();
    EXPECT_EQ(stored(kTheme), QStringLiteral("default"));
}

TEST_F(PrefsTest, ChosenThemeThatCannotBeReadIsReportedNotStored)
{
    ThemeFolder themes;
    themes.writeBytes(QStringLiteral("empty.thm"), QByteArray());
    const QString paths[] = {themes.file(QStringLiteral("missing.thm")),
                             themes.file(QStringLiteral("empty.thm")), themes.path()};
    PrefsModel &model = holder.model();
    for (const QString &path : paths) {
        dialogs.shown.clear();
        model.loadChosenTheme(path);
        ASSERT_EQ(dialogs.shown.size(), 1u) << path.toStdString();
        EXPECT_EQ(dialogs.shown[0].text, PrefsModel::damagedThemeText());
        EXPECT_EQ(model.themePath(), QStringLiteral("default"));
        for (int k = 0; k < trail::kSpriteCount; ++k)
            EXPECT_TRUE(showsBuiltIn(k));
    }
    holder.unload();
    EXPECT_EQ(stored(kTheme), QStringLiteral("default"));
}
