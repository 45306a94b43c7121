# SPDX-License-Identifier: GPL-3.0-or-later
"""The .thm association as the desktop sees it: after a plain start the freedesktop tools know the
type and its opener, and opening a theme file (with blanks in its path) starts zorrit with that
theme, or replaces the running copy."""
import os
import shutil
import unittest

from harness import BIN_DIR, XTestCase, wait_until
from test_trail import COLOURS, write_png, write_theme

MIME_TYPE = "application/x-zorrit-theme"
TITLES = ["Zorrit", "p2", "p3", "p4", "p5"]


class Association(XTestCase):
    def setUp(self):
        super().setUp()
        # The generic xdg-utils path: no desktop environment to hand the work to.
        self.x.env.pop("XDG_CURRENT_DESKTOP", None)
        self.x.env["XDG_DATA_DIRS"] = f"{self.x.data}:/usr/local/share:/usr/share"
        self.addCleanup(self.end_zorrits)

    def end_zorrits(self):
        # Copies started through xdg-open or gio are not children of the harness.
        for pid in self.x.zorrit_pids():
            self.x.stop_pid(pid)

    def xdg_mime(self, *args):
        return self.x.run(["xdg-mime", "query", *args], check=False).stdout.decode().strip()

    def make_theme(self):
        folder = os.path.join(self.x.home, "my themes")
        os.makedirs(folder, exist_ok=True)
        names = []
        for k, colour in enumerate(COLOURS):
            names.append(f"square {k + 1}.png")
            write_png(os.path.join(folder, names[-1]), 12, 12, colour)
        path = os.path.join(folder, "coloured squares.thm")
        os.rename(write_theme(folder, names), path)
        return path

    def registered(self):
        """Starts zorrit plainly and waits until the desktop's tools see the association."""
        self.start_zorrit()
        self.assertTrailAt((300, 300))
        some = os.path.join(self.x.home, "some.thm")
        open(some, "w").close()
        # The MIME cache is rebuilt by a tool zorrit starts in the background.
        self.assertTrue(wait_until(lambda: self.xdg_mime("filetype", some) == MIME_TYPE, 20),
                        f"filetype: {self.xdg_mime('filetype', some)!r}")
        self.assertEqual(self.xdg_mime("default", MIME_TYPE), "zorrit-uninstalled.desktop")

    def assertShowsTheme(self, theme):
        # The new copy stores the theme as it starts, a moment after its process appears.
        wait_until(lambda: self.x.read_settings().get("Theme") == theme, 10)
        self.assertEqual(self.x.read_settings().get("Theme"), theme)
        self.assertTrailAt((500, 400))
        shot = self.x.screenshot()
        for k, title in enumerate(TITLES):
            x, y = self.x.position(title)
            self.assertEqual(shot.pixel(x + 6, y + 6), COLOURS[k], title)

    def test_a_plain_start_registers_the_type_and_its_opener(self):
        self.registered()
        with open(os.path.join(self.x.config, "mimeapps.list")) as f:
            self.assertIn(f"{MIME_TYPE}=zorrit-uninstalled.desktop;", f.read())

    def test_opening_a_theme_file_starts_zorrit_with_it(self):
        self.registered()
        for pid in self.x.zorrit_pids():
            self.x.stop_pid(pid)
        self.assertTrue(wait_until(lambda: not self.x.zorrit_pids(), 10))
        theme = self.make_theme()
        self.x.spawn(["xdg-open", theme], log="xdg-open")
        self.assertTrue(wait_until(lambda: len(self.x.zorrit_pids()) == 1, 15), "not started")
        self.assertShowsTheme(theme)

    def test_opening_a_theme_file_replaces_the_running_copy(self):
        self.registered()
        first = self.x.zorrit_pids()
        self.assertEqual(len(first), 1)
        theme = self.make_theme()
        self.x.spawn(["xdg-open", theme], log="xdg-open")
        self.assertTrue(wait_until(lambda: first[0] not in self.x.zorrit_pids(), 15),
                        "the running copy did not end")
        self.assertEqual(len(self.x.zorrit_pids()), 1, "not exactly one copy")
        self.assertShowsTheme(theme)
        self.assertFalse(os.path.exists(os.path.join(self.x.runtime, "zorrit", "Scrap.dat")))

    def test_a_program_in_a_folder_with_blanks_is_opened_whole(self):
        # GIO (file managers of GTK desktops) reads quoted Exec lines; the generic xdg-open cannot.
        if not shutil.which("gio"):
            self.skipTest("gio is not installed")
        folder = os.path.join(self.x.root, "my programs")
        os.makedirs(folder)
        program = os.path.join(folder, "zorrit")
        shutil.copy2(os.path.join(BIN_DIR, "zorrit"), program)
        self.x.write_settings({"Scroll": "No"})
        self.x.spawn([program], log="moved-zorrit")
        self.assertTrailAt((300, 300))
        entry = os.path.join(self.x.data, "applications", "zorrit-uninstalled.desktop")
        self.assertTrue(wait_until(lambda: os.path.exists(entry), 10))
        with open(entry) as f:
            self.assertIn(f'Exec="{program}" %f\n', f.read())
        first = self.x.zorrit_pids(program)
        self.assertEqual(len(first), 1)

        theme = self.make_theme()
        self.assertTrue(wait_until(lambda: self.x.run(["gio", "mime", MIME_TYPE], check=False)
                                   .stdout.decode().find("zorrit-uninstalled.desktop") >= 0, 20))
        self.x.spawn(["gio", "open", theme], log="gio")
        self.assertTrue(wait_until(lambda: first[0] not in self.x.zorrit_pids(program), 15),
                        "the running copy did not end")
        self.assertEqual(len(self.x.zorrit_pids(program)), 1, "not exactly one copy")
        self.assertShowsTheme(theme)


if __name__ == "__main__":
    unittest.main()
