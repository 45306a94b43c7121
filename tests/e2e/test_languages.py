# SPDX-License-Identifier: GPL-3.0-or-later
"""The programs in the user's language: with LANG=de_DE.UTF-8 Zorrit and Vandrel show German
windows; the other scenarios run with LANG=C.UTF-8 and find every English text as it was."""
import os
import unittest

from harness import BIN_DIR, XTestCase


class German(XTestCase):
    def setUp(self):
        super().setUp()
        self.x.env["LANG"] = "de_DE.UTF-8"

    def test_zorrit_speaks_german(self):
        # Answered before Qt's application object exists, from the same translation.
        answer = self.x.run([os.path.join(BIN_DIR, "zorrit"), "--help"]).stdout.decode()
        self.assertIn("Aufruf: zorrit [THEMENDATEI]", answer)
        self.start_zorrit(first_run_done=False)
        welcome = self.x.wait_role("Willkommen", "startup1")
        self.assertIsNotNone(welcome, "no German welcome window")
        self.x.key(welcome, "Return")
        self.assertTrailAt((500, 300))
        self.x.zorrit("--preferences")
        self.assertIsNotNone(self.x.wait_role("Zorrit-Einstellungen", "prefs"),
                             "no German preferences")

    def test_vandrel_speaks_german(self):
        self.addCleanup(self.x.stop, self.x.vandrel())
        self.assertIsNotNone(self.x.wait_window("Assistent - Vandrel"), "no German wizard page")


if __name__ == "__main__":
    unittest.main()
