// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_socket.h"

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::localsocket {

namespace {
constexpr std::size_t kReadChunk = 4096;

bool wouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK;
}
} // namespace

int connectTo(std::string_view path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t room = sizeof(address.sun_path) - (abstract ? 1 : 0);
    if (path.empty() || path.size() >= room)
        return -1;
    std::memcpy(address.sun_path + (abstract ? 1 : 0), path.data(), path.size());
    const auto length =
        socklen_t(offsetof(sockaddr_un, sun_path) + path.size() + (abstract ? 1 : 0));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0)
        return -1;
    // A local socket connects at once or not at all.
    if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), length) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

bool waitFor(int socket, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd watched{socket, events, 0};
        const int ready = ::poll(&watched, 1, int(left.count()));
        if (ready > 0)
            return !(watched.revents & (POLLERR | POLLNVAL))
                   && (watched.revents & events || !(watched.revents & POLLHUP));
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

bool sendAll(int socket, std::string_view data, Clock::time_point deadline)
{
    while (!data.empty()) {
        const ssize_t sent = ::send(socket, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove_prefix(std::size_t(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && wouldBlock()) {
            if (!waitFor(socket, POLLOUT, deadline))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

bool receiveSome(int socket, std::string &into, Clock::time_point deadline)
{
    for (;;) {
        char chunk[kReadChunk];
        const ssize_t got = ::recv(socket, chunk, sizeof chunk, 0);
        if (got > 0) {
            into.append(chunk, std::size_t(got));
            return true;
        }
        if (got == 0 || (errno != EINTR && !wouldBlock()))
            return false;
        if (errno != EINTR && !waitFor(socket, POLLIN, deadline))
            return false;
    }
}

bool receiveWaiting(int socket, std::string &into, std::size_t most)
{
    std::size_t taken = 0;
    while (taken < most) {
        // Into the stack, which is warm, rather than a fresh chunk of the buffer.
        char chunk[kReadChunk];
        const ssize_t got = ::recv(socket, chunk, sizeof chunk, 0);
        if (got > 0) {
            into.append(chunk, std::size_t(got));
            taken += std::size_t(got);
            // Less than asked for: the socket held no more a moment ago, and what comes now
            // is the next read's.
            if (std::size_t(got) < sizeof chunk)
                return true;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        return got < 0 && wouldBlock();
    }
    return true;
}

bool sendWaiting(int socket, std::string &unsent)
{
    while (!unsent.empty()) {
        const ssize_t sent =
            ::send(socket, unsent.data(), unsent.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            unsent.erase(0, std::size_t(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        return sent < 0 && wouldBlock();
    }
    return true;
}

} // namespace platform::localsocket
