// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: theme files and their pictures in a temporary folder.
#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace testsupport {

// A folder of themes; pictures are PNGs of one colour each.
class ThemeFolder
{
public:
    ThemeFolder() { EXPECT_TRUE(m_dir.isValid()); }

    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // Writes a picture of the given size and colour; returns its file name.
    QString picture(const QString &name, QRgb colour, QSize size = QSize(11, 11)) const
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(file(name), "PNG"));
        return name;
    }

    void writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    // Writes the lines, each ended by the given line end; returns the theme's full path.
    QString theme(const QString &name, const QStringList &lines,
                  const QByteArray &lineEnd = "\r\n") const
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += line.toUtf8() + lineEnd;
        writeBytes(name, bytes);
        return file(name);
    }

    // The eight lines of a theme naming the five pictures p1.png..p5.png.
    static QStringList goodThemeLines()
    {
        return {QStringLiteral("Good Theme"), QStringLiteral("Ann Author"),
                QStringLiteral("p1.png"),     QStringLiteral("p2.png"),
                QStringLiteral("p3.png"),     QStringLiteral("p4.png"),
                QStringLiteral("p5.png"),     QStringLiteral("www.example.org")};
    }

    // The five pictures p1.png..p5.png in five colours, and a theme of the given lines; returns
    // the theme's full path.
    QString themeWithPictures(const QString &name, const QStringList &lines) const
    {
        for (int k = 0; k < 5; ++k)
            picture(QStringLiteral("p%1.png").arg(k + 1), colour(k));
        return theme(name, lines);
    }

    // The five pictures and an eight-line theme naming them.
    QString goodTheme(const QString &name = QStringLiteral("good.thm")) const
    {
        return themeWithPictures(name, goodThemeLines());
    }

    static QRgb colour(int k)
    {
        static constexpr QRgb kColours[] = {qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(200, 200, 0),
                                            qRgb(0, 200, 200), qRgb(90, 90, 90)};
        return kColours[k];
    }

private:
    QTemporaryDir m_dir;
};

} // namespace testsupport
