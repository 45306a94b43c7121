# SPDX-License-Identifier: GPL-3.0-or-later
"""Vandrel to Zorrit: a theme built with the real wizard from pictures in several formats, then
the real zorrit started with it, and the screen checked sprite by sprite."""
import os
import struct
import unittest
import zlib

from harness import XTestCase
from test_trail import KEY
from test_vandrel import make_theme

SIDE = 12  # pictures fit between neighbouring sprites of the resting trail (14 pixels apart)
SPRITES = ["Zorrit", "p2", "p3", "p4", "p5"]


# -- pictures, written without any image library; pixel(x, y) gives (r, g, b) or None for a
# -- transparent pixel -----------------------------------------------------------------------

def _png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def write_png_rgba(path, pixel):
    rows = []
    for y in range(SIDE):
        row = bytearray(b"\x00")
        for x in range(SIDE):
            rgb = pixel(x, y)
            row += bytes(rgb) + b"\xff" if rgb else b"\x00\x00\x00\x00"
        rows.append(bytes(row))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n"
                + _png_chunk(b"IHDR", struct.pack(">IIBBBBB", SIDE, SIDE, 8, 6, 0, 0, 0))
                + _png_chunk(b"IDAT", zlib.compress(b"".join(rows))) + _png_chunk(b"IEND", b""))


def write_bmp(path, pixel):
    """A 24-bit bitmap, rows bottom-up; bitmaps have no transparency of their own."""
    stride = (SIDE * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(SIDE)):
        row = bytearray()
        for x in range(SIDE):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        data += row + b"\x00" * (stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + bytes(data))


