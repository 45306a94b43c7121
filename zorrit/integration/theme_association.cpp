// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the association files into the user's XDG folders and refreshing the caches.
#include "theme_association.h"

#include "install_locations.h"
#include "mimeapps_list.h"
#include "platform/file_names.h"
#include "platform/shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>

#include <unistd.h>

namespace zorrit::integration {

namespace {

// An XDG base folder from the environment; relative values are invalid and ignored.
QString xdgFolder(const char *variable, const QString &fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + QLatin1Char('/') + fallbackUnderHome;
}

void noteLeftAlone(const QString &path, QStringList &leftAlone)
{
    if (!leftAlone.contains(path))
        leftAlone.append(path);
}

// Far beyond any desktop file or mimeapps.list; a bigger file is not one of them.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

// What reading one of the association's files found.
struct FileRead
{
    enum class Kind { Missing, Read, Unreadable, LeftAlone } kind = Kind::Missing;
    QByteArray bytes; // Read only
};

// Reads a file as the settings are read: regular files only (also behind a link), opened
// without blocking, so that a FIFO or a device in its place can neither hang the start nor
// eat the memory; a file over the cap, or anything not a regular file, is left alone and the
// user hears of it once.
FileRead readFile(const QString &path, QStringList &leftAlone)
{
    const int fd = platform::openRegularFile(path);
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        if (errno == EINVAL) {
            noteLeftAlone(path, leftAlone);
            return {FileRead::Kind::LeftAlone, {}};
        }
        return {FileRead::Kind::Unreadable, {}};
    }
    FileRead result{FileRead::Kind::Read, {}};
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result = {FileRead::Kind::Unreadable, {}};
            break;
        }
        if (n == 0)
            break;
        if (result.bytes.size() + n > kMaxFileBytes) {
            noteLeftAlone(path, leftAlone);
            result = {FileRead::Kind::LeftAlone, {}};
            break;
        }
        result.bytes.append(buffer, n);
    }
    ::close(fd);
    return result;
}

// True when the file now holds `bytes` and had to be written for it. A file that is left alone
// is not replaced either.
bool writeIfChanged(const QString &path, const QByteArray &bytes, QStringList &leftAlone)
{
    const FileRead old = readFile(path, leftAlone);
    if (old.kind == FileRead::Kind::LeftAlone)
        return false;
    if (old.kind == FileRead::Kind::Read && old.bytes == bytes)
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// Whether a cache file is missing or older than the file it is built from.
bool cacheIsStale(const QString &cache, const QString &source)
{
    const QFileInfo cacheInfo(cache);
    return !cacheInfo.exists() || cacheInfo.lastModified() < QFileInfo(source).lastModified();
}

bool refresh(platform::Shell *shell, const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return false;
    return shell->startProgram(program, arguments);
}

// Starts the cache tools detached with their output thrown away: what they have to say (notes
// about search paths, warnings about other packages) is not the user's business, and failures
// are silent anyway.
class QuietLauncher final : public platform::Shell
{
public:
    bool openUrl(const QUrl &) override { return false; }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        return process.startDetached();
    }
};

} // namespace

AssociationFolders AssociationFolders::fromEnvironment()
{
    return {xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")),
            xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config"))};
}

QString AssociationFolders::mimePackagesDir() const
{
    return dataHome + QStringLiteral("/mime/packages");
}

QString AssociationFolders::applicationsDir() const
{
    return dataHome + QStringLiteral("/applications");
}

QString AssociationFolders::mimeappsListPath() const
{
    return configHome + QStringLiteral("/mimeapps.list");
}

AssociationResult writeAssociation(const Association &association,
                                   const AssociationFolders &folders, platform::Shell *shell)
{
    AssociationResult result;
    const QString name = baseName(association.typeName);
    const QByteArray xml = mimePackageXml(association);
    const QByteArray entry = desktopEntry(association);
    if (name.isEmpty() || xml.isEmpty() || entry.isEmpty() || folders.dataHome.isEmpty()
        || folders.configHome.isEmpty())
        return result;

    const QString xmlPath =
        folders.mimePackagesDir() + QLatin1Char('/') + name + QStringLiteral(".xml");
    const QString entryPath =
        folders.applicationsDir() + QLatin1Char('/') + desktopFileId(association);
    result.mimePackage = writeIfChanged(xmlPath, xml, result.leftAlone);
    result.desktopEntry = writeIfChanged(entryPath, entry, result.leftAlone);
    if (!association.menuEntry) {
        // An uninstalled copy's hidden entry under the installed copy's ID would hide the
        // installed menu entry: such a file (and only such) goes.
        const QString shadow =
            folders.applicationsDir() + QLatin1Char('/') + desktopFileId(association.typeName);
        const QFileInfo info(shadow);
        if (info.isFile() && !info.isSymLink()) {
            if (const FileRead old = readFile(shadow, result.leftAlone);
                old.kind == FileRead::Kind::Read && isUninstalledCopyEntry(old.bytes, association))
                QFile::remove(shadow);
        }
    }

    // A list that exists but cannot be read is left alone: rewriting it would lose the user's
    // other associations.
    const QString listPath = folders.mimeappsListPath();
    if (const FileRead list = readFile(listPath, result.leftAlone);
        list.kind == FileRead::Kind::Missing || list.kind == FileRead::Kind::Read) {
        const QByteArray edited = setDefaultApplication(
            list.bytes, mimeTypeName(association.typeName), desktopFileId(association));
        result.mimeappsList = writeIfChanged(listPath, edited, result.leftAlone);
    }

    if (shell) {
        const QString mimeDir = folders.dataHome + QStringLiteral("/mime");
        if (QFileInfo(xmlPath).isFile()
            && cacheIsStale(mimeDir + QStringLiteral("/mime.cache"), xmlPath))
            result.mimeDatabaseRefreshed =
                refresh(shell, QStringLiteral("update-mime-database"), {mimeDir});
        const QString appsDir = folders.applicationsDir();
        if (QFileInfo(entryPath).isFile()
            && cacheIsStale(appsDir + QStringLiteral("/mimeinfo.cache"), entryPath))
            result.desktopDatabaseRefreshed = refresh(
                shell, QStringLiteral("update-desktop-database"), {QStringLiteral("-q"), appsDir});
    }
    return result;
}

void AssociateThemeFiles(const QString &typeName, const QString &extension,
                         const QString &description, const QString &iconEntry)
{
    if (typeName.isEmpty())
        return;
    Association association;
    association.typeName = typeName;
    association.extension = extension;
    association.description = description;
    association.iconEntry = iconEntry;
    association.programPath = QCoreApplication::applicationFilePath();
    association.menuEntry = isInstalledCopy(QCoreApplication::applicationDirPath());
    QuietLauncher launcher;
    const AssociationResult result =
        writeAssociation(association, AssociationFolders::fromEnvironment(), &launcher);
    for (const QString &path : result.leftAlone)
        std::fputs(QCoreApplication::translate("zorrit::integration",
                                               "zorrit: %1 is not a regular file of a sensible "
                                               "size; the theme file association leaves it "
                                               "alone.\n")
                       .arg(path)
                       .toLocal8Bit()
                       .constData(),
                   stderr);
}

} // namespace zorrit::integration
