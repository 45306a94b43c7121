// SPDX-License-Identifier: GPL-3.0-or-later
// A session-bus connection of its own, read only when asked: the compositor's pointer reports
// wait in its socket until the next tick takes them, so they cost no wake-up of their own.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>
#include <string>

struct sd_bus;
struct sd_bus_slot;

namespace platform {

// sd-bus without its event loop and without a thread: read() processes what has arrived and
// returns at once.
class BusReportReader
{
public:
    // Which calls count as reports: `member(ii)` on `path` and `interface`, from the connection
    // that owns `reporter` at the time (a well-known name, followed as its owner changes).
    struct Contract
    {
        QByteArray path;
        QByteArray interface;
        QByteArray member;
        QByteArray reporter;
    };
    // What one read found.
    struct Read
    {
        std::optional<QPoint> last; // the newest report, if any came
        bool closed = false;        // the bus went away; nothing more will come
    };
    // At most this many messages are taken at one read: a flood waits for the next one rather
    // than holding up the tick.
    static constexpr int kMostMessagesPerRead = 64;

    // Connects to the session bus and learns who owns the reporter's name; null when the bus
    // cannot be reached in a few seconds.
    static std::unique_ptr<BusReportReader> connect(Contract contract);
    ~BusReportReader();
    BusReportReader(const BusReportReader &) = delete;
    BusReportReader &operator=(const BusReportReader &) = delete;

    // The connection's unique name, which the reporters call.
    QString uniqueName() const;
    // Readable when something has arrived; for a watch while the trail rests.
    int socket() const;
    // Takes what has arrived, without waiting. Every call that wants an answer gets one: a
    // report from the reporter's owner a plain return, anything else an error. Not for two
    // threads at once.
    Read read();

private:
    struct BusUnref
    {
        void operator()(sd_bus *bus) const;
    };
    struct SlotUnref
    {
        void operator()(sd_bus_slot *slot) const;
    };

    explicit BusReportReader(Contract contract);
    bool start();
    // sd-bus's callbacks: everything sent to the contract's path, and the owner's changes.
    friend struct BusReportCallbacks;

    Contract m_contract;
    std::unique_ptr<sd_bus, BusUnref> m_bus;
    std::unique_ptr<sd_bus_slot, SlotUnref> m_object;
    std::unique_ptr<sd_bus_slot, SlotUnref> m_ownerWatch;
    std::string m_name;
    std::string m_owner; // the reporter's owner; empty while nobody owns the name
    std::optional<QPoint> m_last;
    bool m_closed = false;
};

} // namespace platform
