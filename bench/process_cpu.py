#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Whole-process cost of the trail: the real zorrit, oneko and the floor program (a bare xcb
trail, bench/floor_trail.cpp, also run on a thread of a Qt program) under one Xvfb, one program at
a time (their windows would chase the same pointer and cover one another), each driven along the
same scripted pointer paths.

CPU time is exact: the scheduler's run time of every thread (the first field of
/proc/PID/task/*/schedstat, in nanoseconds), not the 10 ms clock ticks of /proc/PID/stat. Single
readings of a tenth of a second swing with the machine's load, so the programs take turns over
several rounds, each round starting with the next program, and the table shows minimum, median
and maximum, and the ratios of the medians.
Resident memory is also held against a bare Qt Widgets program showing one label.

Usage: bench/process_cpu.py [--rounds N] [--moving SECONDS] [--rest SECONDS] [--threads]
"""
import argparse
import ctypes
import ctypes.util
import math
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import BIN_DIR, XSession, wait_until  # noqa: E402

BENCH_DIR = os.path.join(BIN_DIR, "..", "bench")


def thread_times(pid):
    """Run time in nanoseconds of each live thread, by thread id: (name, ns)."""
    times = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                ns = int(f.read().split()[0])
            with open(f"/proc/{pid}/task/{tid}/comm") as f:
                name = f.read().strip()
        except OSError:
            continue  # the thread has just ended
        times[tid] = (name, ns)
    return times


def cpu_ns(pid):
    return sum(ns for _, ns in thread_times(pid).values())


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


def circle(t):
    """Round a circle of radius 200 once every 4 s, one step each 20 ms."""
    a = 2 * math.pi * t / 4.0
    return 512 + 200 * math.cos(a), 384 + 200 * math.sin(a)


def lissajous(t):
    """A fast figure over much of the screen."""
    return 512 + 300 * math.sin(t * 1.3), 384 + 220 * math.sin(t * 2.1 + 0.5)


PATHS = {"circle": circle, "lissajous": lissajous}


def drive(pointer, path, seconds):
    start = time.monotonic()
    n = 0
    while n / 50.0 < seconds:
        pointer.move(*path(n / 50.0))
        n += 1
        delay = start + n / 50.0 - time.monotonic()
        if delay > 0:
            time.sleep(delay)


def measure(process, work):
    """CPU nanoseconds of the process while work() runs."""
    before = cpu_ns(process.pid)
    work()
    return cpu_ns(process.pid) - before


def sleeps(pid):
    """How often each live thread has gone to sleep (voluntary context switches), by thread id."""
    counts = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith("voluntary_ctxt_switches:"):
                        counts[tid] = int(line.split()[1])
        except OSError:
            continue
    return counts


def show_threads(name, pid, work):
    """Each thread's CPU while work() runs, and how often it slept: on a virtual machine each
    wake-up costs tens of microseconds, so the count explains much of the time."""
    before, slept_before = thread_times(pid), sleeps(pid)
    work()
    after, slept_after = thread_times(pid), sleeps(pid)
    for tid, (comm, ns) in sorted(after.items()):
        spent = ns - before.get(tid, (comm, 0))[1]
        slept = slept_after.get(tid, 0) - slept_before.get(tid, 0)
        print(f"  {name} thread {tid} {comm:16} {spent / 1e6:8.1f} ms {slept:6} sleeps",
              flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=4)
    parser.add_argument("--moving", type=float, default=40, help="seconds per path and round")
    parser.add_argument("--rest", type=float, default=20, help="seconds at rest per round")
    parser.add_argument("--threads", action="store_true", help="print the CPU of each thread")
    parser.add_argument("--only", help="comma-separated programs to run (default: all)")
    args = parser.parse_args()

    programs = {
        "zorrit": None,  # started through the session, with its settings
        # The same with "Hide the trail over full-screen programs" unticked, named in --only:
        # what following the focused window costs (nothing at the tick; it is told, not asked).
        "zorrit unticked": None,
        "oneko": ["/usr/games/oneko", "-time", "20000"],
        "floor": [os.path.join(BENCH_DIR, "floor_trail")],
        # The floor's loop on a thread of a Qt program: what being a Qt process adds to it.
        "Qt floor": [os.path.join(BENCH_DIR, "floor_trail_qt")],
        "Qt label": [os.path.join(BENCH_DIR, "bare_label")],
    }
    wanted = (args.only.split(",") if args.only
              else [name for name in programs if name != "zorrit unticked"])
    moving = {name: {path: [] for path in PATHS} for name in wanted}
    xserver = {name: [] for name in wanted}  # Xvfb's CPU while the program's trail moves
    rest = {name: [] for name in wanted}
    rss = {name: [] for name in wanted}
    startups = []

    session = XSession()
    try:
        session.write_settings({"Scroll": "No"})
        pointer = Pointer(session.display)
        for r in range(args.rounds):
            # Each round starts with another program: on a shared machine the cost of the same
            # work drifts within a round, and a fixed order would hand one program the same
            # share of that drift every time.
            for name in wanted[r % len(wanted):] + wanted[:r % len(wanted)]:
                pointer.move(*circle(0))
                if name.startswith("zorrit"):
                    session.write_settings({"Scroll": "No",
                                            "HideFullScreen": "0" if "unticked" in name else "1"})
                    started = time.monotonic()
                    process = session.zorrit()
                    # The first trail frame: the last sprite window is mapped.
                    wait_until(lambda: session.find_windows("p5"), 20, 0.005)
                    startups.append(time.monotonic() - started)
                else:
                    process = session.spawn(programs[name], log=name)
                time.sleep(3)  # let it settle before measuring
                if name != "Qt label":  # it has no trail; only its memory and rest count
                    x_before = cpu_ns(session.xvfb.pid)
                    for path_name, path in PATHS.items():
                        work = lambda: drive(pointer, path, args.moving)  # noqa: E731
                        if args.threads:
                            print(f"round {r + 1}, {path_name}:", flush=True)
                            before = cpu_ns(process.pid)
                            show_threads(name, process.pid, work)
                            moving[name][path_name].append(cpu_ns(process.pid) - before)
                        else:
                            moving[name][path_name].append(measure(process, work))
                    xserver[name].append(cpu_ns(session.xvfb.pid) - x_before)
                rest[name].append(measure(process, lambda: time.sleep(args.rest)))
                rss[name].append(rss_kib(process.pid))
                session.stop(process)
                print(f"round {r + 1}/{args.rounds}: {name} done", file=sys.stderr, flush=True)
    finally:
        session.close()

    def spread(values, scale):
        if not values:
            return "", None
        m = statistics.median(values)
        return f"{min(values) / scale:.0f}–{m / scale:.0f}–{max(values) / scale:.0f}", m

    def ratio(a, b):
        return f"{a / b:.2f}" if a is not None and b else "n/a"

    load = os.getloadavg()
    print(f"{args.rounds} rounds; per round and program: each path {args.moving:.0f} s at 50 "
          f"pointer moves/s, then {args.rest:.0f} s at rest; load average at the end "
          f"{load[0]:.2f} {load[1]:.2f} {load[2]:.2f} on {os.cpu_count()} cores")
    print("CPU: exact run time of all threads, ms, minimum–median–maximum")
    names = [n for n in wanted]
    against = [n for n in ("oneko", "floor", "Qt floor") if "zorrit" in wanted]
    print(f"{'':26}" + "".join(f"{n:>16}" for n in names)
          + "".join(f"{'zorrit/' + n:>17}" for n in against))
    for path_name in PATHS:
        cells, medians = [], {}
        for n in names:
            text, medians[n] = spread(moving[n][path_name], 1e6)
            cells.append(f"{text:>16}")
        line = f"{'moving, ' + path_name:26}" + "".join(cells)
        line += "".join(f"{ratio(medians.get('zorrit'), medians.get(n)):>17}" for n in against)
        print(line)
    print(f"{'X server, both paths':26}"
          + "".join(f"{spread(xserver[n], 1e6)[0]:>16}" for n in names))
    cells, medians = [], {}
    for n in names:
        text, medians[n] = spread(rest[n], 1e6)
        cells.append(f"{text:>16}")
    print(f"{'at rest':26}" + "".join(cells))
    print(f"{'at rest, % of a core':26}"
          + "".join(f"{100 * medians[n] / 1e9 / args.rest:>15.2f}%" if medians[n] is not None
                    else f"{'':>16}" for n in names))
    cells, medians = [], {}
    for n in names:
        text, medians[n] = spread(rss[n], 1024)
        cells.append(f"{text:>16}")
    print(f"{'resident memory, MiB':26}" + "".join(cells))
    if "zorrit" in wanted and "Qt label" in wanted:
        print(f"zorrit resident memory / Qt label: {ratio(medians['zorrit'], medians['Qt label'])}")
    if startups:
        print("zorrit start-up to the first trail frame: "
              + ", ".join(f"{s * 1000:.0f}" for s in startups) + " ms")


if __name__ == "__main__":
    main()
