#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The two shapes of layer-shell sprites on headless sway and labwc: five subsurfaces of one
1 x 1 layer surface, moved by set_position and one commit a tick (Zorrit's shape), against five
layer surfaces of their own, each moved by set_margin and a commit (bench/layer_shapes.c, five
20 x 20 sprites round a circle every 20 ms). Measures the compositor's CPU and the client's while
the client moves, and the compositor alone over as long, the three in turns over the rounds (the
order changes from round to round). Prints, per 20 ms tick, the medians as a Markdown table, with
what each shape costs above the compositor alone and the ratio of the two.

Usage: bench/layer_shapes.py [--seconds SECONDS] [--rounds N] [--desktops sway,labwc]
       (needs the test packages and the build's layer_shapes and wlr_pointer)
"""
import argparse
import os
import shutil
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from wayland_cpu import cpu_seconds  # noqa: E402  (also points the harness at the build's mouse)
from process_cpu import BENCH_DIR  # noqa: E402
from harness import WlrootsSession, wait_until  # noqa: E402

CLIENT = os.path.abspath(os.path.join(BENCH_DIR, "layer_shapes"))
SHAPES = ("subsurfaces", "surfaces")
ORDERS = (("alone", "subsurfaces", "surfaces"), ("surfaces", "subsurfaces", "alone"),
          ("subsurfaces", "alone", "surfaces"))


def alone(session, seconds):
    """The compositor's CPU over `seconds` with no client: (compositor, client, wall) seconds."""
    start, before = time.monotonic(), cpu_seconds(session.wayland.pid)
    time.sleep(seconds)
    return cpu_seconds(session.wayland.pid) - before, 0.0, time.monotonic() - start


def run_shape(session, shape, seconds, run):
    """The compositor's and the client's CPU from the client's first tick to its last. `run`
    names the client's log: a log is appended to, and an earlier run's "done" would end this
    one's wait at once."""
    client = session.spawn([CLIENT, shape, str(seconds)], log=f"layer-{shape}-{run}")
    try:
        if not wait_until(lambda: "moving" in session.log(client) or client.poll() is not None,
                          20) or client.poll() is not None:
            raise RuntimeError(f"layer_shapes {shape}: {session.log(client)}")
        start = time.monotonic()
        before = cpu_seconds(session.wayland.pid), cpu_seconds(client.pid)
        if not wait_until(lambda: "done" in session.log(client) or client.poll() is not None,
                          seconds + 20) or client.poll() is not None:
            raise RuntimeError(f"layer_shapes {shape}: {session.log(client)}")
        after = cpu_seconds(session.wayland.pid), cpu_seconds(client.pid)
        wall = time.monotonic() - start
        if wall < 0.9 * seconds:
            raise RuntimeError(f"layer_shapes {shape} moved {wall:.1f} s of {seconds:.0f}")
        return after[0] - before[0], after[1] - before[1], wall
    finally:
        session.stop(client)


def desktop(compositor, args):
    """Readings of each kind, per tick: {kind: [(compositor µs, client µs), ...]}."""
    session = WlrootsSession(compositor, 1024, 768)
    try:
        offered = session.run(["wayland-info"], check=False).stdout.decode()
        if "zwlr_layer_shell_v1" not in offered:
            return None
        time.sleep(2)  # the compositor settles after its start
        readings = {kind: [] for kind in ORDERS[0]}
        for r in range(args.rounds):
            for kind in ORDERS[r % len(ORDERS)]:
                server, client, wall = (alone(session, args.seconds) if kind == "alone"
                                        else run_shape(session, kind, args.seconds, r))
                ticks = wall * 1000 / 20
                readings[kind].append((1e6 * server / ticks, 1e6 * client / ticks))
        return readings
    finally:
        session.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--desktops", default="sway,labwc",
                        help="comma-separated, of sway and labwc")
    args = parser.parse_args()
    if not os.access(CLIENT, os.X_OK):
        sys.exit(f"{CLIENT} is missing: build the target layer_shapes")

    results = {}
    for compositor in args.desktops.split(","):
        if not shutil.which(compositor):
            print(f"{compositor}: not installed, left out", file=sys.stderr)
            continue
        readings = desktop(compositor, args)
        if readings is None:
            print(f"{compositor}: offers no layer shell, left out", file=sys.stderr)
            continue
        results[compositor] = readings

    print(f"five 20 x 20 sprites round a circle, {args.seconds:.0f} s a run, {args.rounds} rounds; "
          "CPU per 20 ms tick, medians (lowest–highest of the sum in brackets)")
    print("| desktop | shape | compositor | client | sum | above the compositor alone |")
    print("|---|---|---|---|---|---|")
    ratios = []
    for compositor, readings in results.items():
        base = statistics.median(server for server, _ in readings["alone"])
        above = {}
        for kind in ("alone",) + SHAPES:
            runs = readings[kind]
            server = statistics.median(s for s, _ in runs)
            client = statistics.median(c for _, c in runs)
            sums = [s + c for s, c in runs]
            total = statistics.median(sums)
            above[kind] = total - base
            print(f"| {compositor} | {kind} | {server:.0f} µs | "
                  f"{'–' if kind == 'alone' else f'{client:.0f} µs'} | {total:.0f} µs "
                  f"({min(sums):.0f}–{max(sums):.0f}) | "
                  f"{'–' if kind == 'alone' else f'{above[kind]:.0f} µs'} |")
        if above["surfaces"] > 0:
            ratios.append((compositor, above["subsurfaces"] / above["surfaces"]))
    print()
    for compositor, ratio in ratios:
        print(f"{compositor}: subsurfaces / surfaces, cost above the compositor alone: {ratio:.2f}")


if __name__ == "__main__":
    main()
