// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences dialog as the user sees it: what it shows, what its controls do to the running
// trail, and what each way of leaving it stores.
#include "zorrit/prefs/prefs_dialog.h"

#include "../zorrit_world.h"
#include "common/link_label.h"
#include "common/maker_web.h"
#include "platform/fake/fake_full_screen_watch.h"
#include "zorrit/prefs/prefs_window.h"
#include "zorrit/shell/tray_window.h"
#include "zorrit/trail/translucency.h"
#include "zorrit/update/update_check.h"
#include "zorrit/update/update_check_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorrit;
using settings::SettingKey;
using tests::ZorritWorld;

namespace {

prefs::PrefsDialog *openPrefs(ZorritWorld &world)
{
    world.app->showPreferences();
    return world.app->prefsWindow().dialog();
}

template <typename T = QWidget>
T *control(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QWidget *dialog, const char *name)
{
    QAbstractButton *button = control<QAbstractButton>(dialog, name);
    ASSERT_NE(button, nullptr);
    button->click();
}

} // namespace

TEST(PrefsDialog, FirstUseShowsTheDefaultsAndClosingStoresOptionsAsTrueFalse)
{
    ZorritWorld world;
    prefs::PrefsDialog *dialog = openPrefs(world);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->objectName(), QStringLiteral("prefs"));
    EXPECT_EQ(dialog->windowRole(), dialog->objectName());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Zorrit Preferences"));
    auto *tabs = control<QTabWidget>(dialog, "TabPanel");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("&General"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("&Settings"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("S&haring"));

    EXPECT_TRUE(control<QRadioButton>(dialog, "onit")->isChecked());
    EXPECT_FALSE(control<QRadioButton>(dialog, "ondesktop")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, "botright")->isChecked());
    for (const char *other : {"botleft", "topright", "topleft"})
        EXPECT_FALSE(control<QRadioButton>(dialog, other)->isChecked()) << other;
    EXPECT_TRUE(control<QCheckBox>(dialog, "vroom")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(dialog, "wobb")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(dialog, "transon")->isChecked());
    auto *slider = control<QSlider>(dialog, "transslid");
    EXPECT_EQ(slider->value(), 130);
    EXPECT_EQ(slider->minimum(), 30);
    EXPECT_EQ(slider->maximum(), 255);
    EXPECT_EQ(slider->singleStep(), 1);
    EXPECT_EQ(slider->pageStep(), 50);
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_FALSE(control(dialog, "transtext")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(dialog, "hidefull")->isChecked());
    EXPECT_EQ(control<QLabel>(dialog, "whatis")->text(), QStringLiteral("Bubbles (built-in)"));
    EXPECT_EQ(control<QLabel>(dialog, "whatpath")->text(), QStringLiteral("default"));

    click(dialog, "Command11");
    EXPECT_EQ(world.app->prefsWindow().dialog(), nullptr);
    const struct
    {
        SettingKey key;
        const char *stored;
    } expected[] = {
        {settings::kAbove, "True"},     {settings::kUnder, "False"},
        {settings::kBotRight, "True"},  {settings::kBotLeft, "False"},
        {settings::kTopRight, "False"}, {settings::kTopLeft, "False"},
        {settings::kMove, "0"},         {settings::kFast, "1"},
        {settings::kTransOn, "0"},      {settings::kTransSlid, "130"},
        {settings::kTheme, "default"},  {settings::kHideFullScreen, "1"},
    };
    for (const auto &e : expected)
        EXPECT_EQ(world.setting(e.key), QString::fromLatin1(e.stored)) << e.key.name;
}

