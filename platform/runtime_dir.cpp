// SPDX-License-Identifier: GPL-3.0-or-later
// Locating and creating the per-user runtime folder.
#include "runtime_dir.h"

#include <QDir>

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
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return false;
    return true;
}

} // namespace

QString runtimeDir(const QString &program)
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QDir(base).exists()) {
        base = QStringLiteral("/tmp/%1-%2").arg(program).arg(::getuid());
        return makePrivateDir(base) ? base : QString();
    }
    const QString dir = base + QLatin1Char('/') + program;
    return makePrivateDir(dir) ? dir : QString();
}

} // namespace platform
