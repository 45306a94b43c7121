# SPDX-License-Identifier: GPL-3.0-or-later
"""What holds wherever the sprites are surfaces of the compositor's layer shell, found in its
screenshots by the colours of a test theme: they rest by the pointer at their offsets, on a second
output at another scale and after an output goes; presses go through them; the key colour never
shows; translucency lets what is below show through; "On desktop" puts them below windows.

A test case that takes these up gives `self.x` a session with `move_pointer`, `click` and
`shot(output=None)`, and says how to open it (`open_layer_session(outputs=...)`), how to add a
scaled output and how to remove one."""
import os
import tempfile

from harness import wait_until
from test_round_trip import write_png_rgba
from test_trail import COLOURS, KEY, write_png, write_theme

SIDE = 20
# Where the coloured part of the lead, the third and the last sprite rests from the pointer, and
# its size, in logical pixels.
RESTING = {0: (12, 19, SIDE, SIDE), 2: (16 + 6, 47, 6, 12), 4: (20, 75, SIDE, SIDE)}
LEAD, LAST = RESTING[0][:2], RESTING[4][:2]


def near(found, expected, slack):
    return found is not None and all(abs(a - b) <= slack for a, b in zip(found, expected))



class LayerSprites:
    OUTPUTS_AT_START = 1
    FIRST_OUTPUT = "HEADLESS-1"
    SLACK = 0

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
        self.assertFollows([(200, 200)], output=self.FIRST_OUTPUT)
        self.remove_output(name)
        self.assertFollows([(700, 400), (100, 500)])
        self.assertIsNone(zorrit.poll())
        self.assertNotIn("zorrit:", self.x.log(zorrit))

    def test_translucent_sprites_let_the_window_below_show_through(self):
        self.open_layer_session()
        self.wayland_window()
        self.start_zorrit({"transon": "1", "transslid": "130"})
        alpha = 130 / 255
        px, py = 300, 300
        self.x.move_pointer(px, py)
        seen, wanted = [], []

        def see_through():
            # What the window shows beside the trail, in the same shot.
            shot = self.x.shot()
            background = shot.pixel(px - 30, py + 40)
            wanted[:] = [tuple(round(alpha * c + (1 - alpha) * b)
                               for c, b in zip(COLOURS[k], background)) for k in (0, 4)]
            seen[:] = [shot.pixel(px + dx + SIDE // 2, py + dy + SIDE // 2)
                       for dx, dy in (LEAD, LAST)]
            return (all(near(pixel, blend, 3) for pixel, blend in zip(seen, wanted))
                    and shot.box(COLOURS[0]) is None)
        self.assertTrue(wait_until(see_through, 15, interval=0.1),
                        f"the lead and the last sprite should be {wanted}, they are {seen}")

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
