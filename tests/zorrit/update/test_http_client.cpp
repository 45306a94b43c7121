// SPDX-License-Identifier: GPL-3.0-or-later
// The HTTP client against a real loopback server: request bytes, states, reads, endings.
#include "zorrit/update/http_client.h"

#include "zorrit/update/loopback_server.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zorrit::update;
using testing_support::LoopbackServer;
using namespace std::chrono_literals;

namespace {
struct Transfer
{
    explicit Transfer(TransferTiming timing = {})
        : client(timing)
    {
        QObject::connect(&client, &HttpClient::statusChanged,
                         [this](TransferStatus s) { statuses.push_back(s); });
        QObject::connect(&client, &HttpClient::progressChanged,
                         [this](int p) { progress.push_back(p); });
        QObject::connect(&client, &HttpClient::received,
                         [this](const QByteArray &chunk) { chunks.push_back(chunk.size()); });
    }
    bool finish(const QString &host, quint16 port)
    {
        client.fetch(host, port, QStringLiteral("/zvers.txt"));
        return QTest::qWaitFor([this] { return client.isFinished(); }, 15000);
    }
    HttpClient client;
    std::vector<TransferStatus> statuses;
    std::vector<int> progress;
    std::vector<qsizetype> chunks;
};
} // namespace

TEST(HttpClient, SendsTheExactRequestAndWalksTheStatesInOrder)
{
    LoopbackServer server(LoopbackServer::answer("122"));
    Transfer run;
    ASSERT_TRUE(run.finish(QStringLiteral("localhost"), server.port()));

    EXPECT_EQ(server.request(), QByteArray("GET /zvers.txt HTTP/1.0\r\n"
                                           "Accept: */*\r\n"
                                           "User-Agent: Brenmoor\r\n"
                                           "Host: localhost\r\n"
                                           "\r\n"));
    using S = TransferStatus;
    EXPECT_EQ(run.statuses, (std::vector<S>{S::Connecting, S::Comparing, S::Connecting,
                                            S::CheckingForUpdates, S::WaitingResponse}));
    EXPECT_EQ(run.progress, (std::vector<int>{26, 60, 87}));
    EXPECT_EQ(run.client.acceptedBody(), std::optional<QByteArray>("122"));
}

TEST(HttpClient, LiteralAddressesOfBothFamilies)
{
    for (const char *host : {"127.0.0.1", "::1"}) {
        SCOPED_TRACE(host);
        LoopbackServer server(LoopbackServer::answer("121"));
        Transfer run;
        ASSERT_TRUE(run.finish(QLatin1String(host), server.port()));
        EXPECT_EQ(run.client.acceptedBody(), std::optional<QByteArray>("121"));
        EXPECT_TRUE(server.request().contains("\r\nHost: " + QByteArray(host) + "\r\n"));
    }
}

TEST(HttpClient, HeaderSplitOverTwoReads)
{
    LoopbackServer server({{"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n", "\r\n122"}});
    Transfer run;
    ASSERT_TRUE(run.finish(QStringLiteral("127.0.0.1"), server.port()));
    EXPECT_GE(run.chunks.size(), 2u);
    EXPECT_EQ(run.client.acceptedBody(), std::optional<QByteArray>("122"));
}

TEST(HttpClient, HugeBodyIsCutOffInSmallReads)
{
    LoopbackServer server(LoopbackServer::answer("122" + QByteArray(1024 * 1024, 'x')));
    Transfer run;
    ASSERT_TRUE(run.finish(QStringLiteral("127.0.0.1"), server.port()));
    EXPECT_TRUE(run.client.response().overflowed());
    EXPECT_EQ(run.client.acceptedBody(), std::nullopt);
    ASSERT_FALSE(run.chunks.empty());
    EXPECT_LE(*std::max_element(run.chunks.begin(), run.chunks.end()), HttpClient::kReadSize);
    // The transfer stopped at the cap instead of reading the whole megabyte.
    qsizetype total = 0;
    for (qsizetype n : run.chunks)
        total += n;
    EXPECT_LT(total, 1024 * 1024);
}

