#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Cost of the trail in a KWin (Wayland) session, where the pointer comes from a KWin script over
the session bus, next to an X11 session (Xvfb), where Zorrit asks the X server at every tick.
The same pointer path as bench/process_cpu.py: 50 moves a second, then the pointer at rest; on
KWin also 500 moves a second, as a fast mouse reports. Prints Zorrit's CPU seconds and its cost
per 20 ms tick while moving, and what the display server spends meanwhile (KWin: with and
without Zorrit, whose five moving windows it composites in software here).

Usage: bench/wayland_cpu.py [--moving SECONDS] [--rest SECONDS]   (needs the test packages)
"""
import argparse
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
sys.path.insert(0, HERE)
from harness import KWinSession, XSession, wait_until  # noqa: E402
from process_cpu import Pointer, circle, cpu_ns  # noqa: E402

os.environ.setdefault("ZORRIT_FAKE_POINTER", os.path.join(HERE, "..", "build", "tests",
                                                          "fake_pointer"))


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
    return cpu_ns(pid) / 1e9


def measure(pid, server_pid, pointer, moving, rest, rate=50):
    c0, s0 = cpu_seconds(pid) if pid else 0, cpu_seconds(server_pid)
    drive(pointer, moving, rate)
    c1, s1 = cpu_seconds(pid) if pid else 0, cpu_seconds(server_pid)
    time.sleep(rest)
    c2 = cpu_seconds(pid) if pid else 0
    return {"moving": c1 - c0, "rest": c2 - c1, "server": s1 - s0}


def run_zorrit(session, pointer, server_pid, args, rates=(50,)):
    session.write_settings({"Scroll": "No"})
    zorrit = session.zorrit()
    wait_until(lambda: session.find_windows("p5"), 30)
    time.sleep(3)
    results = [measure(zorrit.pid, server_pid, pointer, args.moving, args.rest, rate)
               for rate in rates]
    session.stop(zorrit)
    return results


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--moving", type=float, default=20)
    parser.add_argument("--rest", type=float, default=20)
    args = parser.parse_args()

    session = XSession()
    try:
        x11, = run_zorrit(session, Pointer(session.display), session.xvfb.pid, args)
    finally:
        session.close()

    session = KWinSession(1024, 768)
    try:
        pointer = KWinPointer(session)
        time.sleep(2)
        bare = measure(None, session.kwin.pid, pointer, args.moving, 0)
        kwin, fast = run_zorrit(session, pointer, session.kwin.pid, args, (50, 500))
    finally:
        session.close()

    ticks = args.moving * 50
    print(f"pointer path: {args.moving:.0f} s moving, then {args.rest:.0f} s at rest")
    print(f"{'':30}{'X11 (Xvfb)':>12}{'KWin':>12}{'KWin fast':>12}")
    print(f"{'moves per second':30}{50:12d}{50:12d}{500:12d}")
    print(f"{'Zorrit CPU s, moving':30}{x11['moving']:12.2f}{kwin['moving']:12.2f}"
          f"{fast['moving']:12.2f}")
    print(f"{'Zorrit CPU per tick, moving':30}{1e6 * x11['moving'] / ticks:10.0f}µs"
          f"{1e6 * kwin['moving'] / ticks:10.0f}µs{1e6 * fast['moving'] / ticks:10.0f}µs")
    print(f"{'Zorrit CPU s, at rest':30}{x11['rest']:12.2f}{kwin['rest']:12.2f}"
          f"{fast['rest']:12.2f}")
    print(f"{'server CPU s, moving':30}{x11['server']:12.2f}{kwin['server']:12.2f}"
          f"{fast['server']:12.2f}")
    print(f"KWin without Zorrit, 50 moves/s: {bare['server']:.2f} s")


if __name__ == "__main__":
    main()
