// SPDX-License-Identifier: GPL-3.0-or-later
// The welcome window: its texts, and that every way of closing it reports once.
#include "zorrit/shell/welcome_window.h"

#include "support/wait.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using zorrit::shell::WelcomeWindow;

TEST(WelcomeWindow, ShowsTheWelcomeTexts)
{
    WelcomeWindow window;
    EXPECT_EQ(window.objectName(), QStringLiteral("startup1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Welcome Wizard"));
    EXPECT_FALSE(window.isModal());
    const std::pair<const char *, const char *> texts[] = {
        {"Label1", "It's the first time Zorrit is launched on your computer. This window won't "
                   "appear anymore."},
        {"Label2", "Zorrit will add a mouse trail to your mouse. You can change the mouse trail, "
                   "download new mouse trails via the Internet and even make your own mouse "
                   "trails!"},
        {"Label3", "Zorrit uses very little CPU and will not slow down your computer."},
        {"Label4", "     To configure Zorrit, change the current mouse trail or deactivate it "
                   "temporarily, simply right-click Zorrit's icon, located on the system tray "
                   "(near the clock). The icon will appear once you'll close this window."},
        {"Label5", "We hope you enjoy Zorrit!"},
    };
    int previousY = -1;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const auto &[name, text] : texts) {
        auto *label = window.findChild<QLabel *>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(text)) << name;
        EXPECT_EQ(label->font().family(), QStringLiteral("Tahoma")) << name; // or its fallback
        EXPECT_GT(label->y(), previousY) << name << " comes after the one before";
        previousY = label->y();
    }
    EXPECT_TRUE(window.findChild<QLabel *>(QStringLiteral("Label4"))
                    ->text()
                    .startsWith(QStringLiteral("     To")));
    auto *ok = window.findChild<QPushButton *>(QStringLiteral("Command2"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
    // Four different pictures, all shown.
    QList<QImage> seen;
    for (int k = 1; k <= 4; ++k) {
        auto *image = window.findChild<QLabel *>(QStringLiteral("Image%1").arg(k));
        ASSERT_NE(image, nullptr) << k;
        EXPECT_TRUE(image->isVisible()) << k;
        ASSERT_FALSE(image->pixmap().isNull()) << k;
        EXPECT_FALSE(seen.contains(image->pixmap().toImage())) << k;
        seen.append(image->pixmap().toImage());
    }
    window.setAttribute(Qt::WA_DeleteOnClose, false); // on the stack here
}

TEST(WelcomeWindow, EveryWayOfClosingReportsExactlyOnce)
{
    const std::pair<const char *, std::function<void(WelcomeWindow &)>> ways[] = {
        {"OK button",
         [](WelcomeWindow &w) {
             QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("Command2")),
                               Qt::LeftButton);
         }},
        {"close box", [](WelcomeWindow &w) { w.close(); }},
        {"Escape", [](WelcomeWindow &w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"reject", [](WelcomeWindow &w) { w.reject(); }},
    };
    for (const auto &[how, closeIt] : ways) {
        QPointer<WelcomeWindow> window = new WelcomeWindow;
        int closed = 0;
        QObject::connect(window, &WelcomeWindow::closed, [&closed] { ++closed; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        closeIt(*window);
        EXPECT_EQ(closed, 1) << how;
        if (window)
            window->close(); // a second close reports nothing more
        EXPECT_EQ(closed, 1) << how;
        // It goes away by itself once closed.
        EXPECT_TRUE(testsupport::waitFor([&window] { return window.isNull(); })) << how;
    }
}

TEST(WelcomeWindow, WhatRunsOnClosingMayDeleteTheWindow)
{
    // The trail's start-up runs from "closed" and may process events, deleting the window.
    for (const bool byButton : {true, false}) {
        QPointer<WelcomeWindow> window = new WelcomeWindow;
        int closed = 0;
        QObject::connect(window, &WelcomeWindow::closed, [&closed] {
            ++closed;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        if (byButton)
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        else
            QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_EQ(closed, 1) << byButton;
        EXPECT_TRUE(testsupport::waitFor([&window] { return window.isNull(); })) << byButton;
    }
}
