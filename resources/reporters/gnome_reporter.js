// SPDX-License-Identifier: GPL-3.0-or-later
// Hands the pointer position to Zorrit, which is an X11 program and cannot see the pointer over
// Wayland windows. Only while Zorrit holds its bus name: otherwise nothing is watched. The copy
// that holds the name says where its reports go (Receiver), and a copy that takes the name over
// hears at once where the pointer is. At most one report a tick, without waiting for an answer:
// a move within a tick of the last report is sent when that tick is over, from where the pointer
// is then, so no report is older than a tick and a fast mouse costs no more than a slow one.
// It also tells whether the focused window is full screen, so the trail can stand aside.
// Shared by extension.js of GNOME Shell 43/44 and of 45 and later; Gio, GLib and Meta come
// from the file it is built into.

const BUS_NAME = '@ZORRIT_POINTER_BUS_NAME@';
const OBJECT_PATH = '@ZORRIT_POINTER_OBJECT_PATH@';
const INTERFACE = '@ZORRIT_POINTER_INTERFACE@';
const TICK_MS = @ZORRIT_POINTER_REPORT_MS@;

class PointerReporter {
    enable() {
        this._tracker = global.backend?.get_cursor_tracker?.()
            ?? Meta.CursorTracker.get_for_display(global.display);
        this._moved = 0;
        this._due = 0;
        this._sentAt = 0;
        this._last = null;
        this._owner = null;
        this._receiver = null;
        this._focusWatch = 0;
        this._focused = null;
        this._focusedWatches = [];
        this._toldFullScreen = null;
        this._watch = Gio.bus_watch_name(Gio.BusType.SESSION, BUS_NAME,
            Gio.BusNameWatcherFlags.NONE, (connection, name, owner) => this._follow(owner),
            () => this._follow(null));
    }

    disable() {
        this._follow(null);
        Gio.bus_unwatch_name(this._watch);
        this._watch = 0;
        this._tracker = null;
    }

    _follow(owner) {
        this._owner = owner;
        this._receiver = null;
        if (this._due) {
            GLib.source_remove(this._due);
            this._due = 0;
        }
        if (owner && !this._moved) {
            // Mutter invalidates the cursor position at every pointer move.
            this._moved = this._tracker.connect('position-invalidated', () => this._pointerMoved());
        } else if (!owner && this._moved) {
            this._tracker.disconnect(this._moved);
            this._moved = 0;
        }
        this._followFocus(owner !== null);
        if (!owner)
            return;
        this._tellFullScreen();
        // A Zorrit that cannot say takes the reports on the connection that holds the name.
        Gio.DBus.session.call(owner, OBJECT_PATH, INTERFACE, 'Receiver', null,
            new GLib.VariantType('(s)'), Gio.DBusCallFlags.NO_AUTO_START, 1000, null,
            (connection, result) => {
                let receiver = owner;
                try {
                    [receiver] = connection.call_finish(result).deepUnpack();
                } catch (e) {
                }
                if (this._owner !== owner)
                    return;
                this._receiver = receiver;
                this._last = null;
                this._report();
            });
    }

    // The focused window, watched only while Zorrit runs.
    _followFocus(wanted) {
        this._toldFullScreen = null;
        if (wanted && !this._focusWatch) {
            this._focusWatch = global.display.connect('notify::focus-window',
                () => this._focusMoved());
            this._focusMoved();
        } else if (!wanted && this._focusWatch) {
            global.display.disconnect(this._focusWatch);
            this._focusWatch = 0;
            this._watchFocused(null);
        }
    }

    _focusMoved() {
        this._watchFocused(global.display.focus_window);
        this._tellFullScreen();
    }

    _watchFocused(window) {
        for (const id of this._focusedWatches)
            this._focused.disconnect(id);
        this._focused = window;
        this._focusedWatches = window ? [
            window.connect('notify::fullscreen', () => this._tellFullScreen()),
            window.connect('position-changed', () => this._tellFullScreen()),
            window.connect('unmanaged', () => this._watchFocused(null)),
        ] : [];
    }

    // Whether the focused window is full screen and where, to the copy that holds the name,
    // on its connection for such seldom news.
    _tellFullScreen() {
        if (!this._owner)
            return;
        const window = this._focused;
        const full = window !== null && window.is_fullscreen();
        const rect = full ? window.get_frame_rect() : null;
        const now = full ? [true, rect.x, rect.y, rect.width, rect.height] : [false, 0, 0, 0, 0];
        if (this._toldFullScreen && this._toldFullScreen.join() === now.join())
            return;
        this._toldFullScreen = now;
        const message = Gio.DBusMessage.new_method_call(this._owner, OBJECT_PATH, INTERFACE,
            'FullScreen');
        message.set_body(new GLib.Variant('(biiii)', now));
        message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED);
        try {
            Gio.DBus.session.send_message(message, Gio.DBusSendMessageFlags.NONE);
        } catch (e) {
            // The bus is gone; the name watch says when Zorrit is back.
        }
    }

    _pointerMoved() {
        if (!this._receiver || this._due)
            return;
        const wait = Math.min(this._sentAt + TICK_MS - GLib.get_monotonic_time() / 1000, TICK_MS);
        if (wait <= 0) {
            this._report();
            return;
        }
        this._due = GLib.timeout_add(GLib.PRIORITY_DEFAULT, Math.ceil(wait), () => {
            this._due = 0;
            this._report();
            return GLib.SOURCE_REMOVE;
        });
    }

    _report() {
        // Logical pixels, which Xwayland uses as its root coordinates at scale 1.
        const [x, y] = global.get_pointer();
        if (this._last && this._last[0] === x && this._last[1] === y)
            return;
        this._last = [x, y];
        this._sentAt = GLib.get_monotonic_time() / 1000;
        const message = Gio.DBusMessage.new_method_call(this._receiver, OBJECT_PATH, INTERFACE,
            'Moved');
        message.set_body(new GLib.Variant('(ii)', [x, y]));
        message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED);
        try {
            Gio.DBus.session.send_message(message, Gio.DBusSendMessageFlags.NONE);
        } catch (e) {
            // The bus is gone; the name watch says when Zorrit is back.
        }
    }
}
