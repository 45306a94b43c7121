// SPDX-License-Identifier: GPL-3.0-or-later
// The report connection: an sd-bus connection to the session bus that serves one method on one
// path, follows one name's owner, and is processed without blocking when asked.
#include "bus_report_reader.h"

#include <systemd/sd-bus.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>

namespace platform {

namespace {

// A bus that does not answer Hello or AddMatch in this time is taken as no bus.
constexpr std::chrono::microseconds kCallTime = std::chrono::seconds(5);
constexpr char kBusDriver[] = "org.freedesktop.DBus";
constexpr char kBusDriverPath[] = "/org/freedesktop/DBus";

// DBUS_SESSION_BUS_ADDRESS, or the user's bus in the runtime folder.
QByteArray sessionBusAddress()
{
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return {};
    // Bus addresses escape every byte but these.
    return "unix:path=" + (runtime + "/bus").toPercentEncoding("/*", "~");
}

} // namespace

struct BusReportCallbacks
{
    static int onCall(sd_bus_message *message, void *self, sd_bus_error *error);
    static int onOwnerChanged(sd_bus_message *message, void *self, sd_bus_error *error);
};

void BusReportReader::BusUnref::operator()(sd_bus *bus) const
{
    sd_bus_close_unref(bus);
}

void BusReportReader::SlotUnref::operator()(sd_bus_slot *slot) const
{
    sd_bus_slot_unref(slot);
}

BusReportReader::BusReportReader(Contract contract)
    : m_contract(std::move(contract))
{
}

BusReportReader::~BusReportReader()
{
    // The slots go before the connection that holds them.
    m_object.reset();
    m_ownerWatch.reset();
}

std::unique_ptr<BusReportReader> BusReportReader::connect(Contract contract)
{
    std::unique_ptr<BusReportReader> reader(new BusReportReader(std::move(contract)));
    if (!reader->start())
        return nullptr;
    return reader;
}

bool BusReportReader::start()
{
    const QByteArray address = sessionBusAddress();
    sd_bus *bus = nullptr;
    if (address.isEmpty() || sd_bus_new(&bus) < 0)
        return false;
    m_bus.reset(bus);
    // No file descriptors: a report never carries one, and the bus refuses them on our behalf.
    if (sd_bus_set_address(bus, address.constData()) < 0 || sd_bus_set_bus_client(bus, 1) < 0
        || sd_bus_negotiate_fds(bus, 0) < 0
        || sd_bus_set_method_call_timeout(bus, std::uint64_t(kCallTime.count())) < 0
        || sd_bus_start(bus) < 0)
        return false;
    // Waits for Hello's answer.
    const char *name = nullptr;
    if (sd_bus_get_unique_name(bus, &name) < 0 || !name)
        return false;
    m_name = name;

    sd_bus_slot *slot = nullptr;
    if (sd_bus_add_object(bus, &slot, m_contract.path.constData(), &BusReportCallbacks::onCall,
                          this)
        < 0)
        return false;
    m_object.reset(slot);
    // The owner is followed from before it is asked for, so that no change falls in between:
    // a change that comes before the answer is processed after it, in the bus's order.
    const QByteArray match = "type='signal',sender='" + QByteArray(kBusDriver) + "',path='"
                             + kBusDriverPath + "',interface='" + kBusDriver
                             + "',member='NameOwnerChanged',arg0='" + m_contract.reporter + "'";
    if (sd_bus_add_match(bus, &slot, match.constData(), &BusReportCallbacks::onOwnerChanged, this)
        < 0)
        return false;
    m_ownerWatch.reset(slot);
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message *reply = nullptr;
    const int asked =
        sd_bus_call_method(bus, kBusDriver, kBusDriverPath, kBusDriver, "GetNameOwner", &error,
                           &reply, "s", m_contract.reporter.constData());
    const char *owner = nullptr;
    if (asked >= 0 && sd_bus_message_read(reply, "s", &owner) >= 0 && owner)
        m_owner = owner;
    const bool nobody = asked < 0 && sd_bus_error_has_name(&error, SD_BUS_ERROR_NAME_HAS_NO_OWNER);
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    return asked >= 0 || nobody;
}

int BusReportCallbacks::onCall(sd_bus_message *message, void *self, sd_bus_error *error)
{
    BusReportReader &reader = *static_cast<BusReportReader *>(self);
    if (sd_bus_message_is_method_call(message, reader.m_contract.interface.constData(),
                                      reader.m_contract.member.constData())
        <= 0)
        return 0; // sd-bus answers that there is no such method
    // Any program of the user can call us; only the compositor knows where the pointer is.
    const char *sender = sd_bus_message_get_sender(message);
    if (reader.m_owner.empty() || !sender || reader.m_owner != sender)
        return sd_bus_error_set(error, SD_BUS_ERROR_ACCESS_DENIED,
                                "only the compositor reports the pointer here");
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (!sd_bus_message_has_signature(message, "ii")
        || sd_bus_message_read(message, "ii", &x, &y) < 0)
        return sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS, "a report is two integers");
    reader.m_last = QPoint(x, y);
    if (!sd_bus_message_get_expect_reply(message))
        return 1;
    const int answered = sd_bus_reply_method_return(message, nullptr);
    return answered < 0 ? answered : 1;
}

int BusReportCallbacks::onOwnerChanged(sd_bus_message *message, void *self, sd_bus_error *)
{
    BusReportReader &reader = *static_cast<BusReportReader *>(self);
    const char *name = nullptr;
    const char *before = nullptr;
    const char *after = nullptr;
    if (sd_bus_message_read(message, "sss", &name, &before, &after) >= 0 && name && after
        && reader.m_contract.reporter == name)
        reader.m_owner = after;
    return 0;
}

QString BusReportReader::uniqueName() const
{
    return QString::fromStdString(m_name);
}

int BusReportReader::socket() const
{
    return sd_bus_get_fd(m_bus.get());
}

BusReportReader::Read BusReportReader::read()
{
    Read result;
    m_last.reset();
    for (int k = 0; !m_closed && k < kMostMessagesPerRead; ++k) {
        const int processed = sd_bus_process(m_bus.get(), nullptr);
        if (processed < 0)
            m_closed = true;
        if (processed <= 0)
            break;
    }
    // What came before the bus went away still counts.
    if (!m_closed && sd_bus_is_open(m_bus.get()) <= 0)
        m_closed = true;
    result.last = m_last;
    result.closed = m_closed;
    return result;
}

} // namespace platform
