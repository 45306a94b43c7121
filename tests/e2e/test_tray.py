# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit under Xvfb with a tray host: the icon, its menu, switching the trail off and on,
and a second copy started with a theme taking over from the running one; and without a tray host,
the running copy reached from the command line (--preferences, --quit)."""
import os
import subprocess
import unittest

from harness import BIN_DIR, XTestCase, program_line, wait_until
from test_trail import COLOURS, write_png, write_theme


class Tray(XTestCase):
    def setUp(self):
        super().setUp()
        self.x.start_window_manager()
        self.x.start_tray_host()

    def choose_from_menu(self, icon, mnemonic):
        self.assertTrue(self.x.choose_from_tray_menu(icon, mnemonic),
                        f"the menu did not open or close for {mnemonic}")

    def sprites_shown(self):
        return sum(1 for title in ("Zorrit", "p2", "p3", "p4", "p5")
                   for window in self.x.find_windows(title)
                   if self.x.geometry(window).width == 20)

    def test_the_icon_appears_and_its_menu_switches_the_trail_off_and_on(self):
        self.start_zorrit()
        self.assertTrailAt((400, 300))
        icon = wait_until(self.x.tray_icon, 15)
        self.assertIsNotNone(icon, "no icon in the tray")
        self.assertGreater(icon.y, self.x.height - 40, f"icon not in the bottom panel: {icon}")

        self.choose_from_menu(icon, "f")  # "Zorrit O&ff"
        self.assertTrue(wait_until(lambda: self.sprites_shown() == 0, 10), "sprites still shown")

        self.choose_from_menu(icon, "o")  # "Zorrit &On"
        self.assertTrue(wait_until(lambda: self.sprites_shown() == 5, 10), "sprites not back")
        self.assertTrailAt((600, 200))

        # In this tray a single click does nothing; the double click opens the preferences.
        centre = [str(icon.x + icon.width // 2), str(icon.y + icon.height // 2)]
        self.x.run(["xdotool", "mousemove", *centre, "click", "1"])
        self.assertIsNone(self.x.wait_role("Zorrit Preferences", "prefs", 1.5))
        self.x.run(["xdotool", "mousemove", *centre, "click", "--repeat", "2", "--delay", "80", "1"])
        self.assertIsNotNone(self.x.wait_role("Zorrit Preferences", "prefs", 10),
                             "the double click did not open the preferences")

    def test_a_second_copy_with_a_theme_replaces_the_running_one(self):
        first = self.start_zorrit()
        self.assertTrailAt((300, 300))
        self.assertIsNotNone(wait_until(self.x.tray_icon, 15), "no icon in the tray")

        folder = os.path.join(self.x.home, "themes")
        os.makedirs(folder)
        pictures = []
        for k, colour in enumerate(COLOURS):
            name = f"p{k + 1}.png"
            write_png(os.path.join(folder, name), 12, 12, colour)
            pictures.append(name)
        theme = write_theme(folder, pictures)

        second = self.start_zorrit(theme)
        self.assertIsNotNone(wait_until(lambda: first.poll() is not None, 15),
                             "the running copy did not end")
        self.assertIsNone(second.poll(), "the new copy ended too")
        self.assertEqual(self.x.read_settings().get("Theme"), theme)
        self.assertFalse(os.path.exists(os.path.join(self.x.runtime, "zorrit", "Scrap.dat")))

        self.assertTrailAt((500, 400))
        shot = self.x.screenshot()
        for colour in COLOURS:
            self.assertGreater(shot.count(colour), 0, f"no sprite shows {colour}")
        self.assertIsNotNone(wait_until(self.x.tray_icon, 15), "the new copy shows no icon")

        # The new copy holds the instance lock now: a plain start is refused again.
        third = self.start_zorrit()
        box = self.x.wait_window("Zorrit - Error", 15)
        self.assertIsNotNone(box, "a third copy was not refused")
        self.x.key(box, "Return")
        self.assertEqual(wait_until(lambda: third.poll() is not None, 10) and third.returncode, 1)
        self.assertIsNone(second.poll())


class WithoutATray(XTestCase):
    """A desktop with a window manager but no tray: the commands are the only way in."""

    def setUp(self):
        super().setUp()
        self.x.start_window_manager()

    def test_preferences_and_quit_reach_the_running_copy(self):
        # The informational options need no display at all.
        env = {k: v for k, v in self.x.env.items() if k != "DISPLAY"}
        zorrit = os.path.join(BIN_DIR, "zorrit")
        version = subprocess.run([zorrit, "--version"], env=env, capture_output=True, timeout=30)
        self.assertEqual((version.returncode, version.stdout), (0, program_line()))

        quit_none = self.x.run([zorrit, "--quit"], check=False)
        self.assertEqual((quit_none.returncode, quit_none.stderr), (1, b"Zorrit is not running.\n"))

        # With none running, --preferences starts Zorrit and opens them once the trail runs.
        first = self.start_zorrit("--preferences")
        self.assertTrailAt((300, 300))
        prefs = self.x.wait_role("Zorrit Preferences", "prefs", 15)
        self.assertIsNotNone(prefs, "the preferences did not open")
        self.x.key(prefs, "Escape")
        self.assertTrue(self.x.wait_no_window("Zorrit Preferences", 10), "still open")

        # Now the running copy opens them; the command ends at once with no second copy around.
        again = self.x.run([zorrit, "--preferences"], check=False)
        self.assertEqual(again.returncode, 0, again.stderr)
        self.assertIsNotNone(self.x.wait_role("Zorrit Preferences", "prefs", 15),
                             "the running copy did not open its preferences")
        self.assertEqual(self.x.find_windows("Zorrit - Error"), [], "a refusal box came up")
        self.assertEqual(self.x.zorrit_pids(), [first.pid])
        self.assertIsNone(first.poll())

        # --quit ends it as "&Quit" does, with its preferences open.
        stopped = self.x.run([zorrit, "--quit"], check=False)
        self.assertEqual(stopped.returncode, 0, stopped.stderr)
        self.assertEqual(wait_until(lambda: first.poll() is not None, 10) and first.returncode, 0)
        self.assertTrue(self.x.wait_no_window("Zorrit Preferences", 10))


if __name__ == "__main__":
    unittest.main()
