#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Settings under faults: the real zorrit started over a read-only settings folder, a damaged
settings file and a full disk. Each time the trail must appear, the program must keep running,
print nothing, and every value that was stored before must still be there afterwards.

    scripts/reliability/settings_faults.py [--bin build/bin]

Needs root for the read-only bind mount and the small tmpfs (root ignores file permissions)."""
import argparse
import os
import stat
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
import harness  # noqa: E402

# What a user had chosen before: the trail at the top left, slow, translucent at 200.
STORED = {"Scroll": "No", "Theme": "default", "Above": "True", "Under": "False", "Move": "0",
          "Fast": "0", "BotRight": "False", "BotLeft": "False", "TopRight": "False",
          "TopLeft": "True", "transon": "0", "transslid": "200"}
# The lead sprite's place for a resting pointer at (500, 400) with the trail at the top left.
TOP_LEFT_LEAD = (500 - 12 - 20, 400 - 19 - 20)


def mount(*args):
    return subprocess.run(["mount", *args], capture_output=True).returncode == 0


def umount(path):
    subprocess.run(["umount", path], capture_output=True)


def run_zorrit(session, seconds=2.0, expected_output=""):
    """Starts zorrit, waits for the trail, lets it run; returns a problem or None. Zorrit must
    print nothing, or only a line holding expected_output."""
    process = session.zorrit()
    try:
        # With nothing readable left the start counts as a first one: the welcome comes first.
        def trail_or_welcome():
            for window in session.find_windows("Welcome Wizard"):
                session.key(window, "Return")
            return session.find_windows("p5")

        if not harness.wait_until(trail_or_welcome, 20, 0.2):
            return "no trail: " + session.log(process)
        session.move_pointer(500, 400)
        time.sleep(seconds)
        if process.poll() is not None:
            return f"zorrit ended with status {process.returncode}: {session.log(process)}"
        output = session.log(process)
        if output and not (expected_output and expected_output in output
                           and len(output.strip().splitlines()) == 1):
            return f"zorrit printed: {output!r}"
        if expected_output and expected_output not in output:
            return f"zorrit did not say {expected_output!r}"
        return None
    finally:
        session.stop(process)


def lost_values(before, after):
    return {k: (v, after.get(k)) for k, v in before.items() if after.get(k) != v}


def case_read_only_folder(session):
    # One value is missing, so start-up wants to write its default into the read-only folder.
    stored = {k: v for k, v in STORED.items() if k != "transslid"}
    session.write_settings(stored)
    folder = os.path.dirname(session.settings_path())
    if not (mount("--bind", folder, folder) and mount("-o", "remount,bind,ro", folder)):
        umount(folder)
        return "skipped: cannot mount (needs root)"
    try:
        problem = run_zorrit(session)
    finally:
        umount(folder)
    return problem or lost_values(stored, session.read_settings()) or None


def case_damaged_file(session):
    problems = []
    good = "".join(f"{harness.SETTINGS_PREFIX}{k}={v}\n" for k, v in STORED.items())
    variants = {
        "binary junk": bytes(range(256)) * 8,
        "good lines among broken ones": ("garbage without equals\n" + good + "bad=\\q\n"
                                         + "\x00\x01\n").encode("utf-8", "surrogatepass"),
        "invalid UTF-8 among good lines": good.encode() + b"\xff\xfe=\xc3\x28\n",
        "truncated in the middle of a line": good.encode()[:-7],
        "larger than any settings file": good.encode() + b"#" * (2 * 1024 * 1024),
        "one 10 MB line between good lines": (good.encode()[:len(good) // 2] + b"x" * (10 << 20)
                                              + b"\n" + good.encode()[len(good) // 2:]),
        "50 MB of garbage after good lines": good.encode() + b"\x01" * (50 << 20),
    }
    for name, data in variants.items():
        path = session.settings_path()
        os.makedirs(os.path.dirname(path), exist_ok=True)
        for leftover in os.listdir(os.path.dirname(path)):
            os.remove(os.path.join(os.path.dirname(path), leftover))
        with open(path, "wb") as f:
            f.write(data)
        problem = run_zorrit(session)
        if problem:
            problems.append(f"{name}: {problem}")
            continue
        # Whatever was readable survives, wherever the damage is; the damaged original is kept
        # aside, never lost.
        readable = {k: v for k, v in STORED.items()
                    if f"{harness.SETTINGS_PREFIX}{k}={v}\n".encode() in data}
        lost = lost_values(readable, session.read_settings())
        if lost:
            problems.append(f"{name}: lost {lost}")
        # Left untouched (nothing needed writing) or copied aside before being written anew.
        def holds_original(name):
            with open(os.path.join(os.path.dirname(path), name), "rb") as f:
                return f.read() == data

        if not any(holds_original(f) for f in os.listdir(os.path.dirname(path))
                   if not f.endswith(".lock")):
            problems.append(f"{name}: the damaged original was neither left nor kept aside")
    return "; ".join(problems) or None


def case_full_disk(session):
    folder = os.path.dirname(session.settings_path())
    os.makedirs(folder, exist_ok=True)
    if not mount("-t", "tmpfs", "-o", "size=64k,mode=0700", "tmpfs", folder):
        return "skipped: cannot mount a tmpfs (needs root)"
    try:
        # One value is missing, so start-up wants to write its default; the disk has no room.
        stored = {k: v for k, v in STORED.items() if k != "transslid"}
        session.write_settings(stored)
        # Unbuffered, so the last write that does not fit fails here and not when closing.
        with open(os.path.join(folder, "filler"), "wb", buffering=0) as f:
            try:
                while True:
                    f.write(b"\0" * 1024)
            except OSError:
                pass
        problem = run_zorrit(session)
        after = session.read_settings()
        os.remove(os.path.join(folder, "filler"))
    finally:
        umount(folder)
    return problem or lost_values(stored, after) or None


def case_not_a_file(session):
    """settings.conf as a FIFO, a link to one, a folder, a link to a device: no hang, the trail on
    the defaults, one line saying what is wrong, nothing written (the device stays a device)."""
    problems = []
    path = session.settings_path()
    folder = os.path.dirname(path)
    device = os.path.join(session.root, "null-device")
    if os.geteuid() == 0:
        os.mknod(device, 0o666 | 0o020000, os.makedev(1, 3))  # a character device like /dev/null
    else:
        device = "/dev/null"  # only root may make one; the user cannot write over /dev/null
    fifo = os.path.join(session.root, "pipe")

    def make_fifo(p):
        os.mkfifo(p)

    def link_to_fifo(p):
        if not os.path.exists(fifo):
            os.mkfifo(fifo)
        os.symlink(fifo, p)

    variants = {"a FIFO": make_fifo, "a link to a FIFO": link_to_fifo, "a folder": os.mkdir,
                "a link to a device": lambda p: os.symlink(device, p)}
    for name, make in variants.items():
        os.makedirs(folder, exist_ok=True)
        for leftover in os.listdir(folder):
            full = os.path.join(folder, leftover)
            (os.rmdir if os.path.isdir(full) and not os.path.islink(full) else os.remove)(full)
        make(path)
        kind = os.lstat(path).st_mode
        log = os.path.join(session.root, "zorrit.log")
        if os.path.exists(log):
            os.remove(log)  # each run is to say it once
        problem = run_zorrit(session, expected_output="is not a regular file")
        if problem:
            problems.append(f"{name}: {problem}")
        if os.lstat(path).st_mode != kind:
            problems.append(f"{name}: settings.conf was replaced")
        if not stat.S_ISCHR(os.stat(device).st_mode):
            problems.append(f"{name}: the device was replaced")
        if os.path.exists(path + ".bak"):
            problems.append(f"{name}: a .bak was written")
    return "; ".join(problems) or None


CASES = [("read-only settings folder", case_read_only_folder),
         ("damaged settings file", case_damaged_file),
         ("settings file that is not a file", case_not_a_file),
         ("full disk", case_full_disk)]


def run_cases(report=print):
    """Runs every case in its own X session; returns {case: problem or None or 'skipped: ...'}."""
    results = {}
    for name, case in CASES:
        session = harness.XSession()
        try:
            results[name] = case(session)
        finally:
            session.close()
        report(f"  {name}: {results[name] or 'ok'}")
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--bin", help="folder of the zorrit program (default build/bin)")
    args = parser.parse_args()
    if args.bin:
        harness.BIN_DIR = os.path.abspath(args.bin)
    print(f"settings under faults: {harness.BIN_DIR}/zorrit")
    results = run_cases()
    failed = [n for n, r in results.items() if r and not str(r).startswith("skipped")]
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
