// SPDX-License-Identifier: GPL-3.0-or-later
// The open/save dialog class, answered by the fake chooser.
#include "common/common_dialog.h"

#include "platform/fake/fake_file_chooser.h"

#include <gtest/gtest.h>

using common::CommonDialog;
using platform::FakeFileChooser;

namespace {

const QChar nul(u'\0');

} // namespace

TEST(CommonDialog, FilterConversionTable)
{
    const struct
    {
        QString filter;
        QString converted;
    } cases[] = {
        {QStringLiteral("Bitmap (*.bmp)|*.bmp|"),
         QStringLiteral("Bitmap (*.bmp)") + nul + QStringLiteral("*.bmp") + nul + nul},
        {QStringLiteral("Zorrit Theme (*.thm)|*.thm"),
         QStringLiteral("Zorrit Theme (*.thm)") + nul + QStringLiteral("*.thm") + nul},
        {QString(), QString(nul)},
        {QStringLiteral("|"), QString(nul) + nul},
    };
    for (const auto &c : cases)
        EXPECT_EQ(common::convertFilter(c.filter), c.converted) << c.filter.toStdString();
}

TEST(CommonDialog, FilterPairsReachTheChooserWithIndexFolderTitleExtAndFlags)
{
    FakeFileChooser chooser;
    chooser.cancelNext();
    QWidget owner;
    CommonDialog d(chooser);
    d.setCancelError(true);
    d.setHwnd(&owner);
    d.setFilter(QStringLiteral("Bitmap (*.bmp)|*.bmp|GIF picture (*.gif)|*.gif|JPEG picture "
                               "(*.jpg)|*.jpg|All files (*.*)|*.*|"));
    d.setFilterIndex(2);
    d.setFlags(8);
    d.setInitDir(QStringLiteral("/pics"));
    d.setDialogTitle(QStringLiteral("Pick"));
    d.setDefaultExt(QStringLiteral("gif"));
    d.setFileName(QStringLiteral("/pics/preset.gif"));
    EXPECT_FALSE(d.ShowOpen());

    ASSERT_EQ(chooser.requests.size(), 1u);
    const platform::FileChooserRequest &r = chooser.requests[0];
    EXPECT_EQ(r.mode, platform::ChooserMode::Open);
    EXPECT_EQ(r.owner.data(), &owner);
    const std::vector<platform::FileFilter> expected{
        {QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("*.bmp")},
        {QStringLiteral("GIF picture (*.gif)"), QStringLiteral("*.gif")},
        {QStringLiteral("JPEG picture (*.jpg)"), QStringLiteral("*.jpg")},
        {QStringLiteral("All files (*.*)"), QStringLiteral("*.*")},
    };
    EXPECT_EQ(r.filters, expected);
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_EQ(r.flags, 8u);
    EXPECT_EQ(r.initialDir, QStringLiteral("/pics"));
    EXPECT_EQ(r.title, QStringLiteral("Pick"));
    EXPECT_EQ(r.defaultExt, QStringLiteral("gif"));
}

TEST(CommonDialog, BufferSizeRule)
{
    const struct
    {
        qint32 maxFileSize;
        int usable;
    } cases[] = {{0, 256}, {-5, 256}, {1000, 1000}, {10, 10}};
    for (const auto &c : cases) {
        FakeFileChooser chooser;
        chooser.cancelNext();
        CommonDialog d(chooser);
        d.setCancelError(true);
        d.setMaxFileSize(c.maxFileSize);
        d.ShowSave();
        ASSERT_EQ(chooser.requests.size(), 1u);
        EXPECT_EQ(chooser.requests[0].maxPathLength, c.usable) << c.maxFileSize;
        EXPECT_EQ(chooser.requests[0].mode, platform::ChooserMode::Save);
    }

    // A name longer than the buffer is refused like a failed call.
    FakeFileChooser chooser;
    chooser.chooseNext(QStringLiteral("/a/") + QString(300, QLatin1Char('x')));
    CommonDialog d(chooser);
    d.setCancelError(true);
    d.ShowOpen();
    EXPECT_EQ(d.APIReturn(), 0);
    EXPECT_TRUE(d.FileName().isEmpty());
}

