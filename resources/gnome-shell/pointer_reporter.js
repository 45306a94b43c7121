// SPDX-License-Identifier: GPL-3.0-or-later
// Hands the pointer position to Zorrit, which is an X11 program and cannot see the pointer over
// Wayland windows. Only while Zorrit holds its bus name: otherwise nothing is watched. The calls
// go to the connection that holds the name, and a copy that takes the name over hears at once
// where the pointer is. One call is in flight at a time; Zorrit answers half a tick later, and a
// pointer that moved meanwhile is then sent where it is now, so a fast mouse costs no more than
// a slow one.
// Shared by extension.js of GNOME Shell 43/44 and of 45 and later; Gio, GLib and Meta come
// from the file it is built into.

const BUS_NAME = '@ZORRIT_POINTER_BUS_NAME@';
const OBJECT_PATH = '@ZORRIT_POINTER_OBJECT_PATH@';
const INTERFACE = '@ZORRIT_POINTER_INTERFACE@';

class PointerReporter {
    enable() {
        this._tracker = global.backend?.get_cursor_tracker?.()
            ?? Meta.CursorTracker.get_for_display(global.display);
        this._moved = 0;
        this._last = null;
        this._waiting = false;
        this._again = false;
        this._owner = null;
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
        if (owner && !this._moved) {
            // Mutter invalidates the cursor position at every pointer move.
            this._moved = this._tracker.connect('position-invalidated', () => this._report());
        } else if (!owner && this._moved) {
            this._tracker.disconnect(this._moved);
            this._moved = 0;
        }
        if (owner) {
            this._last = null;
            this._waiting = false;
            this._report();
        }
    }

    _report() {
        if (this._waiting) {
            this._again = true;
            return;
        }
        this._again = false;
        // Logical pixels, which Xwayland uses as its root coordinates at scale 1.
        const [x, y] = global.get_pointer();
        if (this._last && this._last[0] === x && this._last[1] === y)
            return;
        this._last = [x, y];
        this._waiting = true;
        Gio.DBus.session.call(this._owner, OBJECT_PATH, INTERFACE, 'Moved',
            new GLib.Variant('(ii)', [x, y]), null, Gio.DBusCallFlags.NO_AUTO_START, 1000, null,
            (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch (e) {
                    // Zorrit went away or did not answer in time; the next move tries again.
                }
                this._waiting = false;
                if (this._again && this._moved)
                    this._report();
            });
    }
}
