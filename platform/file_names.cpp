// SPDX-License-Identifier: GPL-3.0-or-later
// Lossless file names: UTF-8 with undecodable bytes kept as lone surrogates.
#include "file_names.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The length of the valid UTF-8 sequence at the start of bytes, or 0.
qsizetype validSequence(QByteArrayView bytes)
{
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    qsizetype length = 0;
    char32_t min = 0;
    char32_t code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        min = 0x80;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        min = 0x800;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        min = 0x10000;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if ((at(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (at(i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString decodeFileName(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        const qsizetype length = validSequence(bytes);
        if (length == 0) {
            name += QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes.front())));
            bytes = bytes.sliced(1);
            continue;
        }
        name += QString::fromUtf8(bytes.first(length));
        bytes = bytes.sliced(length);
    }
    return name;
}

QByteArray encodeFileName(QStringView name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        // A lone surrogate of the escaped range; a high surrogate before it would make a pair.
        const bool paired = i > 0 && name[i - 1].isHighSurrogate();
        if (c >= 0xDC80 && c <= 0xDCFF && !paired) {
            bytes += name.sliced(start, i - start).toUtf8();
            bytes += char(c - 0xDC00);
            start = i + 1;
        }
    }
    bytes += name.sliced(start).toUtf8();
    return bytes;
}

int openRegularFile(QStringView name)
{
    if (name.isEmpty()) {
        errno = ENOENT;
        return -1;
    }
    const QByteArray native = encodeFileName(name);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat st = {};
    if (fd < 0) {
        if (errno != ENOENT && ::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            errno = EINVAL;
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

} // namespace platform
