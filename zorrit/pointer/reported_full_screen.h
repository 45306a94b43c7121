// SPDX-License-Identifier: GPL-3.0-or-later
// The focused window as the compositor's own reporter (the KWin script, the GNOME Shell
// extension) tells of it, where the desktop has no other way to say so.
#pragma once

#include "platform/full_screen_watch.h"

#include <utility>

namespace zorrit::pointer {

// Fed on the GUI thread by the bus source; not full screen until told, and again once the
// reporter stops (a reporter that went away must not keep the trail hidden).
class ReportedFullScreen final : public platform::FullScreenWatch
{
public:
    using FullScreenWatch::FullScreenWatch;

    platform::FocusedWindow focused() const override { return m_focused; }

    void report(const platform::FocusedWindow &focused)
    {
        if (std::exchange(m_focused, focused) != focused)
            Q_EMIT changed();
    }

private:
    platform::FocusedWindow m_focused;
};

} // namespace zorrit::pointer
