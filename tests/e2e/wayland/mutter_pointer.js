// SPDX-License-Identifier: GPL-3.0-or-later
// Moves a GNOME Shell session's pointer through Mutter's remote-desktop interface, like a
// person's mouse would. Reads "X Y" lines on stdin and answers "ok" once each move is done; the
// session lives as long as this program (Mutter ends it when its caller leaves the bus).
// Absolute moves need a screen cast (and PipeWire), so this goes to the top-left corner and
// then down and right, one axis at a time: a diagonal move out of that corner loses its
// vertical part.
const {Gio, GLib} = imports.gi;

const NAME = 'org.gnome.Mutter.RemoteDesktop';
const SESSION = 'org.gnome.Mutter.RemoteDesktop.Session';

function call(path, iface, method, parameters) {
    return Gio.DBus.session.call_sync(NAME, path, iface, method, parameters, null,
        Gio.DBusCallFlags.NONE, -1, null);
}

function move(session, dx, dy) {
    call(session, SESSION, 'NotifyPointerMotionRelative', new GLib.Variant('(dd)', [dx, dy]));
}

const [session] = call('/org/gnome/Mutter/RemoteDesktop', NAME, 'CreateSession', null)
    .deepUnpack();
call(session, SESSION, 'Start', null);
// Newer GJS has the Unix streams in GioUnix (and warns on the old name); older ones in Gio only.
let UnixInputStream;
try {
    UnixInputStream = imports.gi.GioUnix.InputStream;
} catch (e) {
    UnixInputStream = Gio.UnixInputStream;
}
const input = new Gio.DataInputStream({base_stream: new UnixInputStream({fd: 0})});
for (;;) {
    const [line] = input.read_line_utf8(null);
    if (line === null)
        break;
    const [x, y] = line.trim().split(/\s+/).map(Number);
    move(session, -100000, -100000);
    move(session, 0, y);
    move(session, x, 0);
    print('ok');
}
call(session, SESSION, 'Stop', null);
