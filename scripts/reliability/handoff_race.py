#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Hand-off race: copies started while another one starts or runs must end with one copy, the
last started, showing its theme.

Pairs: copy A starts plainly, copy B starts with a theme a moment later (from at once to well
after A is up). Afterwards exactly one copy must run (B), showing the handed theme, with the
`Theme` setting naming it and no Scrap.dat left behind. When B happens to take the instance lock
before A, A is the second plain copy and is refused with its message box; the script answers it,
as a person would, and counts the round separately.

Bursts (--together 3,5,10): that many copies, each with a theme of its own, started at once, as a
file manager does for several selected themes (`zorrit %f` once per file). The last started must
be the one left, with its theme stored and shown, and no Scrap.dat.

Storm (--storm SECONDS): a copy with a theme every 1/--rate seconds. Afterwards the last started
must be the one left, within a few seconds; no other copy may hold an X connection then.

    scripts/reliability/handoff_race.py [--rounds 100] [--seed N] [--bin build/bin]
    scripts/reliability/handoff_race.py --rounds 0 --together 3,5,10 --bursts 20
    scripts/reliability/handoff_race.py --rounds 0 --storm 60 [--rate 20] [--wait 15]"""
import argparse
import collections
import os
import random
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
import harness  # noqa: E402
from harness import wait_until  # noqa: E402
from test_trail import COLOURS, write_png  # noqa: E402

TITLES = ["Zorrit", "p2", "p3", "p4", "p5"]


def make_themes(folder, count=2):
    """Themes whose pictures differ per theme (up to 16), so a screenshot tells which one is
    shown."""
    themes = []
    for t in range(count):
        sub = os.path.join(folder, f"theme {t}")
        os.makedirs(sub, exist_ok=True)
        colours = [tuple(max(0, c - 12 * t) for c in colour) for colour in COLOURS]
        names = []
        for k, colour in enumerate(colours):
            names.append(f"pic {k}.png")
            write_png(os.path.join(sub, names[-1]), 12, 12, colour)
        path = os.path.join(sub, f"race {t}.thm")
        with open(path, "wb") as f:
            f.write(b"".join(line.encode() + b"\r\n"
                             for line in [f"Race {t}", "Tester", *names, "http://example.test/"]))
        themes.append((path, colours))
    return themes


def x_clients(session):
    """How many clients the X server has, its own and xrestop's not counted; None when it took
    no new one."""
    result = session.run(["xrestop", "-b", "-m", "1"], check=False)
    blocks = [line for line in result.stdout.decode("utf-8", "replace").splitlines()
              if line and not line.startswith("\t")]
    if result.returncode != 0 or len(blocks) < 2:
        return None
    return len(blocks) - 2


def scrap_left(session):
    return os.path.exists(os.path.join(session.runtime, "zorrit", "Scrap.dat"))


def clear_round(session, processes):
    """Ends every copy of the round and what it left."""
    for process in processes:
        session.stop(process)
    for pid in session.zorrit_pids():
        session.stop_pid(pid)
    try:
        os.remove(os.path.join(session.runtime, "zorrit", "Scrap.dat"))
    except FileNotFoundError:
        pass
    session.processes = [p for p in session.processes if p.poll() is None]


def reap(processes):
    for process in processes:
        process.poll()


def only_survivor_up(session, survivor, theme):
    """Whether `survivor` is the only copy, has stored its theme and shows its trail."""
    return (session.zorrit_pids() == [survivor.pid]
            and session.read_settings().get("Theme") == theme
            and bool(session.find_windows("p5")))


def check_survivor(session, survivor, theme, colours, pointer):
    """What is wrong once only `survivor` runs: its theme, its sprites, Scrap.dat; None if
    nothing."""
    stored = session.read_settings().get("Theme")
    if stored != theme:
        return f"Theme setting is {stored!r}, not the last started copy's {theme!r}"
    problem = sprites_show(session, colours, pointer)
    if problem:
        return problem
    if scrap_left(session):
        return "Scrap.dat left behind"
    return None


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
        # B stores its theme and shows it once it holds the lock, after A has ended.
        wait_until(lambda: only_survivor_up(session, b, theme), 10)
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
    clear_round(session, (a, b))
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


def one_burst(session, themes, settle_timeout, round_no):
    """Starts one copy per theme at once; returns what is left and how long it took to settle:
    a dict with copies, seconds (None when it did not settle), x_clients, scrap, problem."""
    session.write_settings({"Scroll": "No", "Theme": "default"})
    processes = [session.zorrit(path) for path, _ in themes]
    started = time.monotonic()
    last = processes[-1]
    theme, colours = themes[-1]

    def settled():
        reap(processes)
        return only_survivor_up(session, last, theme)

    seconds = None
    if wait_until(settled, settle_timeout, 0.05):
        seconds = time.monotonic() - started
        problem = check_survivor(session, last, theme, colours, (200 + 5 * round_no % 400, 300))
        # Still one copy a moment later: nothing else was on its way out or in.
        time.sleep(0.5)
        if not problem and session.zorrit_pids() != [last.pid]:
            problem = f"{len(session.zorrit_pids())} copies a moment later"
    else:
        running = [p for p in processes if p.poll() is None]
        problem = (f"{len(session.zorrit_pids())} copies after {settle_timeout:.0f} s "
                   f"(of the {len(processes)} started: "
                   f"{', '.join(str(processes.index(p) + 1) for p in running) or 'none'}"
                   " still running)")
        if session.zorrit_pids() == [last.pid]:
            problem = check_survivor(session, last, theme, colours, (300, 300))
    result = {"copies": len(session.zorrit_pids()), "seconds": seconds,
              "x_clients": x_clients(session), "scrap": scrap_left(session), "problem": problem}
    clear_round(session, processes)
    return result


def run_bursts(counts, rounds, settle_timeout=12.0, report=print):
    """`rounds` bursts of each size in `counts`; returns the list of (count, result)."""
    session = harness.XSession()
    results = []
    try:
        themes = make_themes(os.path.join(session.home, "themes"), max(counts))
        for count in counts:
            for n in range(rounds):
                # Each burst in another order, so that no theme is always last.
                chosen = themes[n % count:count] + themes[:n % count]
                result = one_burst(session, chosen, settle_timeout, n)
                results.append((count, result))
                line = (f"  {count} together, round {n + 1:>3}: {result['copies']} left, "
                        + (f"settled {result['seconds']:.2f} s after the last start"
                           if result["seconds"] is not None else "did not settle"))
                if result["problem"]:
                    line += f"  PROBLEM: {result['problem']}"
                report(line)
    finally:
        session.close()
    return results


def run_storm(seconds, rate=20.0, wait=15.0, report=print):
    """A copy with a theme every 1/rate s for `seconds`, then up to `wait` s for it to settle.
    Returns a dict of figures and a list of problems."""
    session = harness.XSession()
    processes = []
    peaks = {"copies": 0, "x_clients": 0, "refused": False}
    stop_sampling = threading.Event()

    def sample():
        while not stop_sampling.wait(0.5):
            peaks["copies"] = max(peaks["copies"], len(session.zorrit_pids()))
            clients = x_clients(session)
            if clients is None:
                peaks["refused"] = True
            else:
                peaks["x_clients"] = max(peaks["x_clients"], clients)

    try:
        themes = make_themes(os.path.join(session.home, "themes"), 10)
        session.write_settings({"Scroll": "No", "Theme": "default"})
        # What one copy holds of the X server, for the figure at the end.
        alone = session.zorrit(themes[0][0])
        wait_until(lambda: only_survivor_up(session, alone, themes[0][0]), 15)
        per_copy = x_clients(session)
        clear_round(session, [alone])
        sampler = threading.Thread(target=sample, daemon=True)
        sampler.start()
        count = max(1, round(seconds * rate))
        begun = time.monotonic()
        for n in range(count):
            delay = begun + n / rate - time.monotonic()
            if delay > 0:
                time.sleep(delay)
            processes.append(session.zorrit(themes[n % len(themes)][0]))
            if n % 20 == 0:
                reap(processes)
        last_start = time.monotonic()
        last = processes[-1]
        theme, colours = themes[(count - 1) % len(themes)]
        report(f"  {count} copies started in {last_start - begun:.1f} s")

        # The time the last other copy was still seen after the last start, and the time from
        # which only the last one ran, with its theme stored and its trail shown.
        others_seen = 0.0
        settled_at = None
        deadline = last_start + wait
        while time.monotonic() < deadline:
            reap(processes)
            pids = session.zorrit_pids()
            now = time.monotonic() - last_start
            if any(pid != last.pid for pid in pids):
                others_seen = now
            if pids == [last.pid] and only_survivor_up(session, last, theme):
                if settled_at is None:
                    settled_at = now
                if now - settled_at >= 1.0:
                    break  # settled, and stayed so for a second
            else:
                settled_at = None
            time.sleep(0.1)
        stop_sampling.set()
        sampler.join()
        reap(processes)
        pids = session.zorrit_pids()
        figures = {
            "started": count,
            "copies left": len(pids),
            "last started is the one left": pids == [last.pid],
            "other copies seen until (s after the last start)": round(others_seen, 2),
            "settled (s after the last start)": None if settled_at is None else round(settled_at, 2),
            "Scrap.dat left": scrap_left(session),
            "X clients at the end": x_clients(session),
            "X clients of one copy alone": per_copy,
            "peak copies": peaks["copies"],
            "peak X clients": peaks["x_clients"],
            "X server refused a client": peaks["refused"],
        }
        problems = []
        if pids != [last.pid]:
            problems.append(f"{len(pids)} copies left {wait:.0f} s after the last start"
                            + ("" if last.pid in pids else ", the last started not among them"))
        else:
            problem = check_survivor(session, last, theme, colours, (300, 300))
            if problem:
                problems.append(problem)
            if figures["X clients at the end"] != per_copy:
                problems.append(f"{figures['X clients at the end']} X clients with one copy left, "
                                f"{per_copy} for one copy alone")
    finally:
        stop_sampling.set()
        session.close()
    return figures, problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rounds", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--together", default="",
                        help="burst sizes, comma-separated (for example 3,5,10)")
    parser.add_argument("--bursts", type=int, default=10, help="rounds of each burst size")
    parser.add_argument("--storm", type=float, default=0, help="seconds of launches")
    parser.add_argument("--rate", type=float, default=20, help="launches a second in the storm")
    parser.add_argument("--wait", type=float, default=15,
                        help="seconds a burst or the storm may take to settle")
    parser.add_argument("--bin", help="folder of the zorrit program (default build/bin)")
    args = parser.parse_args()
    if args.bin:
        harness.BIN_DIR = os.path.abspath(args.bin)
    failed = False
    if args.rounds:
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
        failed |= bool(problems)
    if args.together:
        counts = [int(c) for c in args.together.split(",")]
        print(f"\nbursts: {args.bursts} rounds each of {counts} copies at once, "
              f"{harness.BIN_DIR}/zorrit")
        results = run_bursts(counts, args.bursts, args.wait)
        for count in counts:
            mine = [r for c, r in results if c == count]
            settled = [r["seconds"] for r in mine if r["seconds"] is not None]
            left = collections.Counter(r["copies"] for r in mine)
            print(f"  {count} together: {len(settled)}/{len(mine)} settled to the last started "
                  f"copy"
                  + (f" (slowest {max(settled):.2f} s, median "
                     f"{sorted(settled)[len(settled) // 2]:.2f} s after the last start)"
                     if settled else "")
                  + f"; copies left: {dict(sorted(left.items()))}; "
                  f"Scrap.dat left {sum(r['scrap'] for r in mine)} times; X clients at the end: "
                  f"{dict(collections.Counter(r['x_clients'] for r in mine))}; "
                  f"rounds with a problem: {sum(bool(r['problem']) for r in mine)}")
        failed |= any(r["problem"] for _, r in results)
    if args.storm:
        print(f"\nstorm: {args.rate:g} launches a second for {args.storm:g} s, "
              f"{harness.BIN_DIR}/zorrit")
        figures, problems = run_storm(args.storm, args.rate, args.wait)
        for name, value in figures.items():
            print(f"  {name}: {value}")
        for problem in problems:
            print(f"  PROBLEM: {problem}")
        failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
