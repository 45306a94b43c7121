// SPDX-License-Identifier: GPL-3.0-or-later
// The whole update check against a loopback server: the transfer window, the result dialogs,
// the beep, the busy pointer, Stop and the close box.
#include "zorrit/update/result_dialog.h"
#include "zorrit/update/update_check.h"
#include "zorrit/update/update_check_window.h"

#include "common/link_label.h"
#include "common/maker_web.h"
#include "common/version.h"
#include "platform/fake/fake_dialogs.h"
#include "zorrit/shell/message_icon.h"
#include "zorrit/update/loopback_server.h"
#include "zorrit/update/version_value.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorrit::update;
using testing_support::LoopbackServer;
using namespace std::chrono_literals;

namespace {

QWidget *visibleTopLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}

int visibleResultDialogs()
{
    int n = 0;
    for (const char *name : {"yesupdate", "noupdate", "errupdate"})
        n += visibleTopLevel(QLatin1String(name)) ? 1 : 0;
    return n;
}

QString labelText(QWidget *dialog, const char *name)
{
    auto *label = dialog->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

class UpdateCheckTest : public ::testing::Test
{
protected:
    UpdateCheckTest()
    {
        ctx.host = QStringLiteral("127.0.0.1");
        // Long enough for a megabyte through a loaded machine, short enough for "never answers".
        ctx.timing = {3s, 2s};
        QObject::connect(&ctx, &UpdateContext::checkStarting, [this] { ++preferencesClosed; });
        qunsetenv("ZORRIT_UPDATE_SERVER");
    }
    ~UpdateCheckTest() override
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<QDialog *>(w))
                w->close();
        }
        QTest::qWait(0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Runs a check against port and returns the result dialog that followed it.
    QWidget *check(quint16 port)
    {
        ctx.port = port;
        QPointer<UpdateCheckWindow> window = startUpdateCheck(ctx);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Checking..."));
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        QWidget *result = nullptr;
        const bool ended = QTest::qWaitFor(
            [&] {
                for (const char *name : {"yesupdate", "noupdate", "errupdate"}) {
                    if ((result = visibleTopLevel(QLatin1String(name))))
                        return true;
                }
                return false;
            },
            15000);
        EXPECT_TRUE(ended) << "no result dialog";
        EXPECT_TRUE(!window || !window->isVisible()) << "the transfer window stays open";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "busy pointer left behind";
        return result;
    }

    zorrit::shell::VersionHolder versions;
    platform::FakeDialogs dialogs;
    platform::FakeShell shell;
    UpdateContext ctx{versions, dialogs, shell};
    int preferencesClosed = 0;
};

} // namespace

