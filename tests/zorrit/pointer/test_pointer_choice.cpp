// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the session's pointer source, the reports that wait for the tick, and the
// once-per-user notice, on a session bus of the test's own.
#include "zorrit/pointer/bus_pointer_source.h"
#include "zorrit/pointer/gnome_pointer_source.h"
#include "zorrit/pointer/kwin_pointer_source.h"
#include "zorrit/pointer/pointer_bus.h"
#include "zorrit/pointer/pointer_notice.h"
#include "zorrit/pointer/reported_full_screen.h"
#include "zorrit/pointer/source_factory.h"

#include "platform/fake/fake_dialogs.h"
#include "support/private_bus.h"
#include "support/wait.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace zorrit::pointer;
using testsupport::waitFor;

namespace {

// Made before the first test touches the bus, ended after the last.
PrivateBus *bus = nullptr;

class OnPrivateBus : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!bus)
            bus = new PrivateBus;
    }
    static void TearDownTestSuite()
    {
        delete bus;
        bus = nullptr;
    }
    void SetUp() override
    {
        if (!bus->running())
            GTEST_SKIP() << "needs dbus-daemon (scripts/install-deps --tests)";
    }
    // Another program of the user's, on a connection of its own.
    static QDBusConnection otherProgram(const QString &name)
    {
        return QDBusConnection::connectToBus(bus->address(), name);
    }
};

// The compositor of the tests below: only its owner's reports count.
constexpr char kCompositor[] = "org.example.Compositor";

// A bus source as the compositors' sources use it, with no compositor to talk to.
class ListeningSource final : public BusPointerSource
{
public:
    explicit ListeningSource(const char *compositor = kCompositor,
                             ReportedFullScreen *fullScreen = nullptr)
        : BusPointerSource(compositor)
    {
        reportFullScreenTo(fullScreen);
    }
    StartResult start() override { return listen(); }
};

QDBusMessage report(const QString &to, int x, int y)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        to, QLatin1String(kObjectPath), QLatin1String(kInterface), QStringLiteral("Moved"));
    call << x << y;
    return call;
}

// The error's name, or "ok", once the call is answered.
std::string answer(QDBusConnection &caller, const QDBusMessage &call)
{
    QDBusPendingCallWatcher watcher(caller.asyncCall(call, 5000));
    EXPECT_TRUE(waitFor([&] { return watcher.isFinished(); }));
    return watcher.isError() ? watcher.error().name().toStdString() : "ok";
}

} // namespace

TEST_F(OnPrivateBus, TheSourceIsTheCompositorsThatHoldsItsNameOnTheBus)
{
    qputenv("WAYLAND_DISPLAY", "wayland-test");
    SourceContext context;
    context.runtimeFolder = QDir::tempPath();
    EXPECT_TRUE(isWaylandSession());
    EXPECT_EQ(makeSessionSource(context), nullptr); // any other desktop: the notice

    struct Case
    {
        const char *name;
        bool kwin;
    };
    // The second finds both on the bus (a GNOME Shell left running on a KWin desktop's bus, say):
    // KWin's own source comes first.
    for (const Case &compositor : {Case{"org.gnome.Shell", false}, Case{"org.kde.KWin", true}}) {
        QDBusConnection shell = otherProgram(QLatin1String(compositor.name));
        ASSERT_TRUE(shell.registerService(QLatin1String(compositor.name)));
        const std::unique_ptr<CompositorSource> source = makeSessionSource(context);
        EXPECT_EQ(dynamic_cast<KWinPointerSource *>(source.get()) != nullptr, compositor.kwin)
            << compositor.name;
        EXPECT_EQ(dynamic_cast<GnomePointerSource *>(source.get()) != nullptr, !compositor.kwin)
            << compositor.name;
    }
    qunsetenv("WAYLAND_DISPLAY");
}

