// SPDX-License-Identifier: GPL-3.0-or-later
// Talking to the copy that already runs, the sending side: a request is one line over a user-only
// local socket in the runtime folder, answered by the running copy's HandOffServer. A theme start
// hands over with the close request plus the one-line file Scrap.dat, which tells the running
// copy to end rather than only close its tray.
#pragma once

#include "start_mark.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace platform {
class InstanceLock;
}

namespace zorrit::instance {

class TakeoverClaims;

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

// Creates or overwrites the hand-off file: one line holding a single space.
bool writeScrap(const QString &path);

// What the running copy sends back once it has acted on a request.
QByteArray answerLine();

// Sends the request to the copy listening at serverPath and waits for its answer, all within
// timeoutMs. While nobody listens there yet (the other copy is still starting), or a connection
// closes unanswered, it tries again. A close request waits at most 2 s for its answer.
enum class SendResult {
    NotSent,    // nobody took the line
    Unanswered, // the line went out, but no answer came in time
    Answered,   // the running copy has acted on it
};
SendResult sendRequest(const QString &serverPath, HandOffRequest request, int timeoutMs);

// A request from the command line (--preferences, --quit) to the copy that runs.
enum class Delivery { Delivered, NotRunning, NoAnswer };
// NotRunning when nobody holds the instance lock in runtimeFolder (nothing is sent then);
// NoAnswer when the copy that holds it did not answer that it had acted within timeoutMs.
Delivery sendToRunningCopy(const QString &runtimeFolder, HandOffRequest request,
                           int timeoutMs = 5000);

// A copy started with a theme, before it opens the display: waits until it holds the instance
// lock, asking whoever holds it to hand over (Scrap.dat and the close request, again while it
// waits, since the holder may still be starting or may be another copy that is about to end), or
// until a copy started after it claims the takeover; only the newest claim goes on. The one that
// takes the lock removes a Scrap.dat left for a copy that has ended. stillWaiting is called once
// when the wait has taken kLongWaitMs.
enum class Turn {
    Ours,     // this copy holds the lock: it runs with its theme
    GivenWay, // a copy started later takes over instead: this one ends
    NoLock,   // the lock cannot be made here: nobody can be waited for
};
constexpr int kLongWaitMs = 5000;
Turn waitForTurn(const TakeoverClaims &claims, const StartMark &mine, platform::InstanceLock &lock,
                 const std::function<void()> &stillWaiting = {});

} // namespace zorrit::instance
