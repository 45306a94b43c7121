// SPDX-License-Identifier: GPL-3.0-or-later
// One HTTP/1.0 GET on a QTcpSocket, driven by the event loop: lookup, connect, send, collect.
#pragma once

#include "zorrit/update/http_response.h"
#include "zorrit/update/transfer_status.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <optional>

class QHostInfo;
class QTcpSocket;

namespace zorrit::update {

struct TransferTiming
{
    // Name lookup and connection together are given up after this; the lookup may take half.
    std::chrono::milliseconds connectWait{10000};
    // How long the response is awaited once the request is sent. An answer still open then is
    // a failure, unless it announced its length and all of it has come.
    std::chrono::milliseconds responseWait{10000};
    // While one address has not answered yet, the next one is tried after this, the earlier
    // attempts going on ("Happy Eyeballs"): a silently dropped first address costs this much.
    std::chrono::milliseconds attemptDelay{250};
};

class HttpClient : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 kReadSize = 8192; // at most this much per read

    explicit HttpClient(TransferTiming timing = {}, QObject *parent = nullptr);
    ~HttpClient() override;

    // Starts the transfer; the status passes through the non-final texts and ends in exactly one
    // final one (LookupFailed, CouldNotConnect or WaitingResponse).
    void fetch(const QString &host, quint16 port, const QString &path);
    // The same with the host's addresses already known (no lookup); the Host header still names
    // host.
    void fetchFrom(const QList<QHostAddress> &addresses, const QString &host, quint16 port,
                   const QString &path);
    // Stops everything at once and closes the socket; no signal follows.
    void cancel();

    TransferStatus status() const { return m_status; }
    bool isFinished() const { return isFinal(m_status); }
    const ResponseAccumulator &response() const { return m_response; }
    // The body of a complete 2xx response received without a transfer error.
    std::optional<QByteArray> acceptedBody() const;

Q_SIGNALS:
    void statusChanged(zorrit::update::TransferStatus status);
    void progressChanged(int percent);
    void received(const QByteArray &chunk);

private:
    enum class Phase { Idle, LookingUp, Connecting, Waiting, Done };

    void onLookedUp(const QHostInfo &info);
    void startConnecting(const QList<QHostAddress> &addresses);
    void connectNext();
    void onAttemptFailed(QTcpSocket *attempt);
    void onConnected(QTcpSocket *attempt);
    void onReadyRead();
    void onSocketError();
    void onConnectTimeout();
    void onResponseTimeout();
    void readAvailable();
    void finishWait();
    void fail(TransferStatus status);
    void dropSocket();
    void dropAttempts();
    void setStatus(TransferStatus status);

    TransferTiming m_timing;
    Phase m_phase = Phase::Idle;
    TransferStatus m_status = TransferStatus::PleaseWait;
    QString m_host;
    QString m_path;
    quint16 m_port = 80;
    int m_lookupId = -1;
    QList<QHostAddress> m_addresses;
    qsizetype m_nextAddress = 0;
    QList<QTcpSocket *> m_attempts; // children; connections under way, one per address tried
    QTcpSocket *m_socket = nullptr; // child; the attempt that connected
    QElapsedTimer m_started;
    QTimer m_connectTimer;
    QTimer m_attemptTimer;
    QTimer m_responseTimer;
    ResponseAccumulator m_response;
    bool m_transferError = false;
};

} // namespace zorrit::update