TEST(CommonDialog, ChosenFileGivesFileNameAndFileTitle)
{
    FakeFileChooser chooser;
    chooser.chooseNext(QStringLiteral("/home/lor/Pics/a.bmp"));
    CommonDialog d(chooser);
    d.setCancelError(true);
    d.setFilterIndex(2);
    EXPECT_FALSE(d.ShowOpen());
    EXPECT_EQ(d.FileName(), QStringLiteral("/home/lor/Pics/a.bmp"));
    EXPECT_EQ(d.FileTitle(), QStringLiteral("a.bmp"));
    EXPECT_EQ(d.APIReturn(), 1);
    EXPECT_EQ(d.ExtendedError(), 0);
    EXPECT_EQ(d.FilterIndex(), 2); // not taken back from the chooser
}

TEST(CommonDialog, CancelAndFailureKeepTheFieldsAndRaiseOnlyWithCancelErrorFalse)
{
    const struct
    {
        bool cancelError;
        bool fail;
        QString preset;
    } cases[] = {
        {true, false, QString()},
        {false, false, QString()},
        {true, true, QString()},
        {false, true, QString()},
        {true, false, QStringLiteral("/kept/name.thm")},
        {false, false, QStringLiteral("/kept/name.thm")},
    };
    for (const auto &c : cases) {
        FakeFileChooser chooser;
        if (c.fail)
            chooser.failNext();
        else
            chooser.cancelNext();
        CommonDialog d(chooser);
        d.setCancelError(c.cancelError);
        d.setFileName(c.preset);
        const std::optional<common::CommonDialogError> error = d.ShowOpen();
        SCOPED_TRACE(testing::Message() << c.cancelError << c.fail << c.preset.toStdString());
        EXPECT_EQ(d.FileName(), c.preset);
        EXPECT_TRUE(d.FileTitle().isEmpty());
        EXPECT_EQ(d.APIReturn(), 0);
        EXPECT_EQ(d.ExtendedError(), 0);
        if (c.cancelError) {
            EXPECT_FALSE(error);
        } else {
            ASSERT_TRUE(error);
            EXPECT_EQ(error->number, -2147219503);
            EXPECT_EQ(error->description, QStringLiteral("Cancel Pressed"));
        }
    }
}

TEST(CommonDialog, MultipleSelection)
{
    FakeFileChooser chooser;
    chooser.chooseNext(QStringList{QStringLiteral("/p/a.gif"), QStringLiteral("/p/b.gif")});
    chooser.chooseNext(QStringLiteral("/p/only.gif"));
    chooser.chooseNext(QStringList{QStringLiteral("/p/a.gif"), QStringLiteral("/p/b.gif")});
    CommonDialog d(chooser);
    d.setCancelError(true);
    d.setFlags(0x200 | 8);
    d.setMaxFileSize(40);

    d.ShowOpen();
    const QString expected =
        QStringLiteral("/p") + nul + QStringLiteral("a.gif") + nul + QStringLiteral("b.gif") + nul;
    EXPECT_EQ(d.FileName(), expected.leftJustified(41, nul)); // the whole buffer
    EXPECT_TRUE(d.FileTitle().isEmpty());
    EXPECT_EQ(common::multiSelectionPaths(d.FileName()),
              (QStringList{QStringLiteral("/p/a.gif"), QStringLiteral("/p/b.gif")}));

    // One file chosen in a multiple-selection dialog is a plain path.
    d.ShowOpen();
    EXPECT_EQ(d.FileName(), QStringLiteral("/p/only.gif"));
    EXPECT_EQ(d.FileTitle(), QStringLiteral("only.gif"));
    EXPECT_EQ(common::multiSelectionPaths(d.FileName()),
              QStringList{QStringLiteral("/p/only.gif")});

    // Without the bit only the first name is taken.
    d.setFlags(8);
    d.ShowOpen();
    EXPECT_EQ(d.FileName(), QStringLiteral("/p/a.gif"));
}
