// SPDX-License-Identifier: GPL-3.0-or-later
// A session-bus connection of its own, read only when asked: the compositor's pointer reports
// wait in its socket until the next tick takes them, so they cost no wake-up of their own.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

struct DBusConnection;

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
    // At most this many messages are taken at one read: a flood waits for the next one rather
    // than holding up the tick.
    static constexpr int kMostPerRead = 64;

    // Connects to the session bus; null when it cannot be reached.
    static std::unique_ptr<BusReportReader> connect(Contract contract);
    ~BusReportReader();
    BusReportReader(const BusReportReader &) = delete;
    BusReportReader &operator=(const BusReportReader &) = delete;

    // The connection's unique name, which the reporters call.
    QString uniqueName() const;
    // Readable when something has arrived; for a watch while the trail rests.
    int socket() const;
    // Takes what has arrived, without waiting. Calls that want an answer get one (an error for
    // anything but a report), so no caller is left waiting: sent at once when `answerNow`,
    // otherwise with the next read (the next tick's), which saves the tick two system calls.
    // Not for two threads at once.
    Read read(bool answerNow);

private:
    BusReportReader(DBusConnection *connection, Contract contract);

    DBusConnection *m_connection;
    Contract m_contract;
    bool m_closed = false;
};

} // namespace platform
