// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are untrusted: only small regular files that decode are accepted.
#include "common/picture_loader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using common::loadPicture;
using common::PictureProblem;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    return path;
}

// A progressive JPEG of 64 x 64 pixels whose frame header claims width x height.
QByteArray progressiveJpegClaiming(int width, int height)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::green);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setProgressiveScanWrite(true);
    EXPECT_TRUE(writer.write(image));
    QByteArray data = buffer.data();
    // The progressive frame header: FF C2, its length, the sample precision, then the height and
    // the width, big-endian.
    const qsizetype frame = data.indexOf("\xff\xc2");
    EXPECT_GT(frame, 0);
    if (frame > 0) {
        qToBigEndian(quint16(height), data.data() + frame + 5);
        qToBigEndian(quint16(width), data.data() + frame + 7);
    }
    return data;
}

// A line of /proc/self/status in KiB ("VmHWM", "VmSize"), or -1.
long statusKiB(const char *key)
{
    FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    long kib = -1;
    char line[256];
    const size_t keyLength = std::strlen(key);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':')
            kib = std::strtol(line + keyLength + 1, nullptr, 10);
    std::fclose(status);
    return kib;
}

struct PeakLoad
{
    PictureProblem asSprite = PictureProblem::None;  // its top-left corner
    PictureProblem asPreview = PictureProblem::None; // a small copy
    long peakKiB = -1;                               // the peak resident memory loading added
};

// Loads path as Zorrit's sprite and as Vandrel's preview do, in a child process of its own, whose
// peak memory is then that of the loading alone.
std::optional<PeakLoad> loadInChild(const QString &path)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
        // Should the refusal ever break, the child fails to allocate rather than take the machine.
        const rlim_t addressSpace = rlim_t(statusKiB("VmSize")) * 1024 + (rlim_t(1) << 30);
        const rlimit limit{addressSpace, addressSpace};
        ::setrlimit(RLIMIT_AS, &limit);
#endif
        PeakLoad load;
        // The child starts with what it shares of the test (with AddressSanitizer, its shadow
        // memory: over 100 MB); what the loading adds is the peak beyond that.
        const long before = statusKiB("VmRSS");
        loadPicture(path, {QRect(0, 0, 20, 20), {}}, &load.asSprite);
        loadPicture(path, {{}, QSize(40, 40)}, &load.asPreview);
        load.peakKiB = statusKiB("VmHWM") - before;
        const bool sent = ::write(fds[1], &load, sizeof load) == ssize_t(sizeof load);
        ::_exit(sent ? 0 : 1);
    }
    ::close(fds[1]);
    PeakLoad load;
    const bool received = child > 0 && ::read(fds[0], &load, sizeof load) == ssize_t(sizeof load);
    ::close(fds[0]);
    int status = 0;
    if (child > 0)
        ::waitpid(child, &status, 0);
    if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return load;
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

TEST(PictureLoader, APictureClaimingTooManyPixelsIsRefusedBeforeAnyIsDecoded)
{
    // A progressive JPEG of a few hundred bytes whose header claims a vast picture: libjpeg
    // allocates and clears the whole picture's coefficients even for a 20 x 20 corner.
    QTemporaryDir dir;
    for (const int side : {50000, 20000}) {
        SCOPED_TRACE(side);
        const QByteArray bomb = progressiveJpegClaiming(side, side);
        EXPECT_LT(bomb.size(), 1024);
        const std::optional<PeakLoad> load =
            loadInChild(writeFile(dir, QStringLiteral("bomb.jpg"), bomb));
        ASSERT_TRUE(load.has_value());
        EXPECT_EQ(load->asSprite, PictureProblem::TooLarge);
        EXPECT_EQ(load->asPreview, PictureProblem::TooLarge);
        RecordProperty("peakKiB" + std::to_string(side), int(load->peakKiB));
        EXPECT_GE(load->peakKiB, 0);
        EXPECT_LT(load->peakKiB, 100 * 1024);
    }

    // A photo as a camera takes it, progressive too, still shows.
    const QString photoPath = dir.filePath(QStringLiteral("photo.jpg"));
    QImage photo(8000, 4000, QImage::Format_Grayscale8);
    photo.fill(200);
    QImageWriter writer(photoPath, "JPEG");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(photo));
    const auto corner = loadPicture(photoPath, {QRect(0, 0, 20, 20), {}});
    ASSERT_TRUE(corner.has_value());
    EXPECT_EQ(corner->size(), QSize(20, 20));
    const auto preview = loadPicture(photoPath, {{}, QSize(40, 40)});
    ASSERT_TRUE(preview.has_value());
    EXPECT_EQ(preview->size(), QSize(40, 20));
}
