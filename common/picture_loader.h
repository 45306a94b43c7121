// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a picture named by a theme or chosen by the user: untrusted input, handled safely.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace common {

// A picture file larger than this is refused as too large; any smaller one that decodes is taken.
inline constexpr qint64 kMaxPictureBytes = 64 * 1024 * 1024;
// What one full decode may allocate. Formats that can decode only a part, or a smaller copy, of a
// picture (JPEG) stay far below it; the others decode the whole picture first.
inline constexpr int kPictureAllocationLimitMiB = 128;

// What is shown of a picture, so only that much is decoded.
struct PictureView
{
    QRect clip;      // only this part, cut to the picture (empty: the whole picture)
    QSize fitWithin; // scaled down, keeping its proportions, to fit (empty: not scaled)
};

enum class PictureProblem {
    None,
    Unreadable, // missing, not a regular file, or not a picture the decoder can read
    TooLarge,   // a file or a decoded picture beyond the limits above
};

// The picture at path, decoded by its content (BMP, GIF, JPEG, PNG), or nothing when the path is
// not a regular file (directory, FIFO, device), contains a line break, is too large, or does not
// decode; problem (when given) says which. Never blocks on special files.
std::optional<QImage> loadPicture(const QString &path, const PictureView &view = {},
                                  PictureProblem *problem = nullptr);

} // namespace common
