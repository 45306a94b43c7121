// SPDX-License-Identifier: GPL-3.0-or-later
// Which of the compositors' pointer sources this session offers.
#pragma once

#include "compositor_source.h"
#include "source_context.h"

#include <memory>

namespace zorrit::pointer {

// Wayland when WAYLAND_DISPLAY or XDG_SESSION_TYPE says so.
bool isWaylandSession();

// The first source whose compositor this session has (asked in a fixed order, each by what it
// can see: a name on the session bus, a Wayland global); null when none has.
std::unique_ptr<CompositorSource> makeSessionSource(const SourceContext &context);

// Whether the sprites are the compositor's layer-shell surfaces rather than X11 windows: where it
// offers a layer shell and a source that reports the pointer anywhere on the screen (its cursor
// sessions, or KWin's script), unless ZORRIT_SPRITES=x11 says otherwise. Decided once, at
// start.
bool spritesOnLayerShell(const SourceContext &context);

} // namespace zorrit::pointer
