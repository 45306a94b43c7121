// SPDX-License-Identifier: GPL-3.0-or-later
// The sending side of the hand-off, and the takeover by a second copy started with a theme.
#include "zorrit/trail/hand_off.h"

#include "../zorrit_world.h"
#include "zorrit/shell/tray_window.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorrit;
using tests::ZorritWorld;

TEST(HandOff, ScrapDatHoldsOneBlankLine)
{
    QTemporaryDir folder;
    const QString scrap = trail::scrapFilePath(folder.path());
    ASSERT_TRUE(trail::writeScrap(scrap));
    ASSERT_TRUE(trail::writeScrap(scrap)); // overwritten, not appended
    QFile file(scrap);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(" \r\n"));
}

TEST(HandOff, NobodyListeningMeansScrapDatIsRemovedAgain)
{
    QTemporaryDir folder;
    EXPECT_FALSE(trail::handOffToRunningCopy(folder.path(), 300));
    EXPECT_FALSE(QFile::exists(trail::scrapFilePath(folder.path())));
}

TEST(HandOff, SecondCopyWithThemeReplacesTheRunningOne)
{
    // Copy A runs plain and holds the lock.
    ZorritWorld a;
    ASSERT_FALSE(a.app->start({}));
    ASSERT_TRUE(a.app->instanceLock().isHeld());
    ASSERT_TRUE(a.app->handOffServer().isListening());

    // Copy B shares A's runtime folder and settings, and is started with a theme.
    platform::FakeWindowSystem windowSystem;
    platform::FakeDialogs dialogs;
    platform::FakeShell shell;
    platform::FakeFileChooser chooser;
    int bEnded = 0;
    app::Seams bSeams{windowSystem,        dialogs, shell, a.settingsDir.path(),
                      a.runtimeDir.path(), &chooser};
    bSeams.endProgram = [&] { ++bEnded; };
    app::ZorritApp b(std::move(bSeams));
    const QString theme = a.themes.goodTheme(QStringLiteral("squares.thm"));
    // A's side of the socket needs the event loop while B waits: B sends from a helper thread
    // of its own in real life (another process); here the request is queued and A reads it next.
    bool bStarted = false;
    QTimer::singleShot(0, [&] { bStarted = !b.start({theme}).has_value(); });
    QTRY_COMPARE_WITH_TIMEOUT(a.ended, 1, 10000);
    EXPECT_TRUE(bStarted);
    EXPECT_FALSE(QFile::exists(trail::scrapFilePath(a.runtimeDir.path())));
    EXPECT_EQ(a.setting(settings::kTheme), theme);

    // A ends: its lock goes, and B takes it over and starts listening in its place.
    a.app->instanceLock().release();
    QTRY_VERIFY_WITH_TIMEOUT(b.instanceLock().isHeld(), 5000);
    ASSERT_NE(b.tray(), nullptr);
    EXPECT_TRUE(b.handOffServer().isListening());
    EXPECT_EQ(bEnded, 0);
    EXPECT_EQ(b.engine().window(0)->picture().pixel(0, 0), testsupport::ThemeFolder::colour(0));

    // A later plain start is refused again.
    app::ZorritApp c(app::Seams{windowSystem, dialogs, shell, a.settingsDir.path(),
                                a.runtimeDir.path(), &chooser});
    EXPECT_EQ(c.start({}), std::optional<int>(1));
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, app::ZorritApp::alreadyRunningText());
}
