// SPDX-License-Identifier: GPL-3.0-or-later
// The once-per-user notice of desktops whose pointer the trail cannot follow everywhere.
#include "zorrit/pointer/pointer_choice.h"

#include "platform/fake/fake_dialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorrit::pointer;

TEST(PointerChoice, NoticeShowsOncePerUserAndNeverWithoutItsMark)
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
