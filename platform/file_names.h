// SPDX-License-Identifier: GPL-3.0-or-later
// File names as the system gives them: bytes, which need not be UTF-8.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

// UTF-8 where the bytes are UTF-8; every other byte b (0x80 to 0xFF) becomes the lone surrogate
// U+DC00 + b, which no valid text holds, so encodeFileName gives back exactly these bytes. Qt's
// own QFile::decodeName turns such bytes into U+FFFD and the file can no longer be opened.
QString decodeFileName(QByteArrayView bytes);
// The reverse: UTF-8, with the surrogates U+DC80 to U+DCFF turned back into their bytes.
QByteArray encodeFileName(QStringView name);

// Opens a regular file (also behind a link) for reading by such a name, never waiting on a FIFO.
// -1 on failure, errno ENOENT when it is missing and EINVAL when it is no regular file (a folder,
// a FIFO, a device, even one that cannot be opened).
int openRegularFile(QStringView name);

} // namespace platform
