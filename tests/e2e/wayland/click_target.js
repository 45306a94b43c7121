// SPDX-License-Identifier: GPL-3.0-or-later
// A Wayland window that fills its output and says where each press of a mouse button lands, on
// stderr (which gjs does not buffer): "ready" once it is shown, then "pressed X Y"
// per press, in the window's pixels.
imports.gi.versions.Gtk = '4.0';
const {Gtk, GLib} = imports.gi;

const app = new Gtk.Application({application_id: 'org.zorrit.ClickTarget'});
app.connect('activate', () => {
    const window = new Gtk.ApplicationWindow({application: app, title: 'click target'});
    const press = new Gtk.GestureClick({button: 0});
    press.connect('pressed', (_gesture, _count, x, y) => {
        printerr(`pressed ${Math.round(x)} ${Math.round(y)}`);
    });
    window.add_controller(press);
    window.connect('map', () => GLib.idle_add(GLib.PRIORITY_DEFAULT_IDLE, () => {
        printerr('ready');
        return GLib.SOURCE_REMOVE;
    }));
    window.maximize();
    window.present();
});
app.run([]);
