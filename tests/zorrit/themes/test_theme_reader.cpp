// SPDX-License-Identifier: GPL-3.0-or-later
// Reading theme files: their line counts and texts, their pictures, and what must not hang.
#include "zorrit/themes/theme_reader.h"

#include "platform/file_names.h"
#include "support/theme_fixture.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/trail/sprite_picture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorrit::themes;
using testsupport::ThemeFolder;

TEST(ThemeReader, FolderIsThePathUpToItsLastSlash)
{
    EXPECT_EQ(themeFolder(QStringLiteral("/a/b/t.thm")), QStringLiteral("/a/b"));
    EXPECT_EQ(themeFolder(QStringLiteral("/t.thm")), QString());
    EXPECT_EQ(themeFolder(QStringLiteral("t.thm")), std::nullopt);
    EXPECT_EQ(themeFolder(QString()), std::nullopt);
}

TEST(ThemeReader, LineCountsDecideWhatIsRead)
{
    ThemeFolder folder;
    const QStringList eight = {QStringLiteral("Name"),       QStringLiteral("Author"),
                               QStringLiteral("a.png"),      QStringLiteral("b.png"),
                               QStringLiteral("c.png"),      QStringLiteral("d.png"),
                               QStringLiteral("No picture"), QStringLiteral("site.example")};
    struct Row
    {
        int lines;
        bool readable;
        const char *site;
    };
    const Row rows[] = {{0, false, ""},
                        {6, false, ""},
                        {7, true, ""},
                        {8, true, "site.example"},
                        {12, true, "site.example"}};
    for (const Row &row : rows) {
        QStringList lines = eight.mid(0, std::min<int>(row.lines, 8));
        while (lines.size() < row.lines)
            lines << QStringLiteral("extra");
        const QString path = folder.theme(QStringLiteral("t%1.thm").arg(row.lines), lines);
        const auto theme = readThemeFile(path);
        ASSERT_EQ(theme.has_value(), row.readable) << row.lines;
        if (!theme)
            continue;
        EXPECT_EQ(theme->lineCount, row.lines);
        EXPECT_EQ(theme->texts.name, QStringLiteral("Name"));
        EXPECT_EQ(theme->texts.author, QStringLiteral("Author"));
        EXPECT_EQ(theme->texts.site, QLatin1String(row.site));
        EXPECT_EQ(theme->pictureLines[0], QStringLiteral("a.png"));
        EXPECT_EQ(theme->pictureLines[4], QStringLiteral("No picture"));
        EXPECT_TRUE(readThemePictureLines(path).has_value());
    }
    EXPECT_FALSE(readThemePictureLines(folder.file(QStringLiteral("t6.thm"))).has_value());
}

TEST(ThemeReader, LoneCrEndsALineButLoneLfDoesNot)
{
    ThemeFolder folder;
    const QStringList lines = {QStringLiteral("N"), QStringLiteral("A"), QStringLiteral("1"),
                               QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                               QStringLiteral("5"), QStringLiteral("S")};
    EXPECT_FALSE(readThemeFile(folder.theme(QStringLiteral("lf.thm"), lines, "\n")).has_value());
    EXPECT_FALSE(readThemePictureLines(folder.file(QStringLiteral("lf.thm"))).has_value());
    const auto cr = readThemeFile(folder.theme(QStringLiteral("cr.thm"), lines, "\r"));
    ASSERT_TRUE(cr.has_value());
    EXPECT_EQ(cr->texts.site, QStringLiteral("S"));
    // The last line may lack its ending.
    folder.writeBytes(QStringLiteral("open.thm"), "N\r\nA\r\n1\r\n2\r\n3\r\n4\r\n5");
    const auto open = readThemeFile(folder.file(QStringLiteral("open.thm")));
    ASSERT_TRUE(open.has_value());
    EXPECT_EQ(open->lineCount, 7);
    EXPECT_EQ(open->pictureLines[4], QStringLiteral("5"));
}

