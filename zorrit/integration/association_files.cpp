// SPDX-License-Identifier: GPL-3.0-or-later
// The shared-MIME-info package and the desktop entry for theme files.
#include "association_files.h"

#include "zorrit/integration/entry_translations.h"

namespace zorrit::integration {

namespace {

QString xmlEscaped(const QString &text)
{
    return text.toHtmlEscaped(); // &, <, > and "
}

} // namespace

QString baseName(const QString &typeName)
{
    QString name;
    for (const QChar c : typeName.toLower()) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'-')
            name.append(c);
    }
    return name;
}

QString mimeTypeName(const QString &typeName)
{
    const QString name = baseName(typeName);
    return name.isEmpty() ? QString() : QStringLiteral("application/x-%1-theme").arg(name);
}

QString desktopFileId(const QString &typeName)
{
    const QString name = baseName(typeName);
    return name.isEmpty() ? QString() : name + QStringLiteral(".desktop");
}

QString desktopFileId(const Association &association)
{
    const QString name = baseName(association.typeName);
    if (name.isEmpty())
        return {};
    return association.menuEntry ? name + QStringLiteral(".desktop")
                                 : name + QStringLiteral("-uninstalled.desktop");
}

QString globPattern(const QString &extension)
{
    QString suffix = extension;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    // An empty suffix would claim every file; glob and path characters would claim others' files.
    if (suffix.isEmpty())
        return {};
    for (const QChar c : suffix) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[')
            || c == QLatin1Char('/') || c == QLatin1Char('\\') || c.isSpace()
            || c.category() == QChar::Other_Control)
            return {};
    }
    return QStringLiteral("*.") + suffix;
}

QString quoteExecArgument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted.append(QLatin1Char('\\'));
        else if (c == QLatin1Char('%'))
            quoted.append(QLatin1Char('%')); // "%%" is a literal percent sign
        quoted.append(c);
    }
    quoted.append(QLatin1Char('"'));
    return quoted;
}

QString execArgument(const QString &argument)
{
    // The reserved characters of an Exec line; an argument holding none of them stays bare, which
    // is what simple launchers (the generic xdg-open, which splits at blanks and keeps quotes)
    // can read.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (const QChar c : argument) {
        if (reserved.contains(c) || c.category() == QChar::Other_Control)
            return quoteExecArgument(argument);
    }
    QString bare = argument;
    return bare.replace(QLatin1Char('%'), QStringLiteral("%%"));
}

QString escapeDesktopValue(const QString &value)
{
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            escaped.append(QStringLiteral("\\\\"));
            break;
        case u'\n':
            escaped.append(QStringLiteral("\\n"));
            break;
        case u'\t':
            escaped.append(QStringLiteral("\\t"));
            break;
        case u'\r':
            escaped.append(QStringLiteral("\\r"));
            break;
        default:
            escaped.append(c);
        }
    }
    return escaped;
}

QByteArray mimePackageXml(const Association &association)
{
    const QString type = mimeTypeName(association.typeName);
    const QString glob = globPattern(association.extension);
    if (type.isEmpty() || glob.isEmpty())
        return {};
    QString xml =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"%1\">\n"
            "    <comment>%2</comment>\n")
            .arg(xmlEscaped(type), xmlEscaped(association.description));
    if (!association.iconEntry.isEmpty())
        xml += QStringLiteral("    <icon name=\"%1\"/>\n").arg(xmlEscaped(association.iconEntry));
    xml += QStringLiteral("    <glob pattern=\"%1\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
               .arg(xmlEscaped(glob));
    return xml.toUtf8();
}

namespace {
// The installed entry's translated lines of one group: "" for the main one, else an action's.
QString translatedKeys(QStringView group)
{
    QString lines;
    for (const EntryTranslation &translation : kEntryTranslations) {
        if (QStringView(translation.group) == group) {
            lines += QStringView(translation.line);
            lines += QLatin1Char('\n');
        }
    }
    return lines;
}
} // namespace

QByteArray desktopEntry(const Association &association)
{
    const QString type = mimeTypeName(association.typeName);
    if (type.isEmpty() || association.programPath.isEmpty())
        return {};
    QString entry =
        QStringLiteral("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.4\n"
                       "Name=%1\n"
                       "GenericName=Mouse trail\n"
                       "Comment=A trail of little pictures that follows the mouse pointer\n"
                       "Icon=%2\n"
                       "TryExec=%3\n"
                       "Exec=%4 %f\n"
                       "Terminal=false\n"
                       "StartupNotify=false\n"
                       "MimeType=%5;\n"
                       "Categories=Utility;\n")
            .arg(escapeDesktopValue(association.typeName), baseName(association.typeName),
                 escapeDesktopValue(association.programPath),
                 escapeDesktopValue(execArgument(association.programPath)), type);
    if (!association.menuEntry) {
        entry += QStringLiteral("NoDisplay=true\n");
        return entry.toUtf8();
    }
    // This entry hides the installed one of the same name, so it carries its translations and
    // its actions too: the way in on desktops without a tray.
    const QString program = escapeDesktopValue(execArgument(association.programPath));
    entry += translatedKeys(u"")
             + QStringLiteral("Actions=Preferences;Quit;\n"
                              "\n"
                              "[Desktop Action Preferences]\n"
                              "Name=Preferences\n")
             + translatedKeys(u"Preferences")
             + QStringLiteral("Exec=%1 --preferences\n"
                              "\n"
                              "[Desktop Action Quit]\n"
                              "Name=Quit\n")
                   .arg(program)
             + translatedKeys(u"Quit") + QStringLiteral("Exec=%1 --quit\n").arg(program);
    return entry.toUtf8();
}

bool isUninstalledCopyEntry(const QByteArray &entry, const Association &association)
{
    // The program path is read back from TryExec and the whole entry rebuilt from it: anything
    // the user changed, or a menu entry, does not match.
    const QByteArray key = "\nTryExec=";
    const qsizetype at = entry.indexOf(key);
    if (at < 0)
        return false;
    const qsizetype start = at + key.size();
    const qsizetype end = entry.indexOf('\n', start);
    if (end < 0)
        return false;
    const QString escaped = QString::fromUtf8(entry.mid(start, end - start));
    QString path;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const QChar c = escaped[i];
        if (c != QLatin1Char('\\') || i + 1 == escaped.size()) {
            path += c;
            continue;
        }
        switch (escaped[++i].unicode()) {
        case 's':
            path += QLatin1Char(' ');
            break;
        case 'n':
            path += QLatin1Char('\n');
            break;
        case 't':
            path += QLatin1Char('\t');
            break;
        case 'r':
            path += QLatin1Char('\r');
            break;
        default:
            path += escaped[i];
            break;
        }
    }
    Association other = association;
    other.programPath = path;
    other.menuEntry = false;
    return !path.isEmpty() && desktopEntry(other) == entry;
}

} // namespace zorrit::integration
