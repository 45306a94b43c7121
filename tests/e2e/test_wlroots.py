# SPDX-License-Identifier: GPL-3.0-or-later
"""Zorrit on headless wlroots compositors (sway, labwc): where the compositor offers cursor
sessions, the trail follows the pointer over the bare desktop, on a second output and on
outputs scaled by 1.25, 1.5 and 2, and the key colour never shows; where it does not, Zorrit
says so and follows the pointer over X11 windows."""
import os
import shutil
import unittest

from harness import WlrootsSession, XTestCase, wait_until

OTHER_WAYLAND = ("This desktop does not tell other programs where the pointer is, so the trail "
                 "follows it only over X11 windows.")
KEY_COLOUR = (255, 0, 255)


def magenta_pixels(ppm):
    """How many pixels of a binary PPM (what grim -t ppm writes) are the key colour."""
    fields, rest = [], ppm
    while len(fields) < 4:
        rest = rest.lstrip()
        if rest.startswith(b"#"):
            rest = rest.split(b"\n", 1)[1]
            continue
        field, rest = rest.split(None, 1)
        fields.append(field)
    pixels = rest[1:] if rest[:1].isspace() else rest
    return sum(1 for i in range(0, len(pixels) - 2, 3) if tuple(pixels[i:i + 3]) == KEY_COLOUR)


