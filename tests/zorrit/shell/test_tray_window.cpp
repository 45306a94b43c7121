// SPDX-License-Identifier: GPL-3.0-or-later
// The tray window: its menu, what each item does, and the tray-host retry.
#include "zorrit/shell/tray_window.h"

#include "../zorrit_world.h"
#include "common/maker_web.h"
#include "zorrit/instance/hand_off.h"
#include "zorrit/prefs/prefs_dialog.h"
#include "zorrit/prefs/prefs_window.h"
#include "zorrit/shell/about_box.h"
#include "zorrit/trail/sprite_picture.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorrit;
using tests::ZorritWorld;

namespace {

QAction *menuItem(ZorritWorld &world, const char *name)
{
    QAction *action = world.app->tray()->item(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

// Runs something while the open dialog is "on screen", as a D-Bus menu click can, then chooses.
class ReentrantChooser final : public platform::FileChooser
{
public:
    platform::FileChooserAnswer choose(const platform::FileChooserRequest &) override
    {
        if (whileOpen)
            whileOpen();
        return {platform::FileChooserAnswer::Outcome::Chosen, {answer}};
    }
    bool confirmReplace(QWidget *, const QString &) override { return false; }

    std::function<void()> whileOpen;
    QString answer;
};

} // namespace

TEST(TrayWindow, MenuOrderCaptionsDefaultItemAndMarks)
{
    ZorritWorld world;
    world.startTrail();
    shell::TrayWindow *tray = world.app->tray();
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->windowTitle(), QStringLiteral("Tray"));
    EXPECT_EQ(tray->objectName(), QStringLiteral("tray"));
    EXPECT_FALSE(tray->isVisible());
    EXPECT_EQ(tray->icon().toolTip(), QStringLiteral("Zorrit"));
    EXPECT_FALSE(tray->icon().icon().isNull());
    EXPECT_TRUE(tray->icon().isVisible());
    EXPECT_EQ(tray->icon().contextMenu(), &tray->menu());

    const struct
    {
        const char *name;
        const char *caption; // null: a separator
    } expected[] = {
        {"theprefs", "&Zorrit Preferences..."},
        {"down", "&Download new themes..."},
        {"sep3", nullptr},
        {"loadth", "&Load Theme..."},
        {"usebuilt", "&Use built-in theme"},
        {"sep1", nullptr},
        {"yesjug", "Zorrit &On"},
        {"nojug", "Zorrit O&ff"},
        {"sep2", nullptr},
        {"abo", "A&bout Zorrit..."},
        {"closeit", "&Quit"},
    };
    const QList<QAction *> actions = tray->menu().actions();
    ASSERT_EQ(actions.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(expected[i].name));
        EXPECT_EQ(actions[i]->isSeparator(), expected[i].caption == nullptr) << expected[i].name;
        if (expected[i].caption) {
            EXPECT_EQ(actions[i]->text(), QString::fromLatin1(expected[i].caption));
        }
    }
    EXPECT_EQ(tray->menu().defaultAction(), menuItem(world, "theprefs"));
    EXPECT_TRUE(menuItem(world, "theprefs")->font().bold());
    EXPECT_TRUE(menuItem(world, "yesjug")->isChecked());
    EXPECT_FALSE(menuItem(world, "nojug")->isChecked());
}

TEST(TrayWindow, OnAndOffMarksFollowOnlyTheirOwnItems)
{
    ZorritWorld world;
    world.startTrail();
    shell::TrayWindow *tray = world.app->tray();
    QAction *on = menuItem(world, "yesjug");
    QAction *off = menuItem(world, "nojug");
    const auto spritesShown = [&] {
        int shown = 0;
        for (int k = 0; k < 5; ++k)
            shown += world.app->engine().window(k)->isVisible() ? 1 : 0;
        return shown;
    };
    ASSERT_EQ(spritesShown(), 5);

    const struct
    {
        QAction *item;
        bool onAfter;
    } steps[] = {{off, false}, {off, false}, {on, true}, {on, true}, {off, false}};
    for (const auto &step : steps) {
        step.item->trigger();
        EXPECT_EQ(on->isChecked(), step.onAfter);
        EXPECT_EQ(off->isChecked(), !step.onAfter);
        EXPECT_EQ(tray->trailOn(), step.onAfter);
        EXPECT_EQ(spritesShown(), step.onAfter ? 5 : 0);
    }
    // Off does not stop the animation.
    EXPECT_TRUE(world.app->engine().tickTimer().isActive());
}

