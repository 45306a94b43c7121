#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Hand-off race: copy A starts plainly, copy B starts with a theme a moment later (from at once
to well after A is up). Afterwards exactly one copy must run (B), showing the handed theme, with
the `Theme` setting naming it and no Scrap.dat left behind.

    scripts/reliability/handoff_race.py [--rounds 100] [--seed N] [--bin build/bin]

When B happens to take the instance lock before A, A is the second plain copy and is refused with
its message box; the script answers it, as a person would, and counts the round separately."""
import argparse
import collections
import os
import random
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
import harness  # noqa: E402
from harness import wait_until  # noqa: E402
from test_trail import COLOURS, write_png  # noqa: E402

TITLES = ["Zorrit", "p2", "p3", "p4", "p5"]


def make_themes(folder, count=2):
    """Themes whose pictures differ per theme, so a screenshot tells which one is shown."""
    themes = []
    for t in range(count):
        sub = os.path.join(folder, f"theme {t}")
        os.makedirs(sub, exist_ok=True)
        names = []
        for k, colour in enumerate(COLOURS):
            colour = tuple(max(0, c - 40 * t) for c in colour)
            names.append(f"pic {k}.png")
            write_png(os.path.join(sub, names[-1]), 12, 12, colour)
        path = os.path.join(sub, f"race {t}.thm")
        with open(path, "wb") as f:
            f.write(b"".join(line.encode() + b"\r\n"
                             for line in [f"Race {t}", "Tester", *names, "http://example.test/"]))
        themes.append((path, [tuple(max(0, c - 40 * t) for c in colour) for colour in COLOURS]))
    return themes


def sprites_show(session, colours, pointer):
    px, py = pointer
    session.move_pointer(px, py)
    if not session.wait_position("p5", (px + 20, py + 75), 10):
        return "the trail did not settle"
    shot = session.screenshot()
    for k, title in enumerate(TITLES):
        position = session.position(title)
        if not position:
            return f"{title} not shown"
        x, y = position
        if shot.pixel(x + 6, y + 6) != colours[k]:
            return f"{title} shows {shot.pixel(x + 6, y + 6)}, not {colours[k]}"
    return None


def one_round(session, theme, colours, delay, round_no):
    """Returns (outcome, problem or None)."""
    session.write_settings({"Scroll": "No", "Theme": "default"})
    a = session.zorrit()
    time.sleep(delay)
    b = session.zorrit(theme)
    outcome = "A replaced by B"
    problem = None

    def settled():
        for window in session.find_windows("Zorrit - Error"):
            session.key(window, "Return")
        return a.poll() is not None and b.poll() is None and len(session.zorrit_pids()) == 1

    if not wait_until(settled, 30, 0.1):
        problem = (f"did not settle: A {'ran' if a.poll() is None else f'ended {a.returncode}'}, "
                   f"B {'ran' if b.poll() is None else f'ended {b.returncode}'}, "
                   f"{len(session.zorrit_pids())} copies")
    elif a.returncode == 1:
        outcome = "A refused (B held the lock first)"
    elif a.returncode != 0:
        problem = f"A ended with status {a.returncode}"
    if not problem:
        stored = session.read_settings().get("Theme")
        if stored != theme:
            problem = f"Theme setting is {stored!r}"
    if not problem:
        problem = sprites_show(session, colours, (200 + 5 * round_no % 400, 300))
    if not problem and os.path.exists(os.path.join(session.runtime, "zorrit", "Scrap.dat")):
        problem = "Scrap.dat left behind"
    if not problem:
        # Still one copy a moment later: nothing else was on its way out or in.
        time.sleep(0.3)
        if len(session.zorrit_pids()) != 1:
            problem = f"{len(session.zorrit_pids())} copies a moment later"
    for process in (a, b):
        session.stop(process)
    for pid in session.zorrit_pids():
        session.stop_pid(pid)
    for name in ("Scrap.dat",):
        try:
            os.remove(os.path.join(session.runtime, "zorrit", name))
        except FileNotFoundError:
            pass
    session.processes = [p for p in session.processes if p.poll() is None]
    return outcome, problem, a, b


def run_race(rounds, seed=1, max_delay=1.0, report=print):
    """Runs the rounds; returns (outcome counts, list of problems)."""
    rng = random.Random(seed)
    session = harness.XSession()
    outcomes = collections.Counter()
    problems = []
    try:
        themes = make_themes(os.path.join(session.home, "themes"))
        for n in range(rounds):
            # Half the rounds land B while A is still starting, the rest spread further out.
            delay = rng.uniform(0, 0.3) if n % 2 == 0 else rng.uniform(0, max_delay)
            theme, colours = themes[n % len(themes)]
            outcome, problem, a, b = one_round(session, theme, colours, delay, n)
            outcomes[outcome] += 1
            line = f"  round {n + 1:>3}: B after {delay * 1000:4.0f} ms: {outcome}"
            if problem:
                problems.append((n + 1, delay, problem, session.log(a)[-2000:]))
                line += f"  PROBLEM: {problem}"
            report(line)
            with open(a.log_path, "w"):
                pass  # one log per copy role, emptied between rounds
    finally:
        session.close()
    return outcomes, problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rounds", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--bin", help="folder of the zorrit program (default build/bin)")
    args = parser.parse_args()
    if args.bin:
        harness.BIN_DIR = os.path.abspath(args.bin)
    print(f"hand-off race: {args.rounds} rounds, seed {args.seed}, {harness.BIN_DIR}/zorrit")
    started = time.monotonic()
    outcomes, problems = run_race(args.rounds, args.seed)
    print(f"\n{args.rounds} rounds in {time.monotonic() - started:.0f} s")
    for outcome, count in sorted(outcomes.items()):
        print(f"  {outcome}: {count}")
    print(f"  rounds with a problem: {len(problems)}")
    for n, delay, problem, log in problems:
        print(f"    round {n} (B after {delay * 1000:.0f} ms): {problem}")
        if log.strip():
            print("      output:", log.strip().replace("\n", "\n      "))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
