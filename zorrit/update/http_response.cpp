// SPDX-License-Identifier: GPL-3.0-or-later
// Response accumulation: the header block is cut wherever its end falls, the body is capped.
#include "http_response.h"

namespace zorrit::update {

namespace {
constexpr QByteArrayView kHeaderEnd("\r\n\r\n");

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<int> parseStatusLine(QByteArrayView line)
{
    constexpr QByteArrayView prefix("HTTP/1.");
    if (!line.startsWith(prefix))
        return std::nullopt;
    qsizetype i = prefix.size();
    const qsizetype minorStart = i;
    while (i < line.size() && isDigit(line[i]))
        ++i;
    if (i == minorStart || i >= line.size() || line[i] != ' ')
        return std::nullopt;
    while (i < line.size() && line[i] == ' ')
        ++i;
    if (i + 3 > line.size() || !isDigit(line[i]) || !isDigit(line[i + 1]) || !isDigit(line[i + 2]))
        return std::nullopt;
    if (i + 3 < line.size() && line[i + 3] != ' ')
        return std::nullopt;
    return (line[i] - '0') * 100 + (line[i + 1] - '0') * 10 + (line[i + 2] - '0');
}

void ResponseAccumulator::append(QByteArrayView chunk)
{
    if (m_overflowed || chunk.isEmpty())
        return;
    if (m_headerComplete) {
        if (m_body.size() + chunk.size() > kMaxBody) {
            m_overflowed = true;
            m_body.clear();
            return;
        }
        m_body.append(chunk);
        return;
    }
    // The end of the header block may straddle two pieces: search from three bytes back.
    const qsizetype searchFrom = qMax<qsizetype>(0, m_header.size() - (kHeaderEnd.size() - 1));
    m_header.append(chunk);
    const qsizetype end = m_header.indexOf(kHeaderEnd, searchFrom);
    if (end < 0) {
        if (m_header.size() > kMaxHeader) {
            m_overflowed = true;
            m_header.clear();
        }
        return;
    }
    finishHeader(end);
}

void ResponseAccumulator::finishHeader(qsizetype end)
{
    m_headerComplete = true;
    const qsizetype lineEnd = m_header.indexOf("\r\n");
    m_status = parseStatusLine(QByteArrayView(m_header).first(lineEnd));
    const QByteArray rest = m_header.mid(end + kHeaderEnd.size());
    m_header.truncate(end);
    if (rest.size() > kMaxBody) {
        m_overflowed = true;
        return;
    }
    m_body = rest;
}

std::optional<QByteArray> ResponseAccumulator::acceptedBody() const
{
    if (m_overflowed || !m_headerComplete || !m_status || *m_status < 200 || *m_status > 299)
        return std::nullopt;
    return m_body;
}

} // namespace zorrit::update
