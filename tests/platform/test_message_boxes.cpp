// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes that show a user's text draw it as it is, never as markup.
#include "platform/dialogs.h"
#include "platform/file_chooser.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Seen
{
    bool shown = false;
    Qt::TextFormat format = Qt::AutoText;
    QString text;
};

// Runs show(), which opens a modal box, and answers the box as soon as it is up.
Seen inspectModalBox(const std::function<void()> &show)
{
    Seen seen;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {true, box->textFormat(), box->text()};
        box->done(QMessageBox::No);
    });
    timer.start();
    show();
    return seen;
}

} // namespace

TEST(MessageBoxes, UserTextIsPlainText)
{
    const QString name = QStringLiteral("<b>x.thm");
    struct Case
    {
        const char *what;
        std::function<void()> show;
    };
    platform::QtFileChooser chooser;
    platform::QtDialogs dialogs;
    const Case cases[] = {
        {"replace question",
         [&] { chooser.confirmReplace(nullptr, QStringLiteral("/tmp/") + name); }},
        {"message",
         [&] {
             dialogs.message(nullptr, platform::MessageIcon::Warning, QStringLiteral("t"),
                             name + QStringLiteral(" is missing.\nSecond line"));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Seen seen = inspectModalBox(c.show);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_TRUE(seen.text.startsWith(name));
        EXPECT_TRUE(seen.text.contains(QLatin1Char('\n')));
    }
}
