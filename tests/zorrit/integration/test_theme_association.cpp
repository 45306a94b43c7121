// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the association into the user's folders: places, atomic rewrites, nothing lost.
#include "zorrit/integration/theme_association.h"

#include "platform/fake/fake_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace zorrit::integration;

namespace {

class ThemeAssociation : public ::testing::Test
{
protected:
    ThemeAssociation()
    {
        folders.dataHome = home.filePath(QStringLiteral("data"));
        folders.configHome = home.filePath(QStringLiteral("config"));
        association.typeName = QStringLiteral("Zorrit");
        association.extension = QStringLiteral(".thm");
        association.description = QStringLiteral("Zorrit File");
        association.iconEntry = themeFileIconName();
        association.programPath = QStringLiteral("/home/me/my programs/zorrit");
        association.menuEntry = true; // the installed copy, unless a test says otherwise
    }

    QString mimePackage() const
    {
        return folders.dataHome + QStringLiteral("/mime/packages/zorrit.xml");
    }
    QString entry() const
    {
        return folders.dataHome + QStringLiteral("/applications/zorrit.desktop");
    }
    QString list() const { return folders.configHome + QStringLiteral("/mimeapps.list"); }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList allFiles() const
    {
        QStringList files;
        QDirIterator it(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        return files;
    }

    QTemporaryDir home;
    AssociationFolders folders;
    Association association;
    platform::FakeShell shell;
};

} // namespace

TEST_F(ThemeAssociation, WritesTheThreeFilesInTheUsersFolders)
{
    const AssociationResult result = writeAssociation(association, folders, &shell);
    EXPECT_TRUE(result.mimePackage && result.desktopEntry && result.mimeappsList);
    EXPECT_EQ(read(mimePackage()), mimePackageXml(association));
    EXPECT_EQ(read(entry()), desktopEntry(association));
    EXPECT_TRUE(read(entry()).contains("Exec=\"/home/me/my programs/zorrit\" %f\n"));
    EXPECT_EQ(read(list()),
              QByteArray("[Default Applications]\napplication/x-zorrit-theme=zorrit.desktop;\n"));
    // No temporary files are left behind.
    EXPECT_EQ(allFiles().size(), 3) << allFiles().join(QLatin1Char(' ')).toStdString();
}

TEST_F(ThemeAssociation, KeepsTheUsersOtherAssociations)
{
    const QByteArray before =
        "# my own notes\r\n[Added Associations]\r\napplication/x-zorrit-theme=viewer.desktop;\r\n"
        "\r\n[Default Applications]\r\ntext/plain=gedit.desktop;\r\n\r\n[Other]\r\nx=y";
    write(list(), before);
    QFile::setPermissions(list(), QFile::ReadOwner | QFile::WriteOwner);
    const QFile::Permissions permissions = QFile::permissions(list());
    writeAssociation(association, folders, &shell);
    EXPECT_EQ(
        read(list()).toStdString(),
        "# my own notes\r\n[Added Associations]\r\napplication/x-zorrit-theme=viewer.desktop;\r\n"
        "\r\n[Default Applications]\r\ntext/plain=gedit.desktop;\r\n"
        "application/x-zorrit-theme=zorrit.desktop;\r\n\r\n[Other]\r\nx=y");
    EXPECT_EQ(QFile::permissions(list()), permissions); // a private list stays private
}

TEST_F(ThemeAssociation, ASecondRunChangesNothing)
{
    writeAssociation(association, folders, &shell);
    const QDateTime listTime = QFileInfo(list()).lastModified();
    // Caches newer than what was written: nothing to refresh either.
    write(folders.dataHome + QStringLiteral("/mime/mime.cache"), "cache");
    write(folders.dataHome + QStringLiteral("/applications/mimeinfo.cache"), "cache");
    shell.started.clear();

    const AssociationResult again = writeAssociation(association, folders, &shell);
    EXPECT_FALSE(again.mimePackage || again.desktopEntry || again.mimeappsList);
    EXPECT_FALSE(again.mimeDatabaseRefreshed || again.desktopDatabaseRefreshed);
    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(QFileInfo(list()).lastModified(), listTime);
}

TEST_F(ThemeAssociation, AMovedProgramRegistersItsNewPath)
{
    writeAssociation(association, folders, &shell);
    association.programPath = QStringLiteral("/opt/zorrit/bin/zorrit");
    EXPECT_TRUE(writeAssociation(association, folders, &shell).desktopEntry);
    EXPECT_TRUE(read(entry()).contains("Exec=/opt/zorrit/bin/zorrit %f\n"));
}

TEST_F(ThemeAssociation, RefreshesTheCachesWithTheInstalledTools)
{
    const AssociationResult result = writeAssociation(association, folders, &shell);
    // The tools are installed with the build's dependencies; only what exists is started.
    QStringList started;
    for (const QString &program : shell.started)
        started << QFileInfo(program).fileName();
    EXPECT_EQ(result.mimeDatabaseRefreshed,
              started.contains(QStringLiteral("update-mime-database")));
    EXPECT_EQ(result.desktopDatabaseRefreshed,
              started.contains(QStringLiteral("update-desktop-database")));
    for (std::size_t i = 0; i < shell.started.size(); ++i)
        EXPECT_TRUE(shell.startedArguments[i].last().startsWith(folders.dataHome));
}

TEST_F(ThemeAssociation, WritesNothingForAnUnusableTypeOrExtension)
{
    for (const auto &[type, extension] : {std::pair{QString(), QStringLiteral(".thm")},
                                          std::pair{QStringLiteral("Zorrit"), QString()},
                                          std::pair{QStringLiteral("/"), QStringLiteral(".thm")}}) {
        association.typeName = type;
        association.extension = extension;
        const AssociationResult result = writeAssociation(association, folders, &shell);
        EXPECT_FALSE(result.mimePackage || result.desktopEntry || result.mimeappsList);
    }
    EXPECT_TRUE(allFiles().isEmpty());
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(ThemeAssociation, LeavesOddFilesAlone)
{
    // Read as a file, a FIFO would block the start for ever and a link to /dev/zero would eat
    // the memory. Each is neither read nor replaced, and the rest is written.
    struct Case
    {
        const char *what;
        std::function<QString()> make; // returns the odd file's path
    };
    const Case cases[] = {
        {"a FIFO as the list",
         [this] {
             QDir().mkpath(folders.configHome);
             EXPECT_EQ(::mkfifo(QFile::encodeName(list()).constData(), 0600), 0);
             return list();
         }},
        {"the list a link to /dev/zero",
         [this] {
             QDir().mkpath(folders.configHome);
             EXPECT_TRUE(QFile::link(QStringLiteral("/dev/zero"), list()));
             return list();
         }},
        {"a folder as the list",
         [this] {
             QDir().mkpath(list());
             return list();
         }},
        {"a list far too big",
         [this] {
             write(list(), "[Default Applications]\n");
             EXPECT_TRUE(QFile::resize(list(), 17 * 1024 * 1024)); // sparse: costs no disk
             return list();
         }},
        {"a FIFO as the desktop entry",
         [this] {
             QDir().mkpath(QFileInfo(entry()).absolutePath());
             EXPECT_EQ(::mkfifo(QFile::encodeName(entry()).constData(), 0600), 0);
             return entry();
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString fresh = home.filePath(QString::fromLatin1(c.what));
        folders.dataHome = fresh + QStringLiteral("/data");
        folders.configHome = fresh + QStringLiteral("/config");
        const QString odd = c.make();
        const QFileInfo before(odd);
        const AssociationResult result = writeAssociation(association, folders, &shell);
        EXPECT_EQ(result.leftAlone, QStringList{odd});
        const QFileInfo after(odd);
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_EQ(after.isFile(), before.isFile());
        EXPECT_EQ(after.size(), before.size());
        EXPECT_EQ(after.lastModified(), before.lastModified());
        // The rest still goes on.
        EXPECT_TRUE(result.mimePackage);
        EXPECT_EQ(result.desktopEntry, odd != entry());
        EXPECT_EQ(result.mimeappsList, odd != list());
    }

    // A file without read permission (root reads it anyway, so only for other users) is left
    // alone too, silently.
    if (::geteuid() != 0) {
        write(list(), "[Default Applications]\ntext/plain=gedit.desktop;\n");
        QFile::setPermissions(list(), QFile::WriteOwner);
        const AssociationResult result = writeAssociation(association, folders, &shell);
        EXPECT_FALSE(result.mimeappsList);
        EXPECT_TRUE(result.leftAlone.isEmpty());
        QFile::setPermissions(list(), QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_EQ(read(list()), QByteArray("[Default Applications]\ntext/plain=gedit.desktop;\n"));
    }
}

TEST_F(ThemeAssociation, WritesThroughASymlinkedList)
{
    const QString target = home.filePath(QStringLiteral("dotfiles/mimeapps.list"));
    write(target, "[Default Applications]\n");
    QDir().mkpath(folders.configHome);
    ASSERT_TRUE(QFile::link(target, list()));
    writeAssociation(association, folders, &shell);
    EXPECT_TRUE(QFileInfo(list()).isSymLink());
    EXPECT_EQ(read(target),
              QByteArray("[Default Applications]\napplication/x-zorrit-theme=zorrit.desktop;\n"));
}

TEST_F(ThemeAssociation, AnUninstalledCopyNeverHidesTheInstalledMenuEntry)
{
    // An uninstalled copy's hidden entry has an ID of its own, and is the default opener.
    const QString hidden =
        folders.dataHome + QStringLiteral("/applications/zorrit-uninstalled.desktop");
    Association build = association;
    build.menuEntry = false;
    build.programPath = QStringLiteral("/home/me/src/build/bin/zorrit");
    // A hidden entry of another uninstalled copy under the installed copy's ID, and a user's own
    // entry there.
    Association oldBuild = build;
    oldBuild.programPath = QStringLiteral("/home/me/old build/zorrit");
    struct Case
    {
        const char *what;
        QByteArray existing;
        bool kept;
    };
    const Case cases[] = {
        {"an old hidden entry of another copy", desktopEntry(oldBuild), false},
        {"the user's own entry", desktopEntry(oldBuild).replace("Utility;", "Utility;Toys;"), true},
        {"the installed copy's entry", desktopEntry(association), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        write(entry(), c.existing);
        writeAssociation(build, folders, &shell);
        EXPECT_EQ(read(hidden), desktopEntry(build));
        EXPECT_TRUE(read(hidden).contains("NoDisplay=true"));
        EXPECT_EQ(QFileInfo::exists(entry()), c.kept);
        if (c.kept) {
            EXPECT_EQ(read(entry()), c.existing);
        }
        EXPECT_TRUE(
            read(list()).contains("application/x-zorrit-theme=zorrit-uninstalled.desktop;\n"));
    }
    // The installed copy takes the default back.
    writeAssociation(association, folders, &shell);
    EXPECT_EQ(read(entry()), desktopEntry(association));
    EXPECT_TRUE(read(list()).contains("application/x-zorrit-theme=zorrit.desktop;")); // first
}

TEST(AssociationFolders, FollowTheXdgVariablesAndIgnoreRelativeOnes)
{
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/d");
    qputenv("XDG_CONFIG_HOME", "relative/c");
    const AssociationFolders folders = AssociationFolders::fromEnvironment();
    EXPECT_EQ(folders.dataHome, QStringLiteral("/tmp/d"));
    EXPECT_EQ(folders.configHome, QDir::homePath() + QStringLiteral("/.config"));
    EXPECT_EQ(folders.mimeappsListPath(),
              QDir::homePath() + QStringLiteral("/.config/mimeapps.list"));
    qputenv("XDG_DATA_HOME", oldData);
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST(AssociateThemeFiles, RegistersTheRunningProgram)
{
    QTemporaryDir home;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("PATH", home.path().toUtf8()); // no cache tools: nothing outlives the test
    const QString list = home.filePath(QStringLiteral("config/mimeapps.list"));
    QDir().mkpath(home.filePath(QStringLiteral("config")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(list).constData(), 0600), 0);

    testing::internal::CaptureStderr();
    AssociateThemeFiles(QStringLiteral("Zorrit"), QStringLiteral(".thm"),
                        QStringLiteral("Zorrit File"), themeFileIconName());
    const QString said = QString::fromStdString(testing::internal::GetCapturedStderr());
    QFile entry(home.filePath(QStringLiteral("data/applications/zorrit-uninstalled.desktop")));
    const bool opened = entry.open(QIODevice::ReadOnly);
    const QByteArray content = entry.readAll();

    qputenv("XDG_DATA_HOME", oldData);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("PATH", oldPath);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(
        content.contains("TryExec=" + QCoreApplication::applicationFilePath().toUtf8() + '\n'));
    EXPECT_TRUE(content.contains("NoDisplay=true")); // a test binary is no installed copy
    // The FIFO in place of the list is left as it is, and the user is told once.
    EXPECT_FALSE(QFileInfo(list).isFile());
    EXPECT_EQ(said.count(QLatin1Char('\n')), 1) << said.toStdString();
    EXPECT_TRUE(said.startsWith(QStringLiteral("zorrit: ") + list + QLatin1Char(' ')))
        << said.toStdString();
}
