// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: texts, buttons, the home page link, and the start of the update check.
#include "zorrit/shell/about_box.h"

#include "common/link_label.h"
#include "common/maker_web.h"
#include "common/version.h"
#include "platform/fake/fake_dialogs.h"
#include "zorrit/update/update_check.h"
#include "zorrit/update/update_check_window.h"
#include "zorrit/update/update_context.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using zorrit::shell::AboutBox;

namespace {
// Runs action once the modal about box is up, from inside its own event loop.
void whenAboutBoxOpens(std::function<void(AboutBox *)> action)
{
    QTimer::singleShot(0, [action] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<AboutBox *>(w); box && box->isVisible()) {
                action(box);
                return;
            }
        }
        ADD_FAILURE() << "no about box";
    });
}

QPushButton *button(QWidget *box, const char *name)
{
    return box->findChild<QPushButton *>(QLatin1String(name));
}
} // namespace

TEST(AboutBox, TextsAndLink)
{
    zorrit::shell::VersionHolder versions;
    platform::FakeShell shell;
    AboutBox box(versions, shell);
    EXPECT_EQ(box.objectName(), QStringLiteral("about"));
    EXPECT_EQ(box.windowRole(), box.objectName()); // what window managers and tests see
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Zorrit"));
    EXPECT_TRUE(box.isModal());
    EXPECT_EQ(box.findChild<QLabel *>(QStringLiteral("Label5"))->text(),
              QStringLiteral("Version %1 - Build %2")
                  .arg(common::version::display())
                  .arg(common::version::kBuild));
    EXPECT_EQ(box.findChild<QLabel *>(QStringLiteral("Label3"))->text(),
              QStringLiteral("For updates, news and other great utilities, visit:"));
    auto *link = box.findChild<common::LinkLabel *>(QStringLiteral("Label4"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->address(), QUrl(common::web::homePage()));
    EXPECT_EQ(link->textColor(), QColor(common::LinkLabel::kBlue));
    EXPECT_NE(box.findChild<QWidget *>(QStringLiteral("mouseno")), nullptr);
    EXPECT_EQ(button(&box, "Command1")->text(), QStringLiteral("&OK"));
    EXPECT_EQ(button(&box, "Command2")->text(), QStringLiteral("&Check for updates..."));
}

TEST(AboutBox, OkAndLinkCloseWithoutACheck)
{
    zorrit::shell::VersionHolder versions;
    platform::FakeDialogs dialogs;
    platform::FakeShell shell;
    int preferencesClosed = 0;
    zorrit::update::UpdateContext ctx{versions, dialogs, shell};
    QObject::connect(&ctx, &zorrit::update::UpdateContext::checkStarting,
                     [&] { ++preferencesClosed; });

    whenAboutBoxOpens(
        [](AboutBox *box) { QTest::mouseClick(button(box, "Command1"), Qt::LeftButton); });
    EXPECT_FALSE(zorrit::shell::showAboutBox(nullptr, versions, shell));

    whenAboutBoxOpens([](AboutBox *box) {
        auto *link = box->findChild<common::LinkLabel *>(QStringLiteral("Label4"));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    });
    EXPECT_FALSE(zorrit::shell::showAboutBox(nullptr, versions, shell));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QUrl(common::web::homePage()));

    EXPECT_EQ(preferencesClosed, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(AboutBox, CheckForUpdatesClosesTheBoxAndThePreferencesAndStartsTheCheck)
{
    zorrit::shell::VersionHolder versions;
    platform::FakeDialogs dialogs;
    platform::FakeShell shell;
    int preferencesClosed = 0;
    zorrit::update::UpdateContext ctx{versions, dialogs, shell};
    QObject::connect(&ctx, &zorrit::update::UpdateContext::checkStarting,
                     [&] { ++preferencesClosed; });
    ctx.host = QStringLiteral("127.0.0.1");
    ctx.port = 1; // nobody answers there; the window is closed before it matters

    whenAboutBoxOpens(
        [](AboutBox *box) { QTest::mouseClick(button(box, "Command2"), Qt::LeftButton); });
    ASSERT_TRUE(zorrit::shell::showAboutBox(nullptr, versions, shell));
    // The box is gone before the check starts: the check closes the preferences, its parent.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    zorrit::update::startUpdateCheck(ctx);

    EXPECT_EQ(preferencesClosed, 1);
    QWidget *checkit = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QStringLiteral("checkit") && w->isVisible())
            checkit = w;
        EXPECT_FALSE(qobject_cast<AboutBox *>(w) && w->isVisible());
    }
    ASSERT_NE(checkit, nullptr);
    EXPECT_EQ(checkit->windowTitle(), QStringLiteral("Checking..."));
    EXPECT_EQ(checkit->windowRole(), checkit->objectName());
    EXPECT_EQ(checkit->windowModality(), Qt::ApplicationModal);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    checkit->close();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
