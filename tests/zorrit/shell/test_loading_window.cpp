// SPDX-License-Identifier: GPL-3.0-or-later
// The loading window: its caption and text, shown at once.
#include "zorrit/shell/loading_window.h"
#include "zorrit/shell/window_pictures.h"

#include <QLabel>

#include <gtest/gtest.h>

using zorrit::shell::LoadingWindow;

TEST(LoadingWindow, SaysLoadingPleaseWait)
{
    LoadingWindow window;
    EXPECT_EQ(window.objectName(), QStringLiteral("stand"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorrit"));
    auto *label = window.findChild<QLabel *>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Loading, please wait..."));
    auto *image = window.findChild<QLabel *>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->pixmap().isNull());
    // The same picture as the about box's Image1.
    EXPECT_EQ(image->pixmap().toImage(), zorrit::shell::programPicture().toImage());

    window.showNow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(label->isVisible());
    window.close();
    EXPECT_FALSE(window.isVisible());
}
