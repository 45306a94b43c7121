// SPDX-License-Identifier: GPL-3.0-or-later
// D-Bus messages as another program would send them: a method call with an (ii) body, in
// either byte order, for the wire tests and the fuzzer's seeds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace testsupport {

inline std::string busCall(bool bigEndian, std::uint32_t serial, std::string_view path,
                           std::string_view interface, std::string_view member,
                           std::string_view sender, std::int32_t x, std::int32_t y,
                           std::uint8_t flags = 0)
{
    std::string out;
    const auto align = [&](std::size_t to) { out.resize((out.size() + to - 1) / to * to, '\0'); };
    const auto u32 = [&](std::uint32_t value) {
        align(4);
        for (int i = 0; i < 4; ++i)
            out.push_back(char(value >> (bigEndian ? 24 - 8 * i : 8 * i)));
    };
    const auto field = [&](char code, char type, std::string_view value) {
        align(8);
        out += {code, '\1', type, '\0'};
        if (type == 'g') {
            out.push_back(char(value.size()));
        } else {
            u32(std::uint32_t(value.size()));
        }
        out.append(value);
        out.push_back('\0');
    };
    out += {bigEndian ? 'B' : 'l', '\1', char(flags), '\1'};
    u32(8);
    u32(serial);
    u32(0);
    field(1, 'o', path);
    field(2, 's', interface);
    field(3, 's', member);
    if (!sender.empty())
        field(7, 's', sender);
    field(8, 'g', "ii");
    const std::uint32_t fields = std::uint32_t(out.size() - 16);
    for (int i = 0; i < 4; ++i)
        out[std::size_t(12 + i)] = char(fields >> (bigEndian ? 24 - 8 * i : 8 * i));
    align(8);
    u32(std::uint32_t(x));
    u32(std::uint32_t(y));
    return out;
}

} // namespace testsupport
