// SPDX-License-Identifier: GPL-3.0-or-later
// The report connection: a Unix socket to the session bus, authenticated as this user, named by
// the bus's Hello, and then read without blocking when asked.
#include "bus_report_reader.h"

#include "bus_wire.h"
#include "local_socket.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace platform {

namespace {

using Clock = localsocket::Clock;
constexpr auto kGreetingTime = std::chrono::seconds(5);
// Answers that the bus has not taken yet; past this, a caller is left to its own timeout
// rather than this connection growing without end.
constexpr std::size_t kMostUnsentBytes = 64 * 1024;
constexpr std::string_view kBusName = "org.freedesktop.DBus";

struct Endpoint
{
    bool abstract = false;
    std::string path;
};

// The session bus's Unix addresses, in the order given: "unix:path=…" and "unix:abstract=…",
// separated by ';'. Other transports are not spoken here.
std::vector<Endpoint> sessionBusEndpoints()
{
    std::vector<Endpoint> endpoints;
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty()) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (!runtime.isEmpty())
            endpoints.push_back({false, runtime.toStdString() + "/bus"});
        return endpoints;
    }
    for (const QByteArray &entry : address.split(';')) {
        if (!entry.startsWith("unix:"))
            continue;
        for (const QByteArray &pair : entry.mid(5).split(',')) {
            const qsizetype equals = pair.indexOf('=');
            const QByteArray key = pair.left(equals);
            if (equals > 0 && (key == "path" || key == "abstract"))
                endpoints.push_back(
                    {key == "abstract",
                     QByteArray::fromPercentEncoding(pair.mid(equals + 1)).toStdString()});
        }
    }
    return endpoints;
}

} // namespace

std::unique_ptr<BusReportReader> BusReportReader::connect(Contract contract)
{
    const Clock::time_point deadline = Clock::now() + kGreetingTime;
    for (const Endpoint &endpoint : sessionBusEndpoints()) {
        const int socket = localsocket::connectTo(endpoint.path, endpoint.abstract);
        if (socket < 0)
            continue;
        std::unique_ptr<BusReportReader> reader(new BusReportReader(socket, contract));
        if (reader->greet(deadline))
            return reader;
    }
    return nullptr;
}

BusReportReader::BusReportReader(int socket, Contract contract)
    : m_socket(socket)
    , m_contract(std::move(contract))
{
}

BusReportReader::~BusReportReader()
{
    // Callers that wait for an answer get the ones still held, if the bus takes them now.
    sendAnswers();
    ::close(m_socket);
}

bool BusReportReader::greet(Clock::time_point deadline)
{
    // The EXTERNAL mechanism: the kernel tells the bus who we are, and we say the same, as
    // the user id's decimal digits in hex.
    const QByteArray user = QByteArray::number(qulonglong(::geteuid())).toHex();
    const std::string hello =
        buswire::methodCall(nextSerial(), kBusName, "/org/freedesktop/DBus", kBusName, "Hello");
    if (!localsocket::sendAll(
            m_socket, std::string("\0AUTH EXTERNAL ", 15) + user.toStdString() + "\r\n", deadline))
        return false;
    std::string line;
    while (line.find("\r\n") == std::string::npos) {
        if (line.size() > 512 || !localsocket::receiveSome(m_socket, line, deadline))
            return false;
    }
    if (line.rfind("OK ", 0) != 0)
        return false;
    // Anything after the line is already the bus speaking.
    m_received = line.substr(line.find("\r\n") + 2);
    if (!localsocket::sendAll(m_socket, "BEGIN\r\n" + hello, deadline))
        return false;
    // The bus's first answer names us; its NameAcquired that follows stays for the first read.
    for (;;) {
        const buswire::Framing framing = buswire::frame(m_received);
        if (framing.state == buswire::Framing::State::Corrupt
            || framing.length > buswire::kMostMessageBytes)
            return false;
        if (framing.state == buswire::Framing::State::Known
            && m_received.size() >= framing.length) {
            const std::optional<buswire::Message> message =
                buswire::parse(std::string_view(m_received).substr(0, framing.length));
            if (message && message->replySerial == 1) {
                const std::optional<std::string_view> name = buswire::firstString(*message);
                if (message->type != buswire::Type::MethodReturn || !name || name->empty())
                    return false;
                m_name = std::string(*name);
                m_received.erase(0, framing.length);
                return true;
            }
            m_received.erase(0, framing.length);
            continue;
        }
        if (!localsocket::receiveSome(m_socket, m_received, deadline))
            return false;
    }
}

