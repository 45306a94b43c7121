// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and changing the user's autostart entries for Zorrit.
#include "autostart.h"

#include "platform/file_names.h"
#include "zorrit/integration/association_files.h"
#include "zorrit/integration/install_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryFile>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

namespace zorrit::prefs {

namespace {

const QString kEntryName = QStringLiteral("zorrit.desktop");
// Zorrit's own entry is far smaller (two paths and a comment); a larger file is the user's.
constexpr qint64 kMaxOwnEntryBytes = 64 * 1024;
// How much of a line is looked at: an entry is read line by line whatever its size, and of a
// longer line only its start counts (a key and its value never come near this).
constexpr qint64 kLineStart = 64 * 1024;

QString unescapeDesktopValue(const QString &value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\') || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        out += next == QLatin1Char('s')   ? QChar(u' ')
               : next == QLatin1Char('n') ? QChar(u'\n')
               : next == QLatin1Char('t') ? QChar(u'\t')
               : next == QLatin1Char('r') ? QChar(u'\r')
                                          : next;
    }
    return out;
}

// The program an Exec line starts: its first argument, unquoted.
QString execProgram(const QString &exec)
{
    const QString line = unescapeDesktopValue(exec).trimmed();
    if (!line.startsWith(QLatin1Char('"')))
        return line.section(QLatin1Char(' '), 0, 0);
    QString program;
    for (qsizetype i = 1; i < line.size() && line[i] != QLatin1Char('"'); ++i) {
        if (line[i] == QLatin1Char('\\') && i + 1 < line.size())
            ++i;
        program += line[i];
    }
    return program;
}

// A line of an entry, as the desktop reads it.
struct EntryLine
{
    bool group = false;     // a group header
    bool mainGroup = false; // the header of "[Desktop Entry]"
    QByteArray key;
    QByteArray value;
};

EntryLine entryLine(QByteArrayView text)
{
    const QByteArray line = text.trimmed().toByteArray();
    if (line.startsWith('['))
        return {true, line == "[Desktop Entry]", {}, {}};
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return {};
    return {false, false, line.left(equals).trimmed(), line.mid(equals + 1).trimmed()};
}

// What becomes of a line when an entry is rewritten.
struct LineEdit
{
    enum Kind { Keep, Drop, Replace } kind = Keep;
    QByteArray replacement; // the line's new text, for Replace
    QByteArray added;       // a line put in after it
};

// Goes through the lines of an entry of any size, holding only the start of one line at a time:
// edit sees each line's start (without its line break) and says what becomes of the line, which
// is written so to out when there is one. False when reading or writing fails.
template <typename Edit>
bool walkLines(QIODevice &in, QIODevice *out, Edit edit)
{
    QByteArray buffer(kLineStart + 1, Qt::Uninitialized);
    const auto put = [out](QByteArrayView bytes) {
        return !out || out->write(bytes.data(), bytes.size()) == bytes.size();
    };
    bool atLineStart = true;
    LineEdit line;
    while (!in.atEnd()) {
        const qint64 read = in.readLine(buffer.data(), buffer.size());
        if (read <= 0)
            return false;
        const QByteArrayView piece(buffer.constData(), read);
        const bool ends = piece.endsWith('\n');
        if (atLineStart) {
            line = edit(ends ? piece.chopped(1) : piece);
            if (line.kind == LineEdit::Replace && !put(line.replacement + '\n'))
                return false;
        }
        if (line.kind == LineEdit::Keep && !put(piece))
            return false;
        atLineStart = ends;
        if ((ends || in.atEnd()) && !line.added.isEmpty()) {
            if (line.kind == LineEdit::Keep && !ends && !put("\n"))
                return false;
            if (!put(line.added + '\n'))
                return false;
        }
    }
    return true;
}

// Opens an entry (a regular file, also behind a link) without waiting on a FIFO.
bool openEntry(const QString &path, QFile &file)
{
    const int fd = platform::openRegularFile(path);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

// What an entry says, as the desktop takes it: of a key given twice, the last one counts.
struct EntryFacts
{
    bool forZorrit = false;
    bool hidden = false;           // "Hidden=true"
    bool hasHiddenKey = false;     // any "Hidden" at all
    bool gnomeSwitchedOff = false; // "X-GNOME-Autostart-enabled=false"
    QString tryExec;
    bool switchedOff() const { return hidden || gnomeSwitchedOff; }
};

std::optional<EntryFacts> readEntryFacts(const QString &path)
{
    QFile file;
    if (!openEntry(path, file))
        return std::nullopt;
    EntryFacts facts;
    bool inMainGroup = false;
    const bool read = walkLines(file, nullptr, [&](QByteArrayView text) {
        const EntryLine line = entryLine(text);
        if (line.group) {
            inMainGroup = line.mainGroup;
        } else if (inMainGroup) {
            if (line.key == "Exec")
                facts.forZorrit = QFileInfo(execProgram(QString::fromUtf8(line.value))).fileName()
                                  == QLatin1String("zorrit");
            else if (line.key == "TryExec")
                facts.tryExec = unescapeDesktopValue(QString::fromUtf8(line.value));
            else if (line.key == "X-GNOME-Autostart-enabled")
                facts.gnomeSwitchedOff = line.value == "false";
            facts.hasHiddenKey |= line.key == "Hidden";
            if (line.key == "Hidden")
                facts.hidden = line.value == "true";
        }
        return LineEdit{};
    });
    if (!read)
        return std::nullopt;
    return facts;
}

// The whole of a small entry: the candidate for Zorrit's own.
std::optional<QByteArray> readSmallEntry(const QString &path)
{
    QFile file;
    if (!openEntry(path, file) || file.size() > kMaxOwnEntryBytes)
        return std::nullopt;
    return file.readAll();
}

// Writes Zorrit's own entry at path.
bool writeOwnEntry(const QString &path, const QByteArray &content)
{
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(content) != content.size() || !file.flush())
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(path).constData())
        != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

// Rewrites the user's entry at path, line by line, with its lines that switch it off taken out
// (on) or switched off (off): its "Hidden" keys, wherever they stand, say "true", and one is put
// in below "[Desktop Entry]" when it has none. Every other byte stays, and so do the file's mode
// and owner; a link is replaced by such a copy, and what it points to is not touched.
bool switchUsersEntry(const QString &path, bool on)
{
    const std::optional<EntryFacts> facts = readEntryFacts(path);
    QFile in;
    struct stat content = {};
    struct stat entry = {};
    if (!facts || !openEntry(path, in) || ::fstat(in.handle(), &content) != 0
        || ::lstat(QFile::encodeName(path).constData(), &entry) != 0)
        return false;
    bool inMainGroup = false;
    const auto edit = [&](QByteArrayView text) {
        const EntryLine line = entryLine(text);
        if (line.group) {
            inMainGroup = line.mainGroup;
            if (!on && line.mainGroup && !facts->hasHiddenKey)
                return LineEdit{LineEdit::Keep, {}, "Hidden=true"};
            return LineEdit{};
        }
        if (!inMainGroup)
            return LineEdit{};
        if (on
            && ((line.key == "Hidden" && line.value == "true")
                || (line.key == "X-GNOME-Autostart-enabled" && line.value == "false")))
            return LineEdit{LineEdit::Drop, {}, {}};
        if (!on && line.key == "Hidden")
            return LineEdit{LineEdit::Replace, "Hidden=true", {}};
        return LineEdit{};
    };
    QTemporaryFile out(path + QStringLiteral(".XXXXXX"));
    if (!out.open() || !walkLines(in, &out, edit) || !out.flush())
        return false;
    // An owner that cannot be kept (someone else's file) is not taken over.
    if ((entry.st_uid != ::geteuid() || entry.st_gid != ::getegid())
        && ::fchown(out.handle(), entry.st_uid, entry.st_gid) != 0)
        return false;
    if (::fchmod(out.handle(), content.st_mode & 07777) != 0)
        return false;
    if (std::rename(QFile::encodeName(out.fileName()).constData(),
                    QFile::encodeName(path).constData())
        != 0)
        return false;
    out.setAutoRemove(false);
    return true;
}

// The entry without its translated comment: Zorrit writes that line in the language it spoke
// then, and its entry stays its own when the desktop's language changes.
QByteArray withoutTranslatedComment(const QByteArray &content)
{
    QByteArrayList lines = content.split('\n');
    lines.removeIf([](const QByteArray &line) { return line.startsWith("Comment["); });
    return lines.join('\n');
}

} // namespace

