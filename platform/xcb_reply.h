// SPDX-License-Identifier: GPL-3.0-or-later
// An xcb reply (or error) owned by RAII: xcb hands them out allocated with malloc.
#pragma once

#include <cstdlib>
#include <memory>

namespace platform {

struct XcbFree
{
    void operator()(void *p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, XcbFree>;

} // namespace platform
