# SPDX-License-Identifier: GPL-3.0-or-later
"""Starting with the desktop session: "Start Zorrit when I log in" in the preferences writes the
user's autostart entry, and a session that starts the autostart folder's entries as XDG says
(dex) starts Zorrit, whose trail then follows the pointer."""
import os
import shutil
import unittest

from harness import BIN_DIR, XTestCase, wait_until

# From the "&General" tab, the keyboard's way to the check box: Load theme, Use built-in theme,
# On top, Launch the Rezor Edividu, then the box.
KEYS_TO_THE_BOX = ["Tab"] * 5


class StartWithTheSession(XTestCase):
    def test_the_box_writes_an_entry_that_the_next_session_starts(self):
        dex = shutil.which("dex")
        if not dex:
            self.skipTest("dex is not installed (scripts/install-deps --tests)")
        # This home's folders only: none of the machine's own /etc/xdg/autostart entries.
        self.x.env["XDG_CONFIG_DIRS"] = os.path.join(self.x.root, "xdg")
        entry = os.path.join(self.x.config, "autostart", "zorrit.desktop")

        zorrit = self.start_zorrit()
        self.assertTrailAt((500, 300))
        self.x.zorrit("--preferences")
        prefs = self.x.wait_role("Zorrit Preferences", "prefs")
        self.assertIsNotNone(prefs, "the preferences did not open")
        self.x.key(prefs, "alt+g", *KEYS_TO_THE_BOX, "space")
        self.assertTrue(wait_until(lambda: os.path.exists(entry), 5), "no autostart entry")
        with open(entry) as f:
            self.assertIn(f"\nExec={os.path.realpath(os.path.join(BIN_DIR, 'zorrit'))}\n",
                          f.read())
        # "&Quit" stores nothing, but the entry is there from the click on.
        self.x.key(prefs, "alt+q")
        self.assertEqual(zorrit.wait(10), 0)
        self.assertTrue(os.path.exists(entry))

        # The next session.
        session = self.x.spawn([dex, "--autostart", "--environment", "X-Zorrit-Test"], log="dex")
        session.wait(30)
        self.addCleanup(lambda: [self.x.stop_pid(pid) for pid in self.x.zorrit_pids()])
        self.assertTrue(wait_until(self.x.zorrit_pids, 10), "the session did not start Zorrit")
        self.assertTrailAt((300, 200))


if __name__ == "__main__":
    unittest.main()
