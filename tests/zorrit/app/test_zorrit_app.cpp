// SPDX-License-Identifier: GPL-3.0-or-later
// Zorrit's start-up with fake seams: one copy, theme starts, the first-run welcome, fall-backs.
#include "zorrit/app/zorrit_app.h"

#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_window_system.h"
#include "platform/instance_lock.h"
#include "support/theme_fixture.h"
#include "support/wait.h"
#include "zorrit/trail/sprite_picture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace zorrit;
using namespace zorrit::settings;
using testsupport::ThemeFolder;

namespace {

QWidget *visibleTopLevel(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    return nullptr;
}

class ZorritAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settingsDir.isValid());
        ASSERT_TRUE(runtimeDir.isValid());
    }
    void TearDown() override
    {
        if (QWidget *welcome = visibleTopLevel(QStringLiteral("startup1")))
            welcome->close();
        testsupport::waitFor([] { return visibleTopLevel(QStringLiteral("startup1")) == nullptr; });
    }

    app::ZorritApp &makeApp()
    {
        app::Seams seams{fake, dialogs, shell, settingsDir.path(), runtimeDir.path()};
        seams.associateThemeFiles = [this] { ++associations; };
        zorrit = std::make_unique<app::ZorritApp>(std::move(seams));
        return *zorrit;
    }
    QString lockPath() const { return runtimeDir.filePath(QStringLiteral("zorrit.lock")); }
    // A store of its own, as another copy of the program would see the file.
    QString stored(const SettingKey &key) const
    {
        return SettingsStore(settingsDir.path()).read(key.path(), QStringLiteral("<none>"));
    }
    void preset(const SettingKey &key, const QString &value) const
    {
        SettingsStore(settingsDir.path()).write(key, value);
    }
    bool showsBuiltIn() const
    {
        for (int k = 0; k < trail::kSpriteCount; ++k)
            if (zorrit->engine().window(k)->picture() != trail::builtInBall(k))
                return false;
        return true;
    }

    QTemporaryDir settingsDir;
    QTemporaryDir runtimeDir;
    platform::FakeWindowSystem fake;
    platform::FakeDialogs dialogs;
    platform::FakeShell shell;
    std::unique_ptr<app::ZorritApp> zorrit;
    int associations = 0;
};

} // namespace

TEST_F(ZorritAppTest, SecondPlainStartIsRefusedWithAMessage)
{
    platform::InstanceLock running(lockPath());
    ASSERT_TRUE(running.tryAcquire());
    for (const QStringList &arguments : {QStringList(), QStringList{QStringLiteral("%0")}}) {
        dialogs.shown.clear();
        dialogs.beeps = 0;
        app::ZorritApp &app = makeApp();
        const std::optional<int> exitCode = app.start(arguments);
        ASSERT_TRUE(exitCode.has_value());
        EXPECT_NE(*exitCode, 0);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.beeps, 1);
        EXPECT_EQ(dialogs.shown[0].icon, platform::MessageIcon::Critical);
        EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Zorrit - Error"));
        EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Zorrit is already running. You cannot "
                                                        "launch more than one copy at a time."));
        EXPECT_FALSE(app.trailStarted());
        EXPECT_EQ(visibleTopLevel(QStringLiteral("startup1")), nullptr);
    }
    EXPECT_EQ(stored(kScroll), QStringLiteral("<none>")); // nothing of the first run happened
}

TEST_F(ZorritAppTest, NoLockIsReportedAsSuchNotAsAnotherCopy)
{
    // A lock that cannot be made is held by nobody: "already running" would be false, and a
    // theme start must not wait for it.
    for (const QStringList &arguments : {QStringList(), QStringList{QStringLiteral("/x.thm")}}) {
        dialogs.shown.clear();
        zorrit = std::make_unique<app::ZorritApp>(app::Seams{
            fake, dialogs, shell, settingsDir.path(), QStringLiteral("/nonexistent-runtime")});
        const std::optional<int> exitCode = zorrit->start(arguments);
        ASSERT_TRUE(exitCode.has_value());
        EXPECT_EQ(*exitCode, 1);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_TRUE(
            dialogs.shown[0].text.startsWith(QStringLiteral("Zorrit cannot make its lock")));
        EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("/nonexistent-runtime")));
        EXPECT_FALSE(zorrit->trailStarted());
    }
}

