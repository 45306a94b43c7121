// SPDX-License-Identifier: GPL-3.0-or-later
// The .thm theme file: its line layout, how lines end, and how its text is encoded. Zorrit reads
// it and Vandrel writes it through this one definition.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

class QIODevice;

namespace common {

// Line numbers (0-based) of the eight lines a theme file holds.
enum ThemeLine : int {
    kThemeName = 0,
    kThemeAuthor = 1,
    kThemeFirstPicture = 2, // pictures of sprites 1..5 are lines 2..6
    kThemeSite = 7,
};
inline constexpr int kThemeLineCount = 8;
inline constexpr int kThemePictureCount = 5;
// A shorter file is broken; a file of exactly this many lines has an empty site line.
inline constexpr int kThemeMinimumLines = 7;
// A line longer than this marks a file that is not a theme (and caps what we hold in memory).
inline constexpr qsizetype kThemeMaxLineBytes = 32 * 1024;

// The whole line that marks an empty picture slot (exact, case-sensitive).
inline QString noPictureText()
{
    return QStringLiteral("No picture");
}

struct ThemeContent
{
    QString name;
    QString author;
    std::array<QString, kThemePictureCount> pictures; // file names, or noPictureText()
    QString site;
};

// Reads theme lines from a device, one at a time, without reading ahead more than it needs.
// CR LF or a lone CR ends a line; a lone LF does not (it stays part of the line).
class ThemeLineReader
{
public:
    explicit ThemeLineReader(QIODevice *device)
        : m_device(device)
    {
    }

    // The next line without its end, or nothing at the end of the file or on an error (a read
    // error or an over-long line; see failed()).
    std::optional<QByteArray> next();
    // Skips a line without keeping it; false at the end or on an error.
    bool skip();
    bool failed() const { return m_failed; }

private:
    std::optional<QByteArray> read(bool keep);

    QIODevice *m_device;
    bool m_failed = false;
    bool m_pendingLf = false; // a CR ended the last line: a LF right after it belongs to it
};

// Theme text is UTF-8; a line that is not valid UTF-8 is read as Windows-1252 (older themes).
QString decodeThemeText(const QByteArray &bytes);
// The bytes a text read as Windows-1252 came from; nothing when it holds a character that code
// page has not.
std::optional<QByteArray> windows1252Bytes(QStringView text);

// The file's bytes as the wizard writes them: eight lines, each ended by CR LF, in UTF-8. Line
// breaks inside a text are dropped so that they can never shift the lines.
QByteArray encodeTheme(const ThemeContent &content);

// A text as it may stand on one line of a theme: without CR and LF.
QString withoutLineBreaks(QString text);

} // namespace common
