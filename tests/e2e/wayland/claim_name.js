// SPDX-License-Identifier: GPL-3.0-or-later
// Another program of the user that wants Zorrit's pointer: it asks for the bus name with
// replacement and serves Moved on it. Prints "owner" when it gets the name, "queued" when it
// does not, and "heard X Y" for each position it is handed. Ends when stdin closes.
// gjs claim_name.js NAME PATH INTERFACE
const {Gio, GLib} = imports.gi;

const [name, path, iface] = ARGV;
const xml = `<node><interface name="${iface}">
  <method name="Moved"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
</interface></node>`;
const loop = new GLib.MainLoop(null, false);
const say = text => {
    print(text);
};

Gio.bus_own_name(Gio.BusType.SESSION, name,
    Gio.BusNameOwnerFlags.ALLOW_REPLACEMENT | Gio.BusNameOwnerFlags.REPLACE,
    connection => {
        const object = Gio.DBusExportedObject.wrapJSObject(xml, {
            Moved(x, y) {
                say(`heard ${x} ${y}`);
            },
        });
        object.export(connection, path);
    },
    () => say('owner'),
    () => say('queued'));
const input = new Gio.DataInputStream({base_stream: new Gio.UnixInputStream({fd: 0})});
input.read_line_async(GLib.PRIORITY_DEFAULT, null, () => loop.quit());
loop.run();
