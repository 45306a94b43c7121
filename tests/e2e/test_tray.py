# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit under Xvfb with a tray host: the icon, its menu, switching the trail off and on,
and a second copy started with a theme taking over from the running one; and without a tray host,
the running copy reached from the command line (--preferences, --quit)."""
import os
import resource
import signal
import socket
import subprocess
import time
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
        # The new copy stores its theme once the old one has ended and left it the lock.
        self.assertIsNotNone(wait_until(lambda: self.x.read_settings().get("Theme") == theme, 10),
                             f"Theme setting is {self.x.read_settings().get('Theme')!r}")
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


    def test_end_signals_end_it_as_quit_does(self):
        # A log-out, kill or a service manager: the icon goes, the program ends with status 0 and
        # leaves its lock free for the next start.
        for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            zorrit = self.start_zorrit()
            self.assertIsNotNone(wait_until(self.x.tray_icon, 15), "no icon in the tray")
            os.kill(zorrit.pid, number)
            self.assertIsNotNone(wait_until(lambda: zorrit.poll() is not None, 10),
                                 f"{number.name} did not end it")
            self.assertEqual(zorrit.returncode, 0, f"{number.name}: {self.x.log(zorrit)}")
            self.assertIsNone(self.x.tray_icon(), "the icon stayed")
        gone = self.x.run([os.path.join(BIN_DIR, "zorrit"), "--quit"], check=False)
        self.assertEqual((gone.returncode, gone.stderr), (1, b"Zorrit is not running.\n"))


def silent_clients(path, count, patience=0.0):
    """Connections to the hand-off socket that never say anything: count of them, or as many as
    get in while its queue is full for longer than patience (seconds)."""
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    if soft < count + 64:
        resource.setrlimit(resource.RLIMIT_NOFILE, (min(hard, count + 64), hard))
    clients = []
    full_since = None
    while len(clients) < count:
        client = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        client.setblocking(False)
        try:
            client.connect(path)
        except BlockingIOError:  # the queue is full
            client.close()
            full_since = full_since or time.monotonic()
            if time.monotonic() - full_since > patience:
                break
            time.sleep(0.002)
            continue
        full_since = None
        clients.append(client)
    return clients


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

        # With none running, --preferences starts Zorrit and opens them once the trail runs. It
        # gets the usual desktop limit of open files.
        soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
        resource.setrlimit(resource.RLIMIT_NOFILE, (min(soft, 1024), hard))
        self.addCleanup(resource.setrlimit, resource.RLIMIT_NOFILE, (soft, hard))
        first = self.start_zorrit("--preferences")
        resource.setrlimit(resource.RLIMIT_NOFILE, (soft, hard))
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

        # A stopped copy takes requests into its queue and does nothing: the command says so, and
        # says nothing else, even with the queue full.
        zorrit_socket = os.path.join(self.x.runtime, "zorrit", "tray.sock")
        os.kill(first.pid, signal.SIGSTOP)
        try:
            hung = [self.x.run([zorrit, "--quit"], check=False)]
            queued = silent_clients(zorrit_socket, 200)
            hung.append(self.x.run([zorrit, "--quit"], check=False))
        finally:
            os.kill(first.pid, signal.SIGCONT)
        for answer in hung:
            self.assertEqual((answer.returncode, answer.stderr),
                             (1, b"zorrit: the running Zorrit did not answer.\n"))
        for client in queued:
            client.close()
        # Running again, it has not acted on the request its sender gave up on.
        self.assertIsNone(wait_until(lambda: first.poll() is not None, 3), "it quit after all")

        # Silent clients by the thousand neither block the commands nor shut the socket.
        crowd = silent_clients(zorrit_socket, 1500, patience=10)
        self.addCleanup(lambda: [client.close() for client in crowd])
        self.assertGreater(len(crowd), 1000)

        # --quit ends it as "&Quit" does, with its preferences open.
        stopped = self.x.run([zorrit, "--quit"], check=False)
        self.assertEqual(stopped.returncode, 0, stopped.stderr)
        self.assertEqual(wait_until(lambda: first.poll() is not None, 10) and first.returncode, 0)
        self.assertTrue(self.x.wait_no_window("Zorrit Preferences", 10))


if __name__ == "__main__":
    unittest.main()
