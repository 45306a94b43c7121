# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit on two monitors side by side (RandR monitors on one wide Xvfb), each with the
scale the desktop gives it through QT_SCREEN_SCALE_FACTORS: on each monitor the trail looks as on
a single screen of that scale, and it follows the pointer from one to the other."""
import unittest

from harness import XSession, XTestCase, wait_until

WIDTH, HEIGHT = 1600, 600


class Monitors(XTestCase):
    def setUp(self):
        self.x = XSession(WIDTH, HEIGHT)
        self.addCleanup(self.x.close)
        # The left monitor takes over the server's own output, so Qt sees exactly two screens.
        self.x.run(["xrandr", "--setmonitor", "left", "800/200x600/150+0+0", "screen"])
        self.x.run(["xrandr", "--setmonitor", "right", "800/200x600/150+800+0", "none"])
        self.assertIn(b"Monitors: 2", self.x.run(["xrandr", "--listmonitors"]).stdout)

    def start(self, scales):
        self.x.env["QT_SCREEN_SCALE_FACTORS"] = scales
        self.start_zorrit()

    def sprite(self, title):
        for window in self.x.find_windows(title):
            geometry = self.x.geometry(window)
            if geometry and geometry.width <= 40:
                return geometry
        return None

    def placement(self, title):
        geometry = self.sprite(title)
        return (geometry.x, geometry.y, geometry.width, geometry.height) if geometry else None

    def red_pixels(self, geometry):
        """How much of the lead sprite's red ball shows in its window; never the key colour."""
        shot = self.x.screenshot()
        pixels = [shot.pixel(x, y) for y in range(geometry.y, geometry.y + geometry.height)
                  for x in range(geometry.x, geometry.x + geometry.width)]
        self.assertNotIn((255, 0, 255), pixels, f"the key colour shows in {geometry}")
        return sum(1 for r, g, _ in pixels if r > 100 and g < 80)

    def assertRestsAt(self, pointer, scale, red=None):
        """Lead and last sprite where a single screen of that scale puts them, at its size, and
        (when given) that many red pixels of the lead's ball showing; returns that number."""
        px, py = pointer
        self.x.move_pointer(px, py)
        size = 20 * scale
        for title, (dx, dy) in (("Zorrit", (12, 19)), ("p5", (20, 75))):
            want = (px + dx * scale, py + dy * scale, size, size)
            placed = wait_until(lambda: self.placement(title) == want, 10)
            self.assertTrue(placed, f"{title} at {self.placement(title)}, expected {want}")
        if red is not None:
            # The repaint at a new scale may come a moment after the move.
            wait_until(lambda: self.red_pixels(self.sprite("Zorrit")) == red, 5)
        shown = self.red_pixels(self.sprite("Zorrit"))
        if red is not None:
            self.assertEqual(shown, red, f"the lead's ball at {pointer}, x{scale}")
        return shown

    def test_mixed_scales_each_monitor_at_its_own_and_the_trail_crosses_over(self):
        self.start("1;2")
        small = self.assertRestsAt((300, 300), 1)
        self.assertGreater(small, 20)
        # On the 2x monitor: doubled offsets, a 40 x 40 window, the ball drawn at twice the size.
        self.assertRestsAt((1200, 300), 2, red=4 * small)

        # Across the edge and back, a step a tick: the chain follows on the screen, between where
        # the pointer went and the biggest offset, and never somewhere else.
        self.x.move_pointer(700, 300)
        self.assertTrue(wait_until(lambda: self.sprite("Zorrit").x < 730, 10))
        seen = []
        for x in list(range(700, 901, 10)) + list(range(900, 699, -10)):
            self.x.move_pointer(x, 300)
            lead = self.sprite("Zorrit")
            seen.append((lead.x, lead.y))
        self.assertTrue(all(600 <= lx <= 930 and 250 <= ly <= 340 for lx, ly in seen), seen)
        self.assertRestsAt((700, 300), 1, red=small)
        self.assertRestsAt((820, 300), 2, red=4 * small)
        self.assertRestsAt((790, 100), 1, red=small)  # hangs over the edge, at 1x

    def test_one_scale_on_both_monitors(self):
        self.start("2;2")
        left = self.assertRestsAt((300, 300), 2)
        self.assertGreater(left, 80)
        self.assertRestsAt((1200, 300), 2, red=left)


if __name__ == "__main__":
    unittest.main()
