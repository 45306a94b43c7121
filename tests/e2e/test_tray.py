# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit under Xvfb with a tray host: the icon, its menu, switching the trail off and on,
and a second copy started with a theme taking over from the running one."""
import os
import unittest

from harness import XTestCase, wait_until
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


if __name__ == "__main__":
    unittest.main()
