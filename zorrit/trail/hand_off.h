// SPDX-License-Identifier: GPL-3.0-or-later
// Talking to the copy that already runs, both ends: a request is one line over a user-only local
// socket in the runtime folder. The running copy listens (HandOffServer) and a new copy sends
// (sendRequest). A theme start hands over with the close request plus the one-line file Scrap.dat,
// which tells the running copy's tray window to end the program when closed.
#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <optional>

class QLocalSocket;

namespace zorrit::trail {

// Files in the per-user runtime folder.
QString scrapFilePath(const QString &runtimeFolder);
QString trayServerPath(const QString &runtimeFolder);
QString instanceLockPath(const QString &runtimeFolder);

enum class HandOffRequest {
    Close,       // a copy started with a theme takes over
    Preferences, // open the preferences
    Quit,        // end as the tray menu's "&Quit" does
};

// The line that carries a request, and the request a line carries (nothing for a stranger's line).
QByteArray requestLine(HandOffRequest request);
std::optional<HandOffRequest> parseRequestLine(const QByteArray &line);
inline QByteArray closeRequest()
{
    return requestLine(HandOffRequest::Close);
}

// Creates or overwrites the hand-off file: one line holding a single space.
bool writeScrap(const QString &path);
bool FileExists(const QString &path);

// Sends the request to the copy listening at serverPath. While nobody listens there yet (the
// other copy is still starting) it tries again until timeoutMs have passed.
bool sendRequest(const QString &serverPath, HandOffRequest request, int timeoutMs);
inline bool sendCloseRequest(const QString &serverPath, int timeoutMs)
{
    return sendRequest(serverPath, HandOffRequest::Close, timeoutMs);
}

// A request from the command line (--preferences, --quit) to the copy that runs.
enum class Delivery { Delivered, NotRunning, NoAnswer };
// NotRunning when nobody holds the instance lock in runtimeFolder (nothing is sent then);
// NoAnswer when the copy that holds it did not take the request within timeoutMs.
Delivery sendToRunningCopy(const QString &runtimeFolder, HandOffRequest request,
                           int timeoutMs = 5000);

// The whole hand-off: write Scrap.dat, send the close request; when no running copy answers,
// Scrap.dat is removed again so that a later, unrelated close of that copy does not end it.
bool handOffToRunningCopy(const QString &runtimeFolder, int timeoutMs = 5000);

// The running copy's end: hears requests and passes each well-formed one on.
class HandOffServer final : public QObject
{
    Q_OBJECT

public:
    explicit HandOffServer(QObject *parent = nullptr);

    // Starts listening at serverPath; only the holder of the instance lock may, so a socket file
    // found there is stale and replaced.
    bool listen(const QString &serverPath);
    void close() { m_server.close(); }
    bool isListening() const { return m_server.isListening(); }

Q_SIGNALS:
    void requested(zorrit::trail::HandOffRequest request);

private:
    void acceptConnections();
    void readRequest(QLocalSocket *socket);

    QLocalServer m_server;
};

} // namespace zorrit::trail
