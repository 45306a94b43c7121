// SPDX-License-Identifier: GPL-3.0-or-later
// The D-Bus wire format for the report connection: framing, header fields, small bodies.
#include "bus_wire.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace platform::buswire {

namespace {

// The format's own limits: 128 MiB a message, 64 MiB of header fields.
constexpr std::uint64_t kLongestMessage = std::uint64_t(1) << 27;
constexpr std::uint64_t kLongestFields = std::uint64_t(1) << 26;

enum Field : std::uint8_t {
    kPath = 1,
    kInterface = 2,
    kMember = 3,
    kErrorName = 4,
    kReplySerial = 5,
    kDestination = 6,
    kSender = 7,
    kSignature = 8,
};

// The header fields that hold text, their type, and where the message keeps them.
struct TextField
{
    std::uint8_t code;
    char type;
    std::string_view Message::*into;
};
constexpr TextField kTextFields[] = {
    {kPath, 'o', &Message::path},
    {kInterface, 's', &Message::interface},
    {kMember, 's', &Message::member},
    {kErrorName, 's', &Message::errorName},
    {kDestination, 's', &Message::destination},
    {kSender, 's', &Message::sender},
    {kSignature, 'g', &Message::signature},
};

constexpr std::size_t alignUp(std::size_t at, std::size_t to)
{
    return (at + to - 1) / to * to;
}

std::uint32_t readU32(std::string_view data, std::size_t at, bool bigEndian)
{
    unsigned char b[4];
    std::memcpy(b, data.data() + at, 4);
    return bigEndian ? std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16
                           | std::uint32_t(b[2]) << 8 | b[3]
                     : std::uint32_t(b[3]) << 24 | std::uint32_t(b[2]) << 16
                           | std::uint32_t(b[1]) << 8 | b[0];
}

// Reads one value of a basic type at a time, in bounds or not at all.
class Reader
{
public:
    Reader(std::string_view data, bool bigEndian, std::size_t at = 0)
        : m_data(data)
        , m_bigEndian(bigEndian)
        , m_at(at)
    {
    }
    std::size_t at() const { return m_at; }
    bool align(std::size_t to)
    {
        const std::size_t next = alignUp(m_at, to);
        if (next > m_data.size())
            return false;
        for (; m_at < next; ++m_at) {
            if (m_data[m_at] != '\0') // padding is zeros
                return false;
        }
        return true;
    }
    std::optional<std::uint8_t> byte()
    {
        if (m_at >= m_data.size())
            return std::nullopt;
        return std::uint8_t(m_data[m_at++]);
    }
    std::optional<std::uint32_t> u32()
    {
        if (!align(4) || m_data.size() - m_at < 4)
            return std::nullopt;
        const std::uint32_t value = readU32(m_data, m_at, m_bigEndian);
        m_at += 4;
        return value;
    }
    bool skip(std::size_t bytes, std::size_t alignment)
    {
        if (!align(alignment) || m_data.size() - m_at < bytes)
            return false;
        m_at += bytes;
        return true;
    }
    // A string or object path: its length, its bytes, a nul; no nul within.
    std::optional<std::string_view> string()
    {
        const std::optional<std::uint32_t> length = u32();
        if (!length || m_data.size() - m_at <= *length)
            return std::nullopt;
        return terminated(*length);
    }
    // A signature: a one-byte length.
    std::optional<std::string_view> signature()
    {
        const std::optional<std::uint8_t> length = byte();
        if (!length || m_data.size() - m_at <= *length)
            return std::nullopt;
        return terminated(*length);
    }

private:
    std::optional<std::string_view> terminated(std::size_t length)
    {
        const std::string_view text = m_data.substr(m_at, length);
        if (m_data[m_at + length] != '\0' || text.find('\0') != std::string_view::npos)
            return std::nullopt;
        m_at += length + 1;
        return text;
    }

