// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the tray icon is shown by a D-Bus StatusNotifier panel rather than an XEmbed tray.
#pragma once

namespace zorrit::shell {

// True when a StatusNotifier watcher with a registered host is on the session bus: Qt then hands
// the tray icon to that panel, which reports a click as an activation and never a double click.
// Asked the way Qt asks (through the watcher's introspection), so both agree.
bool statusNotifierHostPresent();

} // namespace zorrit::shell
