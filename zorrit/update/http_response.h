// SPDX-License-Identifier: GPL-3.0-or-later
// Collects an HTTP/1.0 response read in pieces: status line, header block removal, size cap.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace zorrit::update {

class ResponseAccumulator
{
public:
    // A version file is a few bytes; anything bigger than this is not one.
    static constexpr qsizetype kMaxBody = 64 * 1024;
    static constexpr qsizetype kMaxHeader = 64 * 1024;

    // Takes the next piece as it came from the socket; the header block may end in any piece.
    void append(QByteArrayView chunk);

    bool overflowed() const { return m_overflowed; }
    bool headerComplete() const { return m_headerComplete; }
    // The status code of an "HTTP/1.x nnn" status line, once the header block is complete.
    std::optional<int> statusCode() const { return m_status; }
    // What followed the header block so far.
    const QByteArray &body() const { return m_body; }

    // The announced Content-Length, once the header block is complete and announces one.
    std::optional<qsizetype> contentLength() const { return m_contentLength; }
    // The header block announced a Content-Length and that many body bytes have come: the answer
    // is whole even though the server has not closed the connection.
    bool announcedBodyReceived() const
    {
        return m_contentLength && m_body.size() >= *m_contentLength;
    }
    // The header block cannot describe a body this reader can take: a Transfer-Encoding (an
    // HTTP/1.0 request never asks for one), or a Content-Length that is malformed, contradicts
    // itself or exceeds the cap.
    bool unusableHeader() const { return m_unusableHeader; }

    // The body of a complete, successful (2xx) response within the cap; nothing otherwise. When a
    // Content-Length was announced, a shorter body is a cut-off answer and is refused; bytes beyond
    // it are not part of the body.
    std::optional<QByteArray> acceptedBody() const;

private:
    void finishHeader(qsizetype end);
    void readFields(QByteArrayView fields);

    QByteArray m_header;
    QByteArray m_body;
    std::optional<int> m_status;
    std::optional<qsizetype> m_contentLength;
    bool m_unusableHeader = false;
    bool m_headerComplete = false;
    bool m_overflowed = false;
};

// The code of an "HTTP/1.x nnn reason" line, or nothing when the line is not one.
std::optional<int> parseStatusLine(QByteArrayView line);

// The value of a Content-Length field: decimal digits only, surrounding blanks allowed; nothing
// when it is anything else or too large to matter.
std::optional<qsizetype> parseContentLength(QByteArrayView value);

} // namespace zorrit::update
