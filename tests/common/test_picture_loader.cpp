// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are untrusted: only small regular files that decode are accepted.
#include "common/picture_loader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TEST(PictureLoader, BigValidPicturesLoadWhatIsShownAndNeverReadAsDamaged)
{
    // A photo-sized JPEG of noise (several MB, decoding to over 16 MiB) and a PNG of the same
    // size: the sprite decodes its top-left corner, the preview a small copy, and a full decode
    // still works.
    QTemporaryDir dir;
    QImage photo(3000, 2000, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = (seed = seed * 1664525u + 1013904223u) | 0xff000000u;
    }
    photo.setPixel(0, 0, qRgb(255, 255, 255));
    for (const char *format : {"JPEG", "PNG"}) {
        SCOPED_TRACE(format);
        const QString path = dir.filePath(QStringLiteral("photo.") + QLatin1String(format));
        ASSERT_TRUE(photo.save(path, format, 100));
        EXPECT_GT(QFileInfo(path).size(), 1024 * 1024);
        const auto corner = loadPicture(path, {QRect(0, 0, 20, 20), {}});
        ASSERT_TRUE(corner.has_value());
        EXPECT_EQ(corner->size(), QSize(20, 20));
        EXPECT_GT(qGray(corner->pixel(0, 0)), 200); // it is the top-left corner
        const auto preview = loadPicture(path, {{}, QSize(40, 40)});
        ASSERT_TRUE(preview.has_value());
        EXPECT_EQ(preview->size().width(), 40);
        EXPECT_LE(preview->size().height(), 27);
        const auto whole = loadPicture(path);
        ASSERT_TRUE(whole.has_value());
        EXPECT_EQ(whole->size(), photo.size());
    }

    // A valid picture whose full decode exceeds the limit is too large, not damaged.
    common::PictureProblem problem = common::PictureProblem::None;
    QImage vast(12000, 12000, QImage::Format_Mono);
    vast.fill(0);
    const QString vastPath = dir.filePath(QStringLiteral("vast.png"));
    ASSERT_TRUE(vast.save(vastPath, "PNG"));
    EXPECT_FALSE(loadPicture(vastPath, {}, &problem).has_value());
    EXPECT_EQ(problem, common::PictureProblem::TooLarge);

    // Beyond the file-size ceiling a file is too large, not damaged, whatever it holds.
    const QString huge = dir.filePath(QStringLiteral("huge.jpg"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(common::kMaxPictureBytes + 1)); // sparse: costs no disk
    }
    problem = common::PictureProblem::None;
    EXPECT_FALSE(loadPicture(huge, {}, &problem).has_value());
    EXPECT_EQ(problem, common::PictureProblem::TooLarge);
    problem = common::PictureProblem::None;
    EXPECT_FALSE(loadPicture(dir.filePath(QStringLiteral("missing.jpg")), {}, &problem));
    EXPECT_EQ(problem, common::PictureProblem::Unreadable);
}
