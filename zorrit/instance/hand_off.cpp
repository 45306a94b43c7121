// SPDX-License-Identifier: GPL-3.0-or-later
// The sending side of the hand-off between copies, and the files both sides use.
#include "hand_off.h"

#include "platform/instance_lock.h"
#include "takeover_claims.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zorrit::instance {

QString scrapFilePath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/Scrap.dat");
}

QString trayServerPath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/tray.sock");
}

QByteArray requestLine(HandOffRequest request)
{
    switch (request) {
    case HandOffRequest::Close:
        return QByteArrayLiteral("close\n");
    case HandOffRequest::Preferences:
        return QByteArrayLiteral("preferences\n");
    case HandOffRequest::Quit:
        return QByteArrayLiteral("quit\n");
    }
    return {};
}

std::optional<HandOffRequest> parseRequestLine(const QByteArray &line)
{
    for (const HandOffRequest request :
         {HandOffRequest::Close, HandOffRequest::Preferences, HandOffRequest::Quit}) {
        if (line == requestLine(request))
            return request;
    }
    return std::nullopt;
}

bool writeScrap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(" \r\n") == 3;
}

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// A file descriptor closed when it goes.
class OwnedFd
{
public:
    explicit OwnedFd(int fd)
        : m_fd(fd)
    {
    }
    ~OwnedFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OwnedFd(const OwnedFd &) = delete;
    OwnedFd &operator=(const OwnedFd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Waits for events on fd until the deadline; false when it passed first.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd watched{fd, events, 0};
        const int ready = ::poll(&watched, 1, millisecondsLeft(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

enum class Attempt {
    NotTaken,   // nobody listened, or the connection closed without an answer
    Unanswered, // the line went out; no answer came before the deadline
    Answered,   // the running copy has acted on it
};

// beforeSending, when given, is asked once connected whether the line is still to go.
Attempt attempt(const sockaddr_un &address, const QByteArray &line, Clock::time_point deadline,
                Clock::time_point answerDeadline, const std::function<bool()> &beforeSending = {})
{
    const OwnedFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.get() < 0)
        return Attempt::NotTaken;
    // Without a listener, or with its queue full (EAGAIN), there is nothing to wait on here: the
    // caller tries again.
    if (::connect(socket.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return Attempt::NotTaken;
    if (beforeSending && !beforeSending())
        return Attempt::NotTaken;
    qsizetype written = 0;
    while (written < line.size()) {
        const ssize_t sent = ::send(socket.get(), line.constData() + written,
                                    size_t(line.size() - written), MSG_NOSIGNAL);
        if (sent > 0) {
            written += sent;
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && errno == EAGAIN) {
            if (!waitFor(socket.get(), POLLOUT, deadline))
                return Attempt::NotTaken;
        } else {
            return Attempt::NotTaken;
        }
    }
    QByteArray answer;
    while (waitFor(socket.get(), POLLIN, answerDeadline)) {
        char buffer[64];
        const ssize_t got = ::recv(socket.get(), buffer, sizeof buffer, 0);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            return Attempt::NotTaken; // hung up unanswered: the request was not acted on
        answer.append(buffer, got);
        if (answer.contains('\n'))
            return answer == answerLine() ? Attempt::Answered : Attempt::NotTaken;
        if (answer.size() > 64)
            return Attempt::NotTaken;
    }
    return Attempt::Unanswered;
}

std::optional<sockaddr_un> socketAddress(const QString &serverPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(serverPath);
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

} // namespace

QByteArray answerLine()
{
    return QByteArrayLiteral("done\n");
}

SendResult sendRequest(const QString &serverPath, HandOffRequest request, int timeoutMs)
{
    // A plain socket, poll() and a deadline: this runs before any application object exists,
    // where Qt's sockets cannot wait for anything.
    const std::optional<sockaddr_un> address = socketAddress(serverPath);
    if (!address)
        return SendResult::NotSent;

    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        // A takeover does not wait long for the old copy: the lock tells when it has ended.
        const Clock::time_point answerDeadline =
            request == HandOffRequest::Close
                ? std::min(deadline, Clock::now() + std::chrono::milliseconds(2000))
                : deadline;
        switch (attempt(*address, requestLine(request), deadline, answerDeadline)) {
        case Attempt::Answered:
            return SendResult::Answered;
        case Attempt::Unanswered:
            return SendResult::Unanswered;
        case Attempt::NotTaken:
            break;
        }
        const int left = millisecondsLeft(deadline);
        if (left == 0)
            return SendResult::NotSent;
        // Nobody listens yet (the other copy is still starting), or it is busy: try again soon.
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, 100)));
    }
}

QString instanceLockPath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/zorrit.lock");
}

