// SPDX-License-Identifier: GPL-3.0-or-later
// The loading window: its caption and text, shown at once.
#include "zorrit/shell/stand_window.h"
#include "zorrit/shell/window_pictures.h"

#include <QLabel>

#include <gtest/gtest.h>

using zorrit::shell::StandWindow;

TEST(Stand, SaysLoadingPleaseWait)
{
    StandWindow stand;
    EXPECT_EQ(stand.objectName(), QStringLiteral("stand"));
    EXPECT_EQ(stand.windowTitle(), QStringLiteral("Zorrit"));
    auto *label = stand.findChild<QLabel *>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Loading, please wait..."));
    auto *image = stand.findChild<QLabel *>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->pixmap().isNull());
    // The same picture as the about box's Image1.
    EXPECT_EQ(image->pixmap().toImage(), zorrit::shell::programPicture().toImage());

    stand.showNow();
    EXPECT_TRUE(stand.isVisible());
    EXPECT_TRUE(label->isVisible());
    stand.close();
    EXPECT_FALSE(stand.isVisible());
}
