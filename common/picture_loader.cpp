// SPDX-License-Identifier: GPL-3.0-or-later
// Bounded, non-blocking picture loading.
#include "picture_loader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

std::optional<QByteArray> readSmallRegularFile(const QString &path)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxPictureBytes) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data;
    data.resize(qsizetype(kMaxPictureBytes) + 1);
    qsizetype total = 0;
    while (total < data.size()) {
        const ssize_t n = ::read(fd, data.data() + total, size_t(data.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        total += n;
    }
    ::close(fd);
    if (total > kMaxPictureBytes) // grew while we read it
        return std::nullopt;
    data.resize(total);
    return data;
}

} // namespace

std::optional<QImage> loadPicture(const QString &path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('\r')) || path.contains(QLatin1Char('\n')))
        return std::nullopt;
    std::optional<QByteArray> data = readSmallRegularFile(path);
    if (!data || data->isEmpty())
        return std::nullopt;
    QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
    QBuffer buffer(&*data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace common
