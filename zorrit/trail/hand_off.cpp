// SPDX-License-Identifier: GPL-3.0-or-later
// The sending side of the hand-off.
#include "hand_off.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace zorrit::trail {

QString scrapFilePath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/Scrap.dat");
}

QString trayServerPath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/tray.sock");
}

bool writeScrap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(" \r\n") == 3;
}

bool FileExists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool sendCloseRequest(const QString &serverPath, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(serverPath);
        if (socket.waitForConnected(500)) {
            socket.write(closeRequest());
            if (socket.waitForBytesWritten(1000)) {
                // The tray window hangs up once it has taken the request.
                if (socket.state() != QLocalSocket::UnconnectedState)
                    socket.waitForDisconnected(2000);
                return true;
            }
        }
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
}

bool handOffToRunningCopy(const QString &runtimeFolder, int timeoutMs)
{
    if (runtimeFolder.isEmpty())
        return false;
    const QString scrap = scrapFilePath(runtimeFolder);
    writeScrap(scrap);
    if (sendCloseRequest(trayServerPath(runtimeFolder), timeoutMs))
        return true;
    QFile::remove(scrap);
    return false;
}

} // namespace zorrit::trail