TEST_F(OnPrivateBus, ReportsWaitForTheTickAndTheNewestWins)
{
    QDBusConnection reporter = otherProgram(QStringLiteral("reporter"));
    ASSERT_TRUE(reporter.registerService(QLatin1String(kCompositor)));
    ListeningSource source;
    ASSERT_TRUE(source.start().started);
    // A connection of its own, not Qt's: nothing but the tick reads it.
    EXPECT_NE(source.reportTo(), QDBusConnection::sessionBus().baseService());
    QSignalSpy moved(&source, &platform::PointerSource::moved);

    for (int k = 1; k <= 30; ++k)
        ASSERT_TRUE(reporter.send(report(source.reportTo(), 10 * k, k)));
    QTest::qWait(200);
    EXPECT_EQ(moved.count(), 0) << "a report woke the program between two ticks";
    EXPECT_FALSE(source.position());

    // A tick takes what has come, however many, and the newest stands.
    ASSERT_TRUE(waitFor([&] {
        source.readAtTick();
        return source.position() == QPoint(300, 30);
    }));
    // Unwatched, a report is no signal: the tick reads position() itself.
    EXPECT_EQ(moved.count(), 0);

    // While the ticks read, every caller that waits is answered.
    std::vector<std::unique_ptr<QDBusPendingCallWatcher>> calls;
    for (int k = 1; k <= 20; ++k) {
        calls.push_back(std::make_unique<QDBusPendingCallWatcher>(
            reporter.asyncCall(report(source.reportTo(), k, 2 * k), 5000)));
        source.readAtTick();
        QTest::qWait(2);
    }
    EXPECT_TRUE(waitFor([&] {
        source.readAtTick();
        return std::all_of(calls.begin(), calls.end(),
                           [](const auto &call) { return call->isFinished(); });
    }));
    for (const auto &call : calls)
        EXPECT_FALSE(call->isError()) << qPrintable(call->error().message());
    EXPECT_EQ(source.position(), QPoint(20, 40));
    reporter.unregisterService(QLatin1String(kCompositor));
}

