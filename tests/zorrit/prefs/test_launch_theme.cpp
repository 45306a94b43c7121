// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing a theme file from the preferences: what the open dialog is asked, and what a chosen,
// cancelled, damaged or half-readable theme does to the trail and to the stored theme.
#include "../zorrit_world.h"
#include "common/maker_web.h"
#include "zorrit/prefs/prefs_dialog.h"
#include "zorrit/prefs/prefs_model.h"
#include "zorrit/prefs/prefs_window.h"
#include "zorrit/themes/shipped_themes.h"
#include "zorrit/trail/sprite_picture.h"

#include <QAbstractButton>
#include <QLabel>

#include <gtest/gtest.h>

using namespace zorrit;
using tests::ZorritWorld;

namespace {

// Answers from its own queue and notes whether the trail was kept on top while it showed.
class WatchingChooser final : public platform::FileChooser
{
public:
    platform::FileChooserAnswer choose(const platform::FileChooserRequest &request) override
    {
        keptOnTopWhileShown = keepOnTop && keepOnTop->isActive();
        return fake.choose(request);
    }
    bool confirmReplace(QWidget *, const QString &) override { return false; }

    platform::FakeFileChooser fake;
    QTimer *keepOnTop = nullptr;
    bool keptOnTopWhileShown = true;
};

QRgb spriteColour(ZorritWorld &world, int k)
{
    return world.app->engine().window(k)->picture().pixel(0, 0);
}

bool showsBuiltIn(ZorritWorld &world, int k)
{
    return world.app->engine().window(k)->picture() == trail::builtInBall(k);
}

void clickLoadTheme(ZorritWorld &world)
{
    world.app->showPreferences();
    prefs::PrefsDialog *dialog = world.app->prefsWindow().dialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QAbstractButton *>(QStringLiteral("Command5"))->click();
}

} // namespace

TEST(ChooseTheme, AsksForThmFilesAndLoadsTheChosenTheme)
{
    ZorritWorld world;
    world.startTrail();
    const QString theme = world.themes.goodTheme(QStringLiteral("squares.thm"));
    world.chooser.chooseNext(theme);
    clickLoadTheme(world);

    ASSERT_EQ(world.chooser.requests.size(), 1u);
    const platform::FileChooserRequest &request = world.chooser.requests[0];
    EXPECT_EQ(request.mode, platform::ChooserMode::Open);
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, QStringLiteral("Zorrit Theme (*.thm)"));
    EXPECT_EQ(request.filters[0].pattern, QStringLiteral("*.thm"));
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.flags, 8u);
    EXPECT_EQ(request.owner.data(), world.app->prefsWindow().dialog());
    // With the built-in theme in use it starts among the themes that come with Zorrit.
    EXPECT_FALSE(request.initialDir.isEmpty());
    EXPECT_EQ(request.initialDir,
              themes::shippedThemesFolder(QCoreApplication::applicationDirPath()));

    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(spriteColour(world, k), testsupport::ThemeFolder::colour(k)) << k;
    prefs::PrefsModel &model = world.app->prefs().model();
    EXPECT_EQ(model.themePath(), theme);
    EXPECT_EQ(model.themeName(), QStringLiteral("Good Theme"));
    EXPECT_EQ(model.themeSite(), QStringLiteral("www.example.org"));
    EXPECT_TRUE(world.dialogs.shown.empty());

    world.app->prefs().unload();
    EXPECT_EQ(world.setting(settings::kTheme), theme);
}

TEST(ChooseTheme, KeepOnTopPausesWhileTheDialogShowsAndCancelChangesNothing)
{
    WatchingChooser chooser;
    ZorritWorld world(&chooser);
    const QString theme = world.themes.goodTheme(QStringLiteral("squares.thm"));
    world.app->store().write(settings::kTheme, theme);
    world.startTrail();
    QTimer &keepOnTop = world.app->engine().keepOnTopTimer();
    chooser.keepOnTop = &keepOnTop;
    ASSERT_TRUE(keepOnTop.isActive());
    const QRgb before = spriteColour(world, 1);

    chooser.fake.cancelNext();
    clickLoadTheme(world);
    EXPECT_FALSE(chooser.keptOnTopWhileShown);
    EXPECT_EQ(chooser.fake.requests.at(0).initialDir, QString()); // a theme file is in use
    EXPECT_TRUE(keepOnTop.isActive());
    EXPECT_EQ(world.app->prefs().model().themePath(), theme);
    EXPECT_EQ(spriteColour(world, 1), before);
    EXPECT_TRUE(world.dialogs.shown.empty());

    world.app->prefsWindow().dialog()->close();
    EXPECT_EQ(world.setting(settings::kTheme), theme);
}

TEST(ChooseTheme, DamagedThemesAreReportedAndTheBuiltInThemeIsStored)
{
    const struct
    {
        const char *what;
        QStringList lines;
        int spritesChanged;
    } cases[] = {
        {"six lines", testsupport::ThemeFolder::goodThemeLines().mid(0, 6), 0},
        {"second picture missing",
         [] {
             QStringList l = testsupport::ThemeFolder::goodThemeLines();
             l[3] = QStringLiteral("gone.bmp");
             return l;
         }(),
         1},
        {"picture line in another case",
         [] {
             QStringList l = testsupport::ThemeFolder::goodThemeLines();
             l[2] = QStringLiteral("no picture");
             return l;
         }(),
         0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ZorritWorld world;
        world.startTrail();
        world.chooser.chooseNext(world.themes.themeWithPictures(QStringLiteral("t.thm"), c.lines));
        clickLoadTheme(world);

        ASSERT_EQ(world.dialogs.shown.size(), 1u);
        EXPECT_EQ(world.dialogs.shown[0].title, QStringLiteral("Zorrit - Error"));
        EXPECT_EQ(world.dialogs.shown[0].text, prefs::PrefsModel::damagedThemeText());
        EXPECT_EQ(world.dialogs.beeps, 1);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(showsBuiltIn(world, k), k >= c.spritesChanged) << k;
        world.app->prefsWindow().dialog()->close();
        EXPECT_EQ(world.setting(settings::kTheme), QStringLiteral("default"));
    }
}

TEST(ChooseTheme, ADialogThatCannotBeShownIsACriticalError)
{
    ZorritWorld world;
    world.startTrail();
    world.chooser.failNext();
    clickLoadTheme(world);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].title, QStringLiteral("Zorrit - Critical Error"));
    EXPECT_EQ(world.dialogs.shown[0].text, prefs::PrefsModel::sharedLibraryText());
    EXPECT_EQ(world.app->prefs().model().themePath(), QStringLiteral("default"));
    EXPECT_TRUE(world.app->engine().keepOnTopTimer().isActive());
}

TEST(ChooseTheme, UseBuiltInThemeBringsBackTheBallsAndTheMakersSite)
{
    ZorritWorld world;
    world.startTrail();
    world.chooser.chooseNext(world.themes.goodTheme(QStringLiteral("squares.thm")));
    clickLoadTheme(world);
    prefs::PrefsDialog *dialog = world.app->prefsWindow().dialog();
    dialog->findChild<QAbstractButton *>(QStringLiteral("Command4"))->click();
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(showsBuiltIn(world, k)) << k;
    EXPECT_EQ(dialog->findChild<QLabel *>(QStringLiteral("whatis"))->text(),
              QStringLiteral("Bubbles (built-in)"));
    EXPECT_EQ(dialog->findChild<QLabel *>(QStringLiteral("whatmail"))->text(),
              common::web::homePage());
    dialog->close();
    EXPECT_EQ(world.setting(settings::kTheme), QStringLiteral("default"));
}
