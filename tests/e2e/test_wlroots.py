# SPDX-License-Identifier: GPL-3.0-or-later
"""Zorrit on headless wlroots compositors (sway, labwc, wayfire). Where the compositor offers
cursor sessions, the sprites are surfaces of the compositor's layer shell, found in grim's
screenshots by the colours of a test theme: they follow the pointer over the bare desktop, on a
second output at another scale and after an output goes; presses go through them; the key colour
never shows; translucency and "On desktop" hold; sway without Xwayland too. Where the compositor
offers no cursor sessions, or draws the pointer itself, Zorrit says so and follows the pointer
over X11 windows. Where it lists its windows, a full-screen window with the focus hides the
trail."""
import os
import shutil
import sys
import time
import unittest

from harness import BIN_DIR, WlrootsSession, wait_until
from layer_sprites import LayerSprites, near

OTHER_WAYLAND = ("This desktop does not tell other programs where the pointer is, so the trail "
                 "follows it only over X11 windows.")
SOFTWARE_CURSOR = ("This desktop draws the pointer itself and does not tell other programs where "
                   "it is, so the trail follows it only over X11 windows.")


class OnWlroots(LayerSprites):
    COMPOSITOR = None

    def setUp(self):
        self.x = None

    def open_session(self, **options):
        """The compositor, with WlrootsSession's `options`; whether it offers cursor sessions
        (and so shows the sprites on its layer shell)."""
        self.x = WlrootsSession(self.COMPOSITOR, **options)
        self.addCleanup(self.x.close)
        globals_ = self.x.run(["wayland-info"], check=False).stdout.decode()
        self.offers_cursor_sessions = ("ext_image_copy_capture_manager_v1" in globals_
                                       and "ext_output_image_capture_source_manager_v1" in globals_)
        return self.offers_cursor_sessions

    def open_layer_session(self, **options):
        if not self.open_session(**options):
            self.skipTest(f"{self.COMPOSITOR} offers no cursor sessions: the sprites are X11 "
                          "windows there")

    def lead_position(self):
        """Where the sprites are X11 windows: the lead one's place. The notice box, which may
        stay open, has its title."""
        for window in self.x.find_windows("Zorrit"):
            if self.x.role(window) != "message":
                geometry = self.x.geometry(window)
                return (geometry.x, geometry.y) if geometry else None
        return None

    def assertX11SpritesRestBy(self, pointer):
        """Where the sprites are X11 windows: the lead and the last one rest by the pointer."""
        px, py = pointer
        self.assertTrue(wait_until(lambda: self.lead_position() == (px + 12, py + 19), 15),
                        f"pointer at {px},{py}, main1 at {self.lead_position()}")
        self.assertTrue(self.x.wait_position("p5", (px + 20, py + 75), 15),
                        f"pointer at {px},{py}, p5 at {self.x.position('p5')}")

    # -- the X server's pointer ----------------------------------------------------------------
    def x_pointer(self):
        out = self.x.run(["xdotool", "getmouselocation"], check=False).stdout.decode().split()
        fields = dict(field.split(":", 1) for field in out if ":" in field)
        return (int(fields["x"]), int(fields["y"])) if "x" in fields else None

    def x_pointer_near(self, target):
        pointer = self.x_pointer()
        return pointer if near(pointer, target, 1) else None

    def x11_window(self):
        """An X11 window (wherever the compositor puts it, at a size of its own) and its box."""
        shown = self.x.spawn(["xmessage", "-geometry", "600x400+100+100", "over X11"])
        self.addCleanup(self.x.stop, shown)
        window = self.x.wait_window("xmessage", 10)
        self.assertTrue(window, "no X11 window")
        return shown, self.x.geometry(window)

    def move_over_x11(self, box, k):
        """The pointer to the k-th third of an X11 window; where the X server has it then (the
        virtual mouse's absolute moves may land a pixel short)."""
        target = (box.x + box.width * k // 3, box.y + box.height * k // 3)
        self.x.move_pointer(*target)
        pointer = wait_until(lambda: self.x_pointer_near(target), 10)
        self.assertTrue(pointer, f"the X server has the pointer at {self.x_pointer()}")
        return pointer

    def assertNoticeShown(self, zorrit, text):
        """The notice is printed and shown, once; its box (titled like the lead sprite)."""
        self.assertTrue(wait_until(lambda: text in self.x.log(zorrit), 15), self.x.log(zorrit))
        notice = self.x.wait_role("Zorrit", "message", 15)
        self.assertTrue(notice, "no notice")
        time.sleep(4)
        self.assertEqual(self.x.log(zorrit).count(text), 1, self.x.log(zorrit))
        self.assertEqual([w for w in self.x.find_windows("Zorrit") if self.x.role(w) == "message"],
                         [notice])
        return notice

    def trail_hidden(self, layer):
        if layer:
            return self.sprites()[1] == [None] * 5
        return not self.x.find_windows("p5")

    # -- the tests -----------------------------------------------------------------------------
    def test_the_trail_follows_the_compositors_pointer_or_zorrit_says_it_cannot(self):
        if not self.open_session():
            # The box stays open: keys sent through XTEST do not reach Xwayland's windows in
            # Debian unstable's headless wlroots compositors.
            self.assertNoticeShown(self.start_zorrit(), OTHER_WAYLAND)
            # Over an X11 window Xwayland knows the pointer; the sprites are X11 windows.
            _, box = self.x11_window()
            for k in (1, 2):
                self.assertX11SpritesRestBy(self.move_over_x11(box, k))
            return
        zorrit = self.start_zorrit()
        # Over the bare desktop, where Xwayland never sees the pointer; no sprite is an X11
        # window.
        self.assertFollows([(300, 300), (900, 500), (40, 600)])
        self.assertEqual(self.x.find_windows("p5", visible=False), [])
        self.assertNoKeyColour()
        self.assertClicksGoThroughTheSprites()
        self.assertNotIn(OTHER_WAYLAND, self.x.log(zorrit))
        self.assertNotIn("zorrit:", self.x.log(zorrit))

    def test_a_software_cursor_is_told_and_followed_over_x11_windows(self):
        # wlroots then says nothing to cursor sessions; Xwayland sees the pointer over its
        # windows.
        self.open_layer_session(env={"WLR_NO_HARDWARE_CURSORS": "1"})
        _, box = self.x11_window()
        zorrit = self.start_zorrit()
        self.wait_shown()
        self.move_over_x11(box, 1)
        # The box stays: keys sent through the X server do not reach Xwayland's windows here.
        self.assertNoticeShown(zorrit, SOFTWARE_CURSOR)
        for k in (2, 1):
            self.assertRestsBy(self.move_over_x11(box, k))


@unittest.skipUnless(shutil.which("sway") and shutil.which("wayland-info"),
                     "needs sway and wayland-info (scripts/install-deps --tests)")
class Sway(OnWlroots, unittest.TestCase):
    COMPOSITOR = "sway"
    OUTPUTS_AT_START = 1
    SLACK = 0

    def add_scaled_output(self):
        """A second output to the right, at scale 2. Sway lays out an output without a place of
        its own after those that have one: both get theirs."""
        self.x.swaymsg("create_output")
        self.x.swaymsg("output", "HEADLESS-1", "pos", "0", "0")
        self.x.swaymsg("output", "HEADLESS-2", "resolution", "1280x720", "scale", "2", "pos",
                       "1280", "0")
        self.x.extent = (1280 + 640, 720)
        self.assertTrue(wait_until(lambda: '"HEADLESS-2"' in self.x.swaymsg("-t", "get_outputs"),
                                   10))
        return "HEADLESS-2", (1280, 0), 2

    def remove_output(self, name):
        self.x.swaymsg("output", name, "unplug")
        self.assertTrue(wait_until(lambda: f'"{name}"' not in self.x.swaymsg(
            "-t", "get_outputs"), 10), f"{name} stays")
        self.x.extent = (1280, 720)

    def test_a_hidden_pointer_is_not_a_software_cursor(self):
        # Sway hides the pointer after a second at rest; Zorrit starts while it is hidden, and
        # the first move is over an X11 window, where the X server sees it.
        self.open_layer_session()
        self.x.swaymsg("for_window", '[class="Xmessage"]', "floating", "enable")
        _, box = self.x11_window()
        self.x.swaymsg("seat", "*", "hide_cursor", "1000")
        self.move_over_x11(box, 1)
        time.sleep(1.5)
        zorrit = self.start_zorrit()
        self.wait_shown()
        self.assertRestsBy(self.move_over_x11(box, 2))
        # Zorrit looks for a software cursor every 3 s.
        time.sleep(7)
        self.assertNotIn(SOFTWARE_CURSOR, self.x.log(zorrit))
        self.assertIsNone(self.x.wait_role("Zorrit", "message", 0), "a notice")
        # Hidden again, then over the bare desktop, where only the compositor knows the pointer.
        desktop = (60, 300)
        self.assertGreater(box.x, desktop[0], f"the X11 window at {box} is where the desktop was")
        self.assertFollows([desktop])

    def test_a_full_screen_window_with_the_focus_hides_the_trail(self):
        """Sway's list of windows says which has the focus and is full screen: the trail hides
        over it, and comes back when it leaves full screen or the focus goes elsewhere."""
        layer = self.open_session()
        if "zwlr_foreign_toplevel_manager_v1" not in self.x.run(["wayland-info"]).stdout.decode():
            self.skipTest("this sway offers no list of its windows")
        zorrit = self.start_zorrit()
        if layer:
            self.assertFollows([(300, 300)])
        else:
            # The sprites are X11 windows, which follow the pointer over X11 windows only.
            notice = self.assertNoticeShown(zorrit, OTHER_WAYLAND)
            self.x.key(notice, "Return")
            self.assertTrue(wait_until(lambda: not self.x.wait_role("Zorrit", "message", 0), 5),
                            "the notice stays")
        _, box = self.x11_window()  # tiled, it fills the output, and has the focus

        def shown(where):
            if layer:
                self.assertFollows([where])
            else:
                self.assertX11SpritesRestBy(self.move_over_x11(box, where))

        def hidden():
            return self.trail_hidden(layer)

        shown((400, 300) if layer else 1)
        for leave in (("fullscreen", "disable"), ("workspace", "2")):
            self.x.swaymsg("fullscreen", "enable")
            self.assertTrue(wait_until(hidden, 10), "the trail shows over a full-screen window")
            self.x.swaymsg(*leave)
            self.assertTrue(wait_until(lambda: not hidden(), 10),
                            f"the trail stays hidden after {' '.join(leave)}")
        if layer:
            self.assertFollows([(500, 200)])
            self.assertNotIn("zorrit:", self.x.log(zorrit))

    def test_without_xwayland_the_trail_tray_icon_and_preferences_work(self):
        self.open_layer_session(xwayland=False)
        self.assertIsNone(self.x.display)
        address = f"unix:path={self.x.root}/bus"
        self.x.spawn(["dbus-daemon", "--session", "--nofork", f"--address={address}"],
                     log="dbus")
        self.assertTrue(wait_until(lambda: os.path.exists(f"{self.x.root}/bus"), 10), "no bus")
        self.x.env["DBUS_SESSION_BUS_ADDRESS"] = address
        watcher = self.x.spawn([sys.executable, os.path.join(os.path.dirname(__file__),
                                                             "status_notifier_watcher.py")],
                               log="watcher")
        self.assertTrue(wait_until(lambda: "ready" in self.x.log(watcher), 10),
                        self.x.log(watcher))
        zorrit = self.start_zorrit()
        self.assertFollows([(300, 300), (900, 500)])
        self.assertTrue(wait_until(lambda: "item " in self.x.log(watcher), 15),
                        f"no tray icon: {self.x.log(watcher)}")
        asked = self.x.run([os.path.join(BIN_DIR, "zorrit"), "--preferences"], check=False)
        self.assertEqual(asked.returncode, 0, asked.stderr.decode())
        self.assertTrue(wait_until(lambda: '"Zorrit Preferences"' in self.x.swaymsg(
            "-t", "get_tree"), 15), "no preferences window in sway's tree")
        self.assertFollows([(200, 150)])
        self.assertNotIn("zorrit:", self.x.log(zorrit))


class RandrOutputs:
    """Two outputs from the start, laid out and scaled through wlr-randr (wlroots' output
    management)."""
    OUTPUTS_AT_START = 2
    # The cursor sessions speak in whole pixels of the output's buffer, so at a fractional scale
    # the pointer's logical place comes within a pixel, and the virtual mouse's within another.
    SLACK = 2

    def setUp(self):
        super().setUp()
        if not shutil.which("wlr-randr"):
            self.skipTest("needs wlr-randr (scripts/install-deps --tests)")

    def randr(self, *arguments):
        changed = self.x.run(["wlr-randr", *arguments], check=False)
        self.assertEqual(changed.returncode, 0, changed.stderr.decode())

    def add_scaled_output(self):
        """The second output, to the right, at scale 1.5: 1280 x 720 pixels are 853 x 480
        logical ones."""
        self.randr("--output", "HEADLESS-1", "--pos", "0,0", "--output", "HEADLESS-2", "--pos",
                   "1280,0", "--scale", "1.5")
        self.x.extent = (1280 + 853, 720)
        return "HEADLESS-2", (1280, 0), 1.5

    def remove_output(self, name):
        self.randr("--output", name, "--off")
        self.x.extent = (1280, 720)


@unittest.skipUnless(shutil.which("labwc") and shutil.which("wayland-info"),
                     "needs labwc and wayland-info (scripts/install-deps --tests)")
class Labwc(RandrOutputs, OnWlroots, unittest.TestCase):
    COMPOSITOR = "labwc"


@unittest.skipUnless(shutil.which("wayfire") and shutil.which("wayland-info"),
                     "needs wayfire and wayland-info (scripts/install-deps --tests)")
class Wayfire(RandrOutputs, OnWlroots, unittest.TestCase):
    COMPOSITOR = "wayfire"

    def test_a_full_screen_x11_window_with_the_focus_hides_the_trail(self):
        """Wayfire's list of windows says which has the focus and is full screen: the trail
        hides over it, and comes back when it leaves full screen or the focus goes elsewhere."""
        layer = self.open_session()
        if "zwlr_foreign_toplevel_manager_v1" not in self.x.run(["wayland-info"]).stdout.decode():
            self.skipTest("this wayfire offers no list of its windows")
        zorrit = self.start_zorrit()
        if not layer:
            self.assertNoticeShown(zorrit, OTHER_WAYLAND)
        _, box = self.x11_window()
        video = self.x.wait_window("xmessage")

        def shown():
            if layer:
                self.assertFollows([(box.x + box.width // 3, box.y + box.height // 3)])
            else:
                self.assertX11SpritesRestBy(self.move_over_x11(box, 1))

        shown()
        self.x.full_screen(video, True)
        self.assertTrue(wait_until(lambda: self.trail_hidden(layer), 10),
                        "the trail shows over a full-screen window")
        self.x.full_screen(video, False)
        self.assertTrue(wait_until(lambda: not self.trail_hidden(layer), 10),
                        "the trail stays hidden after the window left full screen")
        shown()
        self.x.full_screen(video, True)
        self.assertTrue(wait_until(lambda: self.trail_hidden(layer), 10),
                        "the trail shows over a full-screen window")
        other = self.x.spawn(["xmessage", "-geometry", "200x100+50+50", "other"])
        self.addCleanup(self.x.stop, other)
        self.assertTrue(wait_until(lambda: not self.trail_hidden(layer), 10),
                        "the trail stays hidden after another window took the focus")
        self.assertIsNone(zorrit.poll())
        # Nothing but the notice's line on stderr.
        self.assertEqual(self.x.log(zorrit).count("zorrit:"), 0 if layer else 1,
                         self.x.log(zorrit))


if __name__ == "__main__":
    unittest.main()
