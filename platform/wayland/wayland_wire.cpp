// SPDX-License-Identifier: GPL-3.0-or-later
#include "wayland_wire.h"

#include <cstring>

namespace platform::wayland::wire {

namespace {

std::uint32_t wordAt(std::string_view data, std::size_t at)
{
    std::uint32_t word = 0;
    std::memcpy(&word, data.data() + at, sizeof word);
    return word;
}

void appendWord(std::string &out, std::uint32_t word)
{
    out.append(reinterpret_cast<const char *>(&word), sizeof word);
}

std::size_t padded(std::size_t length)
{
    return (length + 3) & ~std::size_t(3);
}

} // namespace

Framing frame(std::string_view stream)
{
    Framing framing;
    if (stream.size() < kHeaderBytes)
        return framing;
    const std::uint32_t sizeAndOpcode = wordAt(stream, 4);
    const std::size_t length = sizeAndOpcode >> 16;
    if (length < kHeaderBytes || length % 4 != 0) {
        framing.state = Framing::State::Corrupt;
        return framing;
    }
    if (stream.size() < length)
        return framing;
    framing.state = Framing::State::Whole;
    framing.length = length;
    framing.message.object = wordAt(stream, 0);
    framing.message.opcode = std::uint16_t(sizeAndOpcode & 0xffff);
    framing.message.args = stream.substr(kHeaderBytes, length - kHeaderBytes);
    return framing;
}

std::optional<std::uint32_t> Args::uint()
{
    if (m_failed || m_rest.size() < 4) {
        m_failed = true;
        return std::nullopt;
    }
    const std::uint32_t word = wordAt(m_rest, 0);
    m_rest.remove_prefix(4);
    return word;
}

std::optional<std::int32_t> Args::integer()
{
    const std::optional<std::uint32_t> word = uint();
    if (!word)
        return std::nullopt;
    return std::int32_t(*word);
}

std::optional<std::string_view> Args::string()
{
    const std::optional<std::uint32_t> length = uint();
    if (!length)
        return std::nullopt;
    if (*length == 0)
        return std::string_view();
    // The length counts the closing NUL, and the bytes fill whole words.
    if (padded(*length) > m_rest.size() || m_rest[*length - 1] != '\0') {
        m_failed = true;
        return std::nullopt;
    }
    const std::string_view text = m_rest.substr(0, *length - 1);
    m_rest.remove_prefix(padded(*length));
    return text;
}

Request::Request(std::string &out, std::uint32_t object, std::uint16_t opcode)
    : m_out(out)
    , m_start(out.size())
{
    appendWord(m_out, object);
    appendWord(m_out, opcode); // the length joins it once the arguments are in
}

Request::~Request()
{
    const std::uint32_t sizeAndOpcode =
        std::uint32_t(m_out.size() - m_start) << 16 | wordAt(m_out, m_start + 4);
    std::memcpy(m_out.data() + m_start + 4, &sizeAndOpcode, sizeof sizeAndOpcode);
}

Request &Request::uint(std::uint32_t value)
{
    appendWord(m_out, value);
    return *this;
}

Request &Request::string(std::string_view value)
{
    appendWord(m_out, std::uint32_t(value.size() + 1));
    m_out.append(value);
    m_out.append(padded(value.size() + 1) - value.size(), '\0');
    return *this;
}

} // namespace platform::wayland::wire
