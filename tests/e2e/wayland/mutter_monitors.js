// SPDX-License-Identifier: GPL-3.0-or-later
// Sets the scale of a GNOME Shell session's monitors through Mutter's display configuration:
// mutter_monitors.js SCALE [SCALE ...], one scale for each monitor (the nearest Mutter takes),
// laid out left to right.
// Prints each logical monitor as "x y width height scale" once Mutter has taken the change.
const {Gio, GLib} = imports.gi;

const NAME = 'org.gnome.Mutter.DisplayConfig';
const PATH = '/org/gnome/Mutter/DisplayConfig';

function call(method, parameters) {
    return Gio.DBus.session.call_sync(NAME, PATH, NAME, method, parameters, null,
        Gio.DBusCallFlags.NONE, -1, null).deepUnpack();
}

function state() {
    const [serial, monitors, logical, properties] = call('GetCurrentState', null);
    return {serial, monitors, logical, properties};
}

const scales = ARGV.map(Number);
const before = state();
// Logical sizes in layout pixels: in the logical layout mode (fractional scaling on) a monitor
// takes its size over its scale, in the physical one its mode's size.
const layoutMode = before.properties['layout-mode']?.deepUnpack() ?? 2;
let x = 0;
const logical = before.monitors.slice(0, scales.length).map(([spec, modes], k) => {
    const mode = modes.find(m => m[6]['is-current']?.deepUnpack()) ?? modes[0];
    const [id, width, , , , supported] = mode;
    // Mutter takes only scales that give whole logical pixels (1.5 is 1.5037... at 2560x1600).
    const scale = supported.reduce((a, b) => Math.abs(b - scales[k]) < Math.abs(a - scales[k])
        ? b : a, supported[0]);
    const place = [x, 0, scale, 0, k === 0, [[spec[0], id, {}]]];
    x += layoutMode === 1 ? Math.round(width / scale) : width;
    return place;
});
call('ApplyMonitorsConfig', new GLib.Variant('(uua(iiduba(ssa{sv}))a{sv})',
    [before.serial, 1, logical, {}]));
// Mutter answers before it has laid the monitors out anew; the serial changes once it has.
const context = GLib.MainContext.default();
for (let k = 0; k < 100 && state().serial === before.serial; k++) {
    GLib.usleep(50000);
    context.iteration(false);
}
for (const [lx, ly, scale, , , monitors] of state().logical) {
    const mode = before.monitors.find(m => m[0][0] === monitors[0][0])[1]
        .find(m => m[6]['is-current']?.deepUnpack()) ?? [0, 0, 0];
    print(`${lx} ${ly} ${mode[1]} ${mode[2]} ${scale}`);
}
