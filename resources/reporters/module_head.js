// SPDX-License-Identifier: GPL-3.0-or-later
// Zorrit pointer extension for GNOME Shell 45 and later (built from pointer_reporter.js).
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

