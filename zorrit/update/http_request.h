// SPDX-License-Identifier: GPL-3.0-or-later
// The HTTP/1.0 request of the update check and the splitting of the address it goes to.
#pragma once

#include <QByteArray>
#include <QString>

namespace zorrit::update {

struct HostAndPath
{
    QString host;
    QString path;
    bool operator==(const HostAndPath &) const = default;
};

// "http://host/zvers.txt" -> "host/zvers.txt": the text two characters after the first "/" at or
// after the fifth character, when the address begins with "http" (any case); otherwise empty.
QString addressFromUrl(const QString &url);

// Splits at the first "/": the host before it, the path from it on; no path or an empty one is "/".
HostAndPath splitAddress(const QString &address);

// GET, Accept, User-Agent and Host (the name only, never a port), CR LF line ends, an empty line,
// nothing else.
QByteArray composeRequest(const QString &host, const QString &path);

} // namespace zorrit::update