TEST_F(ZorritAppTest, ThemeStartStoresTheAbsolutePathAndSkipsTheWelcome)
{
    ThemeFolder themes;
    themes.goodTheme(QStringLiteral("My Theme.thm"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(themes.path()));
    app::ZorritApp &app = makeApp();
    const std::optional<int> exitCode =
        app.start({QStringLiteral("My"), QStringLiteral("Theme.thm")});
    QDir::setCurrent(previous);

    EXPECT_FALSE(exitCode.has_value());
    const QString absolute = QDir(themes.path()).absoluteFilePath(QStringLiteral("My Theme.thm"));
    EXPECT_EQ(stored(kTheme), absolute);
    EXPECT_EQ(app.handedTheme(), absolute);
    EXPECT_TRUE(app.trailStarted());
    EXPECT_EQ(associations, 0);
    EXPECT_EQ(visibleTopLevel(QStringLiteral("startup1")), nullptr);
    EXPECT_EQ(stored(kScroll), QStringLiteral("<none>"));
    EXPECT_TRUE(dialogs.shown.empty());
    for (int k = 0; k < trail::kSpriteCount; ++k)
        EXPECT_EQ(app.engine().window(k)->picture().pixel(5, 5), ThemeFolder::colour(k)) << k;
}

TEST_F(ZorritAppTest, ThemeStartWaitsForAnOlderZorritToHandOver)
{
    // An older Zorrit as it runs: it holds the lock and knows only the close line and Scrap.dat,
    // which it removes before it ends.
    ThemeFolder themes;
    const QString theme = themes.goodTheme();
    const QString scrap = runtimeDir.filePath(QStringLiteral("Scrap.dat"));
    platform::InstanceLock running(lockPath());
    ASSERT_TRUE(running.tryAcquire());
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(runtimeDir.filePath(QStringLiteral("tray.sock")));
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 8), 0);
    QByteArray heard;
    bool scrapWhenHeard = false;
    std::thread older([&] {
        pollfd watched{listener, POLLIN, 0};
        if (::poll(&watched, 1, 10000) == 1) {
            const int client = ::accept(listener, nullptr, nullptr);
            char line[64] = {};
            const ssize_t got = ::recv(client, line, sizeof line - 1, 0);
            heard = QByteArray(line, got > 0 ? int(got) : 0);
            scrapWhenHeard = QFile::exists(scrap);
            ::send(client, "done\n", 5, MSG_NOSIGNAL);
            ::close(client);
            QFile::remove(scrap);
        }
        ::close(listener);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        running.release();
    });

    app::ZorritApp &app = makeApp();
    const std::optional<int> exitCode = app.start({QLatin1Char('"') + theme + QLatin1Char('"')});
    older.join();
    EXPECT_FALSE(exitCode.has_value());
    EXPECT_EQ(heard, QByteArray("close\n"));
    EXPECT_TRUE(scrapWhenHeard);
    EXPECT_TRUE(app.instanceLock().isHeld());
    EXPECT_FALSE(QFile::exists(scrap));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(stored(kTheme), theme);
    EXPECT_TRUE(app.trailStarted());
}

