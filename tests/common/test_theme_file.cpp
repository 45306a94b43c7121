// SPDX-License-Identifier: GPL-3.0-or-later
// How theme lines end and how their text is decoded and written.
#include "common/theme_file.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace common;

namespace {

std::vector<QByteArray> allLines(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ThemeLineReader reader(&buffer);
    std::vector<QByteArray> lines;
    while (auto line = reader.next())
        lines.push_back(*line);
    return lines;
}

} // namespace

TEST(ThemeLineReader, SplitsAtCrLfAndLoneCrButNotAtLoneLf)
{
    struct Case
    {
        QByteArray input;
        std::vector<QByteArray> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\nc\n", {"a\nb\nc\n"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"last line without end", {"last line without end"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(allLines(c.input), c.lines) << c.input.toStdString();
}

TEST(ThemeLineReader, RefusesAnOverlongLine)
{
    QByteArray bytes(kThemeMaxLineBytes + 1, 'x');
    bytes += "\r\nnext\r\n";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ThemeLineReader reader(&buffer);
    EXPECT_FALSE(reader.next().has_value());
    EXPECT_TRUE(reader.failed());
    EXPECT_FALSE(reader.next().has_value()); // stays failed, never resynchronises
}

TEST(ThemeText, DecodesUtf8AndFallsBackToWindows1252)
{
    EXPECT_EQ(decodeThemeText("Caf\xc3\xa9"), QStringLiteral("Café"));
    EXPECT_EQ(decodeThemeText("Caf\xe9 \x80 \x96"), QStringLiteral("Café € –"));
    EXPECT_EQ(decodeThemeText("plain"), QStringLiteral("plain"));
}

TEST(ThemeText, EncodesEightCrLfLinesWithoutInnerBreaks)
{
    ThemeContent content;
    content.name = QStringLiteral("Na\r\nme");
    content.author = QString();
    content.pictures = {QStringLiteral("a.gif"), noPictureText(), QStringLiteral("é.png"),
                        QStringLiteral("d.bmp"), QStringLiteral("e.jpg")};
    content.site = QStringLiteral("http://x/\n");
    const QByteArray bytes = encodeTheme(content);
    EXPECT_EQ(bytes, QByteArray("Name\r\n\r\na.gif\r\nNo picture\r\n\xc3\xa9.png\r\nd.bmp\r\n"
                                "e.jpg\r\nhttp://x/\r\n"));
    EXPECT_EQ(allLines(bytes).size(), 8u);
}
