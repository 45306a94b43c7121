// SPDX-License-Identifier: GPL-3.0-or-later
// Request bytes and address splitting.
#include "http_request.h"

namespace zorrit::update {

namespace {
constexpr char kUserAgent[] = "Brenmoor";
}

QString addressFromUrl(const QString &url)
{
    if (!url.startsWith(QStringLiteral("http"), Qt::CaseInsensitive))
        return {};
    const qsizetype slash = url.indexOf(QLatin1Char('/'), 4);
    if (slash < 0)
        return {};
    return url.mid(slash + 2);
}

HostAndPath splitAddress(const QString &address)
{
    const qsizetype slash = address.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {address, QStringLiteral("/")};
    return {address.left(slash), address.mid(slash)};
}

QByteArray composeRequest(const QString &host, const QString &path)
{
    // Characters outside Latin-1 cannot go on the wire as they are; the names we send are ASCII.
    QByteArray request;
    request += "GET " + path.toLatin1() + " HTTP/1.0\r\n";
    request += "Accept: */*\r\n";
    request += QByteArray("User-Agent: ") + kUserAgent + "\r\n";
    request += "Host: " + host.toLatin1() + "\r\n";
    request += "\r\n";
    return request;
}

} // namespace zorrit::update