TEST_F(OnPrivateBus, WhileTheTrailSleepsAReportWakesItAndEveryCallerGetsAnAnswer)
{
    QDBusConnection reporter = otherProgram(QStringLiteral("caller"));
    ASSERT_TRUE(reporter.registerService(QLatin1String(kCompositor)));
    ListeningSource source;
    ASSERT_TRUE(source.start().started);
    source.setWatched(true);
    QSignalSpy moved(&source, &platform::PointerSource::moved);

    EXPECT_EQ(answer(reporter, report(source.reportTo(), 40, 50)), "ok");
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(source.position(), QPoint(40, 50));

    // Anything else is refused and changes nothing.
    QDBusMessage wrongArguments = report(source.reportTo(), 1, 2);
    wrongArguments.setArguments({QStringLiteral("far"), QStringLiteral("away")});
    QDBusMessage otherMethod =
        QDBusMessage::createMethodCall(source.reportTo(), QLatin1String(kObjectPath),
                                       QLatin1String(kInterface), QStringLiteral("Quit"));
    EXPECT_EQ(answer(reporter, wrongArguments), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(answer(reporter, otherMethod), "org.freedesktop.DBus.Error.UnknownMethod");
    EXPECT_EQ(source.position(), QPoint(40, 50));

    // Awake again, the tick reads; the socket is not watched.
    source.setWatched(false);
    ASSERT_TRUE(reporter.send(report(source.reportTo(), 7, 8)));
    QTest::qWait(200);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_TRUE(waitFor([&] {
        source.readAtTick();
        return source.position() == QPoint(7, 8);
    }));
    reporter.unregisterService(QLatin1String(kCompositor));
}

TEST_F(OnPrivateBus, OnlyTheCompositorsReportsMoveThePointer)
{
    // Nobody holds the compositor's name when the source starts.
    const char *compositorName = "org.example.LateCompositor";
    ListeningSource source(compositorName);
    ASSERT_TRUE(source.start().started);
    source.setWatched(true); // reads as calls arrive
    QDBusConnection first = otherProgram(QStringLiteral("first"));
    QDBusConnection second = otherProgram(QStringLiteral("second"));
    QDBusConnection stranger = otherProgram(QStringLiteral("stranger"));
    const std::string denied = "org.freedesktop.DBus.Error.AccessDenied";

    // The report connection, and Qt's, which serves the reporters of an older Zorrit.
    for (const QString &to : {source.reportTo(), QString::fromLatin1(kBusName)}) {
        SCOPED_TRACE(qPrintable(to));
        EXPECT_EQ(answer(first, report(to, 1, 1)), denied); // nobody's yet
        ASSERT_TRUE(first.registerService(QLatin1String(compositorName)));
        EXPECT_TRUE(waitFor([&] { return answer(first, report(to, 10, 20)) == "ok"; }));
        EXPECT_EQ(answer(stranger, report(to, 666, 666)), denied);
        EXPECT_EQ(source.position(), QPoint(10, 20));

        // The name changes hands: the new owner's reports count, the old one's no longer.
        ASSERT_TRUE(first.unregisterService(QLatin1String(compositorName)));
        ASSERT_TRUE(second.registerService(QLatin1String(compositorName)));
        EXPECT_TRUE(waitFor([&] { return answer(second, report(to, 30, 40)) == "ok"; }));
        EXPECT_EQ(answer(first, report(to, 5, 5)), denied);
        EXPECT_EQ(source.position(), QPoint(30, 40));
        ASSERT_TRUE(second.unregisterService(QLatin1String(compositorName)));
    }
}

TEST_F(OnPrivateBus, TheCompositorAloneTellsOfAFullScreenWindowUntilItStops)
{
    QDBusConnection compositor = otherProgram(QStringLiteral("compositor"));
    QDBusConnection stranger = otherProgram(QStringLiteral("stranger"));
    ASSERT_TRUE(compositor.registerService(QLatin1String(kCompositor)));
    ReportedFullScreen fullScreen;
    ListeningSource source(kCompositor, &fullScreen);
    ASSERT_TRUE(source.start().started);
    const auto fullScreenCall = [](const QVariantList &arguments) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(QLatin1String(kBusName), QLatin1String(kObjectPath),
                                           QLatin1String(kInterface), QStringLiteral("FullScreen"));
        call.setArguments(arguments);
        return call;
    };
    const platform::FocusedWindow video{true, {QRect(0, 0, 1280, 1024)}};

    EXPECT_EQ(answer(stranger, fullScreenCall({true, 0, 0, 1280, 1024})),
              "org.freedesktop.DBus.Error.AccessDenied");
    QTest::qWait(50);
    EXPECT_EQ(fullScreen.focused(), platform::FocusedWindow{});
    // KWin 6 sends a window's place in fractions of a pixel.
    EXPECT_EQ(answer(compositor, fullScreenCall({true, 0.0, 0.4, 1279.6, 1024.0})), "ok");
    EXPECT_TRUE(waitFor([&] { return fullScreen.focused() == video; }));
    EXPECT_EQ(answer(compositor, fullScreenCall({false, 0, 0, 0, 0})), "ok");
    EXPECT_TRUE(waitFor([&] { return !fullScreen.focused().fullScreen; }));
    // Wild numbers are kept within X11's coordinates before any sum (UBSan would see it).
    constexpr int kHuge = std::numeric_limits<int>::max();
    EXPECT_EQ(answer(compositor, fullScreenCall({true, kHuge, kHuge, kHuge, kHuge})), "ok");
    EXPECT_TRUE(waitFor([&] { return fullScreen.focused().fullScreen; }));

    // A reporter that stopped leaves no full screen behind.
    EXPECT_EQ(answer(compositor, fullScreenCall({true, 0, 0, 1280, 1024})), "ok");
    EXPECT_TRUE(waitFor([&] { return fullScreen.focused() == video; }));
    Q_EMIT source.lost(QStringLiteral("the script went"));
    EXPECT_EQ(fullScreen.focused(), platform::FocusedWindow{});
    compositor.unregisterService(QLatin1String(kCompositor));
}

TEST_F(OnPrivateBus, ReceiverNamesTheReportConnectionToTheExtension)
{
    ListeningSource source;
    ASSERT_TRUE(source.start().started);
    QDBusConnection extension = otherProgram(QStringLiteral("extension"));
    const QDBusMessage reply = extension.call(
        QDBusMessage::createMethodCall(QLatin1String(kBusName), QLatin1String(kObjectPath),
                                       QLatin1String(kInterface), QStringLiteral("Receiver")));
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());
    EXPECT_EQ(reply.arguments().value(0).toString(), source.reportTo());
}

TEST(PointerNotice, ShowsOncePerUserAndNeverWithoutItsMark)
{
    QTemporaryDir dir;
    platform::FakeDialogs dialogs;
    const QString key = QStringLiteral("wayland-pointer");
    const QString text = otherWaylandText();
    EXPECT_TRUE(showNoticeOnce(dialogs, dir.path() + "/settings", key, text));
    EXPECT_FALSE(showNoticeOnce(dialogs, dir.path() + "/settings", key, text));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, text);

    // A folder that cannot hold the mark: better no notice than the same one at every start.
    QFile blocker(dir.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(showNoticeOnce(dialogs, dir.path() + "/blocked", key, text));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}
