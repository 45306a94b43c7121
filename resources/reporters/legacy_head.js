// SPDX-License-Identifier: GPL-3.0-or-later
// Zorrit pointer extension for GNOME Shell 43 and 44 (built from pointer_reporter.js).
const {Gio, GLib, Meta} = imports.gi;

