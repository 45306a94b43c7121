// SPDX-License-Identifier: GPL-3.0-or-later
// The D-Bus wire format, as far as the report connection needs it: where a message ends in a
// stream, its header fields, an (ii) or (s) body, and the few messages it sends itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::buswire {

enum class Type : std::uint8_t {
    Invalid = 0,
    MethodCall = 1,
    MethodReturn = 2,
    Error = 3,
    Signal = 4,
};

constexpr std::uint8_t kNoReplyExpected = 0x1;
// A message the report connection holds whole; anything longer is let by unread.
constexpr std::size_t kMostMessageBytes = 64 * 1024;
// The fixed part: endianness, type, flags, version, body length, serial, header fields' length.
constexpr std::size_t kFixedHeaderBytes = 16;

// What the front of a stream holds, from its fixed header alone.
struct Framing
{
    enum class State {
        Short,   // the fixed header is not all in yet
        Known,   // `length` bytes make the message: header, padding and body
        Corrupt, // not a D-Bus message: the stream cannot be read on
    } state = State::Short;
    std::size_t length = 0;
};
Framing frame(std::string_view stream);

// A message's header, its strings pointing into the message.
struct Message
{
    Type type = Type::Invalid;
    std::uint8_t flags = 0;
    bool bigEndian = false;
    std::uint32_t serial = 0;
    std::uint32_t replySerial = 0;
    std::string_view path;
    std::string_view interface;
    std::string_view member;
    std::string_view errorName;
    std::string_view destination;
    std::string_view sender;
    std::string_view signature;
    std::string_view body;
    // Where the body begins in the message (bodies align to it).
    std::size_t bodyOffset = 0;

    bool wantsReply() const { return type == Type::MethodCall && !(flags & kNoReplyExpected); }
};
// One whole message, as frame() measured it; nothing when its header breaks the format.
std::optional<Message> parse(std::string_view message);

struct Int32Pair
{
    std::int32_t first = 0;
    std::int32_t second = 0;
};
// The body of a message whose signature is "ii".
std::optional<Int32Pair> int32Pair(const Message &message);
// The body of a message whose signature is "s".
std::optional<std::string_view> firstString(const Message &message);

// Messages of our own, little-endian.
std::string methodCall(std::uint32_t serial, std::string_view destination, std::string_view path,
                       std::string_view interface, std::string_view member);
std::string methodReturn(std::uint32_t serial, std::uint32_t replySerial,
                         std::string_view destination);
// The same, added to what `out` holds: the answer to each report, with no allocation of its own.
void appendMethodReturn(std::string &out, std::uint32_t serial, std::uint32_t replySerial,
                        std::string_view destination);
std::string errorReply(std::uint32_t serial, std::uint32_t replySerial,
                       std::string_view destination, std::string_view errorName,
                       std::string_view text);

} // namespace platform::buswire
