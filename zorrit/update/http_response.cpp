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

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}
} // namespace

std::optional<qsizetype> parseContentLength(QByteArrayView value)
{
    value = trimmed(value);
    if (value.isEmpty() || value.size() > 18)
        return std::nullopt; // 18 digits cannot overflow; anything that long is refused anyway
    qsizetype length = 0;
    for (const char c : value) {
        if (!isDigit(c))
            return std::nullopt;
        length = length * 10 + (c - '0');
    }
    return length;
}

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
    if (lineEnd >= 0 && lineEnd < end)
        readFields(QByteArrayView(m_header).sliced(lineEnd + 2));
    if (rest.size() > kMaxBody) {
        m_overflowed = true;
        return;
    }
    m_body = rest;
}

void ResponseAccumulator::readFields(QByteArrayView fields)
{
    // Field names are case-insensitive; a line without a colon is ignored like any unknown field.
    while (!fields.isEmpty()) {
        qsizetype eol = fields.indexOf(QByteArrayView("\r\n"));
        if (eol < 0)
            eol = fields.size();
        const QByteArrayView line = fields.first(eol);
        fields = fields.sliced(qMin(fields.size(), eol + 2));
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.first(colon).toByteArray().toLower();
        const QByteArrayView value = line.sliced(colon + 1);
        if (name == "transfer-encoding") {
            // "identity" leaves the body as it is; any coding (chunked above all) is not read.
            if (trimmed(value).toByteArray().toLower() != "identity")
                m_unusableHeader = true;
        } else if (name == "content-length") {
            const std::optional<qsizetype> length = parseContentLength(value);
            if (!length || *length > kMaxBody || (m_contentLength && *m_contentLength != *length))
                m_unusableHeader = true;
            else
                m_contentLength = length;
        }
    }
}

std::optional<QByteArray> ResponseAccumulator::acceptedBody() const
{
    if (m_overflowed || !m_headerComplete || m_unusableHeader || !m_status || *m_status < 200
        || *m_status > 299)
        return std::nullopt;
    if (m_contentLength) {
        if (m_body.size() < *m_contentLength)
            return std::nullopt; // the connection ended early: the answer is cut off
        return m_body.first(*m_contentLength);
    }
    return m_body;
}

} // namespace zorrit::update