TEST(PrefsDialog, EveryWayOfClosingSavesExceptQuit)
{
    const struct
    {
        const char *how;
        bool saves;
    } ways[] = {{"Command11", true},
                {"Command12", true},
                {"closebox", true},
                {"escape", true},
                {"Command1", false}};
    for (const auto &way : ways) {
        SCOPED_TRACE(way.how);
        ZorritWorld world;
        world.startTrail();
        prefs::PrefsDialog *dialog = openPrefs(world);
        ASSERT_NE(dialog, nullptr);
        click(dialog, "wobb");
        click(dialog, "topleft");
        const QString how = QString::fromLatin1(way.how);
        if (how == QLatin1String("closebox"))
            dialog->close();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            click(dialog, way.how);

        EXPECT_EQ(world.setting(settings::kMove),
                  way.saves ? QStringLiteral("1") : QStringLiteral("0"));
        EXPECT_EQ(world.setting(settings::kTopLeft),
                  way.saves ? QStringLiteral("True") : QStringLiteral("False"));
        EXPECT_EQ(world.ended, way.saves ? 0 : 1);
        EXPECT_EQ(world.app->tray()->icon().isVisible(), way.saves);
        if (way.saves) {
            EXPECT_EQ(world.app->prefsWindow().dialog(), nullptr);
        }
    }
}

TEST(PrefsDialog, ClosingKeepsWhatAnotherCopyStoredWhileItWasOpen)
{
    ZorritWorld world;
    world.app->store().write(settings::kAbove, QStringLiteral("-1"));
    prefs::PrefsDialog *dialog = openPrefs(world);
    ASSERT_NE(dialog, nullptr);
    // A copy started with a theme stores it while this one still has its dialog open.
    const QString handed = QStringLiteral("/home/me/handed.thm");
    world.app->store().write(settings::kTheme, handed);
    world.app->store().write(settings::kFast, QStringLiteral("0"));
    click(dialog, "wobb");
    click(dialog, "Command11");

    EXPECT_EQ(world.setting(settings::kTheme), handed);
    EXPECT_EQ(world.setting(settings::kFast), QStringLiteral("0"));
    // What the user changed, and values kept in another form, are still written as the dialog's.
    EXPECT_EQ(world.setting(settings::kMove), QStringLiteral("1"));
    EXPECT_EQ(world.setting(settings::kAbove), QStringLiteral("True"));
}

TEST(PrefsDialog, EachControlActsOnTheRunningTrailAtOnce)
{
    ZorritWorld world;
    world.startTrail();
    prefs::PrefsDialog *dialog = openPrefs(world);
    trail::MotionSettings &motion = world.app->motion();

    const struct
    {
        const char *option;
        trail::TrailCorner corner;
    } corners[] = {{"botleft", trail::TrailCorner::BotLeft},
                   {"topright", trail::TrailCorner::TopRight},
                   {"topleft", trail::TrailCorner::TopLeft},
                   {"botright", trail::TrailCorner::BotRight}};
    for (const auto &c : corners) {
        click(dialog, c.option);
        const trail::CornerValues v = trail::cornerValues(c.corner);
        EXPECT_EQ(motion.cornerSignX, v.signX) << c.option;
        EXPECT_EQ(motion.cornerSignY, v.signY) << c.option;
        EXPECT_EQ(motion.cornerOffsetX, v.offsetX) << c.option;
        EXPECT_EQ(motion.cornerOffsetY, v.offsetY) << c.option;
    }

    click(dialog, "wobb");
    EXPECT_TRUE(motion.wobbleOn);
    click(dialog, "wobb");
    EXPECT_FALSE(motion.wobbleOn);
    click(dialog, "vroom");
    EXPECT_EQ(motion.slowdown, 2);
    click(dialog, "vroom");
    EXPECT_EQ(motion.slowdown, 1);

    ASSERT_TRUE(motion.keepOnTop);
    click(dialog, "onit");
    EXPECT_TRUE(motion.keepOnTop);
    click(dialog, "ondesktop");
    EXPECT_FALSE(motion.keepOnTop);
    click(dialog, "onit"); // acts at the next start only
    EXPECT_FALSE(motion.keepOnTop);

    // Translucency: with a compositor the sprites take the slider's level at once.
    world.windowSystem.compositor = true;
    click(dialog, "transon");
    EXPECT_TRUE(control(dialog, "transslid")->isEnabled());
    EXPECT_TRUE(control(dialog, "transtext")->isEnabled());
    EXPECT_EQ(world.setting(settings::kTransOn), QStringLiteral("1"));
    control<QSlider>(dialog, "transslid")->setValue(200);
    EXPECT_EQ(world.setting(settings::kTransSlid), QStringLiteral("200"));
    EXPECT_NEAR(world.app->engine().window(0)->windowOpacity(), 200 / 255.0, 0.01);
    click(dialog, "transon");
    EXPECT_FALSE(control(dialog, "transslid")->isEnabled());
    EXPECT_NEAR(world.app->engine().window(4)->windowOpacity(), 1.0, 0.01);
    EXPECT_TRUE(world.dialogs.shown.empty());
}

