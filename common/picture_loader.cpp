// SPDX-License-Identifier: GPL-3.0-or-later
// Bounded, non-blocking picture loading.
#include "picture_loader.h"

#include "platform/file_names.h"

#include <QFile>
#include <QImageReader>

#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

// A regular file of a sensible size, opened without waiting on a FIFO: the descriptor, or -1.
int openPictureFile(const QString &path, PictureProblem &problem)
{
    const int fd = platform::openRegularFile(path);
    if (fd < 0)
        return -1;
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || st.st_size == 0) {
        ::close(fd);
        return -1;
    }
    if (st.st_size > kMaxPictureBytes) {
        problem = PictureProblem::TooLarge;
        ::close(fd);
        return -1;
    }
    return fd;
}

// The bytes a full decode of this size needs at 32 bits per pixel.
qint64 decodedBytes(QSize size)
{
    return qint64(size.width()) * size.height() * 4;
}

std::optional<QImage> decode(QIODevice &device, const PictureView &view, PictureProblem &problem)
{
    QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    // The limit holds for the whole picture even when only a part or a smaller copy is shown:
    // some decoders allocate the whole picture anyway (libjpeg for a progressive JPEG, whose
    // header alone can claim 50000 x 50000 pixels). Too large is not the same as damaged.
    if (decodedBytes(size) > qint64(kPictureAllocationLimitMiB) * 1024 * 1024) {
        problem = PictureProblem::TooLarge;
        return std::nullopt;
    }
    const QRect whole(QPoint(0, 0), size);
    if (!view.clip.isEmpty()) {
        const QRect clip = view.clip & whole;
        if (clip.isEmpty())
            return std::nullopt;
        if (clip != whole)
            reader.setClipRect(clip);
    } else if (view.fitWithin.isValid()
               && (size.width() > view.fitWithin.width()
                   || size.height() > view.fitWithin.height())) {
        reader.setScaledSize(size.scaled(view.fitWithin, Qt::KeepAspectRatio).expandedTo({1, 1}));
    }
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace

std::optional<QImage> loadPicture(const QString &path, const PictureView &view,
                                  PictureProblem *problem)
{
    PictureProblem local = PictureProblem::Unreadable;
    PictureProblem &why = problem ? *problem : local;
    why = PictureProblem::Unreadable;
    if (path.isEmpty() || path.contains(QLatin1Char('\r')) || path.contains(QLatin1Char('\n')))
        return std::nullopt;
    const int fd = openPictureFile(path, why);
    if (fd < 0)
        return std::nullopt;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    std::optional<QImage> image = decode(file, view, why);
    if (image)
        why = PictureProblem::None;
    return image;
}

} // namespace common
