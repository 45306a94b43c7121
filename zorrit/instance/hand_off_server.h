// SPDX-License-Identifier: GPL-3.0-or-later
// The running copy's end of the hand-off: hears one request line per connection on the user-only
// socket in the runtime folder, handles the close request and Scrap.dat itself, and answers once
// the request has been acted on.
#pragma once

#include "hand_off.h"
#include "takeover_claims.h"

#include <QList>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QTimer>

class QLocalSocket;

namespace zorrit::instance {

class HandOffServer final : public QObject
{
    Q_OBJECT

public:
    // A client that has not sent its line by then is dropped.
    static constexpr int kClientTimeoutMs = 2000;
    // At most this many connections are open; a new one pushes out the oldest.
    static constexpr int kMaxClients = 16;

    explicit HandOffServer(QObject *parent = nullptr);
    ~HandOffServer() override;

    // Starts listening in runtimeFolder; only the holder of the instance lock may, so a socket
    // file found there is stale and replaced. Should the server fail later (Qt closes it and
    // removes the socket file when accepting fails, at the limit of open files), it listens again
    // as soon as it can. A close request ends this copy, started at `mine`, when it comes with
    // Scrap.dat or while a copy started later claims the takeover (isRunning tells which claims
    // still stand).
    bool listen(const QString &runtimeFolder, const StartMark &mine = ownStartMark(),
                const TakeoverClaims::RunningTest &isRunning = processIsRunning);
    void close();
    bool isListening() const { return m_server.isListening(); }
    int openConnections() const { return int(m_clients.size()); }

Q_SIGNALS:
    // A close request: this copy stops listening and its tray icon is to go. handedOver follows
    // when a copy started with a theme left Scrap.dat (now removed) or claims the takeover: then
    // the program is to end.
    void closeRequested();
    void handedOver();
    void preferencesRequested();
    void quitRequested();

private:
    bool listenAgain();
    void acceptConnections();
    void readRequest(QLocalSocket *socket);
    void drop(QLocalSocket *socket);
    void handle(HandOffRequest request);

    QList<QLocalSocket *> m_clients; // oldest first; the server owns them
    QLocalServer m_server;
    QString m_runtimeFolder;
    StartMark m_startMark;
    TakeoverClaims::RunningTest m_isRunning;
    bool m_listenWanted = false;
    bool m_handedOver = false;
    // Looks once a second whether the server is still there while it should be.
    QTimer m_serverWatch;
};

} // namespace zorrit::instance