TEST(HttpClient, EveryFailureEndsInAFinalStatus)
{
    struct Case
    {
        const char *name;
        QString host;
        std::function<quint16()> port;
        TransferStatus status;
    };
    const quint16 refused = testing_support::refusedPort();
    const Case cases[] = {
        {"refused", QStringLiteral("127.0.0.1"), [=] { return refused; },
         TransferStatus::CouldNotConnect},
        {"refused by name", QStringLiteral("localhost"), [=] { return refused; },
         TransferStatus::CouldNotConnect},
        {"unresolvable", QStringLiteral("nothing.invalid"), [] { return quint16(80); },
         TransferStatus::LookupFailed},
        {"no host at all", QString(), [] { return quint16(80); }, TransferStatus::LookupFailed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Transfer run({3s, 3s});
        ASSERT_TRUE(run.finish(c.host, c.port()));
        EXPECT_EQ(run.client.status(), c.status);
        EXPECT_EQ(run.client.acceptedBody(), std::nullopt);
    }
}

TEST(HttpClient, SilentServerEndsAfterTheWaitAndResetIsNoAnswer)
{
    LoopbackServer silent({{}, 0, LoopbackServer::Ending::KeepOpen});
    Transfer waiting({10s, 300ms});
    ASSERT_TRUE(waiting.finish(QStringLiteral("127.0.0.1"), silent.port()));
    EXPECT_EQ(waiting.client.status(), TransferStatus::WaitingResponse);
    EXPECT_EQ(waiting.client.acceptedBody(), std::nullopt);
    EXPECT_TRUE(QTest::qWaitFor([&] { return silent.clientGone(); }, 5000)); // socket closed

    LoopbackServer reset({{"HTTP/1.0 200 OK\r\n"}, 100, LoopbackServer::Ending::Reset});
    Transfer resetRun;
    ASSERT_TRUE(resetRun.finish(QStringLiteral("127.0.0.1"), reset.port()));
    EXPECT_EQ(resetRun.client.status(), TransferStatus::WaitingResponse);
    EXPECT_EQ(resetRun.client.acceptedBody(), std::nullopt);
}

TEST(HttpClient, AnAnswerLeftOpenCountsOnlyWhenItsAnnouncedLengthHasCome)
{
    const QByteArray header = "HTTP/1.0 200 OK\r\n";
    struct Case
    {
        const char *what;
        QList<QByteArray> pieces;
        std::chrono::milliseconds wait;
        std::optional<QByteArray> body;
    };
    const Case cases[] = {
        // Ends as soon as the three bytes are in, long before the wait is over.
        {"announced and complete", {header + "Content-Length: 3\r\n\r\n", "122"}, 20s, "122"},
        {"announced, cut off by the wait",
         {header + "Content-Length: 3\r\n\r\n", "12"},
         1s,
         std::nullopt},
        {"not announced, cut off by the wait", {header + "\r\n", "12"}, 1s, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        LoopbackServer server({c.pieces, 50, LoopbackServer::Ending::KeepOpen});
        Transfer run({5s, c.wait});
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(run.finish(QStringLiteral("127.0.0.1"), server.port()));
        if (c.body) {
            EXPECT_LT(clock.elapsed(), c.wait.count() / 2);
        }
        EXPECT_EQ(run.client.status(), TransferStatus::WaitingResponse);
        EXPECT_EQ(run.client.acceptedBody(), c.body);
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientGone(); }, 5000)); // closed by us
    }
}

TEST(HttpClient, CancelClosesTheSocketAndSaysNothingMore)
{
    LoopbackServer silent({{}, 0, LoopbackServer::Ending::KeepOpen});
    Transfer run;
    run.client.fetch(QStringLiteral("127.0.0.1"), silent.port(), QStringLiteral("/zvers.txt"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return run.client.status() == TransferStatus::CheckingForUpdates; }, 5000));
    const size_t seen = run.statuses.size();
    run.client.cancel();
    EXPECT_TRUE(QTest::qWaitFor([&] { return silent.clientGone(); }, 5000));
    EXPECT_EQ(run.statuses.size(), seen);
    EXPECT_FALSE(run.client.isFinished());
}

TEST(HttpClient, ASilentAddressDoesNotHoldUpTheNext)
{
    // 127.0.0.2 is a listener whose queue is full: a connection attempt gets no answer at all,
    // as over a broken route. 127.0.0.1, on the same port, answers.
    const int silent = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(silent, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(0x7f000002);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr *>(&address), length), 0);
    ASSERT_EQ(::listen(silent, 0), 0);
    ASSERT_EQ(::getsockname(silent, reinterpret_cast<sockaddr *>(&address), &length), 0);
    std::vector<int> queued;
    for (int i = 0; i < 4; ++i) {
        queued.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ::connect(queued.back(), reinterpret_cast<sockaddr *>(&address), length);
    }
    const quint16 port = ntohs(address.sin_port);
    LoopbackServer server(LoopbackServer::answer("122"), QHostAddress::LocalHost, port);
    const QHostAddress dropped(QStringLiteral("127.0.0.2"));

    struct Case
    {
        const char *what;
        QList<QHostAddress> addresses;
        TransferStatus status;
        std::optional<QByteArray> body;
    };
    const Case cases[] = {
        {"silent first, then one that answers",
         {dropped, QHostAddress(QHostAddress::LocalHost)},
         TransferStatus::WaitingResponse,
         "122"},
        {"only silent ones: the overall bound ends it",
         {dropped, dropped},
         TransferStatus::CouldNotConnect,
         std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Transfer run({2s, 2s, 100ms});
        run.client.fetchFrom(c.addresses, QStringLiteral("localhost"), port,
                             QStringLiteral("/zvers.txt"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return run.client.isFinished(); }, 15000));
        EXPECT_EQ(run.client.status(), c.status);
        EXPECT_EQ(run.client.acceptedBody(), c.body);
    }
    for (const int fd : queued)
        ::close(fd);
    ::close(silent);
}
