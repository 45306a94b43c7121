// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the association files into the user's XDG folders and refreshing the caches.
#include "theme_association.h"

#include "install_locations.h"
#include "mimeapps_list.h"
#include "platform/shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <optional>

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

// The file's bytes; empty for a missing file; nothing for a file that exists but cannot be read.
std::optional<QByteArray> readFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// True when the file now holds `bytes` and had to be written for it.
bool writeIfChanged(const QString &path, const QByteArray &bytes)
{
    const std::optional<QByteArray> old = readFile(path);
    if (old && *old == bytes && QFileInfo::exists(path))
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
    result.mimePackage = writeIfChanged(xmlPath, xml);
    result.desktopEntry = writeIfChanged(entryPath, entry);
    if (!association.menuEntry) {
        // An uninstalled copy once wrote its hidden entry under the installed copy's ID, which hid
        // the installed menu entry: such a file (and only such) goes.
        const QString shadow =
            folders.applicationsDir() + QLatin1Char('/') + desktopFileId(association.typeName);
        const QFileInfo info(shadow);
        if (info.isFile() && !info.isSymLink()) {
            if (const std::optional<QByteArray> old = readFile(shadow);
                old && isUninstalledCopyEntry(*old, association))
                QFile::remove(shadow);
        }
    }

    // A list that exists but cannot be read is left alone: rewriting it would lose the user's
    // other associations.
    const QString listPath = folders.mimeappsListPath();
    if (const std::optional<QByteArray> list = readFile(listPath)) {
        const QByteArray edited = setDefaultApplication(*list, mimeTypeName(association.typeName),
                                                        desktopFileId(association));
        result.mimeappsList = writeIfChanged(listPath, edited);
    }

    if (shell) {
        const QString mimeDir = folders.dataHome + QStringLiteral("/mime");
        if (QFileInfo::exists(xmlPath)
            && cacheIsStale(mimeDir + QStringLiteral("/mime.cache"), xmlPath))
            result.mimeDatabaseRefreshed =
                refresh(shell, QStringLiteral("update-mime-database"), {mimeDir});
        const QString appsDir = folders.applicationsDir();
        if (QFileInfo::exists(entryPath)
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
    writeAssociation(association, AssociationFolders::fromEnvironment(), &launcher);
}

} // namespace zorrit::integration
