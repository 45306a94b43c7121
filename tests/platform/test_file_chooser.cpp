// SPDX-License-Identifier: GPL-3.0-or-later
// chooseFile(): what a caller of the open and save choosers gets back, answered by the fake.
#include "platform/file_chooser.h"

#include "platform/fake/fake_file_chooser.h"

#include <gtest/gtest.h>

#include <functional>

using platform::FakeFileChooser;

TEST(ChooseFile, GivesOnePathOrNothing)
{
    const QString longName = QStringLiteral("/a/") + QString(300, QLatin1Char('x'));
    const struct
    {
        const char *what;
        std::function<void(FakeFileChooser &)> answer;
        std::optional<QString> chosen;
    } cases[] = {
        {"chosen", [](FakeFileChooser &f) { f.chooseNext(QStringLiteral("/p/a.thm")); },
         QStringLiteral("/p/a.thm")},
        {"cancelled", [](FakeFileChooser &f) { f.cancelNext(); }, std::nullopt},
        {"failed", [](FakeFileChooser &f) { f.failNext(); }, std::nullopt},
        {"several",
         [](FakeFileChooser &f) {
             f.chooseNext(QStringList{QStringLiteral("/p/a.gif"), QStringLiteral("/p/b.gif")});
         },
         QStringLiteral("/p/a.gif")},
        // Longer than the request allows (256 by default): refused, as Qt's dialog refuses it.
        {"too long", [&](FakeFileChooser &f) { f.chooseNext(longName); }, std::nullopt},
        {"no path", [](FakeFileChooser &f) { f.chooseNext(QStringList{}); }, std::nullopt},
    };
    for (const auto &c : cases) {
        FakeFileChooser chooser;
        c.answer(chooser);
        EXPECT_EQ(platform::chooseFile(chooser, {}), c.chosen) << c.what;
    }
}

TEST(ChooseFile, HandsTheRequestOnAsItIs)
{
    FakeFileChooser chooser;
    chooser.cancelNext();
    QWidget owner;
    platform::FileChooserRequest request;
    request.mode = platform::ChooserMode::Save;
    request.owner = &owner;
    request.filters = {{QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("*.bmp")},
                       {QStringLiteral("All files (*.*)"), QStringLiteral("*.*")}};
    request.filterIndex = 2;
    request.initialDir = QStringLiteral("/pics");
    request.title = QStringLiteral("Pick");
    request.defaultExt = QStringLiteral("gif");
    request.flags = platform::chooser_flags::kNoChangeDir;
    request.maxPathLength = 40;
    platform::chooseFile(chooser, request);

    ASSERT_EQ(chooser.requests.size(), 1u);
    const platform::FileChooserRequest &r = chooser.requests[0];
    EXPECT_EQ(r.mode, request.mode);
    EXPECT_EQ(r.owner.data(), &owner);
    EXPECT_EQ(r.filters, request.filters);
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_EQ(r.initialDir, request.initialDir);
    EXPECT_EQ(r.title, request.title);
    EXPECT_EQ(r.defaultExt, request.defaultExt);
    EXPECT_EQ(r.flags, request.flags);
    EXPECT_EQ(r.maxPathLength, 40);
}
