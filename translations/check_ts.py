#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a translation is not finished: an entry still marked unfinished (a new or changed
text), vanished or obsolete (a text the programs no longer have), or one with an empty
translation. Usage: check_ts.py FILE.ts..."""
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


def main(paths):
    found = [line for path in paths for line in problems(path)]
    for line in found:
        print(line, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
