// SPDX-License-Identifier: GPL-3.0-or-later
// A scripted HTTP server on the loopback interface for the update tests: records the request,
// answers in timed pieces, then closes, resets or keeps the connection open.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

namespace testing_support {

class LoopbackServer : public QObject
{
public:
    enum class Ending { Close, KeepOpen, Reset };
    struct Script
    {
        QList<QByteArray> pieces; // sent one by one, gapMs apart
        int gapMs = 150;
        Ending ending = Ending::Close;
    };

    // Any: both IPv4 and IPv6 loopback, so "localhost" works whichever it resolves to.
    explicit LoopbackServer(Script script, const QHostAddress &address = QHostAddress::Any,
                            quint16 port = 0)
        : m_script(std::move(script))
    {
        m_server.listen(address, port);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] { accept(); });
    }

    // A plain answer: "HTTP/1.0 <status>" header block, then the body, then the close.
    static Script answer(const QByteArray &body, const QByteArray &status = "200 OK")
    {
        return {{"HTTP/1.0 " + status + "\r\nContent-Type: text/plain\r\n\r\n" + body}};
    }

    quint16 port() const { return m_server.serverPort(); }
    const QByteArray &request() const { return m_request; }
    int connections() const { return m_connections; }
    bool clientGone() const { return m_clientGone; }

private:
    void accept()
    {
        QTcpSocket *socket = m_server.nextPendingConnection();
        ++m_connections;
        m_socket = socket;
        QObject::connect(socket, &QTcpSocket::disconnected, this, [this] { m_clientGone = true; });
        QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            const bool complete = m_request.contains("\r\n\r\n");
            m_request += socket->readAll();
            if (!complete && m_request.contains("\r\n\r\n"))
                sendPiece(0);
        });
    }

    void sendPiece(qsizetype index)
    {
        if (!m_socket)
            return;
        if (index < m_script.pieces.size()) {
            m_socket->write(m_script.pieces.at(index));
            m_socket->flush();
            QTimer::singleShot(m_script.gapMs, this, [this, index] { sendPiece(index + 1); });
            return;
        }
        switch (m_script.ending) {
        case Ending::Close:
            m_socket->disconnectFromHost();
            break;
        case Ending::KeepOpen:
            break;
        case Ending::Reset: {
            // A zero linger time makes the close send a reset instead of an orderly end.
            const linger hard{1, 0};
            ::setsockopt(static_cast<int>(m_socket->socketDescriptor()), SOL_SOCKET, SO_LINGER,
                         &hard, sizeof hard);
            m_socket->abort();
            break;
        }
        }
    }

    Script m_script;
    QTcpServer m_server;
    QPointer<QTcpSocket> m_socket;
    QByteArray m_request;
    int m_connections = 0;
    bool m_clientGone = false;
};

// A loopback port nobody listens on.
inline quint16 refusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace testing_support
