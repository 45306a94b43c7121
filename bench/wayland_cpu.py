#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Cost of the trail in Wayland sessions (a headless KWin, whose pointer a KWin script reports,
a headless GNOME Shell, whose pointer Zorrit's extension reports, and headless sway and labwc,
whose cursor sessions Zorrit reads at its tick, where they have them), next to an X11 session
(Xvfb), where Zorrit asks the X server at every tick. The same pointer path as
bench/process_cpu.py: 50 moves a second, then the pointer at rest; also a fast mouse (500 moves a
second on KWin, sway and labwc; on GNOME each move is three for Mutter, so 167). Prints, per 20 ms tick while
moving, Zorrit's CPU, the display server's or compositor's, and Xwayland's, with and without
Zorrit (whose five moving windows the compositor composites in software here), as a Markdown
table.

Where the compositor offers a layer shell (KWin, sway, labwc), the trail runs both ways in turns
over the rounds, with the compositor alone among them: as layer-shell surfaces, and as X11
windows on Xwayland (ZORRIT_SPRITES=x11). A
second table gives the trail's whole cost on each such desktop: what Zorrit, the compositor and
Xwayland spend together, less what the compositor and Xwayland spend moving the same pointer
without Zorrit, and the ratio of the two ways.

Xvfb is measured at the start of the run and again at its end, and its figure is the median of
both sets of readings. Every session has a StatusNotifier panel, as a desktop does, so that
Zorrit's tray icon finds its host at the start and every session's tray costs the same: nothing
while the pointer moves.

Usage: bench/wayland_cpu.py [--moving SECONDS] [--rest SECONDS] [--rounds N]
                            [--desktops kwin,gnome,sway,labwc]
       (needs the test packages)
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
sys.path.insert(0, HERE)
from harness import GnomeSession, KWinSession, WlrootsSession, XSession, wait_until  # noqa: E402
from process_cpu import Pointer, circle, cpu_ns  # noqa: E402

WATCHER = os.path.join(HERE, "..", "tests", "e2e", "status_notifier_watcher.py")

os.environ.setdefault("ZORRIT_FAKE_POINTER", os.path.join(HERE, "..", "build", "tests",
                                                          "fake_pointer"))
os.environ.setdefault("ZORRIT_GNOME_EXTENSION", os.path.join(
    HERE, "..", "build", "gnome-shell", "zorrit-pointer@rediroriro.org"))
os.environ.setdefault("ZORRIT_WLR_POINTER", os.path.join(HERE, "..", "build", "tests",
                                                         "wlr_pointer"))


def start_panel(session):
    """A StatusNotifier panel on the session's bus (a bus of its own where the session has none),
    as the desktops people run Zorrit on have. Without a panel Zorrit looks for one every second
    for its first minute, which is the tray's cost, not the trail's: on Qt 6.11 with a session bus
    that look is three bus calls, on Xvfb with no bus next to nothing, and the sessions would not
    compare."""
    if "DBUS_SESSION_BUS_ADDRESS" not in session.env:
        bus = os.path.join(session.runtime, "bus")
        session.spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                       f"--address=unix:path={bus}"], log="dbus")
        if not wait_until(lambda: os.path.exists(bus), 10):
            raise RuntimeError("the session bus did not start")
        session.env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={bus}"
    watcher = session.spawn([sys.executable, os.path.abspath(WATCHER)], log="panel")
    if not wait_until(lambda: "ready" in session.log(watcher), 10):
        raise RuntimeError(f"no StatusNotifier panel: {session.log(watcher)}")


def drive(pointer, seconds, rate):
    start = time.monotonic()
    n = 0
    while n / rate < seconds:
        pointer.move(*circle(n / rate))
        n += 1
        delay = start + n / rate - time.monotonic()
        if delay > 0:
            time.sleep(delay)


def cpu_seconds(pid):
    return cpu_ns(pid) / 1e9 if pid else 0.0


