#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a translation is not finished: an entry still marked unfinished (a new or changed
text), vanished or obsolete (a text the programs no longer have), or one with an empty
translation.

Usage: check_ts.py FILE.ts...
       check_ts.py --lupdate LUPDATE --root SOURCE_DIR --copies DIR --sources "DIR..." FILE.ts...
The second form checks copies of the files brought up to date with the sources as they are now
(lupdate run on them from SOURCE_DIR), so that a text added or changed since the translation was
made comes out unfinished, and one that is gone comes out vanished; the files themselves are
left alone."""
import argparse
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET


def problems(path):
    found = []
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            text = "".join(translation.itertext()) if translation is not None else ""
            if kind in ("unfinished", "vanished", "obsolete", "missing"):
                found.append(f"{path}: {name}: {kind}: {source!r}")
            elif not text and message.get("numerus") != "yes":
                found.append(f"{path}: {name}: empty: {source!r}")
    return found


def updated_copies(args):
    os.makedirs(args.copies, exist_ok=True)
    copies = [shutil.copy(path, args.copies) for path in args.files]
    subprocess.run([args.lupdate, "-locations", "none", "-silent", *args.sources.split(),
                    "-ts", *copies], cwd=args.root, check=True)
    return copies


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("--lupdate")
    parser.add_argument("--root")
    parser.add_argument("--copies")
    parser.add_argument("--sources", default="")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args(argv)
    paths = updated_copies(args) if args.lupdate else args.files
    found = [line for path in paths for line in problems(path)]
    for line in found:
        print(line, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