TEST_F(ZorritAppTest, FirstPlainStartShowsTheWelcomeWhoseClosingStartsTheTrail)
{
    for (const bool byButton : {false, true}) {
        QTemporaryDir fresh;
        ASSERT_TRUE(settingsDir.remove());
        ASSERT_TRUE(QDir().mkpath(settingsDir.path()));
        zorrit.reset();
        associations = 0;
        app::ZorritApp &app = makeApp();
        EXPECT_FALSE(app.start({}).has_value());
        EXPECT_EQ(associations, 1);
        EXPECT_EQ(stored(kScroll), QStringLiteral("No"));
        QWidget *welcome = visibleTopLevel(QStringLiteral("startup1"));
        ASSERT_NE(welcome, nullptr);
        EXPECT_EQ(welcome->windowTitle(), QStringLiteral("Welcome Wizard"));
        EXPECT_FALSE(app.trailStarted());
        EXPECT_EQ(app.tray(), nullptr);

        if (byButton)
            QTest::mouseClick(welcome->findChild<QWidget *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        else
            welcome->close();
        EXPECT_TRUE(app.trailStarted()) << byButton;
        EXPECT_NE(app.tray(), nullptr);
        EXPECT_TRUE(app.engine().tickTimer().isActive() || app.engine().isSleeping());
        EXPECT_TRUE(app.engine().keepOnTopTimer().isActive());
        EXPECT_TRUE(app.engine().windowsVisible());
        EXPECT_TRUE(showsBuiltIn());
        // The pass through the preferences left every option in its "True"/"False" form.
        EXPECT_EQ(stored(kAbove), QStringLiteral("True"));
        EXPECT_EQ(stored(kBotRight), QStringLiteral("True"));
        EXPECT_TRUE(app.motion().keepOnTop);
        EXPECT_EQ(app.motion().slowdown, 1);
        EXPECT_EQ(app.motion().cornerOffsetX, 10);
    }
}

TEST_F(ZorritAppTest, WelcomeIsShownOnlyForExactlyYes)
{
    for (const char *scroll : {"yes", "No", "YES"}) {
        preset(kScroll, QString::fromLatin1(scroll));
        zorrit.reset();
        app::ZorritApp &app = makeApp();
        EXPECT_FALSE(app.start({}).has_value());
        EXPECT_EQ(visibleTopLevel(QStringLiteral("startup1")), nullptr) << scroll;
        EXPECT_TRUE(app.trailStarted()) << scroll;
        EXPECT_EQ(stored(kScroll), QString::fromLatin1(scroll));
    }
}

TEST_F(ZorritAppTest, ThemeWithABrokenPictureGivesTheStartUpMessage)
{
    ThemeFolder themes;
    themes.goodTheme();
    themes.writeBytes(QStringLiteral("bad.png"), "not a picture at all");
    const QString broken =
        themes.theme(QStringLiteral("broken.thm"),
                     {QStringLiteral("Broken"), QStringLiteral("B"), QStringLiteral("p1.png"),
                      QStringLiteral("p2.png"), QStringLiteral("bad.png"), QStringLiteral("p4.png"),
                      QStringLiteral("p5.png"), QStringLiteral("S")});
    preset(kScroll, QStringLiteral("No"));
    preset(kTheme, broken);
    app::ZorritApp &app = makeApp();
    EXPECT_FALSE(app.start({}).has_value());

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(dialogs.shown[0].icon, platform::MessageIcon::Critical);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Zorrit - Error"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("The theme you have selected wasn't found. "
                                                    "Zorrit will use the built-in theme instead."));
    EXPECT_EQ(stored(kTheme), QStringLiteral("default"));
    EXPECT_TRUE(showsBuiltIn());
    EXPECT_TRUE(app.engine().tickTimer().isActive() || app.engine().isSleeping());
    EXPECT_FALSE(app.notFoundNotice().reportTimer().isActive());
    EXPECT_EQ(app.prefs().loaded(), nullptr);
}

TEST_F(ZorritAppTest, MissingThemeGivesTheNoticeInsteadOfAMessage)
{
    ThemeFolder themes;
    preset(kScroll, QStringLiteral("No"));
    preset(kTheme, themes.file(QStringLiteral("gone.thm")));
    app::ZorritApp &app = makeApp();
    EXPECT_FALSE(app.start({}).has_value());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(stored(kTheme), QStringLiteral("default"));
    EXPECT_TRUE(showsBuiltIn());
    EXPECT_TRUE(app.notFoundNotice().reportTimer().isActive());
    EXPECT_TRUE(testsupport::waitFor([this] { return dialogs.dialogsRun.size() == 1; }));
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(ZorritAppTest, HandedMissingThemeIsStoredThenFallsBack)
{
    ThemeFolder themes;
    const QString gone = themes.file(QStringLiteral("gone.thm"));
    app::ZorritApp &app = makeApp();
    EXPECT_FALSE(app.start({gone}).has_value());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(stored(kTheme), QStringLiteral("default"));
    EXPECT_TRUE(app.notFoundNotice().reportTimer().isActive());
    EXPECT_TRUE(app.trailStarted());
}

TEST_F(ZorritAppTest, TranslucencyThatCannotShowIsSwitchedOffAtStartUp)
{
    preset(kScroll, QStringLiteral("No"));
    preset(kTransOn, QStringLiteral("1"));
    fake.compositor = false;
    app::ZorritApp &app = makeApp();
    EXPECT_FALSE(app.start({}).has_value());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, trail::Translucency::failureText());
    EXPECT_EQ(stored(kTransOn), QStringLiteral("0"));

    // With a compositor, the stored level reaches the windows.
    dialogs.shown.clear();
    preset(kTransOn, QStringLiteral("1"));
    fake.compositor = true;
    zorrit.reset();
    app::ZorritApp &again = makeApp();
    EXPECT_FALSE(again.start({}).has_value());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_NEAR(again.engine().window(2)->windowOpacity(), 130 / 255.0, 0.003);
}
