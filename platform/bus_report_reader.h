// SPDX-License-Identifier: GPL-3.0-or-later
// A session-bus connection of its own, spoken by hand and read only when asked: the compositor's
// pointer reports wait in its socket until the next tick takes them, so they cost no wake-up of
// their own, and a tick's read is one system call.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

class BusReportReader
{
public:
    // Which calls count as reports: `member(ii)` on `path` and `interface`.
    struct Contract
    {
        QByteArray path;
        QByteArray interface;
        QByteArray member;
    };
    // What one read found.
    struct Read
    {
        std::optional<QPoint> last; // the newest report, if any came
        bool closed = false;        // the bus went away; nothing more will come
    };
    // At most this much is taken from the socket at one read: a flood waits for the next one
    // rather than holding up the tick.
    static constexpr std::size_t kMostBytesPerRead = 64 * 1024;
    // While reports come, their answers wait for this many, then go out in one write; a read
    // with `answerNow`, or one that finds nothing new, sends them at once.
    static constexpr std::size_t kAnswersPerWrite = 16;

    // Connects to the session bus; null when it cannot be reached.
    static std::unique_ptr<BusReportReader> connect(Contract contract);
    ~BusReportReader();
    BusReportReader(const BusReportReader &) = delete;
    BusReportReader &operator=(const BusReportReader &) = delete;

    // The connection's unique name, which the reporters call.
    QString uniqueName() const;
    // Readable when something has arrived; for a watch while the trail rests.
    int socket() const;
    // Takes what has arrived, without waiting: one system call while less than a socket's read
    // waits. Calls that want an answer get one (an error for anything but a report), so no
    // caller is left waiting: at once when `answerNow`, otherwise several in one write. Not for
    // two threads at once.
    Read read(bool answerNow);

private:
    BusReportReader(int socket, Contract contract);
    // Authentication and Hello, each step within the deadline.
    bool greet(std::chrono::steady_clock::time_point deadline);
    // What the socket holds, up to the limit; false once it is closed.
    bool receive();
    // The whole messages at the front of what was received, with their answers queued.
    void take(Read &read);
    std::uint32_t nextSerial();
    // Keeps the answer just added to the unsent ones, or drops it (cut back to `before`) when
    // the bus has stopped taking them.
    void keepAnswer(std::size_t before);
    void sendAnswers();

    int m_socket;
    Contract m_contract;
    std::string m_name;
    std::string m_received;
    std::string m_unsent;
    std::size_t m_unsentAnswers = 0;
    std::size_t m_skipping = 0; // bytes still to drop of a message too long to hold
    std::uint32_t m_serial = 1;
    bool m_closed = false;
};

} // namespace platform
