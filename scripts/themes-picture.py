#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The README's picture of the themes: Zorrit under a private Xvfb with the built-in balls, then
with a shipped theme, each caught while its trail chases the pointer, side by side in
docs/themes.png. Usage: scripts/themes-picture.py [THEME] (default: the Stars theme of the
build tree)."""
import os
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "bench"))
from demo import ARROW  # noqa: E402
from harness import XSession, wait_until  # noqa: E402
from process_cpu import Pointer  # noqa: E402

WIDTH, HEIGHT = 240, 160


def shot(theme, out):
    """One screen: the trail of theme (None: the built-in balls) following the pointer."""
    session = XSession(WIDTH, HEIGHT)
    try:
        session.run(["xsetroot", "-solid", "#3b6e8f"], check=False)
        session.write_settings({"Scroll": "No"})
        pointer = Pointer(session.display)
        pointer.move(200, 40)
        zorrit = session.zorrit(*([theme] if theme else []))
        if not wait_until(lambda: session.find_windows("p5"), 20):
            raise RuntimeError("zorrit did not show its trail:\n" + session.log(zorrit))
        time.sleep(1.0)
        # Leftwards, then still for a moment: the chain strung out behind the pointer.
        for step in range(40):
            pointer.move(200 - step * 4, 40 + step * 0.5)
            time.sleep(0.02)
        x, y = 200 - 39 * 4, 40 + 39 * 0.5
        time.sleep(0.08)
        session.run(["import", "-window", "root", out])
        points = " ".join(f"{int(x) + dx},{int(y) + dy}" for dx, dy in ARROW)
        subprocess.run(["convert", out, "-fill", "white", "-stroke", "black", "-draw",
                        f"polygon {points}", out], check=True)
        session.stop(zorrit)
    finally:
        session.close()


def main():
    theme = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        ROOT, "build", "share", "zorrit", "themes", "stars.thm")
    work = tempfile.mkdtemp()
    balls, themed = os.path.join(work, "balls.png"), os.path.join(work, "theme.png")
    shot(None, balls)
    shot(os.path.abspath(theme), themed)
    out = os.path.join(ROOT, "docs", "themes.png")
    subprocess.run(["convert", balls, "-bordercolor", "white", "-border", "0x0", themed,
                    "-splice", "4x0", "+append", "-strip", out], check=True)
    print(f"the balls and {os.path.basename(theme)} side by side: {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
