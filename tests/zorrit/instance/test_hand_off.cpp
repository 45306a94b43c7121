// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-off between copies: the running copy's server and its close path, the sending side,
// and the takeover by copies started with a theme, alone or several together.
#include "zorrit/instance/hand_off.h"

#include "../zorrit_world.h"
#include "platform/instance_lock.h"
#include "support/wait.h"
#include "zorrit/instance/hand_off_server.h"
#include "zorrit/instance/takeover_claims.h"
#include "zorrit/shell/tray_window.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <set>
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

TEST(HandOff, OfCopiesStartedTogetherOnlyTheNewestTakesOver)
{
    // Start marks as the kernel gives them: a later tick is newer whatever the process ids.
    const std::vector<instance::StartMark> marks{{100, 500}, {200, 7001}, {200, 7002}, {201, 6000}};
    for (const bool newestFirst : {true, false}) {
        SCOPED_TRACE(newestFirst ? "the newest asks first" : "the newest asks last");
        QTemporaryDir folder;
        std::mutex mutex;
        std::set<instance::StartMark> running(marks.begin(), marks.end());
        const instance::TakeoverClaims::RunningTest isRunning = [&](const auto &mark) {
            const std::lock_guard guard(mutex);
            return running.contains(mark);
        };
        const instance::TakeoverClaims claims(folder.path(), isRunning);

        // A copy as a process: it waits for its turn (on a thread of its own), and once it holds
        // the lock it hears requests, until it hands over and ends.
        struct Copy
        {
            explicit Copy(const QString &lockPath)
                : lock(lockPath)
            {
            }
            platform::InstanceLock lock;
            std::future<instance::Turn> turn;
            std::unique_ptr<instance::HandOffServer> server;
            bool ran = false;
            bool ended = false;
        };
        std::vector<std::unique_ptr<Copy>> copies;
        for (size_t k = 0; k < marks.size(); ++k)
            copies.push_back(std::make_unique<Copy>(instance::instanceLockPath(folder.path())));
        const auto end = [&](size_t k) {
            copies[k]->ended = true;
            copies[k]->lock.release();
            const std::lock_guard guard(mutex);
            running.erase(marks[k]);
        };
        const auto run = [&](size_t k) {
            Copy &copy = *copies[k];
            copy.ran = true;
            copy.server = std::make_unique<instance::HandOffServer>();
            QObject::connect(copy.server.get(), &instance::HandOffServer::handedOver,
                             [&end, k] { end(k); });
            copy.server->listen(folder.path(), marks[k], isRunning);
        };
        const auto startCopy = [&](size_t k) {
            Copy &copy = *copies[k];
            copy.turn = std::async(std::launch::async, [&claims, &marks, &copy, k] {
                return instance::waitForTurn(claims, marks[k], copy.lock);
            });
        };
        // Copy 0 already runs.
        ASSERT_TRUE(copies[0]->lock.tryAcquire());
        run(0);
        const size_t newest = marks.size() - 1;
        if (newestFirst)
            startCopy(newest);
        for (size_t k = 1; k < newest; ++k)
            startCopy(k);
        if (!newestFirst) {
            QTest::qWait(150);
            startCopy(newest);
        }

        const auto ready = [](const Copy &copy) {
            return copy.turn.valid()
                   && copy.turn.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        };
        const bool settled = testsupport::waitFor(
            [&] {
                bool othersGone = true;
                for (size_t k = 0; k < copies.size(); ++k) {
                    Copy &copy = *copies[k];
                    if (k > 0 && ready(copy) && !copy.server && !copy.ended) {
                        if (copy.turn.get() == instance::Turn::Ours)
                            run(k);
                        else
                            end(k);
                    }
                    if (k != newest)
                        othersGone = othersGone && copy.ended;
                }
                return othersGone && copies[newest]->server;
            },
            10000);
        // Whatever happened, no thread is left waiting.
        {
            const std::lock_guard guard(mutex);
            running.insert({~0ull, 1});
        }
        claims.claim({~0ull, 1});
        for (const auto &copy : copies)
            if (copy->turn.valid())
                copy->turn.wait();

        EXPECT_TRUE(settled) << "not only the newest copy runs";
        // Those started together with a newer one never run; one started before it may have
        // run for a while.
        EXPECT_FALSE(copies[1]->ran);
        if (newestFirst) {
            EXPECT_FALSE(copies[2]->ran);
        }
        EXPECT_FALSE(copies[newest]->ended);
        EXPECT_TRUE(copies[newest]->lock.isHeld());
        EXPECT_FALSE(QFile::exists(instance::scrapFilePath(folder.path())));
    }
}