    std::string_view m_data;
    bool m_bigEndian;
    std::size_t m_at;
};

// A header field we do not use, of a basic type: stepped over.
bool skipBasic(Reader &reader, char type)
{
    switch (type) {
    case 'y':
        return reader.skip(1, 1);
    case 'n':
    case 'q':
        return reader.skip(2, 2);
    case 'b':
    case 'i':
    case 'u':
    case 'h':
        return reader.skip(4, 4);
    case 'x':
    case 't':
    case 'd':
        return reader.skip(8, 8);
    case 's':
    case 'o':
        return reader.string().has_value();
    case 'g':
        return reader.signature().has_value();
    default: // a container: no header field the format names is one
        return false;
    }
}

class Writer
{
public:
    // Appends to `out`, which may already hold other messages.
    Writer(std::string &out, Type type, std::uint8_t flags, std::uint32_t serial)
        : m_out(out)
        , m_start(out.size())
    {
        m_out.push_back('l');
        m_out.push_back(char(type));
        m_out.push_back(char(flags));
        m_out.push_back('\1');
        u32(0); // body length, set by finish()
        u32(serial);
        u32(0); // header fields' length, set by finish()
    }
    void stringField(Field code, char type, std::string_view value)
    {
        fieldStart(code, type);
        string(value);
    }
    void u32Field(Field code, std::uint32_t value)
    {
        fieldStart(code, 'u');
        u32(value);
    }
    void signatureField(std::string_view value)
    {
        fieldStart(kSignature, 'g');
        m_out.push_back(char(value.size()));
        m_out.append(value);
        m_out.push_back('\0');
    }
    void bodyString(std::string_view value)
    {
        startBody();
        string(value);
    }
    void finish()
    {
        startBody();
        patch(4, std::uint32_t(m_out.size() - m_bodyAt));
    }

private:
    // Alignment counts from the message's own first byte.
    void align(std::size_t to)
    {
        m_out.resize(m_start + alignUp(m_out.size() - m_start, to), '\0');
    }
    void u32(std::uint32_t value)
    {
        align(4);
        for (int shift = 0; shift < 32; shift += 8)
            m_out.push_back(char((value >> shift) & 0xff));
    }
    void string(std::string_view value)
    {
        u32(std::uint32_t(value.size()));
        m_out.append(value);
        m_out.push_back('\0');
    }
    void fieldStart(Field code, char type)
    {
        align(8);
        m_out.push_back(char(code));
        m_out.push_back('\1');
        m_out.push_back(type);
        m_out.push_back('\0');
    }
    void startBody()
    {
        if (m_bodyAt)
            return;
        patch(12, std::uint32_t(m_out.size() - m_start - kFixedHeaderBytes));
        align(8);
        m_bodyAt = m_out.size();
    }
    void patch(std::size_t at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_out[m_start + at + std::size_t(i)] = char((value >> (8 * i)) & 0xff);
    }

    std::string &m_out;
    std::size_t m_start;
    std::size_t m_bodyAt = 0;
};

} // namespace

Framing frame(std::string_view stream)
{
    Framing framing;
    if (stream.size() < kFixedHeaderBytes)
        return framing;
    const char order = stream[0];
    if ((order != 'l' && order != 'B') || stream[3] != '\1') {
        framing.state = Framing::State::Corrupt;
        return framing;
    }
    const bool bigEndian = order == 'B';
    const std::uint64_t body = readU32(stream, 4, bigEndian);
    const std::uint64_t fields = readU32(stream, 12, bigEndian);
    const std::uint64_t length = alignUp(std::size_t(kFixedHeaderBytes + fields), 8) + body;
    if (fields > kLongestFields || length > kLongestMessage) {
        framing.state = Framing::State::Corrupt;
        return framing;
    }
    framing.state = Framing::State::Known;
    framing.length = std::size_t(length);
    return framing;
}

