// SPDX-License-Identifier: GPL-3.0-or-later
// Opening addresses and starting programs through Qt.
#include "shell.h"

#include <QDesktopServices>
#include <QProcess>

namespace platform {

bool QtShell::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool QtShell::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace platform
