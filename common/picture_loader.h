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
// What a full decode of a picture may allocate, at 32 bits per pixel (a photo of 8000 x 4000
// fits). A picture beyond it is too large even when only a part or a smaller copy of it is shown,
// because some decoders allocate the whole picture anyway.
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
