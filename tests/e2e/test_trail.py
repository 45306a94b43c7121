# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit under Xvfb: first start, the trail's position, the single copy, the pictures,
translucency and staying on top."""
import os
import struct
import subprocess
import tempfile
import unittest
import zlib

from harness import XTestCase, wait_until

KEY = (255, 0, 255)


def write_png(path, width, height, rgb):
    """A solid-colour PNG, without needing any image library."""
    raw = b"".join(b"\x00" + bytes(rgb) * width for _ in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def write_framed_png(path, side, border, rgb, frame=KEY):
    """A square PNG of one colour inside a frame of another (the key colour: cut away)."""
    rows = []
    for y in range(side):
        row = b"".join(bytes(rgb if border <= x < side - border and border <= y < side - border
                             else frame) for x in range(side))
        rows.append(b"\x00" + row)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(b"".join(rows))) + chunk(b"IEND", b""))


def write_theme(folder, pictures, lines=None):
    lines = lines or ["Squares", "Tester", *pictures, "http://example.test/"]
    path = os.path.join(folder, "squares.thm")
    with open(path, "wb") as f:
        f.write(b"".join(line.encode() + b"\r\n" for line in lines))
    return path


COLOURS = [(200, 0, 0), (0, 0, 200), (0, 160, 0), (200, 200, 0), (0, 200, 200)]


class StartUp(XTestCase):
    def test_first_start_shows_the_welcome_and_closing_it_starts_the_trail(self):
        for keys in (["Return"], ["Escape"]):
            with self.subTest(keys=keys):
                self.x.write_settings({})
                zorrit = self.start_zorrit(first_run_done=False)
                welcome = self.x.wait_role("Welcome Wizard", "startup1")
                self.assertIsNotNone(welcome, "no welcome window")
                self.assertEqual(self.x.find_windows("p5"), [], "trail shown before the welcome closed")
                self.assertEqual(self.x.read_settings().get("Scroll"), "No")
                self.x.key(welcome, *keys)
                self.assertTrailAt((500, 300))
                self.x.stop(zorrit)

    def test_the_trail_settles_below_right_of_a_resting_pointer(self):
        zorrit = self.start_zorrit()
        self.assertTrailAt((500, 300))
        self.assertPacedByTheServersClock(zorrit.pid, [(500 - 10 * k, 300 + 8 * k) for k in range(40)])
        self.assertTrailAt((100, 600))

    def test_a_second_plain_start_is_refused_and_the_first_runs_on(self):
        first = self.start_zorrit()
        self.assertTrailAt((300, 300))
        second = self.x.zorrit()
        box = self.x.wait_role("Zorrit - Error", "message")
        self.assertIsNotNone(box, "no refusal message")
        self.x.key(box, "Return")
        self.assertEqual(second.wait(10), 1)
        self.assertIsNone(first.poll())
        self.assertTrailAt((400, 350))

    def test_the_sprites_show_the_balls_and_never_the_key_colour(self):
        self.start_zorrit()
        self.assertTrailAt((500, 300))
        shot = self.x.screenshot()
        self.assertEqual(shot.count(KEY), 0, "key colour visible")
        r, g, b = shot.pixel(512 + 4, 319 + 4)  # inside the red ball
        self.assertTrue(r > 150 and g < 90 and b < 90, (r, g, b))
        # Outside the 11 x 11 ball the window is cut away: the black root shows.
        self.assertEqual(shot.pixel(512 + 15, 319 + 15), (0, 0, 0))

    def test_a_theme_named_on_the_command_line_puts_its_pictures_on_the_sprites(self):
        folder = tempfile.mkdtemp(dir=self.x.root)
        names = []
        for k, rgb in enumerate(COLOURS):
            names.append(f"pic {k}.png")
            write_png(os.path.join(folder, names[-1]), 12, 12, rgb)
        theme = write_theme(folder, names)
        self.start_zorrit(theme)
        self.assertTrailAt((500, 300))
        self.assertEqual(self.x.read_settings().get("Theme"), theme)
        shot = self.x.screenshot()
        for k, title in enumerate(["Zorrit", "p2", "p3", "p4", "p5"]):
            x, y = self.x.position(title)
            self.assertEqual(shot.pixel(x + 6, y + 6), COLOURS[k], title)
            self.assertEqual(shot.pixel(x + 15, y + 15), (0, 0, 0), title)  # cut beyond 12 x 12

    def test_theme_and_picture_names_that_are_not_utf8_are_found(self):
        # File names are bytes: here Latin-1 e grave and e acute, as an old file manager made them.
        folder = tempfile.mkdtemp(dir=self.x.root)
        names = []
        for k, rgb in enumerate(COLOURS):
            names.append(b"caf\xe9 %d.png" % k)
            write_png(os.path.join(os.fsencode(folder), names[-1]), 12, 12, rgb)
        theme = os.path.join(os.fsencode(folder), b"th\xe8me.thm")
        with open(theme, "wb") as f:
            f.write(b"".join(line + b"\r\n" for line in [b"Caf\xe9", b"Tester", *names, b"site"]))
        self.start_zorrit(os.fsdecode(theme))
        self.assertTrailAt((500, 300))
        # Kept in the settings file as UTF-8 text, the odd byte written as \xE8.
        self.assertEqual(self.x.read_settings().get("Theme"), folder + "/th\\xE8me.thm")
        shot = self.x.screenshot()
        for k, title in enumerate(["Zorrit", "p2", "p3", "p4", "p5"]):
            x, y = self.x.position(title)
            self.assertEqual(shot.pixel(x + 6, y + 6), COLOURS[k], title)

    def test_a_missing_theme_falls_back_with_the_not_found_notice(self):
        self.start_zorrit(os.path.join(self.x.root, "gone.thm"))
        notice = self.x.wait_role("Zorrit - Error", "ahwell")
        self.assertIsNotNone(notice, "no not-found notice")
        self.assertEqual(self.x.read_settings().get("Theme"), "default")
        self.x.key(notice, "Return")
        self.assertTrailAt((500, 300))

    def test_a_theme_with_a_broken_picture_gives_the_start_up_message(self):
        folder = tempfile.mkdtemp(dir=self.x.root)
        write_png(os.path.join(folder, "a.png"), 8, 8, (1, 2, 3))
        with open(os.path.join(folder, "broken.png"), "w") as f:
            f.write("not a picture")
        theme = write_theme(folder, ["a.png", "broken.png", "a.png", "a.png", "a.png"])
        self.start_zorrit(theme)
        box = self.x.wait_role("Zorrit - Error", "message")
        self.assertIsNotNone(box, "no start-up message")
        self.assertEqual(self.x.read_settings().get("Theme"), "default")
        self.x.key(box, "Return")
        self.assertTrailAt((500, 300))
        r, g, b = self.x.screenshot().pixel(512 + 4, 319 + 4)  # the built-in red ball again
        self.assertTrue(r > 150 and g < 90 and b < 90, (r, g, b))


class LargePointer(XTestCase):
    """The pictures were drawn for the usual 24-pixel pointer; beside a larger one the sprites,
    their offsets and the wobble grow with it, read once at start."""

    def test_the_sprites_and_their_offsets_grow_with_the_pointers_size(self):
        cases = [
            # (how the size is set, sprite side, lead's and last sprite's offset at rest)
            ({}, None, 20, (12, 19), (20, 75)),
            ({"XCURSOR_SIZE": "48"}, None, 40, (24, 38), (40, 150)),
            ({}, "Xcursor.size:\t32\n", 27, (16, 26), (27, 101)),  # 1.35 times, whole pixels
        ]
        for env, resources, side, lead, last in cases:
            with self.subTest(env=env, resources=resources):
                self.x.env.pop("XCURSOR_SIZE", None)
                self.x.env.update(env)
                self.x.run(["xrdb", "-load", "-"], input=(resources or "").encode())
                zorrit = self.start_zorrit()
                try:
                    self.assertTrailGrown((500, 300), side, lead, last)
                finally:
                    self.x.stop(zorrit)

    def assertTrailGrown(self, pointer, side, lead, last):
        px, py = pointer
        self.x.move_pointer(px, py)
        self.assertTrue(self.x.wait_position("Zorrit", (px + lead[0], py + lead[1]), 15),
                        f"main1 at {self.x.position('Zorrit')}")
        self.assertTrue(self.x.wait_position("p5", (px + last[0], py + last[1]), 15),
                        f"p5 at {self.x.position('p5')}")
        for title in ["Zorrit", "p2", "p3", "p4", "p5"]:
            geometry = self.x.geometry(self.x.wait_window(title))
            self.assertEqual((geometry.width, geometry.height), (side, side), title)
        shot = self.x.screenshot()
        self.assertEqual(shot.count(KEY), 0, "key colour visible")
        # The red ball, drawn at the trail's size: red well inside, cut away beyond it.
        x, y = px + lead[0], py + lead[1]
        r, g, b = shot.pixel(x + side * 5 // 20, y + side * 5 // 20)
        self.assertTrue(r > 150 and g < 90 and b < 90, (r, g, b))
        self.assertEqual(shot.pixel(x + side * 15 // 20, y + side * 15 // 20), (0, 0, 0))

    def test_a_theme_scaled_up_shows_no_key_colour_at_its_edges(self):
        # 12 x 12 pictures: an 8 x 8 square in a frame of the key colour, shown twice as large.
        folder = tempfile.mkdtemp(dir=self.x.root)
        names = []
        for k, rgb in enumerate(COLOURS):
            names.append(f"framed {k}.png")
            write_framed_png(os.path.join(folder, names[-1]), 12, 2, rgb)
        self.x.env["XCURSOR_SIZE"] = "48"
        self.start_zorrit(write_theme(folder, names))
        self.x.move_pointer(500, 300)
        self.assertTrue(self.x.wait_position("p5", (540, 450), 15), f"p5 at {self.x.position('p5')}")
        shot = self.x.screenshot()
        self.assertEqual(shot.count(KEY), 0, "key colour visible")
        for k, title in enumerate(["Zorrit", "p2", "p3", "p4", "p5"]):
            x, y = self.x.position(title)
            self.assertEqual(shot.pixel(x + 12, y + 12), COLOURS[k], title)
            self.assertEqual(shot.pixel(x + 2, y + 2), (0, 0, 0), title)  # the frame is cut away
            for dy in range(28):  # the next sprite hangs 28 pixels lower
                for dx in range(40):
                    pixel = shot.pixel(x + dx, y + dy)
                    if pixel == (0, 0, 0):
                        continue
                    # Smoothly scaled, the edge keeps the square's colour: no blend with the key.
                    self.assertTrue(all(abs(a - b) <= 3 for a, b in zip(pixel, COLOURS[k])),
                                    f"{title} at +{dx},+{dy}: {pixel}")


class NoDisplay(unittest.TestCase):
    def test_without_an_x_display_it_says_so_and_exits_non_zero(self):
        binary = os.path.join(os.environ.get("ZORRIT_BIN_DIR", "../../build/bin"), "zorrit")
        for display in (None, ":987"):
            env = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
            if display:
                env["DISPLAY"] = display
            result = subprocess.run([binary], env=env, capture_output=True, timeout=20)
            self.assertEqual(result.returncode, 2, result.stderr)
            self.assertIn(b"X display", result.stderr)


class Translucency(XTestCase):
    def opacity(self, title):
        value = self.x.prop(self.x.wait_window(title), "_NET_WM_WINDOW_OPACITY")
        return int(value) if value else None

    def test_with_a_compositor_the_sprites_carry_the_stored_opacity(self):
        self.x.start_compositor()
        self.start_zorrit(settings={"transon": "1", "transslid": "130"})
        expected = round(130 / 255 * 0xFFFFFFFF)
        for title in ["Zorrit", "p2", "p3", "p4", "p5"]:
            got = wait_until(lambda: self.opacity(title), 10)
            self.assertIsNotNone(got, title)
            self.assertLessEqual(abs(got - expected), 1, title)
        self.assertEqual(self.x.find_windows("Zorrit - Error"), [])

    def test_without_a_compositor_the_message_appears_and_the_setting_goes_off(self):
        self.start_zorrit(settings={"transon": "1", "transslid": "130"})
        box = self.x.wait_role("Zorrit - Error", "message")
        self.assertIsNotNone(box, "no message")
        self.x.key(box, "Return")
        self.assertTrue(self.x.wait_no_window("Zorrit - Error"))
        self.assertTrue(wait_until(lambda: self.x.read_settings().get("transon") == "0", 5))
        self.assertTrailAt((500, 300))


class OnTop(XTestCase):
    def test_a_window_raised_over_the_sprites_is_covered_again_within_a_second(self):
        self.x.start_window_manager()
        self.start_zorrit()
        self.assertTrailAt((500, 300))
        cover = self.x.spawn(["xmessage", "-geometry", "500x400+300+150", "cover"], log="xmessage")
        window = self.x.wait_window("xmessage")
        self.assertIsNotNone(window)
        red = lambda: (lambda p: p[0] > 150 and p[1] < 90 and p[2] < 90)(
            self.x.screenshot().pixel(512 + 4, 319 + 4))
        self.x.run(["xdotool", "windowraise", str(window)])
        # It may show the cover for a moment; within about a second the trail is on top again.
        self.assertTrue(wait_until(red, 2.5, 0.1), "the trail stayed under the raised window")
        self.x.stop(cover)


if __name__ == "__main__":
    unittest.main()
