// SPDX-License-Identifier: GPL-3.0-or-later
// The MIME package and desktop entry that make theme files open with Zorrit.
#include "zorrit/integration/association_files.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace zorrit::integration;

namespace {

Association zorritAssociation(const QString &programPath = QStringLiteral("/usr/bin/zorrit"))
{
    Association a;
    a.typeName = QStringLiteral("Zorrit");
    a.extension = QStringLiteral(".thm");
    a.description = QStringLiteral("Zorrit File");
    a.iconEntry = QStringLiteral("application-x-zorrit-theme");
    a.programPath = programPath;
    return a;
}

QStringList lines(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes).split(QLatin1Char('\n'));
}

// Each group's translated lines (Key[language]=text), by group heading.
QMap<QString, QStringList> translatedLines(const QByteArray &entry)
{
    static const QRegularExpression translated(QStringLiteral("^[A-Za-z]+\\[[^]]+\\]="));
    QMap<QString, QStringList> groups;
    QString group;
    for (const QString &line : lines(entry)) {
        if (line.startsWith(QLatin1Char('[')))
            group = line;
        else if (translated.match(line).hasMatch() && !line.startsWith(u"Keywords"))
            groups[group] << line;
    }
    return groups;
}

} // namespace

TEST(AssociationNames, ComeFromTheTypeNameAndExtension)
{
    struct Case
    {
        QString typeName, mime, desktopId;
    };
    const Case cases[] = {
        {QStringLiteral("Zorrit"), QStringLiteral("application/x-zorrit-theme"),
         QStringLiteral("zorrit.desktop")},
        {QStringLiteral(""), QString(), QString()},
        {QStringLiteral("../../etc/x"), QStringLiteral("application/x-etcx-theme"),
         QStringLiteral("etcx.desktop")},
        {QStringLiteral("/ ."), QString(), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typeName.toStdString());
        EXPECT_EQ(mimeTypeName(c.typeName), c.mime);
        EXPECT_EQ(desktopFileId(c.typeName), c.desktopId);
    }

    const std::pair<QString, QString> globs[] = {
        {QStringLiteral(".thm"), QStringLiteral("*.thm")},
        {QStringLiteral("thm"), QStringLiteral("*.thm")},
        {QStringLiteral(""), QString()},
        {QStringLiteral("."), QString()},
        {QStringLiteral(".*"), QString()},
        {QStringLiteral(".t/m"), QString()},
        {QStringLiteral(".t m"), QString()},
    };
    for (const auto &[extension, glob] : globs)
        EXPECT_EQ(globPattern(extension), glob) << extension.toStdString();
}

