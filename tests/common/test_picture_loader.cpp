// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are untrusted: only small regular files that decode are accepted.
#include "common/picture_loader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using common::loadPicture;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    return path;
}

} // namespace

TEST(PictureLoader, LoadsEachFormatByItsContent)
{
    QTemporaryDir dir;
    QImage image(7, 5, QImage::Format_ARGB32);
    image.fill(Qt::red);
    for (const char *format : {"BMP", "GIF", "JPEG", "PNG"}) {
        const QString path = dir.filePath(QStringLiteral("pic.%1").arg(QLatin1String(format)));
        if (!image.save(path, format))
            continue; // no writer for this format here; reading is what we test
        const auto loaded = loadPicture(path);
        ASSERT_TRUE(loaded.has_value()) << format;
        EXPECT_EQ(loaded->size(), QSize(7, 5)) << format;
    }
    // The name does not decide: a PNG called .gif still loads.
    QFile::copy(dir.filePath(QStringLiteral("pic.PNG")), dir.filePath(QStringLiteral("real.gif")));
    EXPECT_TRUE(loadPicture(dir.filePath(QStringLiteral("real.gif"))).has_value());
}

TEST(PictureLoader, RefusesWhatIsNotASmallPictureFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.gif"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QImage small(4, 4, QImage::Format_RGB32);
    small.fill(Qt::blue);
    const QString withBreak = dir.filePath(QStringLiteral("a\nb.png"));
    small.save(withBreak, "PNG");

    const QString cases[] = {
        writeFile(dir, QStringLiteral("text.gif"), "GIF? no, just text\r\n"),
        writeFile(dir, QStringLiteral("empty.bmp"), QByteArray()),
        writeFile(dir, QStringLiteral("huge.bmp"), QByteArray(common::kMaxPictureBytes + 1, 'B')),
        dir.path(),
        fifo,
        QStringLiteral("/dev/zero"),
        dir.filePath(QStringLiteral("missing.png")),
        withBreak,
        QString(),
    };
    for (const QString &path : cases)
        EXPECT_FALSE(loadPicture(path).has_value()) << path.toStdString();
}

TEST(PictureLoader, RefusesAPictureThatWouldAllocateTooMuch)
{
    // A tiny PNG header claiming 30000 x 30000 pixels: decoding would need gigabytes.
    QTemporaryDir dir;
    QImage image(30000, 1, QImage::Format_Mono);
    image.fill(0);
    const QString path = dir.filePath(QStringLiteral("wide.png"));
    ASSERT_TRUE(image.save(path, "PNG"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray data = file.readAll();
    // Patch the IHDR height (bytes 20..23) to 30000; the CRC no longer matches either.
    data[20] = 0;
    data[21] = 0;
    data[22] = char(0x75);
    data[23] = char(0x30);
    file.seek(0);
    file.write(data);
    file.close();
    EXPECT_FALSE(loadPicture(path).has_value());
}