AutostartPlace userAutostartPlace()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    const bool installed = integration::isInstalledCopy(QCoreApplication::applicationDirPath());
    return {config + QStringLiteral("/autostart"),
            installed ? QStringLiteral("zorrit") : QCoreApplication::applicationFilePath()};
}

QByteArray autostartEntry(const QString &program)
{
    using integration::escapeDesktopValue;
    using integration::execArgument;
    static constexpr char kComment[] =
        QT_TRANSLATE_NOOP("zorrit::prefs::Autostart", "Starts the mouse trail when you log in");
    QString entry = QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Name=Zorrit\n"
                                   "Comment=%1\n")
                        .arg(QLatin1String(kComment));
    // The comment in the language Zorrit speaks now, for the session settings that list it.
    const QString translated = QCoreApplication::translate("zorrit::prefs::Autostart", kComment);
    if (translated != QLatin1String(kComment))
        entry += QStringLiteral("Comment[%1]=%2\n")
                     .arg(QLocale().name().section(QLatin1Char('_'), 0, 0),
                          escapeDesktopValue(translated));
    entry += QStringLiteral("Icon=zorrit\n"
                            "TryExec=%1\n"
                            "Exec=%2\n"
                            "Terminal=false\n")
                 .arg(escapeDesktopValue(program), escapeDesktopValue(execArgument(program)));
    return entry.toUtf8();
}

