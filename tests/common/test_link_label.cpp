// SPDX-License-Identifier: GPL-3.0-or-later
// The link label's colours, underline and click, driven with real mouse events.
#include "common/link_label.h"

#include "platform/fake/fake_dialogs.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using common::LinkLabel;

TEST(LinkLabel, BlueUnderlinedOnHoverGreenWhileHeldAndOpensOnClick)
{
    platform::FakeShell shell;
    QWidget host;
    LinkLabel link(QStringLiteral("http://example.test/"),
                   QUrl(QStringLiteral("http://example.test/")), &shell, &host);
    link.resize(200, 20);
    host.show();
    QSignalSpy clicked(&link, &LinkLabel::clicked);

    EXPECT_EQ(link.textColor(), QColor(LinkLabel::kBlue));
    EXPECT_FALSE(link.isUnderlined());
    EXPECT_EQ(link.textFormat(), Qt::PlainText);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&link, &enter);
    EXPECT_TRUE(link.isUnderlined());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&link, &leave);
    EXPECT_FALSE(link.isUnderlined());

    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(link.textColor(), QColor(LinkLabel::kGreen));
    EXPECT_TRUE(shell.opened.empty());
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(link.textColor(), QColor(LinkLabel::kBlue));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QUrl(QStringLiteral("http://example.test/")));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_FALSE(link.isUnderlined());
}

TEST(LinkLabel, ReleaseOutsideTheLinkIsNoClick)
{
    platform::FakeShell shell;
    LinkLabel link(QStringLiteral("x"), QUrl(QStringLiteral("http://a/")), &shell);
    link.resize(50, 20);
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(500, 5));
    EXPECT_EQ(link.textColor(), QColor(LinkLabel::kBlue));
    EXPECT_TRUE(shell.opened.empty());
}