Delivery sendToRunningCopy(const QString &runtimeFolder, HandOffRequest request, int timeoutMs)
{
    if (runtimeFolder.isEmpty())
        return Delivery::NotRunning;
    if (!platform::InstanceLock(instanceLockPath(runtimeFolder)).isHeldByAnyone())
        return Delivery::NotRunning;
    // Done only when the running copy says it has acted; a stopped copy takes the line into its
    // queue and never answers.
    return sendRequest(trayServerPath(runtimeFolder), request, timeoutMs) == SendResult::Answered
               ? Delivery::Delivered
               : Delivery::NoAnswer;
}

Turn waitForTurn(const TakeoverClaims &claims, const StartMark &mine, platform::InstanceLock &lock,
                 const std::function<void()> &stillWaiting)
{
    // How often the lock is tried (less often once the wait is long: the running copy is busy
    // with a person, who is slower than that); a close that went out unanswered (the holder is
    // stopped or hung) is not sent again for a while, and one that was acted on gives the holder
    // time to end.
    constexpr auto kPoll = std::chrono::milliseconds(20);
    constexpr auto kLongWaitPoll = std::chrono::milliseconds(100);
    constexpr auto kAnswerWait = std::chrono::milliseconds(1000);
    constexpr auto kAfterUnanswered = std::chrono::milliseconds(2000);
    constexpr auto kAfterAnswered = std::chrono::milliseconds(500);

    const QString scrap = scrapFilePath(claims.runtimeFolder());
    const std::optional<sockaddr_un> address =
        socketAddress(trayServerPath(claims.runtimeFolder()));
    const Clock::time_point begun = Clock::now();
    Clock::time_point nextClose = begun;
    bool toldWaiting = false;
    for (;;) {
        if (lock.tryAcquire()) {
            // Nothing is left to hand over: a Scrap.dat there now was written for a copy that
            // has ended. Removed only while no newer copy can write its own.
            if (claims.claim(mine, [&] { QFile::remove(scrap); }))
                return Turn::Ours;
            lock.release();
            return Turn::GivenWay;
        }
        if (lock.isUnusable())
            return Turn::NoLock;
        // Scrap.dat is written only while this copy is the newest, so none is written after the
        // copy that takes over has removed the last one.
        if (!claims.claim(mine, [&] {
                if (!QFile::exists(scrap))
                    writeScrap(scrap);
            }))
            return Turn::GivenWay;
        const Clock::time_point now = Clock::now();
        if (address && now >= nextClose) {
            // Asked again once connected: a holder started with a theme claimed before it
            // listened, so a close sent while this copy is still the newest finds it older.
            const Attempt sent =
                attempt(*address, requestLine(HandOffRequest::Close), now + kAnswerWait,
                        now + kAnswerWait, [&] { return !claims.newerClaim(mine); });
            nextClose = Clock::now()
                        + (sent == Attempt::Answered     ? kAfterAnswered
                           : sent == Attempt::Unanswered ? kAfterUnanswered
                                                         : Clock::duration::zero());
        }
        if (!toldWaiting && Clock::now() - begun >= std::chrono::milliseconds(kLongWaitMs)) {
            toldWaiting = true;
            if (stillWaiting)
                stillWaiting();
        }
        std::this_thread::sleep_for(toldWaiting ? kLongWaitPoll : kPoll);
    }
}

} // namespace zorrit::instance
