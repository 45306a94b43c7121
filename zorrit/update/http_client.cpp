// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer as a small state machine on the event loop; no thread, no blocking wait.
#include "http_client.h"

#include "zorrit/update/http_request.h"

#include <QHostInfo>
#include <QTcpSocket>

namespace zorrit::update {

HttpClient::HttpClient(TransferTiming timing, QObject *parent)
    : QObject(parent)
    , m_timing(timing)
{
    m_connectTimer.setSingleShot(true);
    m_responseTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &HttpClient::onConnectTimeout);
    connect(&m_responseTimer, &QTimer::timeout, this, &HttpClient::finishWait);
}

HttpClient::~HttpClient()
{
    cancel();
}

void HttpClient::fetch(const QString &host, quint16 port, const QString &path)
{
    if (m_phase != Phase::Idle)
        return; // one transfer per client
    m_host = host;
    m_port = port;
    m_path = path;
    m_connectTimer.start(m_timing.connectWait);

    // A literal address (IPv4 or IPv6) needs no lookup; QHostInfo would try a reverse one.
    QHostAddress literal;
    if (literal.setAddress(host)) {
        m_addresses = {literal};
        m_phase = Phase::Connecting;
        setStatus(TransferStatus::Connecting);
        Q_EMIT progressChanged(26);
        connectNext();
        return;
    }
    m_phase = Phase::LookingUp;
    m_lookupId = QHostInfo::lookupHost(host, this, &HttpClient::onLookedUp);
}

void HttpClient::onLookedUp(const QHostInfo &info)
{
    m_lookupId = -1;
    if (m_phase != Phase::LookingUp)
        return;
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        fail(TransferStatus::LookupFailed);
        return;
    }
    m_addresses = info.addresses();
    m_phase = Phase::Connecting;
    setStatus(TransferStatus::Connecting);
    Q_EMIT progressChanged(26);
    connectNext();
}

void HttpClient::connectNext()
{
    if (m_phase != Phase::Connecting)
        return; // given up or cancelled meanwhile
    dropSocket();
    if (m_nextAddress >= m_addresses.size()) {
        fail(TransferStatus::CouldNotConnect);
        return;
    }
    const QHostAddress address = m_addresses.at(m_nextAddress++);
    m_socket = new QTcpSocket(this);
    // Qt's own buffer stays as small as one read, so a huge answer never piles up in memory.
    m_socket->setReadBufferSize(kReadSize);
    connect(m_socket, &QTcpSocket::connected, this, &HttpClient::onConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpClient::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpClient::finishWait);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &HttpClient::onSocketError);
    m_socket->connectToHost(address, m_port);
}

void HttpClient::onConnected()
{
    if (m_phase != Phase::Connecting)
        return;
    m_connectTimer.stop();
    m_phase = Phase::Waiting;
    setStatus(TransferStatus::Comparing);
    setStatus(TransferStatus::Connecting); // while the request is sent
    const QByteArray request = composeRequest(m_host, m_path);
    if (m_socket->write(request) != request.size()) {
        // Nothing can come back: end the wait at once instead of sitting it out.
        m_transferError = true;
        finishWait();
        return;
    }
    Q_EMIT progressChanged(60);
    setStatus(TransferStatus::CheckingForUpdates);
    m_responseTimer.start(m_timing.responseWait);
}

void HttpClient::onReadyRead()
{
    if (m_phase != Phase::Waiting)
        return;
    readAvailable();
    if (m_response.overflowed())
        finishWait();
}

void HttpClient::readAvailable()
{
    while (m_socket && m_socket->bytesAvailable() > 0 && !m_response.overflowed()) {
        const QByteArray chunk = m_socket->read(kReadSize);
        if (chunk.isEmpty())
            break;
        m_response.append(chunk);
        Q_EMIT received(chunk);
    }
}

void HttpClient::onSocketError()
{
    const QAbstractSocket::SocketError error = m_socket->error();
    if (m_phase == Phase::Connecting) {
        // Refused or unreachable: try the host's next address, if any. Deferred, because the
        // socket that reported the error must not be deleted inside its own signal.
        m_socket->disconnect(this);
        QMetaObject::invokeMethod(this, &HttpClient::connectNext, Qt::QueuedConnection);
        return;
    }
    if (m_phase != Phase::Waiting)
        return;
    // The server closing its end is the normal end of an HTTP/1.0 answer; anything else (a reset)
    // means the answer cannot be trusted.
    if (error != QAbstractSocket::RemoteHostClosedError)
        m_transferError = true;
    finishWait();
}

void HttpClient::onConnectTimeout()
{
    if (m_phase == Phase::LookingUp)
        fail(TransferStatus::LookupFailed);
    else if (m_phase == Phase::Connecting)
        fail(TransferStatus::CouldNotConnect);
}

void HttpClient::finishWait()
{
    if (m_phase != Phase::Waiting)
        return;
    readAvailable(); // whatever arrived together with the close
    m_phase = Phase::Done;
    m_responseTimer.stop();
    dropSocket();
    setStatus(TransferStatus::WaitingResponse);
    Q_EMIT progressChanged(87);
}

void HttpClient::fail(TransferStatus status)
{
    cancel();
    setStatus(status);
}

void HttpClient::cancel()
{
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    m_phase = Phase::Done;
    m_connectTimer.stop();
    m_responseTimer.stop();
    dropSocket();
}

void HttpClient::dropSocket()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
}

void HttpClient::setStatus(TransferStatus status)
{
    m_status = status;
    Q_EMIT statusChanged(status);
}

std::optional<QByteArray> HttpClient::acceptedBody() const
{
    if (m_status != TransferStatus::WaitingResponse || m_transferError)
        return std::nullopt;
    return m_response.acceptedBody();
}

} // namespace zorrit::update