TEST(DesktopEntry, ExecQuotesTheProgramPathWhenTheDesktopEntryRulesRequireIt)
{
    struct Case
    {
        QString path;
        QString execLine;
    };
    const Case cases[] = {
        // Bare when it can be: the generic xdg-open would run the quotes as part of the name.
        {QStringLiteral("/usr/bin/zorrit"), QStringLiteral("Exec=/usr/bin/zorrit %f")},
        {QStringLiteral("/opt/z-1.2_x+y=z,@/zorrit"),
         QStringLiteral("Exec=/opt/z-1.2_x+y=z,@/zorrit %f")},
        {QStringLiteral("/opt/it's/zorrit"), QStringLiteral("Exec=\"/opt/it's/zorrit\" %f")},
        {QStringLiteral("/opt/a;b/zorrit"), QStringLiteral("Exec=\"/opt/a;b/zorrit\" %f")},
        {QStringLiteral("/home/a b/My Programs/zorrit"),
         QStringLiteral("Exec=\"/home/a b/My Programs/zorrit\" %f")},
        {QStringLiteral("/opt/$HOME/`x`/\"q\"/zorrit"),
         QStringLiteral("Exec=\"/opt/\\\\$HOME/\\\\`x\\\\`/\\\\\"q\\\\\"/zorrit\" %f")},
        // A backslash is escaped once for the quoting and once more for the line.
        {QStringLiteral("/opt/a\\b/zorrit"), QStringLiteral("Exec=\"/opt/a\\\\\\\\b/zorrit\" %f")},
        {QStringLiteral("/opt/100%/zorrit"), QStringLiteral("Exec=/opt/100%%/zorrit %f")},
        {QStringLiteral("/opt/100% x/zorrit"), QStringLiteral("Exec=\"/opt/100%% x/zorrit\" %f")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QStringList entry = lines(desktopEntry(zorritAssociation(c.path)));
        EXPECT_TRUE(entry.contains(c.execLine)) << entry.join(QLatin1Char('\n')).toStdString();
    }
}

TEST(DesktopEntry, DeclaresTheTypeAndHidesFromMenusUnlessItIsTheMenuEntry)
{
    Association a = zorritAssociation();
    QStringList entry = lines(desktopEntry(a));
    EXPECT_EQ(entry.value(0), QStringLiteral("[Desktop Entry]"));
    EXPECT_TRUE(entry.contains(QStringLiteral("MimeType=application/x-zorrit-theme;")));
    EXPECT_TRUE(entry.contains(QStringLiteral("TryExec=/usr/bin/zorrit")));
    EXPECT_TRUE(entry.contains(QStringLiteral("NoDisplay=true")));
    EXPECT_FALSE(entry.contains(QStringLiteral("Actions=Preferences;Quit;")));

    // The menu entry hides the installed one, so it keeps its actions.
    a.menuEntry = true;
    entry = lines(desktopEntry(a));
    EXPECT_FALSE(entry.join(QLatin1Char('\n')).contains(QStringLiteral("NoDisplay")));
    EXPECT_TRUE(entry.contains(QStringLiteral("Categories=Utility;")));
    EXPECT_TRUE(entry.contains(QStringLiteral("Actions=Preferences;Quit;")));
    EXPECT_TRUE(entry.contains(QStringLiteral("Exec=/usr/bin/zorrit --preferences")));
    EXPECT_TRUE(entry.contains(QStringLiteral("Exec=/usr/bin/zorrit --quit")));

    a.typeName.clear();
    EXPECT_TRUE(desktopEntry(a).isEmpty());
}

// The entry that hides the installed one reads as it does in every language: the menu name and
// comment, and each action's name in its own group (under the main one it would rename Zorrit).
TEST(DesktopEntry, MenuEntryKeepsTheInstalledTranslations)
{
    QFile installed(QStringLiteral(ZORRIT_TEST_INSTALLED_ENTRY));
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    const QMap<QString, QStringList> expected = translatedLines(installed.readAll());
    ASSERT_EQ(expected.size(), 3); // the main group and both actions have translations

    Association a = zorritAssociation();
    a.menuEntry = true;
    EXPECT_EQ(translatedLines(desktopEntry(a)), expected);
    a.menuEntry = false; // the hidden entry of an uninstalled copy names nothing
    EXPECT_TRUE(translatedLines(desktopEntry(a)).isEmpty());
}

TEST(DesktopEntry, PassesTheDesktopFileValidator)
{
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    QTemporaryDir dir;
    for (const QString &path :
         {QStringLiteral("/usr/bin/zorrit"), QStringLiteral("/home/a b/$x\\y/zorrit")}) {
        for (const bool menu : {false, true}) {
            Association a = zorritAssociation(path);
            a.menuEntry = menu;
            QFile file(dir.filePath(QStringLiteral("zorrit.desktop")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(desktopEntry(a));
            file.close();
            QProcess process;
            process.start(validator, {file.fileName()});
            ASSERT_TRUE(process.waitForFinished(30000));
            EXPECT_EQ(process.exitCode(), 0)
                << path.toStdString() << ": " << process.readAllStandardOutput().toStdString();
        }
    }
}

TEST(MimePackage, DeclaresTypeGlobCommentAndIcon)
{
    Association a = zorritAssociation();
    a.description = QStringLiteral("Zorrit <File> & \"more\"");
    QXmlStreamReader xml(mimePackageXml(a));
    QString type, comment, icon, glob;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("mime-type"))
            type = xml.attributes().value(QLatin1String("type")).toString();
        else if (xml.name() == QLatin1String("comment"))
            comment = xml.readElementText();
        else if (xml.name() == QLatin1String("icon"))
            icon = xml.attributes().value(QLatin1String("name")).toString();
        else if (xml.name() == QLatin1String("glob"))
            glob = xml.attributes().value(QLatin1String("pattern")).toString();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(type, QStringLiteral("application/x-zorrit-theme"));
    EXPECT_EQ(comment, a.description);
    EXPECT_EQ(icon, QStringLiteral("application-x-zorrit-theme"));
    EXPECT_EQ(glob, QStringLiteral("*.thm"));

    a.iconEntry.clear();
    EXPECT_FALSE(mimePackageXml(a).contains("<icon"));
    a.extension = QStringLiteral(".");
    EXPECT_TRUE(mimePackageXml(a).isEmpty());
}

TEST(MimePackage, IsAcceptedByUpdateMimeDatabase)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("mime/packages")));
    QFile file(dir.filePath(QStringLiteral("mime/packages/zorrit.xml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(mimePackageXml(zorritAssociation()));
    file.close();
    QProcess process;
    // With the folder on the search path the tool has nothing to say unless the package is wrong.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), dir.path());
    process.setProcessEnvironment(environment);
    process.start(tool, {dir.filePath(QStringLiteral("mime"))});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError().toStdString(), "");
    QFile globs(dir.filePath(QStringLiteral("mime/globs2")));
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
    EXPECT_TRUE(globs.readAll().contains("application/x-zorrit-theme:*.thm"));
}
