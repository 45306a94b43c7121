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
    m_attemptTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &HttpClient::onConnectTimeout);
    connect(&m_attemptTimer, &QTimer::timeout, this, &HttpClient::connectNext);
    connect(&m_responseTimer, &QTimer::timeout, this, &HttpClient::onResponseTimeout);
}

HttpClient::~HttpClient()
{
    cancel();
}

namespace {
// The addresses with the families taking turns, the first address's family first, so that a
// broken route for one family never holds up the other.
QList<QHostAddress> interleaveFamilies(const QList<QHostAddress> &addresses)
{
    if (addresses.isEmpty())
        return {};
    const auto family = addresses.front().protocol();
    QList<QHostAddress> first, second, out;
    for (const QHostAddress &a : addresses)
        (a.protocol() == family ? first : second).append(a);
    for (qsizetype i = 0; i < qMax(first.size(), second.size()); ++i) {
        if (i < first.size())
            out.append(first.at(i));
        if (i < second.size())
            out.append(second.at(i));
    }
    return out;
}
} // namespace

void HttpClient::fetch(const QString &host, quint16 port, const QString &path)
{
    // A literal address (IPv4 or IPv6) needs no lookup; QHostInfo would try a reverse one.
    QHostAddress literal;
    if (literal.setAddress(host)) {
        fetchFrom({literal}, host, port, path);
        return;
    }
    if (m_phase != Phase::Idle)
        return; // one transfer per client
    m_host = host;
    m_port = port;
    m_path = path;
    m_started.start();
    // The lookup gets half of the time, so the addresses always get the other half.
    m_connectTimer.start(m_timing.connectWait / 2);
    m_phase = Phase::LookingUp;
    m_lookupId = QHostInfo::lookupHost(host, this, &HttpClient::onLookedUp);
}

void HttpClient::fetchFrom(const QList<QHostAddress> &addresses, const QString &host, quint16 port,
                           const QString &path)
{
    if (m_phase != Phase::Idle)
        return;
    m_host = host;
    m_port = port;
    m_path = path;
    m_started.start();
    startConnecting(addresses);
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
    startConnecting(info.addresses());
}

void HttpClient::startConnecting(const QList<QHostAddress> &addresses)
{
    m_addresses = interleaveFamilies(addresses);
    m_phase = Phase::Connecting;
    // Whatever the lookup left of the overall bound.
    const auto left = m_timing.connectWait - std::chrono::milliseconds(m_started.elapsed());
    m_connectTimer.start(std::max(left, std::chrono::milliseconds(0)));
    setStatus(TransferStatus::Connecting);
    Q_EMIT progressChanged(26);
    connectNext();
}

void HttpClient::connectNext()
{
    if (m_phase != Phase::Connecting)
        return; // given up, connected or cancelled meanwhile
    if (m_nextAddress >= m_addresses.size()) {
        if (m_attempts.isEmpty())
            fail(TransferStatus::CouldNotConnect);
        return; // the attempts under way go on until the overall bound
    }
    const QHostAddress address = m_addresses.at(m_nextAddress++);
    auto *attempt = new QTcpSocket(this);
    // Qt's own buffer stays as small as one read, so a huge answer never piles up in memory.
    attempt->setReadBufferSize(kReadSize);
    connect(attempt, &QTcpSocket::connected, this, [this, attempt] { onConnected(attempt); });
    connect(attempt, &QTcpSocket::errorOccurred, this,
            [this, attempt] { onAttemptFailed(attempt); });
    m_attempts.append(attempt);
    attempt->connectToHost(address, m_port);
    m_attemptTimer.start(m_timing.attemptDelay);
}

void HttpClient::onAttemptFailed(QTcpSocket *attempt)
{
    if (m_phase != Phase::Connecting || !m_attempts.removeOne(attempt))
        return;
    // Refused or unreachable: the next address at once, without waiting for the delay. The
    // socket that reported the error must not be deleted inside its own signal.
    attempt->disconnect(this);
    attempt->deleteLater();
    QMetaObject::invokeMethod(this, &HttpClient::connectNext, Qt::QueuedConnection);
}

void HttpClient::onConnected(QTcpSocket *attempt)
{
    if (m_phase != Phase::Connecting || !m_attempts.removeOne(attempt))
        return;
    m_connectTimer.stop();
    m_attemptTimer.stop();
    dropAttempts(); // the slower ones are no longer needed
    attempt->disconnect(this);
    m_socket = attempt;
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpClient::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpClient::finishWait);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &HttpClient::onSocketError);
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
    // A server that keeps the connection open after the announced bytes has said all it will.
    if (m_response.overflowed() || m_response.announcedBodyReceived())
        finishWait();
}

void HttpClient::onResponseTimeout()
{
    if (m_phase != Phase::Waiting)
        return;
    readAvailable();
    // Without the close, only an announced length tells a whole answer from a cut-off one.
    if (!m_response.announcedBodyReceived())
        m_transferError = true;
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
    if (m_phase != Phase::Waiting || !m_socket)
        return;
    const QAbstractSocket::SocketError error = m_socket->error();
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
    m_attemptTimer.stop();
    m_responseTimer.stop();
    dropAttempts();
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

void HttpClient::dropAttempts()
{
    for (QTcpSocket *attempt : std::as_const(m_attempts)) {
        attempt->disconnect(this);
        attempt->abort();
        attempt->deleteLater();
    }
    m_attempts.clear();
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
