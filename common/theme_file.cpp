// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the lines of a theme file.
#include "theme_file.h"

#include <algorithm>
#include <iterator>

#include <QIODevice>
#include <QStringDecoder>

namespace common {

namespace {

// Windows-1252 code points of the bytes 0x80..0x9F; the rest is the same as Latin-1. The five
// bytes the code page leaves undefined map to the C1 controls, as Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::optional<QByteArray> ThemeLineReader::next()
{
    return read(true);
}

bool ThemeLineReader::skip()
{
    return read(false).has_value();
}

std::optional<QByteArray> ThemeLineReader::read(bool keep)
{
    if (m_failed)
        return std::nullopt;
    QByteArray line;
    qsizetype length = 0;
    bool any = false;
    char c = 0;
    while (true) {
        if (!m_device->getChar(&c)) {
            // End of the file (or a read error): a last line without an ending still counts.
            if (m_device->isReadable() && !m_device->atEnd())
                m_failed = true;
            if (!any || m_failed)
                return std::nullopt;
            return line;
        }
        if (m_pendingLf) {
            m_pendingLf = false;
            if (c == '\n')
                continue;
        }
        any = true;
        if (c == '\r') {
            m_pendingLf = true;
            return line;
        }
        if (++length > kThemeMaxLineBytes) {
            m_failed = true;
            return std::nullopt;
        }
        if (keep)
            line.append(c);
    }
}

QString decodeThemeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(bytes.size());
    for (const char raw : bytes) {
        const auto b = static_cast<unsigned char>(raw);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

std::optional<QByteArray> windows1252Bytes(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += char(u);
            continue;
        }
        const auto *found = std::find(std::begin(kCp1252High), std::end(kCp1252High), u);
        if (found == std::end(kCp1252High))
            return std::nullopt;
        bytes += char(0x80 + (found - std::begin(kCp1252High)));
    }
    return bytes;
}

QString withoutLineBreaks(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

QByteArray encodeTheme(const ThemeContent &content)
{
    QByteArray out;
    const auto line = [&out](const QString &text) {
        out += withoutLineBreaks(text).toUtf8();
        out += "\r\n";
    };
    line(content.name);
    line(content.author);
    for (const QString &picture : content.pictures)
        line(picture);
    line(content.site);
    return out;
}

} // namespace common
