// SPDX-License-Identifier: GPL-3.0-or-later
// The one-shot notice: 300 ms after it is started, one beep and one dialog.
#include "zorrit/shell/not_found_notice.h"

#include "platform/fake/fake_dialogs.h"
#include "support/wait.h"

#include <QTest>

#include <gtest/gtest.h>

using zorrit::shell::NotFoundNotice;

TEST(NotFoundNotice, FiresOnceAfterThreeHundredMilliseconds)
{
    platform::FakeDialogs dialogs;
    NotFoundNotice notice(dialogs);
    const auto shown = [&dialogs] { return dialogs.dialogsRun.size(); };
    EXPECT_EQ(notice.reportTimer().interval(), 300);
    EXPECT_FALSE(notice.reportTimer().isActive());
    notice.start();
    EXPECT_EQ(shown(), 0u); // never from inside the code that started it
    EXPECT_TRUE(testsupport::waitFor([&shown] { return shown() == 1; }));
    EXPECT_EQ(dialogs.dialogsRun[0], QStringLiteral("ahwell"));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_FALSE(notice.reportTimer().isActive());
    QTest::qWait(700);
    EXPECT_EQ(shown(), 1u);
}
