#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The installed package as a user meets it: /usr/bin/zorrit shows its trail and tray icon,
registers itself as the menu entry that opens theme files, and its preferences open the help page
and start the installed wizard. Run by scripts/package-test between dpkg -i and dpkg -r."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../e2e"))
import harness  # noqa: E402
from harness import XTestCase, wait_until  # noqa: E402

PREFIX = os.environ.get("ZORRIT_INSTALLED_PREFIX", "/usr")
harness.BIN_DIR = os.path.join(PREFIX, "bin")

RECORDER = """#!/bin/sh
printf '%s\\n' "$@" >> "$HOME/opened.txt"
"""


class InstalledZorrit(XTestCase):
    def setUp(self):
        super().setUp()
        self.x.start_window_manager()
        self.x.start_tray_host()
        # Whatever the program asks the desktop to open lands in ~/opened.txt.
        recorder = os.path.join(self.x.home, "record-open")
        with open(recorder, "w") as f:
            f.write(RECORDER)
        os.chmod(recorder, 0o755)
        apps = os.path.join(self.x.data, "applications")
        os.makedirs(apps, exist_ok=True)
        with open(os.path.join(apps, "recorder.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Recorder\n"
                    f"Exec={recorder} %f\nMimeType=text/html;\nNoDisplay=true\n")
        with open(os.path.join(self.x.config, "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\ntext/html=recorder.desktop;\n")
        self.opened = os.path.join(self.x.home, "opened.txt")

    def open_preferences(self, icon):
        for _ in range(3):
            if self.x.choose_from_tray_menu(icon, "z"):  # "&Zorrit Preferences..."
                prefs = self.x.wait_window("Zorrit Preferences", 10)
                if prefs:
                    return prefs
        self.fail("the preferences did not open")

    def test_the_installed_copy_runs_and_finds_its_help_and_wizard(self):
        self.start_zorrit()
        self.assertIsNotNone(self.x.wait_window("p5", 20), "the trail did not appear")
        self.assertTrailAt((400, 300))

        # The installed copy registers itself as the menu entry, by its installed path.
        entry = os.path.join(self.x.data, "applications", "zorrit.desktop")
        self.assertTrue(wait_until(lambda: os.path.exists(entry), 10))
        with open(entry) as f:
            content = f.read()
        self.assertIn(f"Exec={harness.BIN_DIR}/zorrit %f\n", content)
        self.assertNotIn("NoDisplay", content)
        with open(os.path.join(self.x.config, "mimeapps.list")) as f:
            self.assertIn("text/html=recorder.desktop;", f.read())

        icon = wait_until(self.x.tray_icon, 15)
        self.assertIsNotNone(icon, "no icon in the tray")

        # "&Help..." shares its mnemonic with the "S&haring" tab: the second press reaches it.
        prefs = self.open_preferences(icon)
        self.x.key(prefs, "alt+h")
        self.x.run(["xdotool", "key", "alt+h", "space"])
        help_page = os.path.join(PREFIX, "share", "zorrit", "Help.htm")
        self.assertTrue(wait_until(lambda: os.path.exists(self.opened), 15), "nothing was opened")
        with open(self.opened) as f:
            self.assertEqual(f.read().strip(), help_page)

        # "Launch the &Rezor Edividu" starts the wizard that lies beside the program.
        prefs = self.open_preferences(icon)
        self.x.key(prefs, "alt+r")
        self.assertIsNotNone(self.x.wait_window("Wizard - Vandrel", 15), "the wizard did not start")
        self.assertEqual(self.x.find_windows("Zorrit - Error"), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
