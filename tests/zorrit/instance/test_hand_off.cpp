// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-off between copies: the running copy's server and its close path, the sending side,
// and the takeover by a second copy started with a theme.
#include "zorrit/instance/hand_off.h"

#include "../zorrit_world.h"
#include "zorrit/shell/tray_window.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorrit;
using tests::ZorritWorld;

TEST(HandOff, ScrapDatHoldsOneBlankLine)
{
    QTemporaryDir folder;
    const QString scrap = instance::scrapFilePath(folder.path());
    ASSERT_TRUE(instance::writeScrap(scrap));
    ASSERT_TRUE(instance::writeScrap(scrap)); // overwritten, not appended
    QFile file(scrap);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(" \r\n"));
}

TEST(HandOff, NobodyListeningMeansScrapDatIsRemovedAgain)
{
    QTemporaryDir folder;
    EXPECT_FALSE(instance::handOffToRunningCopy(folder.path(), 300));
    EXPECT_FALSE(QFile::exists(instance::scrapFilePath(folder.path())));
}

TEST(HandOff, CloseRequestTakesTheIconAndEndsTheProgramOnlyWhenACopyHandedOver)
{
    for (const bool handedOver : {false, true}) {
        SCOPED_TRACE(handedOver ? "Scrap.dat present" : "no Scrap.dat");
        ZorritWorld world;
        world.startTrail();
        const QString folder = world.runtimeDir.path();
        ASSERT_TRUE(world.app->handOffServer().isListening());
        EXPECT_EQ(
            QFileInfo(instance::trayServerPath(folder)).permissions()
                & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
            QFile::Permissions());

        // A stranger's line is not a request.
        {
            QLocalSocket socket;
            socket.connectToServer(instance::trayServerPath(folder));
            ASSERT_TRUE(socket.waitForConnected(1000));
            socket.write("open sesame\n");
            socket.flush();
            QTest::qWait(100);
        }
        EXPECT_TRUE(world.app->tray()->icon().isVisible());

        const QString scrap = instance::scrapFilePath(folder);
        if (handedOver)
            instance::writeScrap(scrap);
        QLocalSocket socket;
        socket.connectToServer(instance::trayServerPath(folder));
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write(instance::requestLine(instance::HandOffRequest::Close));
        socket.flush();
        QTRY_VERIFY(!world.app->tray()->icon().isVisible());
        QTest::qWait(50);
        EXPECT_EQ(world.ended, handedOver ? 1 : 0);
        EXPECT_FALSE(QFile::exists(scrap));
        EXPECT_FALSE(world.app->handOffServer().isListening());
    }
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
    const QString theme =
        a.writeTheme(QStringLiteral("squares.thm"), ZorritWorld::goodThemeLines());
    // A's side of the socket needs the event loop while B waits: B sends from a helper thread
    // of its own in real life (another process); here the request is queued and A reads it next.
    bool bStarted = false;
    QTimer::singleShot(0, [&] { bStarted = !b.start({theme}).has_value(); });
    QTRY_COMPARE_WITH_TIMEOUT(a.ended, 1, 10000);
    EXPECT_TRUE(bStarted);
    EXPECT_FALSE(QFile::exists(instance::scrapFilePath(a.runtimeDir.path())));
    EXPECT_EQ(a.setting(settings::kTheme), theme);

    // A ends: its lock goes, and B takes it over and starts listening in its place.
    a.app->instanceLock().release();
    QTRY_VERIFY_WITH_TIMEOUT(b.instanceLock().isHeld(), 5000);
    ASSERT_NE(b.tray(), nullptr);
    EXPECT_TRUE(b.handOffServer().isListening());
    EXPECT_EQ(bEnded, 0);
    EXPECT_EQ(b.engine().window(0)->picture().pixel(0, 0), qRgb(255, 0, 0));

    // A later plain start is refused again.
    app::ZorritApp c(app::Seams{windowSystem, dialogs, shell, a.settingsDir.path(),
                                a.runtimeDir.path(), &chooser});
    EXPECT_EQ(c.start({}), std::optional<int>(1));
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, app::ZorritApp::alreadyRunningText());
}
