// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a picture named by a theme or chosen by the user: untrusted input, handled safely.
#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace common {

inline constexpr qint64 kMaxPictureBytes = 1024 * 1024;
inline constexpr int kPictureAllocationLimitMiB = 16;

// The picture at path, decoded by its content (BMP, GIF, JPEG, PNG), or nothing when the path is
// not a regular file (directory, FIFO, device), is larger than kMaxPictureBytes, contains a line
// break, or does not decode within the allocation limit. Never blocks on special files.
std::optional<QImage> loadPicture(const QString &path);

} // namespace common