TEST(TrayWindow, PreferencesOpenFromTheDefaultItemAndTheDoubleClick)
{
    ZorritWorld world;
    world.startTrail();
    shell::TrayWindow *tray = world.app->tray();
    menuItem(world, "theprefs")->trigger();
    ASSERT_NE(world.app->prefsWindow().dialog(), nullptr);
    EXPECT_TRUE(world.app->prefsWindow().dialog()->isVisible());
    world.app->prefsWindow().dialog()->close();
    ZorritWorld::flushDeletes();

    Q_EMIT tray->icon().activated(QSystemTrayIcon::Trigger);
    Q_EMIT tray->icon().activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(world.app->prefsWindow().dialog(), nullptr);
    Q_EMIT tray->icon().activated(QSystemTrayIcon::DoubleClick);
    ASSERT_NE(world.app->prefsWindow().dialog(), nullptr);
    EXPECT_TRUE(world.app->prefsWindow().dialog()->isVisible());
}

TEST(TrayWindow, DownloadOpensTheGallery)
{
    ZorritWorld world;
    world.startTrail();
    menuItem(world, "down")->trigger();
    ASSERT_EQ(world.shell.opened.size(), 1u);
    EXPECT_EQ(world.shell.opened[0], QUrl(common::web::gallery()));
}

TEST(TrayWindow, LoadThemeStoresThePathAndClosesTheDialog)
{
    ZorritWorld world;
    world.startTrail();
    const QString theme = world.themes.goodTheme(QStringLiteral("squares.thm"));
    world.app->showPreferences();
    world.chooser.chooseNext(theme);
    menuItem(world, "loadth")->trigger();
    EXPECT_EQ(world.setting(settings::kTheme), theme);
    EXPECT_EQ(world.app->prefs().loaded(), nullptr);
    EXPECT_EQ(world.app->prefsWindow().dialog(), nullptr);
    EXPECT_NE(world.app->engine().window(0)->picture(), trail::builtInBall(0));

    // "Use built-in theme" brings the balls back and stores "default".
    menuItem(world, "usebuilt")->trigger();
    EXPECT_EQ(world.setting(settings::kTheme), QStringLiteral("default"));
    EXPECT_EQ(world.app->engine().window(0)->picture(), trail::builtInBall(0));
    EXPECT_EQ(world.app->prefs().loaded(), nullptr);
}

