// SPDX-License-Identifier: GPL-3.0-or-later
// A Unix stream socket to a local server, spoken by hand: the connections that are read at the
// trail's tick (the session bus's reports, the compositor's cursor sessions) share these.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace platform::localsocket {

using Clock = std::chrono::steady_clock;

// Connects, without blocking afterwards; -1 when nobody listens there. An abstract name has no
// file behind it.
int connectTo(std::string_view path, bool abstract = false);
// Waits until `events` (poll's) can be had; false once the deadline passes or the socket fails.
bool waitFor(int socket, short events, Clock::time_point deadline);
// Sends all of `data`, waiting for room within the deadline.
bool sendAll(int socket, std::string_view data, Clock::time_point deadline);
// Appends what comes, waiting for something within the deadline; false when the peer closed,
// failed or the deadline passed.
bool receiveSome(int socket, std::string &into, Clock::time_point deadline);
// Appends what has arrived, up to `most` bytes, without waiting: one system call while less
// than a read's chunk waits. False once the peer has closed or the socket failed.
bool receiveWaiting(int socket, std::string &into, std::size_t most);
// Sends what the socket takes now and keeps the rest in `unsent`; false when the socket failed
// (a full socket is no failure).
bool sendWaiting(int socket, std::string &unsent);

} // namespace platform::localsocket
