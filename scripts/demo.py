#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Zorrit without a display: runs it under a private Xvfb, moves the pointer along a path for a
few seconds and writes what the screen showed as an animated GIF (demo/zorrit-trail.gif)."""
import math
import os
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "bench"))
from harness import XSession, wait_until  # noqa: E402
from process_cpu import Pointer  # noqa: E402

WIDTH, HEIGHT = 480, 300
SECONDS = 6.0
# A small arrow, drawn where the pointer is (Xvfb screenshots do not show the pointer).
ARROW = [(0, 0), (0, 16), (4, 12), (7, 19), (10, 18), (7, 11), (12, 11)]


def path(t):
    return (WIDTH / 2 + 150 * math.sin(t * 1.6), HEIGHT / 2 + 80 * math.sin(t * 2.7 + 0.6))


def main():
    out_dir = os.path.join(ROOT, "demo")
    os.makedirs(out_dir, exist_ok=True)
    gif = os.path.join(out_dir, "zorrit-trail.gif")
    session = XSession(WIDTH, HEIGHT)
    try:
        session.run(["xsetroot", "-solid", "#3b6e8f"], check=False)
        # A returning user with the wobble switched on, so the chain sways as it follows.
        session.write_settings({"Scroll": "No", "Move": "1"})
        pointer = Pointer(session.display)
        pointer.move(*path(0))
        zorrit = session.zorrit(*sys.argv[1:])
        if not wait_until(lambda: session.find_windows("p5"), 20):
            print("zorrit did not show its trail; its output:\n" + session.log(zorrit), file=sys.stderr)
            return 1
        time.sleep(1.0)

        position = [path(0)]
        stop = threading.Event()

        def drive():
            start = time.monotonic()
            while not stop.is_set():
                position[0] = path(time.monotonic() - start)
                pointer.move(*position[0])
                time.sleep(0.02)

        driver = threading.Thread(target=drive)
        driver.start()
        frames = []
        work = tempfile.mkdtemp(dir=session.root)
        end = time.monotonic() + SECONDS
        while time.monotonic() < end:
            x, y = position[0]
            png = os.path.join(work, f"{len(frames):04d}.png")
            session.run(["import", "-window", "root", png])
            frames.append((png, int(x), int(y)))
        stop.set()
        driver.join()

        arrows = []
        for png, x, y in frames:
            points = " ".join(f"{x + dx},{y + dy}" for dx, dy in ARROW)
            arrows += ["(", png, "-fill", "white", "-stroke", "black", "-draw",
                       f"polygon {points}", ")"]
        delay = max(2, int(100 * SECONDS / max(1, len(frames))))
        subprocess.run(["convert", "-delay", str(delay), "-loop", "0", *arrows, "+dither", "-layers",
                        "Optimize", gif], check=True)
        session.stop(zorrit)
        print(f"Zorrit ran under Xvfb ({len(frames)} frames); the trail is in {gif}")
        return 0
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
