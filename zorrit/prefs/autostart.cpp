// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and changing the user's autostart entries for Zorrit.
#include "autostart.h"

#include "zorrit/integration/association_files.h"
#include "zorrit/integration/install_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryFile>

#include <cstdio>

namespace zorrit::prefs {

namespace {

const QString kEntryName = QStringLiteral("zorrit.desktop");
// An entry larger than this is not one a person wrote for Zorrit.
constexpr qint64 kMaxEntryBytes = 64 * 1024;

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

struct EntryFacts
{
    bool forZorrit = false;
    bool switchedOff = false;
    QString tryExec;
};

EntryFacts entryFacts(const QByteArray &content)
{
    EntryFacts facts;
    bool inMainGroup = false;
    for (const QByteArray &rawLine : content.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        if (key == QLatin1String("Exec"))
            facts.forZorrit = QFileInfo(execProgram(value)).fileName() == QLatin1String("zorrit");
        else if (key == QLatin1String("TryExec"))
            facts.tryExec = unescapeDesktopValue(value);
        else if ((key == QLatin1String("Hidden") && value == QLatin1String("true"))
                 || (key == QLatin1String("X-GNOME-Autostart-enabled")
                     && value == QLatin1String("false")))
            facts.switchedOff = true;
    }
    return facts;
}

std::optional<QByteArray> readEntry(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() > kMaxEntryBytes
        || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Replaces path (a file, or a link to one, which is replaced and not followed) with content.
bool replaceFile(const QString &path, const QByteArray &content)
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

// The entry with its lines that switch it off taken out, or a "Hidden=true" put in.
QByteArray withSwitch(const QByteArray &content, bool on)
{
    QByteArrayList lines = content.split('\n');
    bool inMainGroup = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.startsWith('[')) {
            if (!on && inMainGroup)
                break;
            inMainGroup = line == "[Desktop Entry]";
            if (!on && inMainGroup) {
                lines.insert(i + 1, "Hidden=true");
                return lines.join('\n');
            }
            continue;
        }
        if (on && inMainGroup) {
            const QByteArray key = line.split('=').value(0).trimmed();
            const QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
            if ((key == "Hidden" && value == "true")
                || (key == "X-GNOME-Autostart-enabled" && value == "false"))
                lines.removeAt(i--);
        }
    }
    return lines.join('\n');
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
        const std::optional<QByteArray> content = readEntry(path);
        if (!content)
            continue;
        const EntryFacts facts = entryFacts(*content);
        if (name == kEntryName && !QFileInfo(path).isSymLink()
            && withoutTranslatedComment(*content)
                   == withoutTranslatedComment(autostartEntry(facts.tryExec)))
            state.ourEntry = path;
        else if (facts.forZorrit)
            (facts.switchedOff ? state.switchedOffEntries : state.usersEntries).append(path);
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
            const std::optional<QByteArray> content = readEntry(path);
            if (!content || !replaceFile(path, withSwitch(*content, true)))
                return path;
            return std::nullopt;
        }
        const QString path = QDir(place.folder).filePath(kEntryName);
        // A file of that name that is no entry for Zorrit belongs to someone else.
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink() || !QDir().mkpath(place.folder)
            || !replaceFile(path, autostartEntry(place.program)))
            return path;
        return std::nullopt;
    }
    if (!state.ourEntry.isEmpty() && !QFile::remove(state.ourEntry))
        return state.ourEntry;
    for (const QString &path : state.usersEntries) {
        const std::optional<QByteArray> content = readEntry(path);
        if (!content || !replaceFile(path, withSwitch(*content, false)))
            return path;
    }
    return std::nullopt;
}

} // namespace zorrit::prefs
