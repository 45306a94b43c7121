#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Soak run: the real zorrit under Xvfb (with openbox and a tray host) while the pointer keeps
moving, sampling its resident memory and its X resources (windows, pixmaps, GCs, pictures ...)
every few seconds.

    scripts/reliability/soak.py [--minutes 30] [--interval 10] [--bin build/bin]

Prints one line per sample and a summary (start, end and largest value of each figure) and ends
with status 1 when zorrit died, printed anything, or its X resources grew."""
import argparse
import ctypes
import ctypes.util
import math
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
import harness  # noqa: E402

RESOURCE_FIELDS = ("windows", "GCs", "pixmaps", "pictures", "cursors", "fonts", "colormaps",
                   "glyphsets", "unknowns")


class PointerMover(threading.Thread):
    """Moves the pointer along a looping curve through XTEST, 50 times a second, on its own X
    connection (no process per move)."""

    def __init__(self, display, width, height):
        super().__init__(daemon=True)
        self.display, self.width, self.height = display, width, height
        self.stop_event = threading.Event()
        self.moves = 0

    def run(self):
        x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
        xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst"))
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                              ctypes.c_int, ctypes.c_ulong]
        dpy = x11.XOpenDisplay(self.display.encode())
        if not dpy:
            return
        t = 0.0
        cx, cy = self.width / 2, self.height / 2
        while not self.stop_event.is_set():
            # A Lissajous figure, with rests now and then so the trail also settles and sleeps.
            phase = t % 20.0
            if phase < 16.0:
                x = cx + (cx - 40) * math.sin(t * 1.3)
                y = cy + (cy - 40) * math.sin(t * 0.7 + 0.5)
                xtst.XTestFakeMotionEvent(dpy, -1, int(x), int(y), 0)
                x11.XFlush(dpy)
                self.moves += 1
            t += 0.02
            time.sleep(0.02)
        x11.XCloseDisplay(dpy)


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def open_files(pid):
    return len(os.listdir(f"/proc/{pid}/fd"))


def x_resources(session, window):
    """The X resources of the client that owns `window`, read with xrestop."""
    out = session.run(["xrestop", "-b", "-m", "1"], check=False).stdout.decode("utf-8", "replace")
    blocks, current = [], None
    for line in out.splitlines():
        if not line.startswith("\t"):
            current = {}
            blocks.append(current)
            continue
        key, _, value = line.strip().partition(":")
        value = value.strip().lstrip("~")
        if current is not None:
            current[key.strip()] = int(value, 16) if value.startswith("0x") else int(value or 0)
    for block in blocks:
        base, mask = block.get("res_base"), block.get("res_mask")
        if base is not None and mask is not None and window & ~mask == base:
            counts = {k: block.get(k, 0) for k in RESOURCE_FIELDS}
            counts["total"] = sum(counts.values())
            counts["pixmap bytes"] = block.get("pixmap bytes", 0)
            return counts
    return None


def run_soak(seconds, interval=10.0, report=print):
    """Runs the soak and returns (samples, error_output, alive_at_end)."""
    session = harness.XSession()
    mover = None
    try:
        # A desktop as a user has it: a window manager and a tray for the icon.
        session.start_window_manager()
        session.start_tray_host()
        session.write_settings({"Scroll": "No"})
        process = session.zorrit()
        lead = session.wait_window("p5", 20)
        if not lead:
            raise RuntimeError("the trail did not appear: " + session.log(process))
        mover = PointerMover(session.display, session.width, session.height)
        mover.start()
        # The first sample after the tray icon is in: its windows and pictures belong to the base.
        time.sleep(3)
        samples = []
        start = time.monotonic()
        next_sample = start
        while True:
            now = time.monotonic()
            if now >= next_sample:
                if process.poll() is not None:
                    break
                sample = {"t": round(now - start), "rss_kib": resident_kib(process.pid),
                          "cpu_s": round(cpu_seconds(process.pid), 2),
                          "fds": open_files(process.pid)}
                sample.update(x_resources(session, lead) or {})
                geometry = session.geometry(lead)
                sample["p5"] = (geometry.x, geometry.y) if geometry else None
                samples.append(sample)
                report("  t={t:>5}s  rss={rss_kib} KiB  cpu={cpu_s}s  fds={fds}  X: windows={w} "
                       "pixmaps={p} GCs={g} pictures={pi} total={tot} pixmap bytes={pb}".format(
                           w=sample.get("windows"), p=sample.get("pixmaps"), g=sample.get("GCs"),
                           pi=sample.get("pictures"), tot=sample.get("total"),
                           pb=sample.get("pixmap bytes"), **sample))
                if now - start >= seconds:
                    break
                next_sample += interval
            time.sleep(0.2)
        alive = process.poll() is None
        places = {s["p5"] for s in samples}
        report(f"  the last sprite was seen at {len(places)} different places in "
               f"{len(samples)} samples")
        mover.stop_event.set()
        mover.join(5)
        session.stop(process)
        output = session.log(process)
        return samples, output, alive, mover.moves
    finally:
        if mover:
            mover.stop_event.set()
        session.close()


def summarise(samples):
    """{figure: (start, end, max)} over the samples."""
    figures = {}
    for key in ("rss_kib", "fds", "windows", "pixmaps", "GCs", "pictures", "total", "pixmap bytes"):
        values = [s[key] for s in samples if key in s]
        if values:
            figures[key] = (values[0], values[-1], max(values))
    return figures


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--minutes", type=float, default=30)
    parser.add_argument("--interval", type=float, default=10, help="seconds between samples")
    parser.add_argument("--bin", help="folder of the zorrit program (default build/bin)")
    args = parser.parse_args()
    if args.bin:
        harness.BIN_DIR = os.path.abspath(args.bin)
    print(f"soak: {harness.BIN_DIR}/zorrit for {args.minutes} min, a sample every {args.interval} s")
    samples, output, alive, moves = run_soak(args.minutes * 60, args.interval)
    figures = summarise(samples)
    print(f"\n{len(samples)} samples, {moves} pointer moves; zorrit "
          f"{'still running' if alive else 'DIED'} at the end")
    print(f"{'figure':<14}{'start':>10}{'end':>10}{'max':>10}")
    for key, (first, last, most) in figures.items():
        print(f"{key:<14}{first:>10}{last:>10}{most:>10}")
    print("output of zorrit:", repr(output) if output else "none")
    grew = "total" in figures and figures["total"][1] > figures["total"][0]
    if grew:
        print("X resources grew")
    return 0 if alive and not output and not grew and samples else 1


if __name__ == "__main__":
    sys.exit(main())
