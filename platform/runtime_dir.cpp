// SPDX-License-Identifier: GPL-3.0-or-later
// Locating and creating the per-user runtime folder.
#include "runtime_dir.h"

#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Creates a folder with mode 0700, or accepts an existing one only if it is ours and private.
bool makePrivateDir(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st = {};
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return false;
    return true;
}

} // namespace

QString runtimeDir(const QString &program)
{
    const QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!base.isEmpty() && QDir(base).exists()) {
        const QString dir = base + QLatin1Char('/') + program;
        if (makePrivateDir(dir))
            return dir;
    }
    const QString shared = QStringLiteral("/tmp/%1-%2").arg(program).arg(::getuid());
    if (makePrivateDir(shared))
        return shared;
    // Someone else took that name (or it is not private): a folder nobody else can create.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return {};
    const QString own = cache + QLatin1Char('/') + program;
    const QString dir = own + QStringLiteral("/run-") + QSysInfo::machineHostName();
    if (!makePrivateDir(own) || !makePrivateDir(dir))
        return {};
    return dir;
}

} // namespace platform