TEST_F(UpdateCheckTest, ResponsesLeadToTheRightDialog)
{
    struct Case
    {
        const char *name;
        LoopbackServer::Script script;
        const char *dialog;
        const char *textLabel; // the dialog's second label, if any
        QString text;
    };
    const int own = common::version::compact().toInt();
    const QByteArray ours = QByteArray::number(own);
    const QByteArray next = QByteArray::number(own + 1);
    const QString newer =
        QStringLiteral("The latest available version is %1. You currently have %2.")
            .arg(displayVersion(own + 1), common::version::display());
    const QString same = QStringLiteral("Version: ") + common::version::display();
    const Case cases[] = {
        {"newer", LoopbackServer::answer(next), "yesupdate", "st1", newer},
        {"blank before", LoopbackServer::answer(" " + next + "\r\n"), "yesupdate", "st1", newer},
        {"same", LoopbackServer::answer(ours), "noupdate", "thetext", same},
        {"older", LoopbackServer::answer(QByteArray::number(own - 1)), "noupdate", "thetext", same},
        {"rounds to ours", LoopbackServer::answer(ours + ".4"), "noupdate", "thetext", same},
        {"header in two reads",
         {{"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n", "\r\n" + next}},
         "yesupdate",
         "st1",
         newer},
        {"letters", LoopbackServer::answer("abc"), "errupdate", nullptr, {}},
        {"empty body", LoopbackServer::answer(""), "errupdate", nullptr, {}},
        {"404 with a number",
         LoopbackServer::answer(next, "404 Not Found"),
         "errupdate",
         nullptr,
         {}},
        {"one megabyte",
         LoopbackServer::answer(next + QByteArray(1024 * 1024, ' ')),
         "errupdate",
         nullptr,
         {}},
        {"never answers", {{}, 0, LoopbackServer::Ending::KeepOpen}, "errupdate", nullptr, {}},
        // The first digit of a newer version, and then nothing until the wait is over.
        {"cut off by the wait",
         {{"HTTP/1.0 200 OK\r\n\r\n", next.first(1)}, 50, LoopbackServer::Ending::KeepOpen},
         "errupdate",
         nullptr,
         {}},
        {"reset",
         {{"HTTP/1.0 200 OK\r\n"}, 100, LoopbackServer::Ending::Reset},
         "errupdate",
         nullptr,
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const int beepsBefore = dialogs.beeps;
        versions.latestVersion = 0;
        LoopbackServer server(c.script);
        QWidget *result = check(server.port());
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->objectName(), QLatin1String(c.dialog));
        EXPECT_EQ(result->windowRole(), result->objectName());
        EXPECT_EQ(visibleResultDialogs(), 1);
        const bool error = QLatin1String(c.dialog) == QLatin1String("errupdate");
        EXPECT_EQ(dialogs.beeps - beepsBefore, error ? 1 : 0);
        if (c.textLabel) {
            EXPECT_EQ(labelText(result, c.textLabel), c.text);
        }
        if (QLatin1String(c.dialog) == QLatin1String("yesupdate")) {
            EXPECT_EQ(versions.latestVersion, own + 1);
        }
        if (error) {
            EXPECT_EQ(versions.latestVersion, 0);
        }
        result->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(preferencesClosed, int(std::size(cases)));
}

TEST_F(UpdateCheckTest, ATrickledAnswerIsAddedToTheReplyBoxPieceByPiece)
{
    // One byte at a time: the box takes each new byte once, never the whole body again.
    const QByteArray body =
        QByteArray::number(common::version::compact().toInt() + 1) + QByteArray(150, '\n');
    LoopbackServer::Script script{{"HTTP/1.0 200 OK\r\n\r\n"}, 1};
    for (const char c : body)
        script.pieces.append(QByteArray(1, c));
    LoopbackServer server(script);
    ctx.port = server.port();
    ctx.timing.responseWait = 10s; // a loaded machine may trickle slowly
    QPointer<UpdateCheckWindow> window = startUpdateCheck(ctx);
    auto *replybox = window->findChild<QPlainTextEdit *>(QStringLiteral("replybox"));
    ASSERT_NE(replybox, nullptr);
    qsizetype added = 0;
    QObject::connect(replybox->document(), &QTextDocument::contentsChange,
                     [&](int, int, int charsAdded) { added += charsAdded; });
    QString shown;
    QObject::connect(window, &UpdateCheckWindow::concluded,
                     [&] { shown = replybox->toPlainText(); });
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return visibleTopLevel(QStringLiteral("yesupdate")) != nullptr; }, 20000));
    EXPECT_EQ(shown, QString::fromLatin1(body));
    EXPECT_EQ(added, body.size());
}

TEST_F(UpdateCheckTest, RequestGoesToTheVersionFile)
{
    LoopbackServer server(LoopbackServer::answer("121"));
    ASSERT_NE(check(server.port()), nullptr);
    EXPECT_EQ(server.request(), QByteArray("GET /zvers.txt HTTP/1.0\r\nAccept: */*\r\n"
                                           "User-Agent: Brenmoor\r\nHost: 127.0.0.1\r\n\r\n"));
}

TEST_F(UpdateCheckTest, UnreachableServersGiveTheErrorWithABeep)
{
    struct Case
    {
        const char *host;
        quint16 port;
    };
    const Case cases[] = {{"127.0.0.1", testing_support::refusedPort()}, {"nothing.invalid", 80}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.host);
        ctx.host = QLatin1String(c.host);
        const int beepsBefore = dialogs.beeps;
        QWidget *result = check(c.port);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->objectName(), QStringLiteral("errupdate"));
        EXPECT_EQ(result->windowTitle(), QStringLiteral("Error"));
        EXPECT_EQ(labelText(result, "Label1"),
                  QStringLiteral("An error occurred while checking for updates. Make sure you "
                                 "are on the Internet, then try again."));
        auto *icon = result->findChild<zorrit::shell::MessageIcon *>(QStringLiteral("XQSysIcons1"));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->currentIcon(), QStyle::SP_MessageBoxWarning);
        EXPECT_EQ(dialogs.beeps - beepsBefore, 1);
        result->close();
    }
}

