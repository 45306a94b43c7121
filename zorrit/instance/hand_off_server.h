// SPDX-License-Identifier: GPL-3.0-or-later
// The running copy's end of the hand-off: hears one request line per connection on the user-only
// socket in the runtime folder, and handles the close request and Scrap.dat itself.
#pragma once

#include "hand_off.h"

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

namespace zorrit::instance {

class HandOffServer final : public QObject
{
    Q_OBJECT

public:
    explicit HandOffServer(QObject *parent = nullptr);

    // Starts listening in runtimeFolder; only the holder of the instance lock may, so a socket
    // file found there is stale and replaced.
    bool listen(const QString &runtimeFolder);
    void close() { m_server.close(); }
    bool isListening() const { return m_server.isListening(); }

Q_SIGNALS:
    // A close request: this copy stops listening and its tray icon is to go. handedOver follows
    // when a copy started with a theme left Scrap.dat (now removed): then the program is to end.
    void closeRequested();
    void handedOver();
    void preferencesRequested();
    void quitRequested();

private:
    void acceptConnections();
    void readRequest(QLocalSocket *socket);
    void handle(HandOffRequest request);

    QLocalServer m_server;
    QString m_runtimeFolder;
};

} // namespace zorrit::instance