std::optional<Message> parse(std::string_view message)
{
    const Framing framing = frame(message);
    if (framing.state != Framing::State::Known || framing.length != message.size())
        return std::nullopt;
    // Types yet to come are framed like the others, and not ours to read.
    const auto type = std::uint8_t(message[1]);
    if (type == 0 || type > std::uint8_t(Type::Signal))
        return std::nullopt;
    Message parsed;
    parsed.bigEndian = message[0] == 'B';
    parsed.type = Type(std::uint8_t(message[1]));
    parsed.flags = std::uint8_t(message[2]);
    parsed.serial = readU32(message, 8, parsed.bigEndian);
    const std::size_t fieldsEnd = kFixedHeaderBytes + readU32(message, 12, parsed.bigEndian);
    Reader reader(message.substr(0, fieldsEnd), parsed.bigEndian, kFixedHeaderBytes);
    while (reader.at() < fieldsEnd) {
        if (!reader.align(8))
            return std::nullopt;
        const std::optional<std::uint8_t> code = reader.byte();
        const std::optional<std::string_view> type = reader.signature();
        if (!code || !type || type->size() != 1)
            return std::nullopt;
        const char kind = (*type)[0];
        const auto field =
            std::find_if(std::begin(kTextFields), std::end(kTextFields),
                         [&](const TextField &known) { return known.code == *code; });
        bool read = false;
        if (field != std::end(kTextFields)) {
            const std::optional<std::string_view> value = kind != field->type ? std::nullopt
                                                          : kind == 'g'       ? reader.signature()
                                                                              : reader.string();
            if (value)
                parsed.*field->into = *value;
            read = value.has_value();
        } else if (*code == kReplySerial) {
            const std::optional<std::uint32_t> serial = kind == 'u' ? reader.u32() : std::nullopt;
            parsed.replySerial = serial.value_or(0);
            read = serial.has_value();
        } else { // unix fds and fields yet to come: not ours to read
            read = skipBasic(reader, kind);
        }
        if (!read)
            return std::nullopt;
    }
    parsed.bodyOffset = alignUp(fieldsEnd, 8);
    for (std::size_t at = fieldsEnd; at < parsed.bodyOffset; ++at) {
        if (message[at] != '\0')
            return std::nullopt;
    }
    parsed.body = message.substr(parsed.bodyOffset);
    // What every message of its type carries.
    const bool complete =
        parsed.type == Type::MethodCall ? !parsed.path.empty() && !parsed.member.empty()
        : parsed.type == Type::Signal
            ? !parsed.path.empty() && !parsed.interface.empty() && !parsed.member.empty()
        : parsed.type == Type::Error        ? !parsed.errorName.empty() && parsed.replySerial != 0
        : parsed.type == Type::MethodReturn ? parsed.replySerial != 0
                                            : false;
    if (!complete || parsed.serial == 0 || (parsed.signature.empty() && !parsed.body.empty()))
        return std::nullopt;
    return parsed;
}

std::optional<Int32Pair> int32Pair(const Message &message)
{
    if (message.signature != "ii" || message.body.size() != 8)
        return std::nullopt;
    return Int32Pair{std::int32_t(readU32(message.body, 0, message.bigEndian)),
                     std::int32_t(readU32(message.body, 4, message.bigEndian))};
}

std::optional<std::string_view> firstString(const Message &message)
{
    if (message.signature != "s")
        return std::nullopt;
    // The body starts 8-aligned, so its own offsets align as the message's do.
    Reader reader(message.body, message.bigEndian);
    const std::optional<std::string_view> text = reader.string();
    if (!text || reader.at() != message.body.size())
        return std::nullopt;
    return text;
}

std::string methodCall(std::uint32_t serial, std::string_view destination, std::string_view path,
                       std::string_view interface, std::string_view member)
{
    std::string out;
    Writer writer(out, Type::MethodCall, 0, serial);
    writer.stringField(kPath, 'o', path);
    writer.stringField(kInterface, 's', interface);
    writer.stringField(kMember, 's', member);
    writer.stringField(kDestination, 's', destination);
    writer.finish();
    return out;
}

void appendMethodReturn(std::string &out, std::uint32_t serial, std::uint32_t replySerial,
                        std::string_view destination)
{
    Writer writer(out, Type::MethodReturn, kNoReplyExpected, serial);
    writer.u32Field(kReplySerial, replySerial);
    if (!destination.empty())
        writer.stringField(kDestination, 's', destination);
    writer.finish();
}

std::string methodReturn(std::uint32_t serial, std::uint32_t replySerial,
                         std::string_view destination)
{
    std::string out;
    appendMethodReturn(out, serial, replySerial, destination);
    return out;
}

std::string errorReply(std::uint32_t serial, std::uint32_t replySerial,
                       std::string_view destination, std::string_view errorName,
                       std::string_view text)
{
    std::string out;
    Writer writer(out, Type::Error, kNoReplyExpected, serial);
    writer.stringField(kErrorName, 's', errorName);
    writer.u32Field(kReplySerial, replySerial);
    if (!destination.empty())
        writer.stringField(kDestination, 's', destination);
    writer.signatureField("s");
    writer.bodyString(text);
    writer.finish();
    return out;
}

} // namespace platform::buswire
