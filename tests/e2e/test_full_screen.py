# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit under Xvfb and openbox: the trail stands aside while a full-screen window has
the focus, and comes back when it leaves full screen or loses the focus."""
import os
import time
import unittest

from harness import XSession, XTestCase, wait_until


class FullScreenCase(XTestCase):
    """Programs that go full screen under openbox."""

    def program(self, title):
        """An ordinary X11 program's window, with the focus."""
        self.x.spawn(["xmessage", "-title", title, "-geometry", "300x80+600+500", title],
                     log=title)
        window = self.x.wait_window(title)
        self.assertIsNotNone(window, f"{title} did not show")
        self.x.run(["xdotool", "windowactivate", "--sync", str(window)], check=False, timeout=5)
        return window

    def full_screen(self, window, on, size=None):
        self.x.full_screen(window, on)
        size = size or (self.x.width, self.x.height)
        self.assertTrue(wait_until(lambda: (self.x.geometry(window).width,
                                            self.x.geometry(window).height) == size
                                   if on else self.x.geometry(window).width < size[0], 10),
                        f"the window manager did not change {window}: {self.x.geometry(window)}")

    def trail_shown(self):
        return bool(self.x.find_windows("p5")) and bool(self.x.find_windows("Zorrit"))

    def wake_ups(self, pid, moves):
        """How often the program's threads woke while the pointer made `moves` moves."""
        def switches():
            total = 0
            for task in os.listdir(f"/proc/{pid}/task"):
                with open(f"/proc/{pid}/task/{task}/status") as f:
                    total += sum(int(line.split()[1]) for line in f
                                 if line.startswith(("voluntary_ctxt", "nonvoluntary_ctxt")))
            return total
        before = switches()
        for k in range(moves):
            self.x.move_pointer(100 + 7 * (k % 50), 300 + (k % 3))
            time.sleep(0.02)
        return switches() - before


class FullScreen(FullScreenCase):
    def setUp(self):
        super().setUp()
        self.x.start_window_manager()

    def test_a_full_screen_window_hides_the_trail_until_it_leaves_full_screen_or_the_focus(self):
        zorrit = self.start_zorrit()
        self.assertTrailAt((300, 300))
        video = self.program("Video")
        self.assertTrue(self.trail_shown(), "an ordinary window hides nothing")

        self.full_screen(video, True)
        self.assertTrue(wait_until(lambda: not self.trail_shown(), 5), "shown over full screen")
        # Over it the tick sleeps, however the pointer moves: ticking would wake it 60 times and
        # more; the once-a-second timers wake it a few times.
        self.assertLess(self.wake_ups(zorrit.pid, 60), 20)
        self.full_screen(video, False)
        self.assertTrue(wait_until(self.trail_shown, 5), "not back after full screen")
        self.assertTrailAt((400, 200))

        self.full_screen(video, True)
        self.assertTrue(wait_until(lambda: not self.trail_shown(), 5), "shown over full screen")
        self.program("Editor")  # takes the focus
        self.assertTrue(wait_until(self.trail_shown, 5), "not back when the focus went")
        self.assertTrailAt((500, 300))

    def test_with_the_box_unticked_the_trail_stays_over_a_full_screen_window(self):
        self.start_zorrit(settings={"HideFullScreen": "0"})
        self.assertTrailAt((300, 300))
        video = self.program("Video")
        self.full_screen(video, True)
        time.sleep(1.5)
        self.assertTrue(self.trail_shown(), "hidden although the box is unticked")
        self.assertTrailAt((350, 250))


class FullScreenOnTwoMonitors(FullScreenCase):
    def setUp(self):
        self.x = XSession(1600, 600)
        self.addCleanup(self.x.close)
        self.x.run(["xrandr", "--setmonitor", "left", "800/200x600/150+0+0", "screen"])
        self.x.run(["xrandr", "--setmonitor", "right", "800/200x600/150+800+0", "none"])
        self.x.start_window_manager()

    def test_only_a_full_screen_window_on_the_pointers_monitor_hides_the_trail(self):
        self.start_zorrit()
        self.assertTrailAt((1000, 300))
        video = self.program("Video")
        self.x.run(["xdotool", "windowmove", "--sync", str(video), "100", "100"], check=False)
        self.full_screen(video, True, size=(800, 600))
        self.assertEqual((self.x.geometry(video).x, self.x.geometry(video).y), (0, 0))
        time.sleep(1.5)
        self.assertTrue(self.trail_shown(), "hidden over the other monitor's full-screen window")
        # Nothing tells of the pointer crossing over: it is looked for once a second.
        self.x.move_pointer(300, 300)
        self.assertTrue(wait_until(lambda: not self.trail_shown(), 5), "shown over full screen")
        self.x.move_pointer(1100, 300)
        self.assertTrue(wait_until(self.trail_shown, 5), "not back on the other monitor")
        self.assertTrailAt((1100, 300))


if __name__ == "__main__":
    unittest.main()