TEST(PrefsDialog, OpeningDoesNotReapplyTranslucencyButTickingTheBoxDoes)
{
    ZorritWorld world;
    world.startTrail();
    world.dialogs.shown.clear();
    // Stored "on", but no compositor: applying it would report the failure.
    world.app->store().write(settings::kTransOn, QStringLiteral("1"));
    world.app->store().write(settings::kTransSlid, QStringLiteral("90"));
    prefs::PrefsDialog *dialog = openPrefs(world);
    EXPECT_TRUE(world.dialogs.shown.empty());
    EXPECT_TRUE(control<QCheckBox>(dialog, "transon")->isChecked());
    EXPECT_EQ(control<QSlider>(dialog, "transslid")->value(), 90);
    EXPECT_TRUE(control(dialog, "transslid")->isEnabled());

    click(dialog, "transon"); // off: nothing to fail
    click(dialog, "transon"); // on again: applied, fails, and the box follows
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].text, trail::Translucency::failureText());
    EXPECT_FALSE(control<QCheckBox>(dialog, "transon")->isChecked());
    EXPECT_FALSE(control(dialog, "transslid")->isEnabled());
}

TEST(PrefsDialog, TheFullScreenBoxActsAtOnceAndIsStoredOnClosing)
{
    platform::FakeFullScreenWatch watch;
    ZorritWorld world(nullptr, [&](app::Seams &seams) { seams.fullScreenWatch = &watch; });
    world.app->store().write(settings::kHideFullScreen, QStringLiteral("0"));
    world.startTrail();
    watch.set({true, {}});
    trail::TrailEngine &engine = world.app->engine();
    EXPECT_TRUE(engine.windowsVisible()) << "stored unticked: the trail stays over it";

    prefs::PrefsDialog *dialog = openPrefs(world);
    auto *box = control<QCheckBox>(dialog, "hidefull");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Hide the trail over full-screen programs"));
    EXPECT_FALSE(box->isChecked());
    click(dialog, "hidefull");
    EXPECT_FALSE(engine.windowsVisible());
    click(dialog, "hidefull");
    EXPECT_TRUE(engine.windowsVisible());
    click(dialog, "hidefull");
    click(dialog, "Command11");
    EXPECT_EQ(world.setting(settings::kHideFullScreen), QStringLiteral("1"));
    EXPECT_FALSE(engine.windowsVisible());
    EXPECT_TRUE(world.app->tray()->trailOn()) << "the user's On/Off is not touched";
}

TEST(PrefsDialog, StoredPositionComesBackSelected)
{
    ZorritWorld world;
    world.app->store().write(settings::kBotRight, QStringLiteral("False"));
    world.app->store().write(settings::kBotLeft, QStringLiteral("True"));
    prefs::PrefsDialog *dialog = openPrefs(world);
    EXPECT_TRUE(control<QRadioButton>(dialog, "botleft")->isChecked());
    EXPECT_FALSE(control<QRadioButton>(dialog, "botright")->isChecked());
    click(dialog, "Command12");

    world.app->store().write(settings::kBotLeft, QStringLiteral("False"));
    dialog = openPrefs(world);
    // None stored: none selected, and closing stores none.
    for (const char *option : {"botleft", "botright", "topleft", "topright"})
        EXPECT_FALSE(control<QRadioButton>(dialog, option)->isChecked()) << option;
}