class OnWlroots:
    COMPOSITOR = None

    def setUp(self):
        self.x = WlrootsSession(self.COMPOSITOR)
        self.addCleanup(self.x.close)
        globals_ = self.x.run(["wayland-info"], check=False).stdout.decode()
        self.offers_cursor_sessions = ("ext_image_copy_capture_manager_v1" in globals_
                                       and "ext_output_image_capture_source_manager_v1" in globals_)

    def assertFollows(self, points, slack=0):
        for px, py in points:
            self.x.move_pointer(px, py)
            self.assertTrue(self.x.wait_near("Zorrit", (px + 12, py + 19), slack, 15),
                            f"pointer at {px},{py}, main1 at {self.x.position('Zorrit')}")
            self.assertTrue(self.x.wait_near("p5", (px + 20, py + 75), slack, 15),
                            f"pointer at {px},{py}, p5 at {self.x.position('p5')}")

    def assertNoKeyColour(self):
        shot = self.x.run(["grim", "-t", "ppm", "-"], check=False)
        self.assertEqual(shot.returncode, 0, shot.stderr.decode())
        self.assertEqual(magenta_pixels(shot.stdout), 0, "the sprites' key colour shows")

    def x_pointer(self):
        out = self.x.run(["xdotool", "getmouselocation"], check=False).stdout.decode().split()
        fields = dict(field.split(":", 1) for field in out if ":" in field)
        return (int(fields["x"]), int(fields["y"])) if "x" in fields else None

    def x_pointer_near(self, target):
        pointer = self.x_pointer()
        near = pointer and all(abs(a - b) <= 1 for a, b in zip(pointer, target))
        return pointer if near else None

    def assertClicksGoThroughTheSprites(self):
        """A press on a sprite reaches the Wayland window under it. The pointer jumps onto the
        last sprite and presses at once: that sprite follows the others, so it is still there."""
        script = os.path.join(os.path.dirname(__file__), "wayland", "click_target.js")
        target = self.x.spawn(["gjs", script], log="click-target",
                              env={**self.x.env, "GDK_BACKEND": "wayland"})
        self.addCleanup(self.x.stop, target)
        self.assertTrue(wait_until(lambda: "ready" in self.x.log(target), 20),
                        self.x.log(target))
        self.assertFollows([(300, 300)])
        sprite = self.x.geometry(self.x.wait_window("p5"))
        middle = (sprite.x + sprite.width // 2, sprite.y + sprite.height // 2)
        self.x.move_pointer(*middle)
        self.x.click()
        self.assertTrue(wait_until(lambda: "pressed" in self.x.log(target), 5),
                        f"a press at {middle} on the sprite at {sprite} did not reach the window "
                        "under it")

    def test_the_trail_follows_the_compositors_pointer_or_zorrit_says_it_cannot(self):
        zorrit = self.start_zorrit()
        if not self.offers_cursor_sessions:
            self.assertTrue(wait_until(lambda: OTHER_WAYLAND in self.x.log(zorrit), 10),
                            self.x.log(zorrit))
            # The notice is shown once; its box is titled like the lead sprite, so it goes first.
            notice = self.x.wait_role("Zorrit", "message", 15)
            self.assertTrue(notice, "no notice")
            self.x.key(notice, "Return")
            self.assertTrue(wait_until(lambda: not self.x.wait_role("Zorrit", "message", 0), 5),
                            "the notice stays")
            # Over an X11 window Xwayland knows the pointer.
            shown = self.x.spawn(["xmessage", "-geometry", "600x400+100+100", "over X11"])
            self.addCleanup(self.x.stop, shown)
            window = self.x.wait_window("xmessage", 10)
            self.assertTrue(window)
            # Where the compositor put it (sway tiles or floats it at a size of its own).
            box = self.x.geometry(window)
            for k in (1, 2):
                target = (box.x + box.width * k // 3, box.y + box.height * k // 3)
                self.x.move_pointer(*target)
                # The virtual mouse's absolute moves may land a pixel short; the X server says
                # where the pointer came to rest.
                pointer = wait_until(lambda: self.x_pointer_near(target), 10)
                self.assertTrue(pointer, f"the X server has the pointer at {self.x_pointer()}")
                self.assertTrue(self.x.wait_position("Zorrit", (pointer[0] + 12, pointer[1] + 19),
                                                     15),
                                f"pointer at {pointer}, main1 at {self.x.position('Zorrit')}")
            return
        # Over the bare desktop, where Xwayland never sees the pointer.
        self.assertFollows([(300, 300), (900, 500), (40, 600)])
        self.assertNotIn(OTHER_WAYLAND, self.x.log(zorrit))
        self.assertNoKeyColour()
        self.assertClicksGoThroughTheSprites()
        self.more_outputs()
        self.assertNotIn("zorrit:", self.x.log(zorrit))

    def more_outputs(self):
        pass


@unittest.skipUnless(shutil.which("sway") and shutil.which("wayland-info"),
                     "needs sway and wayland-info (scripts/install-deps --tests)")
class Sway(OnWlroots, XTestCase):
    COMPOSITOR = "sway"

    def more_outputs(self):
        # A second output to the right, then the first one scaled by two (Xwayland's root pixels
        # are the logical ones there: sway scales X11 windows itself).
        # Sway lays out an output without a place of its own after those that have one: both get
        # theirs.
        self.x.swaymsg("create_output")
        self.x.swaymsg("output", "HEADLESS-1", "pos", "0", "0")
        self.x.swaymsg("output", "HEADLESS-2", "resolution", "1280x720", "pos", "1280", "0")
        self.x.extent = (2560, 720)
        self.assertTrue(wait_until(lambda: "HEADLESS-2" in self.x.run(
            ["xrandr"], check=False).stdout.decode(), 10))
        self.assertFollows([(1800, 300), (200, 200)])
        self.x.swaymsg("output", "HEADLESS-1", "scale", "2", "pos", "0", "0")
        self.x.swaymsg("output", "HEADLESS-2", "pos", "640", "0")
        self.x.extent = (1920, 720)
        self.assertTrue(wait_until(lambda: "640x360+0+0" in self.x.run(
            ["xrandr"], check=False).stdout.decode(), 10))
        self.assertFollows([(301, 151), (1000, 300), (100, 50)])


@unittest.skipUnless(shutil.which("labwc") and shutil.which("wayland-info"),
                     "needs labwc and wayland-info (scripts/install-deps --tests)")
class Labwc(OnWlroots, XTestCase):
    COMPOSITOR = "labwc"

    def more_outputs(self):
        # labwc takes its outputs' scale from wlr-randr; fractional scales come out of the
        # outputs' logical sizes (1280 × 720 at 1.5 is 853 × 480 logical pixels), which
        # Xwayland's root follows, as X11 windows are scaled by the compositor. The cursor
        # sessions speak in whole pixels of the output's buffer, so at a fractional scale the
        # pointer's logical place comes within a pixel, and the virtual mouse's within another.
        if not shutil.which("wlr-randr"):
            self.skipTest("needs wlr-randr for a scaled output (scripts/install-deps --tests)")
        for scale, logical, points in (("1.5", (853, 480), [(301, 151), (800, 400)]),
                                       ("1.25", (1024, 576), [(700, 500), (20, 30)])):
            changed = self.x.run(["wlr-randr", "--output", "HEADLESS-1", "--scale", scale],
                                 check=False)
            self.assertEqual(changed.returncode, 0, changed.stderr.decode())
            self.x.extent = logical
            size = "%dx%d+0+0" % logical
            self.assertTrue(wait_until(lambda: size in self.x.run(
                ["xrandr"], check=False).stdout.decode(), 10), f"Xwayland's output is not {size}")
            self.assertFollows(points, slack=2)


if __name__ == "__main__":
    unittest.main()
