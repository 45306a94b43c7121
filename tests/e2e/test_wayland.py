# SPDX-License-Identifier: GPL-3.0-or-later
"""Zorrit in Wayland sessions: on a headless KWin the trail follows the Wayland pointer through a
KWin script of Zorrit's, which goes when Zorrit quits or, after a kill, at the next start; on a
desktop that cannot say where the pointer is, Zorrit says so."""
import os
import shutil
import signal
import socket
import unittest

from harness import GnomeSession, KWinSession, XTestCase, wait_until

OTHER_WAYLAND = ("This desktop does not tell other programs where the pointer is, so the trail "
                 "follows it only over X11 windows.")


@unittest.skipUnless(shutil.which("kwin_wayland") and os.environ.get("ZORRIT_FAKE_POINTER"),
                     "needs KWin and the fake pointer (scripts/install-deps --tests)")
class KWin(XTestCase):
    def setUp(self):
        self.x = KWinSession()
        self.addCleanup(self.x.close)

    def assertFollows(self, points):
        # Over the bare desktop, where Xwayland never sees the pointer: only KWin knows.
        for px, py in points:
            self.x.move_pointer(px, py)
            self.assertTrue(self.x.wait_position("Zorrit", (px + 12, py + 19), 15),
                            f"pointer at {px},{py}, main1 at {self.x.position('Zorrit')}")
            self.assertTrue(self.x.wait_position("p5", (px + 20, py + 75), 15),
                            f"pointer at {px},{py}, p5 at {self.x.position('p5')}")

    def quit_zorrit(self, process):
        # What the hand-off does: the hand-off file, then the close request to the tray window.
        with open(os.path.join(self.x.runtime, "zorrit", "Scrap.dat"), "w") as f:
            f.write(" \r\n")
        with socket.socket(socket.AF_UNIX) as s:
            s.connect(os.path.join(self.x.runtime, "zorrit", "tray.sock"))
            s.sendall(b"close\n")
            s.recv(16)
        process.wait(15)

    def test_the_trail_follows_the_wayland_pointer_and_quitting_unloads_the_script(self):
        zorrit = self.start_zorrit()
        self.assertTrue(wait_until(self.x.script_loaded, 15), self.x.log(zorrit))
        self.assertFollows([(300, 300), (900, 700), (40, 900)])
        self.quit_zorrit(zorrit)
        self.assertEqual(zorrit.returncode, 0, self.x.log(zorrit))
        self.assertFalse(self.x.script_loaded())
        self.assertNotIn("zorrit:", self.x.log(zorrit))

    def test_the_script_of_a_killed_copy_gives_way_to_the_next_start(self):
        killed = self.start_zorrit()
        self.assertTrue(wait_until(self.x.script_loaded, 15), self.x.log(killed))
        self.x.move_pointer(500, 500)
        self.assertTrue(self.x.wait_position("Zorrit", (512, 519), 15))
        os.killpg(killed.pid, signal.SIGKILL)
        killed.wait(10)
        self.assertTrue(self.x.script_loaded())  # nobody could unload it
        self.assertTrue(self.x.wait_no_window("p5"))

        zorrit = self.start_zorrit()
        self.assertTrue(wait_until(lambda: self.x.find_windows("p5"), 15))
        self.assertFollows([(200, 600), (1000, 150)])
        self.quit_zorrit(zorrit)
        self.assertFalse(self.x.script_loaded())


@unittest.skipUnless(shutil.which("gnome-shell") and shutil.which("gjs")
                     and os.environ.get("ZORRIT_GNOME_EXTENSION"),
                     "needs GNOME Shell and gjs (scripts/install-deps --tests)")
class Gnome(XTestCase):
    UUID = "zorrit-pointer@rediroriro.org"

    def setUp(self):
        self.x = GnomeSession(extensions=[os.environ["ZORRIT_GNOME_EXTENSION"]])
        self.addCleanup(self.x.close)

    def test_the_extension_once_enabled_lets_the_trail_follow_the_wayland_pointer(self):
        # Installed but not enabled: Zorrit says how to enable it.
        self.assertIn("'state': <6.0>", self.x.shell_call("GetExtensionInfo", self.UUID))
        zorrit = self.start_zorrit()
        self.assertTrue(self.x.wait_role("Zorrit", "message", 20), "no notice")
        self.assertIn(f"gnome-extensions enable {self.UUID}", self.x.log(zorrit))
        self.x.stop(zorrit)

        self.assertIn("true", self.x.shell_call("EnableExtension", self.UUID))
        said_before = len(self.x.log(zorrit))
        zorrit = self.start_zorrit()
        self.assertTrue(wait_until(lambda: self.x.find_windows("p5"), 20), self.x.log(zorrit))
        for px, py in [(300, 300), (900, 700), (40, 900)]:
            self.x.move_pointer(px, py)
            self.assertTrue(self.x.wait_position("Zorrit", (px + 12, py + 19), 15),
                            f"pointer at {px},{py}, main1 at {self.x.position('Zorrit')}")
            self.assertTrue(self.x.wait_position("p5", (px + 20, py + 75), 15))
        self.assertIsNone(self.x.wait_role("Zorrit", "message", 1))
        self.assertNotIn("zorrit:", self.x.log(zorrit)[said_before:])


class OtherWayland(XTestCase):
    def test_a_desktop_without_a_pointer_report_gets_the_notice_once(self):
        # A Wayland session with no session bus: no compositor to ask.
        self.x.env["WAYLAND_DISPLAY"] = "wayland-nowhere"
        first = self.start_zorrit()
        notice = self.x.wait_role("Zorrit", "message", 15)
        self.assertTrue(notice, "no notice")
        self.assertTrue(wait_until(lambda: OTHER_WAYLAND in self.x.log(first), 5),
                        self.x.log(first))
        # Over X11 windows the X server still knows the pointer.
        self.x.key(notice, "Return")
        self.assertTrailAt((400, 300))
        self.x.stop(first)

        second = self.start_zorrit()
        self.assertTrue(wait_until(lambda: OTHER_WAYLAND in self.x.log(second), 15))
        self.assertTrue(wait_until(lambda: self.x.find_windows("p5"), 15))
        self.assertIsNone(self.x.wait_role("Zorrit", "message", 3), "the notice came again")


if __name__ == "__main__":
    unittest.main()