TEST(PrefsDialog, ThemeTextsAreShownAsPlainText)
{
    ZorritWorld world;
    QStringList lines = testsupport::ThemeFolder::goodThemeLines();
    lines[0] = QStringLiteral("<b>Bold</b> <a href=\"http://x\">link</a>");
    world.app->store().write(settings::kTheme,
                             world.themes.themeWithPictures(QStringLiteral("t.thm"), lines));
    prefs::PrefsDialog *dialog = openPrefs(world);
    for (const char *name : {"whatis", "whatcopy", "whatmail"}) {
        auto *label = control<QLabel>(dialog, name);
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
        EXPECT_FALSE(label->openExternalLinks()) << name;
    }
    EXPECT_EQ(control<QLabel>(dialog, "whatis")->text(), lines[0]);
    EXPECT_EQ(control<QLabel>(dialog, "whatmail")->text(), lines[7]);
}

TEST(PrefsDialog, HelpAndWizardButtonsCloseFirstThenOpen)
{
    ZorritWorld world(nullptr, [](app::Seams &seams) {
        seams.vandrelProgram = [] { return QStringLiteral("/opt/zorrit/bin/vandrel"); };
        seams.helpDocument = [] { return QStringLiteral("/opt/zorrit/Help.htm"); };
    });
    prefs::PrefsWindow &window = world.app->prefsWindow();

    prefs::PrefsDialog *dialog = openPrefs(world);
    click(dialog, "wobb");
    click(dialog, "Command3");
    EXPECT_EQ(world.setting(settings::kMove), QStringLiteral("1")); // closed, so saved
    EXPECT_EQ(window.dialog(), nullptr);
    ASSERT_EQ(world.shell.opened.size(), 1u);
    EXPECT_EQ(world.shell.opened[0], QUrl::fromLocalFile(QStringLiteral("/opt/zorrit/Help.htm")));

    dialog = openPrefs(world);
    world.shell.startResult = false;
    click(dialog, "Command6");
    EXPECT_EQ(window.dialog(), nullptr);
    ASSERT_EQ(world.shell.started.size(), 1u);
    EXPECT_EQ(world.shell.started[0], QStringLiteral("/opt/zorrit/bin/vandrel"));
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].title, QStringLiteral("Zorrit - Error"));
    EXPECT_EQ(world.dialogs.shown[0].text, prefs::PrefsWindow::vandrelNotFoundText());
}

TEST(PrefsDialog, AnUpdateCheckClosesThemWhichSaves)
{
    ZorritWorld world;
    update::UpdateContext &ctx = world.app->updateContext();
    ctx.host = QStringLiteral("127.0.0.1");
    ctx.port = 1; // nobody answers there; the window is closed before it matters
    prefs::PrefsDialog *dialog = openPrefs(world);
    click(dialog, "wobb");
    QPointer<update::UpdateCheckWindow> check = update::startUpdateCheck(ctx);
    ASSERT_FALSE(check.isNull());
    EXPECT_EQ(world.app->prefsWindow().dialog(), nullptr);
    EXPECT_EQ(world.app->prefs().loaded(), nullptr);
    EXPECT_EQ(world.setting(settings::kMove), QStringLiteral("1"));
    check->close();
}

TEST(PrefsDialog, LinksOpenTheGalleryAndTheUploadPage)
{
    ZorritWorld world;
    prefs::PrefsDialog *dialog = openPrefs(world);
    auto *gallery = control<common::LinkLabel>(dialog, "Label3");
    auto *upload = control<common::LinkLabel>(dialog, "Label6");
    ASSERT_TRUE(gallery && upload);
    EXPECT_EQ(gallery->address(), QUrl(common::web::gallery()));
    EXPECT_EQ(upload->address(), QUrl(common::web::uploadPage()));
    QTest::mouseClick(upload, Qt::LeftButton);
    ASSERT_EQ(world.shell.opened.size(), 1u);
    EXPECT_EQ(world.shell.opened[0], QUrl(common::web::uploadPage()));
}