TEST(HandOff, CloseRequestTakesTheIconAndEndsTheProgramOnlyWhenACopyHandedOver)
{
    // Other processes whose claims the running copy finds: one started after it and running,
    // its parent started before it, one started after it that has ended.
    QProcess newer;
    QProcess ended;
    for (QProcess *process : {&newer, &ended}) {
        process->start(QStringLiteral("sleep"), {QStringLiteral("30")});
        ASSERT_TRUE(process->waitForStarted());
    }
    const std::optional<instance::StartMark> newerMark = instance::startMarkOf(newer.processId());
    const std::optional<instance::StartMark> olderMark = instance::startMarkOf(::getppid());
    const std::optional<instance::StartMark> endedMark = instance::startMarkOf(ended.processId());
    ASSERT_TRUE(newerMark && olderMark && endedMark);
    ended.kill();
    ASSERT_TRUE(ended.waitForFinished());

    const struct
    {
        const char *name;
        bool scrap;
        std::optional<instance::StartMark> claim;
        bool handedOver;
    } cases[] = {
        {"nothing", false, std::nullopt, false},
        {"Scrap.dat", true, std::nullopt, true},
        {"a newer copy's claim", false, newerMark, true},
        {"an older copy's claim", false, olderMark, false},
        {"the claim of a newer copy that has ended", false, endedMark, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
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
        if (c.scrap)
            instance::writeScrap(scrap);
        if (c.claim)
            instance::TakeoverClaims(folder).claim(*c.claim);
        QLocalSocket socket;
        socket.connectToServer(instance::trayServerPath(folder));
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write(instance::requestLine(instance::HandOffRequest::Close));
        socket.flush();
        QTRY_VERIFY(!world.app->tray()->icon().isVisible());
        QTest::qWait(50);
        EXPECT_EQ(world.ended, c.handedOver ? 1 : 0);
        EXPECT_FALSE(QFile::exists(scrap));
        EXPECT_FALSE(world.app->handOffServer().isListening());
    }
    newer.kill();
    newer.waitForFinished();
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
    const QString folder = a.runtimeDir.path();

    // Copy B shares A's runtime folder and settings, and is started with a theme. Before its
    // display opens it waits for its turn: on a thread here, as another process would wait while
    // A runs its event loop.
    const QString theme = a.themes.goodTheme(QStringLiteral("squares.thm"));
    platform::InstanceLock bLock(instance::instanceLockPath(folder));
    auto waited = std::async(std::launch::async,
                             [&] { return app::ZorritApp::waitForTurn({theme}, folder, bLock); });
    QTRY_COMPARE_WITH_TIMEOUT(a.ended, 1, 10000);
    EXPECT_FALSE(a.app->tray()->icon().isVisible());
    // A's lock goes only when its process has ended; until then B waits.
    QTest::qWait(100);
    EXPECT_EQ(waited.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
    a.app->instanceLock().release();
    ASSERT_EQ(waited.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(waited.get(), std::nullopt);
    EXPECT_TRUE(bLock.isHeld());
    EXPECT_FALSE(QFile::exists(instance::scrapFilePath(folder)));

    // B then starts as main starts it, with the lock it waited for.
    platform::FakeWindowSystem windowSystem;
    platform::FakeDialogs dialogs;
    platform::FakeShell shell;
    platform::FakeFileChooser chooser;
    int bEnded = 0;
    app::Seams bSeams{windowSystem, dialogs, shell, a.settingsDir.path(), folder, &chooser};
    bSeams.endProgram = [&] { ++bEnded; };
    bSeams.instanceLock = &bLock;
    app::ZorritApp b(std::move(bSeams));
    EXPECT_FALSE(b.start({theme}).has_value());
    EXPECT_EQ(a.setting(settings::kTheme), theme);
    ASSERT_NE(b.tray(), nullptr);
    EXPECT_TRUE(b.handOffServer().isListening());
    EXPECT_EQ(bEnded, 0);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(b.engine().window(0)->picture().pixel(0, 0), testsupport::ThemeFolder::colour(0));

    // A later plain start is refused again.
    app::ZorritApp c(
        app::Seams{windowSystem, dialogs, shell, a.settingsDir.path(), folder, &chooser});
    EXPECT_EQ(c.start({}), std::optional<int>(1));
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, app::ZorritApp::alreadyRunningText());
}
