// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a mimeapps.list as bytes, line by line, so that nothing we do not touch can change.
#include "mimeapps_list.h"

#include <QList>

namespace zorrit::integration {

namespace {

const QByteArray kGroup = QByteArrayLiteral("[Default Applications]");

struct Line
{
    QByteArray text;   // without its end
    QByteArray ending; // "\n", "\r\n" or empty for a last line without one
};

QList<Line> splitLines(const QByteArray &bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines.append({bytes.mid(start), {}});
            break;
        }
        qsizetype end = newline;
        if (end > start && bytes.at(end - 1) == '\r')
            --end;
        lines.append({bytes.mid(start, end - start), bytes.mid(end, newline + 1 - end)});
        start = newline + 1;
    }
    return lines;
}

bool isGroupHeader(const QByteArray &text)
{
    return text.trimmed().startsWith('[');
}

// The key of a "key=value" line, without the blanks around it; empty for other lines.
QByteArray keyOf(const QByteArray &text)
{
    const QByteArray trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith('#'))
        return {};
    const qsizetype equals = trimmed.indexOf('=');
    return equals <= 0 ? QByteArray() : trimmed.left(equals).trimmed();
}

// "type=ours;others;" from a line whose value may already name ours somewhere.
QByteArray withOursFirst(const QByteArray &text, const QByteArray &desktopId)
{
    qsizetype valueStart = text.indexOf('=') + 1;
    while (valueStart < text.size() && (text.at(valueStart) == ' ' || text.at(valueStart) == '\t'))
        ++valueStart;
    QByteArray rebuilt = text.left(valueStart) + desktopId + ';';
    for (const QByteArray &id : text.mid(valueStart).trimmed().split(';')) {
        const QByteArray trimmedId = id.trimmed();
        if (!trimmedId.isEmpty() && trimmedId != desktopId)
            rebuilt += trimmedId + ';';
    }
    return rebuilt;
}

bool alreadyFirst(const QByteArray &text, const QByteArray &desktopId)
{
    const QByteArray value = text.mid(text.indexOf('=') + 1).trimmed();
    return value.split(';').value(0).trimmed() == desktopId;
}

} // namespace

QByteArray setDefaultApplication(const QByteArray &mimeappsList, const QString &mimeType,
                                 const QString &desktopId)
{
    const QByteArray type = mimeType.toUtf8();
    const QByteArray id = desktopId.toUtf8();
    QList<Line> lines = splitLines(mimeappsList);
    // New lines take the ending the file already uses.
    QByteArray ending = QByteArrayLiteral("\n");
    for (const Line &line : lines) {
        if (!line.ending.isEmpty()) {
            ending = line.ending;
            break;
        }
    }

    bool inGroup = false;
    bool inFirstGroup = false;
    bool found = false;
    qsizetype insertAt = -1; // after the last key line of the first [Default Applications]
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Line &line = lines[i];
        if (isGroupHeader(line.text)) {
            // A group may appear more than once; readers merge them, so every one is looked at.
            inGroup = line.text.trimmed() == kGroup;
            inFirstGroup = inGroup && insertAt < 0;
            if (inFirstGroup)
                insertAt = i + 1;
            continue;
        }
        if (!inGroup)
            continue;
        const QByteArray key = keyOf(line.text);
        if (key.isEmpty())
            continue;
        if (inFirstGroup)
            insertAt = i + 1;
        if (key == type) {
            found = true;
            if (!alreadyFirst(line.text, id))
                line.text = withOursFirst(line.text, id);
        }
    }

    if (!found) {
        const Line added{type + '=' + id + ';', ending};
        if (insertAt >= 0) {
            // The line before may be a last line without an end.
            if (lines[insertAt - 1].ending.isEmpty())
                lines[insertAt - 1].ending = ending;
            lines.insert(insertAt, added);
        } else {
            if (!lines.isEmpty() && lines.last().ending.isEmpty())
                lines.last().ending = ending;
            if (!lines.isEmpty() && !lines.last().text.trimmed().isEmpty())
                lines.append({{}, ending});
            lines.append({kGroup, ending});
            lines.append(added);
        }
    }

    QByteArray result;
    result.reserve(mimeappsList.size() + type.size() + id.size() + 32);
    for (const Line &line : lines)
        result += line.text + line.ending;
    return result;
}

} // namespace zorrit::integration
