#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Whole-process cost of the trail: the real zorrit under Xvfb, and oneko in the same run, each
driven along the same scripted pointer path (50 moves a second for a while, then the pointer at
rest). Prints CPU seconds of each program and of the X server, their ratios, the start-up time to
the first trail frame and resident memory.

Usage: bench/process_cpu.py [--moving SECONDS] [--rest SECONDS]
"""
import argparse
import ctypes
import ctypes.util
import math
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import XSession, wait_until  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


class Pointer:
    """Moves the pointer through XTest, like a real device, from one long-lived connection."""

    def __init__(self, display):
        self.x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
        self.xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst"))
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(display.encode())

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.display, -1, int(x), int(y), 0)
        self.x11.XFlush(self.display)


def path(t):
    """A smooth figure over the screen, 50 samples a second."""
    return 512 + 300 * math.sin(t * 1.3), 384 + 220 * math.sin(t * 2.1 + 0.5)


def drive(pointer, seconds):
    start = time.monotonic()
    n = 0
    while True:
        t = n / 50.0
        if t >= seconds:
            break
        pointer.move(*path(t))
        n += 1
        delay = start + n / 50.0 - time.monotonic()
        if delay > 0:
            time.sleep(delay)


def measure(session, process, pointer, moving, rest):
    pid = process.pid
    xvfb = session.xvfb.pid
    c0, x0 = cpu_seconds(pid), cpu_seconds(xvfb)
    drive(pointer, moving)
    c1, x1 = cpu_seconds(pid), cpu_seconds(xvfb)
    time.sleep(rest)
    c2, x2 = cpu_seconds(pid), cpu_seconds(xvfb)
    return {"moving": c1 - c0, "rest": c2 - c1, "x_moving": x1 - x0, "x_rest": x2 - x1,
            "rss": rss_kib(pid)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--moving", type=float, default=20)
    parser.add_argument("--rest", type=float, default=20)
    args = parser.parse_args()

    session = XSession()
    try:
        session.write_settings({"Scroll": "No"})
        pointer = Pointer(session.display)
        pointer.move(*path(0))

        started = time.monotonic()
        zorrit = session.zorrit()
        # The first trail frame: the last sprite window is mapped.
        wait_until(lambda: session.find_windows("p5"), 20, 0.005)
        startup = time.monotonic() - started
        time.sleep(3)  # let it settle before measuring
        z = measure(session, zorrit, pointer, args.moving, args.rest)
        session.stop(zorrit)

        oneko = session.spawn(["/usr/games/oneko", "-time", "20000"], log="oneko")
        time.sleep(3)
        o = measure(session, oneko, pointer, args.moving, args.rest)
        session.stop(oneko)
    finally:
        session.close()

    def ratio(a, b):
        return f"{a / b:.2f}" if b > 0 else "n/a"

    print(f"pointer path: {args.moving:.0f} s moving at 50 moves/s, then {args.rest:.0f} s at rest")
    print(f"{'':22}{'zorrit':>10}{'oneko':>10}{'ratio':>8}")
    print(f"{'CPU s, moving':22}{z['moving']:10.2f}{o['moving']:10.2f}{ratio(z['moving'], o['moving']):>8}")
    print(f"{'CPU s, at rest':22}{z['rest']:10.2f}{o['rest']:10.2f}{ratio(z['rest'], o['rest']):>8}")
    print(f"{'X server CPU s, moving':22}{z['x_moving']:10.2f}{o['x_moving']:10.2f}{ratio(z['x_moving'], o['x_moving']):>8}")
    print(f"{'X server CPU s, rest':22}{z['x_rest']:10.2f}{o['x_rest']:10.2f}")
    print(f"{'resident memory KiB':22}{z['rss']:10d}{o['rss']:10d}")
    print(f"zorrit at rest: {100 * z['rest'] / args.rest:.2f} % of one core")
    print(f"zorrit start-up to the first trail frame: {startup * 1000:.0f} ms")


if __name__ == "__main__":
    main()