QString BusReportReader::uniqueName() const
{
    return QString::fromStdString(m_name);
}

int BusReportReader::socket() const
{
    return m_socket;
}

bool BusReportReader::receive()
{
    return localsocket::receiveWaiting(m_socket, m_received, kMostBytesPerRead);
}

void BusReportReader::take(Read &read)
{
    std::string_view rest(m_received);
    while (!rest.empty()) {
        if (m_skipping) {
            const std::size_t dropped = std::min(m_skipping, rest.size());
            rest.remove_prefix(dropped);
            m_skipping -= dropped;
            continue;
        }
        const buswire::Framing framing = buswire::frame(rest);
        if (framing.state == buswire::Framing::State::Corrupt) {
            // Not the bus speaking any more: nothing after this can be trusted.
            m_closed = read.closed = true;
            break;
        }
        if (framing.state == buswire::Framing::State::Short)
            break;
        if (framing.length > buswire::kMostMessageBytes) {
            // Nobody sends a report this long; its sender is left to its own timeout.
            m_skipping = framing.length;
            continue;
        }
        if (rest.size() < framing.length)
            break;
        const std::optional<buswire::Message> message =
            buswire::parse(rest.substr(0, framing.length));
        rest.remove_prefix(framing.length);
        if (!message || message->type != buswire::Type::MethodCall)
            continue; // the bus's signals, and nothing of ours
        const auto is = [](std::string_view field, const QByteArray &wanted) {
            return field == std::string_view(wanted.constData(), std::size_t(wanted.size()));
        };
        const std::optional<buswire::Int32Pair> report =
            is(message->path, m_contract.path) && is(message->interface, m_contract.interface)
                    && is(message->member, m_contract.member)
                ? buswire::int32Pair(*message)
                : std::nullopt;
        if (report)
            read.last = QPoint(report->first, report->second);
        if (!message->wantsReply())
            continue;
        const std::size_t before = m_unsent.size();
        if (report)
            buswire::appendMethodReturn(m_unsent, nextSerial(), message->serial, message->sender);
        else
            m_unsent += buswire::errorReply(nextSerial(), message->serial, message->sender,
                                            "org.freedesktop.DBus.Error.UnknownMethod",
                                            "only pointer reports are taken here");
        keepAnswer(before);
    }
    m_received.erase(0, m_received.size() - rest.size());
}

std::uint32_t BusReportReader::nextSerial()
{
    if (m_serial == 0) // after four billion messages: 0 is no serial
        m_serial = 1;
    return m_serial++;
}

void BusReportReader::keepAnswer(std::size_t before)
{
    if (m_unsent.size() > kMostUnsentBytes) {
        m_unsent.resize(before);
        return;
    }
    ++m_unsentAnswers;
}

void BusReportReader::sendAnswers()
{
    // A full socket keeps them for the next time; a broken one is found by the next read.
    localsocket::sendWaiting(m_socket, m_unsent);
    if (m_unsent.empty())
        m_unsentAnswers = 0;
}

BusReportReader::Read BusReportReader::read(bool answerNow)
{
    Read result;
    if (!m_closed && !receive())
        m_closed = true;
    // What came before the socket closed is still read.
    const std::size_t answersBefore = m_unsentAnswers;
    take(result);
    // Held answers go out in one write once there are enough, or when the moves have paused
    // (nothing new came), so that none waits longer than the moves go on.
    const bool quiet = !result.last && m_unsentAnswers == answersBefore;
    if (!m_closed && m_unsentAnswers > 0
        && (answerNow || quiet || m_unsentAnswers >= kAnswersPerWrite))
        sendAnswers();
    result.closed = m_closed;
    return result;
}

} // namespace platform