def _lzw(indices, min_code_size):
    """GIF's variable-width LZW, codes packed from the least significant bit."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    table = {(i,): i for i in range(clear)}
    next_code, width = end + 1, min_code_size + 1
    out, bits, count = bytearray(), 0, 0

    def emit(code):
        nonlocal bits, count
        bits |= code << count
        count += width
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8

    emit(clear)
    word = ()
    for index in indices:
        longer = word + (index,)
        if longer in table:
            word = longer
            continue
        emit(table[word])
        if next_code < 4096:
            table[longer] = next_code
            next_code += 1
            # The reader adds its entries one code later, so it widens one code later too.
            if next_code > (1 << width) and width < 12:
                width += 1
        word = (index,)
    emit(table[word])
    emit(end)
    if count:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, pixel):
    """A GIF89a with a four-entry palette; transparent pixels use entry 1, marked transparent."""
    colours, indices = [], []
    for y in range(SIDE):
        for x in range(SIDE):
            rgb = pixel(x, y)
            if rgb is None:
                indices.append(1)
                continue
            if rgb not in colours:
                colours.append(rgb)
            indices.append(0 if colours.index(rgb) == 0 else 2 + colours.index(rgb) - 1)
    assert len(colours) <= 3
    palette = [colours[0] if colours else (0, 0, 0), (255, 255, 255)] + colours[1:]
    palette += [(0, 0, 0)] * (4 - len(palette))
    transparent = None in (pixel(x, y) for y in range(SIDE) for x in range(SIDE))
    data = _lzw(indices, 2)
    blocks = b"".join(bytes((len(data[i:i + 255]),)) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    with open(path, "wb") as f:
        f.write(b"GIF89a" + struct.pack("<HHBBB", SIDE, SIDE, 0x91, 0, 0)
                + b"".join(bytes(c) for c in palette)
                + (b"\x21\xf9\x04\x01\x00\x00\x01\x00" if transparent else b"")
                + b"\x2c" + struct.pack("<HHHHB", 0, 0, SIDE, SIDE, 0)
                + b"\x02" + blocks + b"\x00\x3b")


# One picture per sprite: (file name, writer, colour, a transparent point or None). The GIF and
# the PNG carry real transparency; the bitmap cuts away by the key colour.
PICTURES = [
    ("red.gif", write_gif, (200, 0, 0), (2, 2)),          # top-left 6 x 6 transparent
    ("blue.bmp", write_bmp, (0, 0, 200), (10, 10)),        # bottom-right 4 x 4 key colour
    ("green.png", write_png_rgba, (0, 160, 0), None),
    ("yellow.png", write_png_rgba, (200, 200, 0), (2, 8)),  # left half transparent
    ("cyan.gif", write_gif, (0, 200, 200), None),
]


def draw(name, colour):
    """The pixel function of each picture: its colour, with its cut-away part."""
    if name == "red.gif":
        return lambda x, y: None if x < 6 and y < 6 else colour
    if name == "blue.bmp":
        return lambda x, y: KEY if x >= 8 and y >= 8 else colour
    if name == "yellow.png":
        return lambda x, y: None if x < 6 else colour
    return lambda x, y: colour


class RoundTrip(XTestCase):
    def setUp(self):
        super().setUp()
        self.x.start_window_manager()
        self.folder = os.path.join(self.x.home, "Trail Pictures")
        os.makedirs(self.folder)
        for name, writer, colour, _ in PICTURES:
            writer(os.path.join(self.folder, name), draw(name, colour))

    def build_and_start(self, slots, file_name):
        theme = make_theme(self, self.x, self.folder, "Round Trip", "Ann Example",
                           "ann@example.test", slots, file_name)
        self.start_zorrit(theme)
        self.assertTrailAt((400, 300))
        self.assertEqual(self.x.read_settings().get("Theme"), theme)
        self.assertEqual(self.x.find_windows("Zorrit - Error"), [], "zorrit refused the theme")
        self.shot = self.x.screenshot()
        self.assertEqual(self.shot.count(KEY), 0, "key colour visible")
        self.background = self.shot.pixel(self.x.width - 5, 5)
        self.at = {title: self.x.position(title) for title in SPRITES}
        return theme

    def own_pixel(self, title, dx, dy):
        """The screen at a point of a sprite's window that no other sprite's picture covers."""
        x, y = self.at[title][0] + dx, self.at[title][1] + dy
        for other, (ox, oy) in self.at.items():
            if other != title and ox <= x < ox + SIDE and oy <= y < oy + SIDE:
                return None
        return self.shot.pixel(x, y)

    def assertShows(self, title, colour, hole):
        self.assertEqual(self.own_pixel(title, 7, 7), colour)
        if hole:
            self.assertEqual(self.own_pixel(title, *hole), self.background, "not cut away")
        # Beyond the picture, inside the 20 x 20 window: cut away.
        beyond = {self.own_pixel(title, dx, dy) for dx in range(20) for dy in range(20)
                  if dx >= SIDE or dy >= SIDE}
        self.assertEqual(beyond - {None}, {self.background})

    def test_every_sprite_shows_its_picture_with_the_transparent_parts_cut_away(self):
        self.build_and_start([p[0] for p in PICTURES], "formats")
        for title, (name, _, colour, hole) in zip(SPRITES, PICTURES):
            with self.subTest(sprite=title, picture=name):
                self.assertShows(title, colour, hole)

    def test_a_slot_without_a_picture_shows_nothing(self):
        slots = [p[0] for p in PICTURES]
        slots[2] = None
        theme = self.build_and_start(slots, "with a gap.thm")
        with open(theme, "rb") as f:
            self.assertEqual(f.read().split(b"\r\n")[4], b"No picture")
        shown = {self.own_pixel("p3", dx, dy) for dx in range(20) for dy in range(20)}
        self.assertEqual(shown - {None}, {self.background}, "the empty slot's window shows something")
        for title, (name, _, colour, hole) in zip(SPRITES, PICTURES):
            if title != "p3":
                with self.subTest(sprite=title, picture=name):
                    self.assertShows(title, colour, hole)


if __name__ == "__main__":
    unittest.main()
