// SPDX-License-Identifier: GPL-3.0-or-later
// The running copy's end of the hand-off.
#include "hand_off_server.h"

#include <QFile>
#include <QLocalSocket>
#include <QPointer>

#include <utility>

#include <sys/socket.h>

namespace zorrit::instance {

namespace {

// A request is one short line; anything longer is not one.
constexpr qint64 kMaxRequestBytes = 64;

// Whether the client has hung up after its line: it gave up waiting for the answer.
bool senderHasGone(QLocalSocket *socket)
{
    if (socket->state() != QLocalSocket::ConnectedState)
        return true;
    char byte = 0;
    return ::recv(int(socket->socketDescriptor()), &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

} // namespace

HandOffServer::HandOffServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QLocalServer::newConnection, this, &HandOffServer::acceptConnections);
    m_serverWatch.setInterval(1000);
    connect(&m_serverWatch, &QTimer::timeout, this, [this] {
        if (!m_server.isListening())
            listenAgain();
    });
}

HandOffServer::~HandOffServer()
{
    // The server deletes the connections it made; none of them is to call back here then.
    for (QLocalSocket *socket : std::as_const(m_clients))
        socket->disconnect(this);
}

bool HandOffServer::listen(const QString &runtimeFolder, const StartMark &mine,
                           const TakeoverClaims::RunningTest &isRunning)
{
    m_runtimeFolder = runtimeFolder;
    m_startMark = mine;
    m_isRunning = isRunning;
    m_listenWanted = true;
    m_serverWatch.start();
    return listenAgain();
}

bool HandOffServer::listenAgain()
{
    if (!m_listenWanted)
        return false;
    if (m_server.isListening())
        return true;
    const QString serverPath = trayServerPath(m_runtimeFolder);
    QLocalServer::removeServer(serverPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(serverPath);
}

void HandOffServer::close()
{
    m_listenWanted = false;
    m_serverWatch.stop();
    m_server.close();
}

void HandOffServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        // Silent clients must not use up this copy's files: the oldest goes to make room.
        if (m_clients.size() >= kMaxClients)
            drop(m_clients.front());
        m_clients.append(socket);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_clients.removeOne(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(kClientTimeoutMs, socket, [this, socket] { drop(socket); });
        readRequest(socket);
    }
}

void HandOffServer::drop(QLocalSocket *socket)
{
    if (!m_clients.removeOne(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void HandOffServer::readRequest(QLocalSocket *socket)
{
    if (!m_clients.contains(socket))
        return;
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequestBytes)
            drop(socket);
        return;
    }
    const QByteArray line = socket->readLine(kMaxRequestBytes);
    const std::optional<HandOffRequest> request = parseRequestLine(line);
    // A command-line request whose sender gave up has been reported as not done: it stays so.
    // A close stands, as Scrap.dat does.
    if (request && (*request == HandOffRequest::Close || !senderHasGone(socket))) {
        const QPointer<QLocalSocket> guard(socket);
        handle(*request);
        if (guard && m_clients.contains(socket)) {
            socket->write(answerLine());
            socket->flush();
            m_clients.removeOne(socket);
            socket->disconnect(this);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
        }
        return;
    }
    drop(socket);
}

void HandOffServer::handle(HandOffRequest request)
{
    switch (request) {
    case HandOffRequest::Close: {
        // A closed tray hears no more requests; a copy that handed over ends this one. Scrap.dat
        // is the sign that an older Zorrit gives too; the claim of a copy started after this one
        // is enough on its own, so its close never leaves this copy running without a tray.
        close();
        Q_EMIT closeRequested();
        const QString scrap = scrapFilePath(m_runtimeFolder);
        const bool scrapLeft = QFile::exists(scrap);
        if (scrapLeft)
            QFile::remove(scrap);
        // Connections taken in before the server closed may bring more close requests: the
        // program ends once.
        if (!m_handedOver
            && (scrapLeft
                || TakeoverClaims(m_runtimeFolder, m_isRunning).newerClaim(m_startMark))) {
            m_handedOver = true;
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