TEST(ThemeReader, Windows1252NamesAreKept)
{
    ThemeFolder folder;
    folder.writeBytes(QStringLiteral("old.thm"),
                      "Caf\xe9 \x80uro\r\nJos\xe9\r\n1\r\n2\r\n3\r\n4\r\n5\r\n\x93site\x94\r\n");
    const auto theme = readThemeFile(folder.file(QStringLiteral("old.thm")));
    ASSERT_TRUE(theme.has_value());
    EXPECT_EQ(theme->texts.name, QStringLiteral("Café €uro"));
    EXPECT_EQ(theme->texts.author, QStringLiteral("José"));
    EXPECT_EQ(theme->texts.site, QStringLiteral("“site”"));
}

TEST(ThemeReader, MoreThan32767LinesIsBroken)
{
    ThemeFolder folder;
    QByteArray bytes = "N\r\nA\r\n1\r\n2\r\n3\r\n4\r\n5\r\nS\r\n";
    QByteArray atLimit = bytes;
    for (int i = 8; i < 32767; ++i)
        atLimit += "\r\n";
    folder.writeBytes(QStringLiteral("limit.thm"), atLimit);
    const auto limit = readThemeFile(folder.file(QStringLiteral("limit.thm")));
    ASSERT_TRUE(limit.has_value());
    EXPECT_EQ(limit->lineCount, 32767);
    folder.writeBytes(QStringLiteral("over.thm"), atLimit + "\r\n");
    EXPECT_FALSE(readThemeFile(folder.file(QStringLiteral("over.thm"))).has_value());
}

TEST(ThemeReader, PicturesComeFromTheThemesFolder)
{
    ThemeFolder folder;
    const QString path = folder.goodTheme();
    const auto pictures = loadThemePictures(path);
    ASSERT_TRUE(pictures.has_value());
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ((*pictures)[k].pixel(5, 5), ThemeFolder::colour(k)) << k;

    // "No picture" is the blank picture; the comparison is exact.
    const QString blank =
        folder.theme(QStringLiteral("blank.thm"),
                     {QStringLiteral("N"), QStringLiteral("A"), QStringLiteral("No picture"),
                      QStringLiteral("p2.png"), QStringLiteral("p3.png"), QStringLiteral("p4.png"),
                      QStringLiteral("p5.png")});
    const auto withBlank = loadThemePictures(blank);
    ASSERT_TRUE(withBlank.has_value());
    EXPECT_EQ((*withBlank)[0].size(), QSize(1, 1));
    EXPECT_EQ(qAlpha((*withBlank)[0].pixel(0, 0)), 0);
}