TEST_F(UpdateCheckTest, TestHookReplacesHostAndPort)
{
    LoopbackServer server(LoopbackServer::answer("122"));
    qputenv("ZORRIT_UPDATE_SERVER", "localhost:" + QByteArray::number(server.port()));
    ctx.host = QStringLiteral("nothing.invalid");
    QWidget *result = check(1);
    qunsetenv("ZORRIT_UPDATE_SERVER");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->objectName(), QStringLiteral("yesupdate"));
    EXPECT_TRUE(server.request().contains("\r\nHost: localhost\r\n"));
}

TEST_F(UpdateCheckTest, StopAndTheCloseBoxCancelWithoutAResult)
{
    for (const bool viaStop : {true, false}) {
        SCOPED_TRACE(viaStop ? "Stop" : "close box");
        LoopbackServer silent({{}, 0, LoopbackServer::Ending::KeepOpen});
        ctx.port = silent.port();
        ctx.timing.responseWait = 10s;
        QPointer<UpdateCheckWindow> window = startUpdateCheck(ctx);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return window->client().status() == TransferStatus::CheckingForUpdates
                       && silent.connections() == 1;
            },
            5000));
        const int closedBefore = preferencesClosed;
        EXPECT_EQ(startUpdateCheck(ctx), window.data()) << "a second check while one runs";
        EXPECT_EQ(preferencesClosed, closedBefore);
        EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("lblStatus"))->text(),
                  QStringLiteral("Checking for updates..."));
        if (viaStop) {
            auto *stop = window->findChild<QPushButton *>(QStringLiteral("Command1"));
            EXPECT_EQ(stop->text(), QStringLiteral("&Stop"));
            QTest::mouseClick(stop, Qt::LeftButton);
        } else {
            window->close();
        }
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return silent.clientGone(); }, 5000));
        QTest::qWait(400); // anything still queued has run by now
        EXPECT_TRUE(window.isNull()) << "the window deletes itself";
        EXPECT_EQ(visibleResultDialogs(), 0);
        EXPECT_EQ(dialogs.beeps, 0);
    }
}

TEST_F(UpdateCheckTest, StopWhileTheLastStatusIsOnItsWayEndsWithoutAResult)
{
    // "&Stop" pressed right as the transfer ends: the window learns of the final status only
    // after the client's signal has returned, and by then the check is over.
    LoopbackServer server(LoopbackServer::answer("999"));
    ctx.port = server.port();
    QPointer<UpdateCheckWindow> window = startUpdateCheck(ctx);
    int concluded = 0;
    QObject::connect(window, &UpdateCheckWindow::concluded, [&] { ++concluded; });
    QObject::connect(&window->client(), &HttpClient::statusChanged, window, [&](TransferStatus s) {
        if (isFinal(s))
            window->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    });
    // The program's own event loop, which (unlike QTest's waits) delivers what is queued before
    // it deletes the closed window.
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(window.isNull()) << "the window deletes itself";
    EXPECT_EQ(concluded, 0);
    EXPECT_EQ(visibleResultDialogs(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(UpdateCheckTest, DownloadLinkOpensTheInstallerAndCloses)
{
    versions.latestVersion = 122;
    ResultDialog dialog(ResultDialog::Kind::UpdateAvailable, versions, shell);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Update available"));
    EXPECT_EQ(labelText(&dialog, "Label1"), QStringLiteral("An update for Zorrit was found!"));
    auto *link = dialog.findChild<common::LinkLabel *>(QStringLiteral("Label3"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), QStringLiteral("Download update"));
    EXPECT_EQ(link->textColor(), QColor(common::LinkLabel::kBlue));
    EXPECT_FALSE(link->isUnderlined());
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QUrl(common::web::installer()));
    EXPECT_TRUE(shell.opened[0].toString().endsWith(QStringLiteral("/ZorritSetup.exe")));
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(UpdateCheckTest, UpToDateDialogTexts)
{
    ResultDialog dialog(ResultDialog::Kind::UpToDate, versions, shell);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("noupdate"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Already updated"));
    EXPECT_EQ(labelText(&dialog, "Label1"),
              QStringLiteral("You already have the most recent version of Zorrit on your system!"));
    auto *icon = dialog.findChild<zorrit::shell::MessageIcon *>(QStringLiteral("XQSysIcons1"));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->currentIcon(), QStyle::SP_MessageBoxInformation);
    EXPECT_EQ(icon->size(), QSize(33, 33));
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("Command1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
}