def xwayland_pid(compositor_pid, session=None):
    """The compositor's Xwayland: a child of it, or of one of its children, or (wlroots starts
    it detached) the one serving the session's display in its runtime folder."""
    found = subprocess.run(["pgrep", "-x", "Xwayland"], capture_output=True, text=True).stdout
    for pid in map(int, found.split()):
        if session:
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    serves = session.display.encode() in f.read().split(b"\0")
                with open(f"/proc/{pid}/environ", "rb") as f:
                    ours = f"XDG_RUNTIME_DIR={session.runtime}".encode() in f.read().split(b"\0")
            except OSError:
                continue
            if serves and ours:
                return pid
        parent = pid
        for _ in range(3):
            try:
                with open(f"/proc/{parent}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
            except FileNotFoundError:  # gone meanwhile
                break
            if parent == compositor_pid:
                return pid
            if parent <= 1:
                break
    return None


def measure(pid, server_pid, xwayland, pointer, moving, rest, rate=50):
    before = [cpu_seconds(p) for p in (pid, server_pid, xwayland)]
    drive(pointer, moving, rate)
    after = [cpu_seconds(p) for p in (pid, server_pid, xwayland)]
    time.sleep(rest)
    return {"moving": after[0] - before[0], "rest": cpu_seconds(pid) - after[0],
            "server": after[1] - before[1], "xwayland": after[2] - before[2]}


def run_zorrit(session, pointer, server_pid, args, rates=(50,), xwayland=None, rounds=1,
               sprites=None):
    """Zorrit's, the compositor's and Xwayland's CPU at each rate, medians of `rounds`.
    `sprites`: "x11" keeps the sprites X11 windows where the compositor offers a layer shell."""
    session.write_settings({"Scroll": "No"})
    if sprites:
        session.env["ZORRIT_SPRITES"] = sprites
    try:
        zorrit = session.zorrit()
    finally:
        session.env.pop("ZORRIT_SPRITES", None)
    # Layer-shell sprites are no X11 windows: the trail is up once Zorrit has settled.
    wait_until(lambda: session.find_windows("p5"), 8)
    time.sleep(3)
    if callable(xwayland):
        xwayland = xwayland()
    # Each rate `rounds` times in turn, so that a slow moment of the machine is not the reading;
    # the median of each figure stands, and Zorrit's readings are kept for their spread.
    rounds = [[measure(zorrit.pid, server_pid, xwayland, pointer, args.moving, args.rest, rate)
               for rate in rates] for _ in range(rounds)]
    session.stop(zorrit)
    return [dict({key: statistics.median(r[k][key] for r in rounds) for key in rounds[0][k]},
                 spread=[r[k]["moving"] for r in rounds])
            for k in range(len(rates))]


def both_kinds(session, pointer, server_pid, xwayland, args, rates=(50, 500)):
    """The compositor moving the pointer without Zorrit, and the trail's whole cost with
    layer-shell sprites and with X11 windows, in turns over the rounds (the order changes from
    round to round): for each, one result per rate (medians). A compositor that swings by
    hundreds of microseconds a tick needs its bare reading as often as the others."""
    readings = {"bare": [], "layer": [], "x11": []}
    orders = (("bare", "layer", "x11"), ("x11", "layer", "bare"), ("layer", "bare", "x11"))
    for r in range(args.rounds):
        for kind in orders[r % len(orders)]:
            if kind == "bare":
                alone = None if callable(xwayland) else xwayland
                readings[kind].append([measure(None, server_pid, alone, pointer, args.moving, 0,
                                               rate) for rate in rates])
                continue
            readings[kind].append(run_zorrit(session, pointer, server_pid, args, rates,
                                             xwayland, 1, "x11" if kind == "x11" else None))
    out = {}
    for kind, runs in readings.items():
        out[kind] = [dict({key: statistics.median(run[k][key] for run in runs)
                           for key in runs[0][k] if key != "spread"},
                          spread=[run[k]["moving"] for run in runs])
                     for k in range(len(rates))]
    return out


def xwayland_sees_moves(session, pointer):
    """Whether Xwayland's pointer follows moves over the X11 window (under a headless GNOME
    Shell 51 it does not hear the moves Mutter's remote desktop makes)."""
    seen = set()
    for x, y in (circle(t) for t in range(4)):  # four points round the circle
        pointer.move(x, y)
        time.sleep(0.2)
        found = re.search(r"x:(\d+) y:(\d+)", session.run(
            ["xdotool", "getmouselocation"], check=False).stdout.decode())
        seen.add(found.groups() if found else None)
    return len(seen) == 4 and None not in seen


class SessionPointer:
    """The session's own way of moving the pointer (Mutter's remote desktop, a virtual mouse
    that stays plugged in, KWin's fake input)."""

    def __init__(self, session):
        self.session = session

    def move(self, x, y):
        self.session.move_pointer(int(x), int(y))


def on_xvfb(args):
    session = XSession()
    try:
        start_panel(session)
        x11, = run_zorrit(session, Pointer(session.display), session.xvfb.pid, args,
                          rounds=args.rounds)
        return x11
    finally:
        session.close()


def layer_shell_desktop(name, session, pointer, server_pid, xwayland, args, columns, pairs,
                        rates=(50, 500)):
    """The compositor alone, then the trail as layer-shell surfaces and as X11 windows.
    `xwayland`: its pid, or a function that finds it for each run (wlroots runs Xwayland only
    while X11 programs are connected: without Zorrit it is not counted)."""
    time.sleep(2)
    kinds = both_kinds(session, pointer, server_pid, xwayland, args, rates)
    bare = dict(zip(rates, kinds["bare"]))
    for rate in rates:
        columns.append((f"{name}, no Zorrit", rate, bare[rate]))
    for kind, label in (("layer", "layer shell"), ("x11", "X11 windows")):
        for rate, result in zip(rates, kinds[kind]):
            columns.append((f"{name}, {label}", rate, result))
    pairs.append((name, bare, dict(zip(rates, zip(kinds["layer"], kinds["x11"])))))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--moving", type=float, default=20)
    parser.add_argument("--rest", type=float, default=20)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--desktops", default="kwin,gnome,sway,labwc",
                        help="comma-separated, of kwin, gnome, sway, labwc (Xvfb always)")
    args = parser.parse_args()
    desktops = args.desktops.split(",")
    columns = []
    pairs = []

    columns.append(("X11 (Xvfb)", 50, on_xvfb(args)))

    if "kwin" in desktops:
        # Its virtual outputs: nothing but KWin composites.
        session = KWinSession(1024, 768, in_windows=False)
        try:
            start_panel(session)
            pointer = SessionPointer(session)
            time.sleep(2)
            xwayland = xwayland_pid(session.kwin.pid)
            layer_shell_desktop("KWin", session, pointer, session.kwin.pid, xwayland, args,
                                columns, pairs)
        finally:
            session.close()

    extension = os.environ.get("ZORRIT_GNOME_EXTENSION")
    if "gnome" in desktops and extension and os.path.isdir(extension):
        session = GnomeSession(1024, 768, extensions=[extension])
        try:
            start_panel(session)
            session.shell_call("EnableExtension", "zorrit-pointer@rediroriro.org")
            pointer = SessionPointer(session)
            time.sleep(2)
            xwayland = xwayland_pid(session.shell.pid)
            bare = measure(None, session.shell.pid, xwayland, pointer, args.moving, 0)
            columns.append(("GNOME, no Zorrit", 50, bare))
            # Mutter has no layer shell: X11 windows. Each move is three for Mutter (the corner,
            # then down, then across).
            gnome, fast = run_zorrit(session, pointer, session.shell.pid, args, (50, 167),
                                     xwayland, args.rounds)
            columns += [("GNOME, X11 windows", 50, gnome), ("GNOME, X11 windows", 167, fast)]
        finally:
            session.close()

    for compositor in ("sway", "labwc"):
        if compositor not in desktops or not shutil.which(compositor):
            continue
        session = WlrootsSession(compositor, 1024, 768)
        try:
            offered = session.run(["wayland-info"], check=False).stdout.decode()
            if "ext_image_copy_capture_manager_v1" not in offered:
                continue
            start_panel(session)
            pointer = SessionPointer(session)
            # wlroots runs Xwayland only while X11 programs are connected (Zorrit's Qt is one):
            # found afresh for each run, and not there without Zorrit.
            find_xwayland = lambda: xwayland_pid(session.wayland.pid, session)  # noqa: E731
            layer_shell_desktop(compositor, session, pointer, session.wayland.pid,
                                find_xwayland, args, columns, pairs)
        finally:
            session.close()

    # The machine's pace drifts over a run: Xvfb again at the end, and the two sets of readings
    # as one, so that neither end of the run is the measure of the others.
    first, last = columns[0][2], on_xvfb(args)
    both = first["spread"] + last["spread"]
    columns[0] = ("X11 (Xvfb)", 50, dict(
        {key: statistics.median([first[key], last[key]]) for key in first if key != "spread"},
        moving=statistics.median(both), spread=both))

    ticks = args.moving * 50
    def per_tick(seconds):
        return 1e6 * seconds / ticks

    print(f"pointer path: {args.moving:.0f} s moving, then {args.rest:.0f} s at rest; "
          "CPU per 20 ms tick while moving; Xvfb at the start and at the end of the run")
    print("| | moves a second | Zorrit (median) | Zorrit, lowest–highest | compositor / server "
          "| Xwayland | sum | at rest, Zorrit's CPU s |")
    print("|---|---|---|---|---|---|---|---|")
    for name, rate, r in columns:
        alone = "no Zorrit" in name
        cells = [name, str(rate)]
        cells.append("–" if alone else f"{per_tick(r['moving']):.0f} µs")
        cells.append("–" if alone or "spread" not in r else
                     f"{per_tick(min(r['spread'])):.0f}–{per_tick(max(r['spread'])):.0f} µs")
        cells.append(f"{per_tick(r['server']):.0f} µs")
        cells.append(f"{per_tick(r['xwayland']):.0f} µs" if r["xwayland"] else "–")
        cells.append(f"{per_tick(r.get('moving', 0) + r['server'] + r['xwayland']):.0f} µs")
        cells.append("–" if alone else f"{r['rest']:.2f}")
        print("| " + " | ".join(cells) + " |")
    if not pairs:
        return
    print()
    print("the trail's whole cost per tick (Zorrit, the compositor and Xwayland, less the "
          "compositor and Xwayland moving the same pointer without Zorrit)")
    print("| desktop | moves a second | layer shell | X11 windows | layer shell / X11 windows |")
    print("|---|---|---|---|---|")
    for name, bare, rates in pairs:
        for rate, (layer, x11) in rates.items():
            base = bare[rate]["server"] + bare[rate]["xwayland"]
            cost = [r["moving"] + r["server"] + r["xwayland"] - base for r in (layer, x11)]
            print(f"| {name} | {rate} | {per_tick(cost[0]):.0f} µs | {per_tick(cost[1]):.0f} µs "
                  f"| {cost[0] / cost[1]:.2f} |")


if __name__ == "__main__":
    main()
