# SPDX-License-Identifier: GPL-3.0-or-later
"""The real vandrel under Xvfb, driven with the keyboard as a person would: six pages, pictures
chosen in the real file dialog, the theme saved and read back."""
import os
import time
import unittest

from harness import XTestCase, wait_until
from test_trail import write_png

CAPTION = "Wizard - Vandrel"


class Wizard:
    """Hands and eyes on one running wizard."""

    def __init__(self, test, x):
        self.test, self.x = test, x
        self.process = x.vandrel()
        test.addCleanup(x.stop, self.process)

    def page(self, number, timeout=10):
        window = self.x.wait_role(CAPTION, f"Form{number}", timeout)
        self.test.assertIsNotNone(window, f"page {number} not shown\n{self.x.log(self.process)}")
        return window

    def focus(self, window):
        self.x.run(["xdotool", "windowactivate", "--sync", str(window)], check=False, timeout=5)
        wait_until(lambda: self.x.run(["xdotool", "getwindowfocus"], check=False).stdout.strip()
                   == str(window).encode(), 3)
        time.sleep(0.1)

    def keys(self, *keys):
        """Keys for whatever window has the focus (a dialog just opened, say)."""
        for key in keys:
            self.x.run(["xdotool", "key", key])
            time.sleep(0.05)

    def type(self, text):
        self.x.run(["xdotool", "type", "--delay", "15", text])

    def choose_in_file_dialog(self, title, path):
        """Types a path into the real file dialog and presses Enter (xdotool types ASCII only)."""
        dialog = self.x.wait_window(title)
        self.test.assertIsNotNone(dialog, f'no "{title}" dialog')
        self.focus(dialog)
        self.type(path)
        self.keys("Return")
        self.test.assertTrue(self.x.wait_no_window(title),
                             f'"{title}" dialog stays open after typing {path}')

    def ended(self, timeout=10):
        return wait_until(lambda: self.process.poll() is not None, timeout) is not None


def make_theme(test, x, folder, name, author, site, slots, file_name):
    """Builds a theme with the wizard from start to "Quit" and returns the saved path.

    slots: five picture file names in folder, or None for "No picture". The pages are walked
    with the keyboard only; pictures are typed into the real open dialog.
    """
    wizard = Wizard(test, x)
    form1 = wizard.page(1)
    x.run(["xdotool", "windowmove", "--sync", str(form1), "140", "90"], check=False)
    moved = wait_until(lambda: (x.geometry(form1).x, x.geometry(form1).y) != (0, 0) and x.geometry(form1), 5)
    where = (moved.x, moved.y)

    wizard.focus(form1)
    wizard.keys("Return")
    form2 = wizard.page(2)
    test.assertEqual((x.geometry(form2).x, x.geometry(form2).y), where, "page 2 not where page 1 was")
    wizard.focus(form2)
    wizard.keys("Return")

    # Page 3: Next has the focus; Tab goes Back, Cancel, then the three fields, each of which
    # drops its initial text on entry.
    form3 = wizard.page(3)
    wizard.focus(form3)
    wizard.keys("Tab", "Tab", "Tab")
    wizard.type(name)
    wizard.keys("Tab")
    wizard.type(author)
    wizard.keys("Tab")
    wizard.type(site)
    wizard.keys("Return")

    # Page 4 opens on "Choose global image..."; the Tab order then runs Picture 1, No picture 1,
    # Picture 2, ... so the "No picture" slots are reached with Tab first. Alt+digit opens the
    # dialog of a slot.
    form4 = wizard.page(4)
    wizard.focus(form4)
    at = 0
    for k, picture in enumerate(slots, start=1):
        if picture is None:
            wizard.keys(*["Tab"] * (2 * k - at), "space")
            at = 2 * k
    for k, picture in enumerate(slots, start=1):
        if picture is not None:
            wizard.focus(form4)
            wizard.keys(f"alt+{k}")
            wizard.choose_in_file_dialog("Open", os.path.join(folder, picture))
    wizard.focus(form4)
    wizard.keys("alt+n")

    form5 = wizard.page(5)
    test.assertEqual((x.geometry(form5).x, x.geometry(form5).y), where)
    wizard.focus(form5)
    wizard.keys("Return")  # Finish
    wizard.choose_in_file_dialog("Save As", os.path.join(folder, file_name))

    form6 = wizard.page(6)
    test.assertEqual((x.geometry(form6).x, x.geometry(form6).y), where)
    wizard.focus(form6)
    wizard.keys("Return")  # Quit
    test.assertTrue(wizard.ended(), "Quit did not end the wizard")
    test.assertEqual(wizard.process.returncode, 0, x.log(wizard.process))
    saved = os.path.join(folder, file_name if file_name.endswith(".thm") else file_name + ".thm")
    test.assertTrue(os.path.exists(saved), f"no {saved}")
    return saved


class VandrelWizard(XTestCase):
    def setUp(self):
        super().setUp()
        self.x.start_window_manager()
        self.folder = os.path.join(self.x.home, "My Pictures")
        os.makedirs(self.folder)
        write_png(os.path.join(self.folder, "red.png"), 12, 12, (200, 0, 0))
        write_png(os.path.join(self.folder, "blue.png"), 16, 16, (0, 0, 200))
        write_png(os.path.join(self.folder, "big green.png"), 32, 32, (0, 160, 0))

    def test_walking_all_pages_writes_the_eight_lines(self):
        path = make_theme(self, self.x, self.folder, "Snow Trail", "Ann Example",
                          "ann@example.test",
                          ["red.png", "blue.png", None, "big green.png", "red.png"], "snow")
        with open(path, "rb") as f:
            data = f.read()
        self.assertEqual(data.decode("utf-8").split("\r\n"),
                         ["Snow Trail", "Ann Example", "red.png", "blue.png", "No picture",
                          "big green.png", "red.png", "ann@example.test", ""])

    def test_a_second_copy_ends_silently(self):
        first = Wizard(self, self.x)
        first.page(1)
        second = self.x.vandrel()
        self.addCleanup(self.x.stop, second)
        self.assertIsNotNone(wait_until(lambda: second.poll() is not None, 10))
        self.assertEqual(second.returncode, 0)
        time.sleep(0.3)
        self.assertEqual(len(self.x.find_windows(CAPTION)), 1)
        self.assertEqual(self.x.find_windows("Vandrel - Critical Error"), [])

    def test_a_damaged_picture_ends_the_wizard_with_its_message(self):
        with open(os.path.join(self.folder, "notes.gif"), "w") as f:
            f.write("not a picture\n")
        wizard = Wizard(self, self.x)
        for number in (1, 2, 3):
            window = wizard.page(number)
            wizard.focus(window)
            wizard.keys("Return")
        form4 = wizard.page(4)
        wizard.focus(form4)
        wizard.keys("alt+g")
        wizard.choose_in_file_dialog("Open", os.path.join(self.folder, "notes.gif"))
        box = self.x.wait_window("Vandrel - Critical Error")
        self.assertIsNotNone(box, "no damaged-picture message")
        wizard.focus(box)
        wizard.keys("Return")
        self.assertTrue(wizard.ended(), "the wizard went on after a damaged picture")


if __name__ == "__main__":
    unittest.main()
