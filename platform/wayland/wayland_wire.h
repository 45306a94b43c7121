// SPDX-License-Identifier: GPL-3.0-or-later
// The Wayland wire format, as far as the cursor sessions need it: where a message ends in the
// stream, its arguments (words and strings), and the requests we send.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::wayland::wire {

// Every message starts with its object's id and a word that holds the message's length (the
// header's 8 bytes included) above the opcode, all in the host's byte order; arguments are whole
// words.
constexpr std::size_t kHeaderBytes = 8;
// The length is 16 bits, so no message is longer.
constexpr std::size_t kMostMessageBytes = 0xffff;

struct Message
{
    std::uint32_t object = 0;
    std::uint16_t opcode = 0;
    std::string_view args;
};

// What the front of a stream holds.
struct Framing
{
    enum class State {
        Short,   // the message is not all in yet
        Whole,   // `message` is there, `length` bytes long
        Corrupt, // not a Wayland message: the stream cannot be read on
    } state = State::Short;
    std::size_t length = 0;
    Message message;
};
Framing frame(std::string_view stream);

// Reads one message's arguments in turn. Once one is missing or malformed, it and every later
// one read as nothing.
class Args
{
public:
    explicit Args(std::string_view args)
        : m_rest(args)
    {
    }
    std::optional<std::uint32_t> uint();
    std::optional<std::int32_t> integer();
    // Without its closing NUL; a null string reads as an empty one.
    std::optional<std::string_view> string();

private:
    std::string_view m_rest;
    bool m_failed = false;
};

// Builds one request at the end of `out`: the header, then each argument as it is added.
class Request
{
public:
    Request(std::string &out, std::uint32_t object, std::uint16_t opcode);
    ~Request();
    Request(const Request &) = delete;
    Request &operator=(const Request &) = delete;
    Request &uint(std::uint32_t value);
    Request &string(std::string_view value);

private:
    std::string &m_out;
    std::size_t m_start;
};

} // namespace platform::wayland::wire
