// SPDX-License-Identifier: GPL-3.0-or-later
// The running copy's end of the hand-off.
#include "hand_off_server.h"

#include <QFile>
#include <QLocalSocket>

namespace zorrit::instance {

namespace {
// A request is one short line; anything longer is not one.
constexpr qint64 kMaxRequestBytes = 64;
} // namespace

HandOffServer::HandOffServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QLocalServer::newConnection, this, &HandOffServer::acceptConnections);
}

bool HandOffServer::listen(const QString &runtimeFolder)
{
    if (m_server.isListening())
        return true;
    m_runtimeFolder = runtimeFolder;
    const QString serverPath = trayServerPath(runtimeFolder);
    QLocalServer::removeServer(serverPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(serverPath);
}

void HandOffServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        readRequest(socket);
    }
}

void HandOffServer::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequestBytes)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(kMaxRequestBytes);
    socket->disconnectFromServer();
    if (const std::optional<HandOffRequest> request = parseRequestLine(line))
        handle(*request);
}

void HandOffServer::handle(HandOffRequest request)
{
    switch (request) {
    case HandOffRequest::Close: {
        // A closed tray hears no more requests; a copy that handed over ends this one.
        m_server.close();
        Q_EMIT closeRequested();
        const QString scrap = scrapFilePath(m_runtimeFolder);
        if (QFile::exists(scrap)) {
            QFile::remove(scrap);
            Q_EMIT handedOver();
        }
        return;
    }
    case HandOffRequest::Preferences:
        Q_EMIT preferencesRequested();
        return;
    case HandOffRequest::Quit:
        Q_EMIT quitRequested();
        return;
    }
}

} // namespace zorrit::instance
