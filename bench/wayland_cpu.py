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

Usage: bench/wayland_cpu.py [--moving SECONDS] [--rest SECONDS]   (needs the test packages)
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
sys.path.insert(0, HERE)
from harness import GnomeSession, KWinSession, WlrootsSession, XSession, wait_until  # noqa: E402
from process_cpu import Pointer, circle, cpu_ns  # noqa: E402

os.environ.setdefault("ZORRIT_FAKE_POINTER", os.path.join(HERE, "..", "build", "tests",
                                                          "fake_pointer"))
os.environ.setdefault("ZORRIT_GNOME_EXTENSION", os.path.join(
    HERE, "..", "build", "gnome-shell", "zorrit-pointer@rediroriro.org"))
os.environ.setdefault("ZORRIT_WLR_POINTER", os.path.join(HERE, "..", "build", "tests",
                                                         "wlr_pointer"))


class KWinPointer:
    """Moves KWin's pointer through its fake-input protocol, from one long-lived helper."""

    def __init__(self, session):
        self.helper = subprocess.Popen([session.fake_pointer], env=session.env,
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        session.processes.append(self.helper)

    def move(self, x, y):
        self.helper.stdin.write(f"{int(x)} {int(y)}\n".encode())
        self.helper.stdin.flush()
        self.helper.stdout.readline()


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


def xwayland_pid(compositor_pid):
    """The compositor's Xwayland: a child of it, or of one of its children."""
    found = subprocess.run(["pgrep", "-x", "Xwayland"], capture_output=True, text=True).stdout
    for pid in map(int, found.split()):
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


def run_zorrit(session, pointer, server_pid, args, rates=(50,), xwayland=None):
    session.write_settings({"Scroll": "No"})
    zorrit = session.zorrit()
    wait_until(lambda: session.find_windows("p5"), 30)
    time.sleep(3)
    results = [measure(zorrit.pid, server_pid, xwayland, pointer, args.moving, args.rest, rate)
               for rate in rates]
    session.stop(zorrit)
    return results


class SessionPointer:
    """The session's own way of moving the pointer (Mutter's remote desktop, a virtual mouse)."""

    def __init__(self, session):
        self.session = session

    def move(self, x, y):
        self.session.move_pointer(int(x), int(y))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--moving", type=float, default=20)
    parser.add_argument("--rest", type=float, default=20)
    args = parser.parse_args()
    columns = []

    session = XSession()
    try:
        x11, = run_zorrit(session, Pointer(session.display), session.xvfb.pid, args)
        columns.append(("X11 (Xvfb)", 50, x11))
    finally:
        session.close()

    session = KWinSession(1024, 768)
    try:
        pointer = KWinPointer(session)
        time.sleep(2)
        xwayland = xwayland_pid(session.kwin.pid)
        bare = measure(None, session.kwin.pid, xwayland, pointer, args.moving, 0)
        columns.append(("KWin, no Zorrit", 50, bare))
        kwin, fast = run_zorrit(session, pointer, session.kwin.pid, args, (50, 500), xwayland)
        columns += [("KWin", 50, kwin), ("KWin", 500, fast)]
        # The X11 path on the same Xwayland, the pointer moved through XTest: what the trail
        # costs there with no report at all, next to a compositor busy compositing it.
        wayland = session.env.pop("WAYLAND_DISPLAY")
        os.environ["DISPLAY"] = session.display
        x11_on_kwin, = run_zorrit(session, Pointer(session.display), session.kwin.pid, args,
                                  (50,), xwayland)
        session.env["WAYLAND_DISPLAY"] = wayland
        columns.append(("KWin's Xwayland, X11 path", 50, x11_on_kwin))
    finally:
        session.close()

    extension = os.environ.get("ZORRIT_GNOME_EXTENSION")
    if extension and os.path.isdir(extension):
        session = GnomeSession(1024, 768, extensions=[extension])
        try:
            session.shell_call("EnableExtension", "zorrit-pointer@rediroriro.org")
            pointer = SessionPointer(session)
            time.sleep(2)
            xwayland = xwayland_pid(session.shell.pid)
            bare = measure(None, session.shell.pid, xwayland, pointer, args.moving, 0)
            columns.append(("GNOME, no Zorrit", 50, bare))
            # Each move is three for Mutter (the corner, then down, then across).
            gnome, fast = run_zorrit(session, pointer, session.shell.pid, args, (50, 167),
                                     xwayland)
            columns += [("GNOME", 50, gnome), ("GNOME", 167, fast)]
        finally:
            session.close()

    for compositor in ("sway", "labwc"):
        if not shutil.which(compositor):
            continue
        session = WlrootsSession(compositor, 1024, 768)
        try:
            offered = session.run(["wayland-info"], check=False).stdout.decode()
            if "ext_image_copy_capture_manager_v1" not in offered:
                continue
            pointer = SessionPointer(session)
            time.sleep(2)
            xwayland = xwayland_pid(session.wayland.pid)
            bare = measure(None, session.wayland.pid, xwayland, pointer, args.moving, 0)
            columns.append((f"{compositor}, no Zorrit", 50, bare))
            slow, fast = run_zorrit(session, pointer, session.wayland.pid, args, (50, 500),
                                    xwayland)
            columns += [(compositor, 50, slow), (compositor, 500, fast)]
        finally:
            session.close()

    ticks = args.moving * 50
    print(f"pointer path: {args.moving:.0f} s moving, then {args.rest:.0f} s at rest; "
          "CPU per 20 ms tick while moving")
    print("| | " + " | ".join(name for name, _, _ in columns) + " |")
    print("|---|" + "---|" * len(columns))
    print("| moves a second | " + " | ".join(str(rate) for _, rate, _ in columns) + " |")
    for key, label in (("moving", "Zorrit"), ("server", "display server / compositor"),
                       ("xwayland", "Xwayland")):
        print(f"| {label} | " + " | ".join(
            "–" if r[key] == 0 else f"{1e6 * r[key] / ticks:.0f} µs" for _, _, r in columns)
            + " |")
    print(f"| Zorrit at rest, CPU s in {args.rest:.0f} s | " + " | ".join(
        "–" if "no Zorrit" in name else f"{r['rest']:.2f}" for name, _, r in columns) + " |")


if __name__ == "__main__":
    main()
