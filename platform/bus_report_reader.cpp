// SPDX-License-Identifier: GPL-3.0-or-later
// The report connection, on libdbus: no thread, no main loop, a non-blocking read when asked.
#include "bus_report_reader.h"

#include <dbus/dbus.h>

namespace platform {

std::unique_ptr<BusReportReader> BusReportReader::connect(Contract contract)
{
    DBusError error;
    dbus_error_init(&error);
    DBusConnection *connection = dbus_bus_get_private(DBUS_BUS_SESSION, &error);
    dbus_error_free(&error);
    if (!connection)
        return nullptr;
    // libdbus would end the whole program when the bus goes away.
    dbus_connection_set_exit_on_disconnect(connection, false);
    return std::unique_ptr<BusReportReader>(new BusReportReader(connection, std::move(contract)));
}

BusReportReader::BusReportReader(DBusConnection *connection, Contract contract)
    : m_connection(connection)
    , m_contract(std::move(contract))
{
}

BusReportReader::~BusReportReader()
{
    dbus_connection_close(m_connection);
    dbus_connection_unref(m_connection);
}

QString BusReportReader::uniqueName() const
{
    return QString::fromUtf8(dbus_bus_get_unique_name(m_connection));
}

int BusReportReader::socket() const
{
    int fd = -1;
    return dbus_connection_get_unix_fd(m_connection, &fd) ? fd : -1;
}

BusReportReader::Read BusReportReader::read(bool answerNow)
{
    Read result;
    if (m_closed) {
        result.closed = true;
        return result;
    }
    // Reads what the socket holds and sends the answers that wait to go, never blocking.
    dbus_connection_read_write(m_connection, 0);
    bool answered = false;
    for (int taken = 0; taken < kMostPerRead; ++taken) {
        DBusMessage *message = dbus_connection_pop_message(m_connection);
        if (!message)
            break;
        if (dbus_message_get_type(message) == DBUS_MESSAGE_TYPE_METHOD_CALL) {
            const bool report =
                dbus_message_is_method_call(message, m_contract.interface.constData(),
                                            m_contract.member.constData())
                && dbus_message_has_path(message, m_contract.path.constData());
            dbus_int32_t x = 0;
            dbus_int32_t y = 0;
            const bool valid = report
                               && dbus_message_get_args(message, nullptr, DBUS_TYPE_INT32, &x,
                                                        DBUS_TYPE_INT32, &y, DBUS_TYPE_INVALID);
            if (valid)
                result.last = QPoint(x, y);
            if (!dbus_message_get_no_reply(message)) {
                DBusMessage *answer =
                    valid ? dbus_message_new_method_return(message)
                          : dbus_message_new_error(message, DBUS_ERROR_UNKNOWN_METHOD,
                                                   "only pointer reports are taken here");
                if (answer) {
                    dbus_connection_send(m_connection, answer, nullptr);
                    dbus_message_unref(answer);
                    answered = true;
                }
            }
        }
        dbus_message_unref(message);
    }
    if (answered && answerNow)
        dbus_connection_flush(m_connection);
    if (!dbus_connection_get_is_connected(m_connection))
        m_closed = result.closed = true;
    return result;
}

} // namespace platform