TEST(ThemeReader, FileNamesThatAreNotUtf8AreFound)
{
    // File names are bytes: a theme and a picture whose names hold 0xE9 (Latin-1 e acute), the
    // theme reached as the command line gives it, and its path kept through the settings file.
    ThemeFolder folder;
    for (int k = 0; k < 5; ++k)
        folder.picture(QStringLiteral("p%1.png").arg(k + 1), ThemeFolder::colour(k));
    const QByteArray dir = QFile::encodeName(folder.path());
    const QByteArray picture = dir + "/caf\xe9.png";
    const QByteArray themeBytes = dir + "/th\xe8me.thm";
    // QTemporaryDir cannot remove names that are not UTF-8 (and so cannot remove its folder):
    // they go by their bytes, before the folder does.
    struct RemoveByBytes
    {
        QByteArrayList paths;
        ~RemoveByBytes()
        {
            for (const QByteArray &path : paths)
                ::unlink(path.constData());
        }
    } removeByBytes{{picture, themeBytes}};
    QImage red(11, 11, QImage::Format_ARGB32);
    red.fill(qRgb(200, 0, 0));
    {
        QFile out;
        const int fd = ::open(picture.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        ASSERT_TRUE(red.save(&out, "PNG"));
    }
    {
        const int fd = ::open(themeBytes.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const QByteArray content = "Caf\xe9\r\nAnn\r\ncaf\xe9.png\r\np2.png\r\np3.png\r\np4.png\r\n"
                                   "p5.png\r\nsite\r\n";
        ASSERT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
        ::close(fd);
    }
    const QString theme = platform::decodeFileName(themeBytes);
    EXPECT_EQ(platform::encodeFileName(theme), themeBytes);

    const zorrit::settings::SettingsStore store(folder.file(QStringLiteral("settings")));
    store.write(zorrit::settings::kTheme, theme);
    const QString stored = store.read(zorrit::settings::kTheme);
    EXPECT_EQ(stored, theme);

    ASSERT_TRUE(readThemeFile(stored).has_value());
    const auto pictures = loadThemePictures(stored);
    ASSERT_TRUE(pictures.has_value());
    EXPECT_EQ((*pictures)[0].pixel(5, 5), qRgb(200, 0, 0));
    EXPECT_EQ((*pictures)[1].pixel(5, 5), ThemeFolder::colour(1));

    // Any bytes come back as they were.
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    for (const QByteArray &bytes :
         {all, QByteArray("\xf0\x9f\x98\x80\xed\xb2\x80\xc3"), QByteArray("a\xe9\xe9/\x80\xffz")})
        EXPECT_EQ(platform::encodeFileName(platform::decodeFileName(bytes)), bytes);
}

TEST(ThemeReader, PictureLinesThatDoNotNameAPictureInTheFolderFail)
{
    ThemeFolder folder;
    folder.goodTheme();
    const QString absolute = folder.file(QStringLiteral("p1.png")); // exists, but is absolute
    for (const QString &first :
         {QStringLiteral("no picture"), QStringLiteral("No Picture"), absolute,
          QStringLiteral("missing.png"), QString(), QStringLiteral("good.thm")}) {
        const QString path =
            folder.theme(QStringLiteral("bad.thm"),
                         {QStringLiteral("N"), QStringLiteral("A"), first, QStringLiteral("p2.png"),
                          QStringLiteral("p3.png"), QStringLiteral("p4.png"),
                          QStringLiteral("p5.png"), QStringLiteral("S")});
        EXPECT_FALSE(loadThemePictures(path).has_value()) << first.toStdString();
        EXPECT_TRUE(readThemeFile(path).has_value()); // the file itself reads well
    }
    EXPECT_FALSE(loadThemePictures(QStringLiteral("good.thm")).has_value()); // no folder
    EXPECT_FALSE(loadThemePicture(folder.path(), QStringLiteral("missing.png")).has_value());
}

TEST(ThemeReader, SpecialFilesAreRefusedWithoutWaiting)
{
    ThemeFolder folder;
    const QString fifo = folder.file(QStringLiteral("fifo.thm"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QDir(folder.path()).mkdir(QStringLiteral("dir.thm"));
    for (const QString &path :
         {fifo, folder.file(QStringLiteral("dir.thm")), QStringLiteral("/dev/zero"),
          QStringLiteral("/dev/null"), folder.file(QStringLiteral("missing.thm"))}) {
        EXPECT_FALSE(readThemeFile(path).has_value()) << path.toStdString();
        EXPECT_FALSE(readThemePictureLines(path).has_value()) << path.toStdString();
        EXPECT_FALSE(loadThemePictures(path).has_value()) << path.toStdString();
    }
    // A FIFO named as a picture is refused too.
    const QString viaFifo = folder.theme(
        QStringLiteral("f.thm"),
        {QStringLiteral("N"), QStringLiteral("A"), QStringLiteral("fifo.thm"), QStringLiteral("x"),
         QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")});
    EXPECT_FALSE(loadThemePictures(viaFifo).has_value());
}

TEST(ThemeReader, OverlongLineIsBroken)
{
    ThemeFolder folder;
    folder.writeBytes(QStringLiteral("long.thm"),
                      QByteArray(64 * 1024, 'x') + "\r\nA\r\n1\r\n2\r\n3\r\n4\r\n5\r\nS\r\n");
    EXPECT_FALSE(readThemeFile(folder.file(QStringLiteral("long.thm"))).has_value());
    EXPECT_FALSE(readThemePictureLines(folder.file(QStringLiteral("long.thm"))).has_value());
}