AutostartState readAutostart(const QString &folder)
{
    AutostartState state;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*.desktop")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        const std::optional<EntryFacts> facts = readEntryFacts(path);
        if (!facts)
            continue;
        const std::optional<QByteArray> whole = name == kEntryName && !QFileInfo(path).isSymLink()
                                                    ? readSmallEntry(path)
                                                    : std::nullopt;
        if (whole
            && withoutTranslatedComment(*whole)
                   == withoutTranslatedComment(autostartEntry(facts->tryExec)))
            state.ourEntry = path;
        else if (facts->forZorrit)
            (facts->switchedOff() ? state.switchedOffEntries : state.usersEntries).append(path);
    }
    return state;
}

std::optional<QString> switchAutostart(const AutostartPlace &place, bool on)
{
    const AutostartState state = readAutostart(place.folder);
    if (on) {
        if (state.on())
            return std::nullopt;
        if (!state.switchedOffEntries.isEmpty()) {
            const QString path = state.switchedOffEntries.first();
            if (!switchUsersEntry(path, true))
                return path;
            return std::nullopt;
        }
        const QString path = QDir(place.folder).filePath(kEntryName);
        // A file of that name that is no entry for Zorrit belongs to someone else.
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink() || !QDir().mkpath(place.folder)
            || !writeOwnEntry(path, autostartEntry(place.program)))
            return path;
        return std::nullopt;
    }
    if (!state.ourEntry.isEmpty() && !QFile::remove(state.ourEntry))
        return state.ourEntry;
    for (const QString &path : state.usersEntries) {
        if (!switchUsersEntry(path, false))
            return path;
    }
    return std::nullopt;
}

} // namespace zorrit::prefs
