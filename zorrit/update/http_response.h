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

    // The body of a complete, successful (2xx) response within the cap; nothing otherwise.
    std::optional<QByteArray> acceptedBody() const;

private:
    void finishHeader(qsizetype end);

    QByteArray m_header;
    QByteArray m_body;
    std::optional<int> m_status;
    bool m_headerComplete = false;
    bool m_overflowed = false;
};

// The code of an "HTTP/1.x nnn reason" line, or nothing when the line is not one.
std::optional<int> parseStatusLine(QByteArrayView line);

} // namespace zorrit::update
