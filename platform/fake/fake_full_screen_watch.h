// SPDX-License-Identifier: GPL-3.0-or-later
// Test double for the full-screen watch: the test says which window has the focus.
#pragma once

#include "platform/full_screen_watch.h"

namespace platform {

class FakeFullScreenWatch final : public FullScreenWatch
{
public:
    FocusedWindow focused() const override { return window; }
    // The desktop's notice of a change.
    void set(FocusedWindow now)
    {
        window = std::move(now);
        Q_EMIT changed();
    }

    FocusedWindow window;
};

} // namespace platform
