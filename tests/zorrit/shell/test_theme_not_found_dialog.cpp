// SPDX-License-Identifier: GPL-3.0-or-later
// The not-found notice dialog: its texts and its one button.
#include "zorrit/shell/theme_not_found_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using zorrit::shell::ThemeNotFoundDialog;

TEST(ThemeNotFoundDialog, ShowsTheNoticeAndOkClosesIt)
{
    ThemeNotFoundDialog dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("ahwell"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zorrit - Error"));
    auto *label = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("The theme you have selected isn't found. Zorrit will "
                                            "use the built-in theme instead."));
    auto *image = dialog.findChild<QLabel *>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixmap().size(), QSize(31, 37)); // the warning picture's own size
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("Command1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("&OK"));

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
