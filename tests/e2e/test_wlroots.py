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
import tempfile
import time
import unittest

from harness import BIN_DIR, WlrootsSession, wait_until
from test_full_screen import FULL_SCREEN_SCRIPT
from test_round_trip import write_png_rgba
from test_trail import COLOURS, KEY, write_png, write_theme

OTHER_WAYLAND = ("This desktop does not tell other programs where the pointer is, so the trail "
                 "follows it only over X11 windows.")
SOFTWARE_CURSOR = ("This desktop draws the pointer itself and does not tell other programs where "
                   "it is, so the trail follows it only over X11 windows.")
SIDE = 20
# Where the coloured part of the lead, the third and the last sprite rests from the pointer, and
# its size, in logical pixels.
RESTING = {0: (12, 19, SIDE, SIDE), 2: (16 + 6, 47, 6, 12), 4: (20, 75, SIDE, SIDE)}
LEAD, LAST = RESTING[0][:2], RESTING[4][:2]


def near(found, expected, slack):
    return found is not None and all(abs(a - b) <= slack for a, b in zip(found, expected))


class OnWlroots:
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

    def start_zorrit(self, settings=None):
        """Zorrit with a theme of five distinct colours, so that each sprite's box in a
        screenshot is its place. The lead and the last sprite fill their 20 x 20 pixels; the
        third is smaller and its left half is transparent, so whatever a sprite shows where its
        picture does not reach (the key colour, say) would show there."""
        folder = tempfile.mkdtemp(dir=self.x.root)
        names = []
        for k, colour in enumerate(COLOURS):
            names.append(f"{k}.png")
            if k == 2:
                write_png_rgba(os.path.join(folder, names[-1]),
                               lambda x, y: colour if x >= 6 else None)
            else:
                write_png(os.path.join(folder, names[-1]), SIDE, SIDE, colour)
        values = {"Scroll": "No", **(settings or {})}
        self.x.write_settings(values)
        process = self.x.zorrit(write_theme(folder, names))
        self.addCleanup(self.x.stop, process)
        return process

    # -- the sprites in screenshots ------------------------------------------------------------
    def sprites(self, output=None):
        """Each sprite's box in one screenshot (of one output in its own pixels, else of the
        whole layout): (x, y, width, height), or None where its colour does not show."""
        shot = self.x.shot(output)
        return shot, [shot.box(colour) for colour in COLOURS]

    def wait_shown(self):
        """Until the lead sprite shows: Zorrit is up and follows whatever pointer it has."""
        self.assertTrue(wait_until(lambda: self.sprites()[1][0], 15), "no sprite shows")

    def assertFollows(self, points, **where):
        """The pointer goes to each point of the layout in turn, and the trail comes to rest by
        it (assertRestsBy's `where`)."""
        for point in points:
            self.x.move_pointer(*point)
            self.assertRestsBy(point, **where)

    def assertRestsBy(self, pointer, output=None, origin=(0, 0), scale=1, slack=0):
        """The lead, the third and the last sprite come to rest at their offsets from the
        pointer: in the screenshot of `output` (whose top-left is `origin` in the layout) at its
        `scale`, each its picture's logical size and no more (a sprite left behind elsewhere
        would widen its colour's box). At a fractional scale a sprite's edge may fall within a
        pixel, which then shows a blend of both sides; a picture drawn for another scale and
        stretched by the compositor shows more of them, at the third sprite's inner edge."""
        px, py = pointer
        size_slack = 0 if scale == int(scale) else 1
        expected = {k: (round((px + dx - origin[0]) * scale), round((py + dy - origin[1]) * scale),
                        round(width * scale), round(height * scale))
                    for k, (dx, dy, width, height) in RESTING.items()}
        seen = {}

        def resting():
            boxes = self.sprites(output)[1]
            seen.update((k, boxes[k]) for k in expected)
            return all(seen[k] and near(seen[k][:2], box[:2], slack)
                       and near(seen[k][2:], box[2:], size_slack) for k, box in expected.items())
        self.assertTrue(wait_until(resting, 15, interval=0.1),
                        f"pointer at {px},{py}: the lead, the third and the last sprite should be "
                        f"at {list(expected.values())} in the shot of {output or 'the layout'}, "
                        f"they are at {list(seen.values())}")

    def assertNoKeyColour(self):
        shot = self.x.shot()
        self.assertEqual(shot.count(KEY), 0, "the sprites' key colour shows")

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

    # -- a Wayland window ----------------------------------------------------------------------
    def wayland_window(self):
        """A Wayland window over the whole output, saying where presses land."""
        script = os.path.join(os.path.dirname(__file__), "wayland", "click_target.js")
        target = self.x.spawn(["gjs", script], log="click-target",
                              env={**self.x.env, "GDK_BACKEND": "wayland"})
        self.addCleanup(self.x.stop, target)
        self.assertTrue(wait_until(lambda: "ready" in self.x.log(target), 20),
                        self.x.log(target))
        return target

    def assertClicksGoThroughTheSprites(self):
        """A press on a sprite reaches the Wayland window under it. The pointer jumps onto the
        last sprite and presses at once: that sprite follows the others, so it is still there."""
        target = self.wayland_window()
        # The sprites stay above the window.
        self.assertFollows([(300, 300)])
        sprite = self.sprites()[1][4]
        middle = (sprite[0] + sprite[2] // 2, sprite[1] + sprite[3] // 2)
        self.x.move_pointer(*middle)
        self.x.click()
        self.assertTrue(wait_until(lambda: "pressed" in self.x.log(target), 5),
                        f"a press at {middle} on the sprite at {sprite} did not reach the window "
                        "under it")

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

    def test_a_second_output_at_another_scale_then_one_output_goes(self):
        self.open_layer_session(outputs=self.OUTPUTS_AT_START)
        zorrit = self.start_zorrit()
        self.assertFollows([(300, 300)])
        name, origin, scale = self.add_scaled_output()
        # On the scaled output the sprite keeps its logical place and size: more pixels.
        ox, oy = origin
        self.assertFollows([(ox + 200, oy + 100), (ox + 400, oy + 250)], output=name,
                           origin=origin, scale=scale, slack=self.SLACK)
        self.assertNoKeyColour()
        self.assertFollows([(200, 200)], output="HEADLESS-1")
        self.remove_output(name)
        self.assertFollows([(700, 400), (100, 500)])
        self.assertIsNone(zorrit.poll())
        self.assertNotIn("zorrit:", self.x.log(zorrit))

    def test_translucent_sprites_let_the_window_below_show_through(self):
        self.open_layer_session()
        self.wayland_window()
        background = self.x.shot().pixel(400, 400)
        self.start_zorrit({"transon": "1", "transslid": "130"})
        alpha = 130 / 255
        blended = [tuple(round(alpha * c + (1 - alpha) * b) for c, b in zip(colour, background))
                   for colour in COLOURS]
        px, py = 300, 300
        self.x.move_pointer(px, py)
        seen = []

        def see_through():
            shot = self.x.shot()
            seen[:] = [shot.pixel(px + dx + SIDE // 2, py + dy + SIDE // 2)
                       for dx, dy in (LEAD, LAST)]
            return (all(near(pixel, blended[k], 3) for pixel, k in zip(seen, (0, 4)))
                    and shot.box(COLOURS[0]) is None)
        self.assertTrue(wait_until(see_through, 15, interval=0.1),
                        f"over {background}, the lead and the last sprite should be "
                        f"{blended[0]} and {blended[4]}, they are {seen}")

    def test_on_desktop_puts_the_sprites_below_windows(self):
        self.open_layer_session()
        self.start_zorrit({"Above": "False", "Under": "True"})
        # Over the bare desktop they show.
        self.assertFollows([(300, 300)])
        target = self.wayland_window()
        self.assertTrue(wait_until(lambda: self.sprites()[1] == [None] * 5, 15),
                        f"a window over them, the sprites show at {self.sprites()[1]}")
        self.x.stop(target)
        self.assertFollows([(500, 200)])

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

    def full_screen(self, window, on):
        """As a program asks for it: through Xwayland's window manager, which tells wayfire."""
        self.x.run(["python3", "-c", FULL_SCREEN_SCRIPT, self.x.display, str(window),
                    "1" if on else "0"])

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
        self.full_screen(video, True)
        self.assertTrue(wait_until(lambda: self.trail_hidden(layer), 10),
                        "the trail shows over a full-screen window")
        self.full_screen(video, False)
        self.assertTrue(wait_until(lambda: not self.trail_hidden(layer), 10),
                        "the trail stays hidden after the window left full screen")
        shown()
        self.full_screen(video, True)
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
