// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-off between copies: the running copy's server and its close path, the sending side,
// and the takeover by a second copy started with a theme.
#include "zorrit/instance/hand_off.h"

#include "../zorrit_world.h"
#include "platform/instance_lock.h"
#include "support/wait.h"
#include "zorrit/instance/hand_off_server.h"
#include "zorrit/shell/tray_window.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace zorrit;
using tests::ZorritWorld;

namespace {

// A running copy's end alone: its lock held, its server listening, its requests counted.
struct RunningCopy
{
    RunningCopy()
        : lock(instance::instanceLockPath(folder.path()))
    {
        lock.tryAcquire();
        QObject::connect(&server, &instance::HandOffServer::quitRequested, [this] { ++quits; });
        server.listen(folder.path());
    }
    // Sends from another thread, as another process would, while this one runs its event loop.
    instance::Delivery ask(instance::HandOffRequest request, int timeoutMs = 5000)
    {
        auto sent = std::async(std::launch::async, [&] {
            return instance::sendToRunningCopy(folder.path(), request, timeoutMs);
        });
        testsupport::waitFor(
            [&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            timeoutMs + 2000);
        return sent.get();
    }

    QTemporaryDir folder;
    platform::InstanceLock lock;
    instance::HandOffServer server;
    int quits = 0;
};

// A connection that says nothing; -1 when the server's queue is full.
int silentClient(const QString &serverPath)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(serverPath);
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

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

TEST(HandOff, CommandLineRequestsCountOnlyOnTheRunningCopysAnswer)
{
    RunningCopy running;
    EXPECT_EQ(running.ask(instance::HandOffRequest::Quit), instance::Delivery::Delivered);
    EXPECT_EQ(running.quits, 1);

    // A copy that does not run its event loop (stopped, or hung) takes the line into its queue but
    // never answers: that is no success, and it is reported within the one deadline.
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(
        instance::sendToRunningCopy(running.folder.path(), instance::HandOffRequest::Quit, 700),
        instance::Delivery::NoAnswer);
    EXPECT_LT(clock.elapsed(), 1500);
    // Running again, it does not act on the request its sender gave up on.
    QTest::qWait(200);
    EXPECT_EQ(running.quits, 1);

    running.lock.release();
    EXPECT_EQ(instance::sendToRunningCopy(running.folder.path(), instance::HandOffRequest::Quit),
              instance::Delivery::NotRunning);
}

TEST(HandOff, SilentClientsAndAServerFailureDoNotShutTheHandOff)
{
    RunningCopy running;
    const QString serverPath = instance::trayServerPath(running.folder.path());
    std::vector<int> silent;
    for (int i = 0; i < 300; ++i) {
        const int fd = silentClient(serverPath);
        if (fd >= 0)
            silent.push_back(fd);
        if (i % 20 == 0)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    EXPECT_LE(running.server.openConnections(), instance::HandOffServer::kMaxClients);
    EXPECT_EQ(running.ask(instance::HandOffRequest::Quit), instance::Delivery::Delivered);
    // The ones still open are closed once they have said nothing for a while.
    EXPECT_TRUE(testsupport::waitFor([&] { return running.server.openConnections() == 0; },
                                     instance::HandOffServer::kClientTimeoutMs + 2000));
    for (const int fd : silent)
        ::close(fd);

    // At the limit of open files accepting fails, and Qt closes the server and removes the
    // socket file; it listens again once it can.
    rlimit saved{};
    ::getrlimit(RLIMIT_NOFILE, &saved);
    const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::vector<int> fillers;
    rlimit low = saved;
    low.rlim_cur = std::min<rlim_t>(saved.rlim_cur, 1024);
    ::setrlimit(RLIMIT_NOFILE, &low);
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
        fillers.push_back(fd);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, QFile::encodeName(serverPath).constData(),
                size_t(QFile::encodeName(serverPath).size()));
    ASSERT_EQ(::connect(client, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    const bool failed = testsupport::waitFor([&] { return !running.server.isListening(); }, 2000);
    for (const int fd : fillers)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    ::close(client);
    ASSERT_TRUE(failed) << "accepting did not fail";
    EXPECT_TRUE(testsupport::waitFor([&] { return running.server.isListening(); }, 3000));
    EXPECT_TRUE(QFile::exists(serverPath));
    EXPECT_EQ(running.ask(instance::HandOffRequest::Quit), instance::Delivery::Delivered);
    EXPECT_EQ(running.quits, 2);
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
    EXPECT_FALSE(QFile::exists(instance::scrapFilePath(a.runtimeDir.path())));
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