// The tray menu reaches us over D-Bus even while a modal dialog of the preferences runs; its theme
// items must not destroy the preferences under that dialog's event loop.
TEST(TrayWindow, ThemeItemsWaitForTheNestedLoopsOfThePreferences)
{
    {
        SCOPED_TRACE("the about box over the preferences dialog");
        ZorritWorld world;
        world.startTrail();
        const QString theme = world.themes.goodTheme(QStringLiteral("squares.thm"));
        world.app->showPreferences();
        const QPointer<prefs::PrefsDialog> dialog = world.app->prefsWindow().dialog();
        ASSERT_FALSE(dialog.isNull());
        bool boxSeen = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<shell::AboutBox *>(QApplication::activeModalWidget());
            boxSeen = box != nullptr;
            menuItem(world, "usebuilt")->trigger();
            world.chooser.chooseNext(theme);
            menuItem(world, "loadth")->trigger();
            ZorritWorld::flushDeletes(); // what the box's own loop would do next
            EXPECT_FALSE(dialog.isNull());
            EXPECT_NE(world.app->prefs().loaded(), nullptr);
            if (box)
                box->reject();
        });
        world.app->showAbout();
        EXPECT_TRUE(boxSeen);
        QCoreApplication::processEvents();
        ZorritWorld::flushDeletes();
        // Once the box has closed, the items' closing of the preferences happens, saving.
        EXPECT_EQ(world.app->prefs().loaded(), nullptr);
        EXPECT_TRUE(dialog.isNull());
        EXPECT_EQ(world.setting(settings::kTheme), theme);
    }
    {
        SCOPED_TRACE("\"Use built-in theme\" while the tray's open dialog is up");
        ReentrantChooser chooser;
        ZorritWorld world(&chooser);
        world.startTrail();
        chooser.answer = world.themes.goodTheme(QStringLiteral("squares.thm"));
        QPointer<prefs::PrefsModel> model;
        bool asked = false;
        chooser.whileOpen = [&] {
            asked = true;
            model = world.app->prefs().loaded();
            menuItem(world, "usebuilt")->trigger();
            ZorritWorld::flushDeletes();
            EXPECT_FALSE(model.isNull()) << "the model went while its open dialog was up";
        };
        menuItem(world, "loadth")->trigger();
        QCoreApplication::processEvents();
        ASSERT_TRUE(asked);
        EXPECT_EQ(world.app->prefs().loaded(), nullptr);
        EXPECT_EQ(world.setting(settings::kTheme), chooser.answer);
        EXPECT_NE(world.app->engine().window(0)->picture(), trail::builtInBall(0));
    }
    {
        SCOPED_TRACE("\"Quit\" while the tray's open dialog is up");
        ReentrantChooser chooser;
        ZorritWorld world(&chooser);
        world.startTrail();
        chooser.answer = world.themes.goodTheme(QStringLiteral("squares.thm"));
        chooser.whileOpen = [&] {
            world.app->prefs().loaded()->clickWobble(true);
            menuItem(world, "closeit")->trigger();
            ZorritWorld::flushDeletes();
            EXPECT_NE(world.app->prefs().loaded(), nullptr);
        };
        menuItem(world, "loadth")->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(world.ended, 1);
        EXPECT_EQ(world.app->prefs().loaded(), nullptr);
        EXPECT_EQ(world.setting(settings::kMove), QStringLiteral("0")); // a quit saves nothing
    }
}

TEST(TrayWindow, LoadThemeWithAnEmptyPathStoresDefault)
{
    ZorritWorld world;
    world.startTrail();
    world.app->prefs().model().setThemePath(QString());
    world.chooser.cancelNext();
    menuItem(world, "loadth")->trigger();
    EXPECT_EQ(world.setting(settings::kTheme), QStringLiteral("default"));
}

TEST(TrayWindow, QuitRemovesTheIconAndLeavesScrapDatAlone)
{
    ZorritWorld world;
    world.startTrail();
    world.app->showPreferences();
    const QString scrap = instance::scrapFilePath(world.runtimeDir.path());
    ASSERT_TRUE(instance::writeScrap(scrap));
    world.app->prefs().model().clickWobble(true);

    menuItem(world, "closeit")->trigger();
    EXPECT_FALSE(world.app->tray()->icon().isVisible());
    EXPECT_EQ(world.ended, 1);
    EXPECT_TRUE(QFile::exists(scrap));
    EXPECT_EQ(world.setting(settings::kMove), QStringLiteral("0")); // the open dialog not saved
}

TEST(TrayWindow, NoTrayHostIsRetriedThenReportedOnce)
{
    ZorritWorld world;
    int looks = 0;
    bool hostUp = false;
    QStringList reports;
    shell::TrayHostWatch watch;
    watch.available = [&] {
        ++looks;
        return hostUp;
    };
    watch.report = [&](const char *text) { reports << QString::fromLocal8Bit(text); };
    watch.retryIntervalMs = 5;
    watch.retryAttempts = 4;
    auto tray = std::make_unique<shell::TrayWindow>(
        shell::TrayDeps{world.app->engine(), world.shell, watch});

    tray->addIcon();
    EXPECT_TRUE(tray->icon().isVisible()); // shown anyway, for a host that comes later
    QTest::qWait(100);
    EXPECT_EQ(looks, 1 + 4);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0], shell::TrayWindow::noTrayHostText());

    // A host that turns up in time ends the retries quietly.
    looks = 0;
    reports.clear();
    tray->addIcon();
    hostUp = true;
    QTest::qWait(100);
    EXPECT_EQ(looks, 2);
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_TRUE(tray->icon().isVisible());
}
