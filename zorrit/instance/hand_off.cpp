// SPDX-License-Identifier: GPL-3.0-or-later
// The sending side of the hand-off between copies, and the files both sides use.
#include "hand_off.h"

#include "platform/instance_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

namespace zorrit::instance {

QString scrapFilePath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/Scrap.dat");
}

QString trayServerPath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/tray.sock");
}

QByteArray requestLine(HandOffRequest request)
{
    switch (request) {
    case HandOffRequest::Close:
        return QByteArrayLiteral("close\n");
    case HandOffRequest::Preferences:
        return QByteArrayLiteral("preferences\n");
    case HandOffRequest::Quit:
        return QByteArrayLiteral("quit\n");
    }
    return {};
}

std::optional<HandOffRequest> parseRequestLine(const QByteArray &line)
{
    for (const HandOffRequest request :
         {HandOffRequest::Close, HandOffRequest::Preferences, HandOffRequest::Quit}) {
        if (line == requestLine(request))
            return request;
    }
    return std::nullopt;
}

bool writeScrap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(" \r\n") == 3;
}

bool sendRequest(const QString &serverPath, HandOffRequest request, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(serverPath);
        if (socket.waitForConnected(500)) {
            socket.write(requestLine(request));
            if (socket.waitForBytesWritten(1000)) {
                // The running copy hangs up once it has taken the request.
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

QString instanceLockPath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/zorrit.lock");
}

Delivery sendToRunningCopy(const QString &runtimeFolder, HandOffRequest request, int timeoutMs)
{
    if (runtimeFolder.isEmpty())
        return Delivery::NotRunning;
    if (!platform::InstanceLock(instanceLockPath(runtimeFolder)).isHeldByAnyone())
        return Delivery::NotRunning;
    return sendRequest(trayServerPath(runtimeFolder), request, timeoutMs) ? Delivery::Delivered
                                                                          : Delivery::NoAnswer;
}

bool handOffToRunningCopy(const QString &runtimeFolder, int timeoutMs)
{
    if (runtimeFolder.isEmpty())
        return false;
    const QString scrap = scrapFilePath(runtimeFolder);
    writeScrap(scrap);
    if (sendRequest(trayServerPath(runtimeFolder), HandOffRequest::Close, timeoutMs))
        return true;
    QFile::remove(scrap);
    return false;
}

} // namespace zorrit::instance
