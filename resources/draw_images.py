#!/usr/bin/env python3
"""Draws the toolbar strips and the program icon: toolbar.bmp (16 x 16 images) and app.ico from the
pixel maps below, toolbar_24.bmp and toolbar_32.bmp from shapes drawn at those sizes.

  draw_images.py          write the strips and resources/app.ico
  draw_images.py --check  exit 1 when the checked-in files differ from what the maps give
"""
import math
import struct
import sys
from pathlib import Path

# The 16 colours of both files, in the usual 4-bit order, and the letter each map uses for it.
PALETTE = [
    ("k", (0, 0, 0)), ("m", (128, 0, 0)), ("g", (0, 128, 0)), ("o", (128, 128, 0)),
    ("n", (0, 0, 128)), ("p", (128, 0, 128)), ("t", (0, 128, 128)), (".", (192, 192, 192)),
    ("d", (128, 128, 128)), ("r", (255, 0, 0)), ("l", (0, 255, 0)), ("y", (255, 255, 0)),
    ("b", (0, 0, 255)), ("f", (255, 0, 255)), ("a", (0, 255, 255)), ("w", (255, 255, 255)),
]
INDEX = {letter: i for i, (letter, _) in enumerate(PALETTE)}
TRANSPARENT = "_"  # icons only: masked out, shows the desktop

# Toolbar images, 16x16 each, on the button-face grey that the toolbar maps to the system colour.
PREVIOUS = """
................
................
......k.........
.....kk.........
....klk.........
...kllkkkkkkkk..
..kllllllllllk..
.klllllllllllk..
.kgggggggggggk..
..kggggggggggk..
...kggkkkkkkkk..
....kgk.........
.....kk.........
......k.........
................
................
"""

TODAY = """
................
.kkkkkkkkkkkkkk.
.krrrrrrrrrrrrk.
.krwrrwrrwrrwrk.
.krrrrrrrrrrrrk.
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwwwwwkkwwwwwk.
.kwwwwkkkwwwwwk.
.kwwwwwkkwwwwwk.
.kwwwwwkkwwwwwk.
.kwwwwwkkwwwwwk.
.kwwwwkkkkwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
................
"""

FONT = """
................
......kk........
......kk........
.....kkkk.......
.....k.kk.......
....kk.kkk......
....k...kk......
...kk...kkk.....
...kkkkkkkk.....
..kk.....kkk....
..k.......kk....
.kk.......kkk...
kkkk.....kkkkk..
................
.bbbbbbbbbbbbbb.
................
"""

SEARCH = """
................
....kkkkk.......
...kwwwwwk......
..kwaawwwwk.....
.kwawwwwwwwk....
.kwawwwwwwwk....
.kwwwwwwwwwk....
.kwwwwwwwwwk....
.kwwwwwwwwwk....
..kwwwwwwwk.....
...kwwwwwkk.....
....kkkkkkok....
..........kook..
...........kook.
............kok.
.............k..
"""

SEARCH_AGAIN = """
................
....kkkkk.......
...kwwwwwk......
..kwaawwwwk.....
.kwawwwwwwwk....
.kwawwwwwwwk....
.kwwwwwwwwwk....
.kwwwwwwwwwk....
.kwwwwwwwwwk....
..kwwwwwwwk.....
...kwwwwwkk.....
g...kkkkkkok....
gg........kook..
ggg........kook.
gg..........kok.
g............k..
"""

CHOOSE_ARTICLE = """
................
..kkkkkkkkk.....
..kwwwwwwwkk....
..kwwwwwwwkwk...
..kwwwwwwwkkkk..
..kwnnnnwwwwwk..
..kwwwwwwwwwwk..
..kwbbwnnnnnwk..
..kwwwwwwwwwwk..
..kwbbwnnnnwwk..
..kwwwwwwwwwwk..
..kwbbwnnnnnwk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
"""

# The icon: an open book with a heading and lines of text, and a ribbon. Left halves only: the
# right half is the mirror image.
BOOK_32_LEFT = """
________________
________________
________________
________________
__kkkkk_________
__kwwwwkkkk_____
__kwwwwwwwwkkkk_
__kwwwwwwwwwwwwk
__kwnnnnnnnnwwwk
__kwwwwwwwwwwwwk
__kwnnnnnnnnnwwk
__kwwwwwwwwwwwwk
__kwnnnnnnnwwwwk
__kwwwwwwwwwwwwk
__kwbbbbbbbbbwwk
__kwwwwwwwwwwwwk
__kwnnnnnnnnnwwk
__kwwwwwwwwwwwwk
__kwnnnnnnnnwwwk
__kwwwwwwwwwwwwk
__kwnnnnnnnnnwwk
__kwwwwwwwwwwwwk
__kwwwwwwwwwwwwk
__kwwwwwwwwwwwwk
__kkkkkkkkkkkkkk
_kbbbbbbbbbbbbbb
_kkkkkkkkkkkkkkr
______________kr
______________kr
______________kr
______________kk
________________
"""

BOOK_16_LEFT = """
________
________
_kkk____
_kwwkkk_
_kwwwwwk
_kwnnnwk
_kwwwwwk
_kwbbbwk
_kwwwwwk
_kwnnnwk
_kwwwwwk
_kwnnwwk
_kkkkkkk
kbbbbbbb
kkkkkkkr
______kr
"""


# The same seven pictures drawn for larger buttons. Each is made of shapes in the 16-unit grid of
# the maps above, filled at the pixel centres of the target size, so that lines stay one or two
# pixels sharp instead of growing blocky as a stretched 16-pixel map would.
class Canvas:
    def __init__(self, size):
        self.size = size
        self.scale = size / 16
        self.outline = 1 if size < 32 else 2
        self.pixels = [["."] * size for _ in range(size)]

    def cover(self, inside):
        """The pixels whose centre lies inside the shape (a test on grid coordinates)."""
        s = self.scale
        return {(x, y) for y in range(self.size) for x in range(self.size)
                if inside((x + 0.5) / s, (y + 0.5) / s)}

    def paint(self, pixels, colour):
        for x, y in pixels:
            self.pixels[y][x] = colour

    def fill(self, inside, colour):
        self.paint(self.cover(inside), colour)

    def outlined(self, inside, colour, ink="k"):
        """The shape filled with colour inside an outline of ink as wide as the canvas asks."""
        area = self.cover(inside)
        w = self.outline
        edge = {(x, y) for x, y in area
                if any((x + dx, y + dy) not in area
                       for d in range(1, w + 1) for dx, dy in ((d, 0), (-d, 0), (0, d), (0, -d)))}
        if colour:
            self.paint(area - edge, colour)
        self.paint(edge, ink)

    def lines(self):
        return ["".join(row) for row in self.pixels]


def polygon(points):
    def inside(x, y):
        hit = False
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
        return hit
    return inside


def box(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def stroke(x0, y0, x1, y1, half):
    """A straight stroke of the given half width with square ends."""
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    def inside(x, y):
        along = (x - x0) * ux + (y - y0) * uy
        across = -(x - x0) * uy + (y - y0) * ux
        return -half <= along <= length + half and abs(across) <= half
    return inside


def both(a, b):
    return lambda x, y: a(x, y) or b(x, y)


def draw_previous(c):
    arrow = polygon([(0.6, 8), (7.2, 1.4), (7.2, 5), (14.4, 5), (14.4, 11), (7.2, 11), (7.2, 14.6)])
    c.outlined(arrow, "l")
    c.fill(lambda x, y: arrow(x, y) and y >= 8, "g")
    c.outlined(arrow, None)


def draw_today(c):
    c.outlined(box(1, 1, 15, 15), "w")
    c.fill(box(1.5, 1.5, 14.5, 5), "r")
    c.fill(box(1, 5, 15, 6), "k")
    for x in (3, 6, 9, 12):
        c.fill(box(x, 3, x + 1, 4), "w")
    one = both(box(7, 7, 9, 12.5), polygon([(5.6, 9.2), (7.4, 7), (7.6, 8.6)]))
    c.fill(both(one, box(6, 12, 10, 13)), "k")


def draw_font(c):
    c.fill(stroke(6.8, 1.6, 2.2, 12.2, 0.55), "k")
    c.fill(stroke(7.2, 1.6, 11.6, 12.2, 0.95), "k")
    c.fill(box(3.6, 8, 10.4, 9), "k")
    c.fill(both(box(0.2, 12, 4, 13), box(9.2, 12, 13.8, 13)), "k")
    c.fill(box(1, 14, 15, 15), "b")


def draw_search(c):
    c.outlined(stroke(10.4, 11.2, 13.8, 14.6, 1.15), "o")
    c.outlined(disc(6, 6.5, 5.4), "w")
    highlight = lambda x, y: 2.6 <= math.hypot(x - 6, y - 6.5) <= 3.6 and x < 5.6 and y < 6.1
    c.fill(highlight, "a")


def draw_search_again(c):
    draw_search(c)
    c.fill(polygon([(0, 10.8), (3.2, 13.4), (0, 16)]), "g")


def draw_choose_article(c):
    c.outlined(polygon([(2, 1), (11, 1), (14, 4), (14, 15), (2, 15)]), "w")
    c.fill(both(box(10.5, 1, 11.5, 4.5), box(10.5, 3.5, 14, 4.5)), "k")  # the folded corner
    c.fill(box(4, 5, 8, 6), "n")
    for y, right in ((7, 12), (9, 11), (11, 12)):
        c.fill(box(4, y, 6, y + 1), "b")
        c.fill(box(7, y, right, y + 1), "n")


def drawn_strip(size):
    """The seven images of one size side by side, in button order."""
    images = []
    for draw in (draw_previous, draw_today, None, draw_font, draw_search, draw_search_again,
                 draw_choose_article):
        if draw is None:  # Next is Previous turned round
            images.append([line[::-1] for line in images[0]])
            continue
        c = Canvas(size)
        draw(c)
        images.append(c.lines())
    return ["".join(img[y] for img in images) for y in range(size)]


def rows(art, width, height):
    lines = art.strip("\n").split("\n")
    if len(lines) != height or any(len(line) != width for line in lines):
        raise SystemExit(f"pixel map is not {width}x{height}: {lines}")
    return lines


def mirrored(art, half, height):
    return [line + line[::-1] for line in rows(art, half, height)]


def palette_bytes():
    return b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)


def pack4(line):
    """One row of 4-bit pixels, padded to a multiple of 4 bytes."""
    idx = [INDEX.get(c, 0) for c in line]
    data = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2))
    return data + b"\0" * (-len(data) % 4)


def pack1(bits):
    data = bytearray()
    for i in range(0, len(bits), 8):
        byte = 0
        for j, bit in enumerate(bits[i:i + 8]):
            byte |= bit << (7 - j)
        data.append(byte)
    return bytes(data) + b"\0" * (-len(data) % 4)


def dib(lines, with_mask):
    """BITMAPINFOHEADER, palette and bottom-up pixels; icons add the AND mask and double height."""
    width, height = len(lines[0]), len(lines)
    pixels = b"".join(pack4(line.replace(TRANSPARENT, "k")) for line in reversed(lines))
    mask = b""
    if with_mask:
        mask = b"".join(pack1([int(c == TRANSPARENT) for c in line]) for line in reversed(lines))
    header = struct.pack("<IiiHHIIiiII", 40, width, height * (2 if with_mask else 1), 1, 4, 0,
                         len(pixels) + len(mask), 0, 0, 16, 0)
    return header + palette_bytes() + pixels + mask


def bmp(lines):
    body = dib(lines, with_mask=False)
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 64) + body


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    bodies = [dib(lines, with_mask=True) for lines in images]
    for lines, body in zip(images, bodies):
        size = len(lines)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(body), offset)
        offset += len(body)
    return out + b"".join(bodies)


def outputs():
    previous = rows(PREVIOUS, 16, 16)
    nxt = [line[::-1] for line in previous]
    strip = [rows(a, 16, 16) for a in (TODAY, FONT, SEARCH, SEARCH_AGAIN, CHOOSE_ARTICLE)]
    images = [previous, strip[0], nxt] + strip[1:]
    toolbar = ["".join(img[y] for img in images) for y in range(16)]
    icon = [mirrored(BOOK_32_LEFT, 16, 32), mirrored(BOOK_16_LEFT, 8, 16)]
    return {"toolbar.bmp": bmp(toolbar), "toolbar_24.bmp": bmp(drawn_strip(24)),
            "toolbar_32.bmp": bmp(drawn_strip(32)), "app.ico": ico(icon)}


def main():
    here = Path(__file__).resolve().parent
    check = "--check" in sys.argv[1:]
    stale = []
    for name, data in outputs().items():
        path = here / name
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(name)
        else:
            path.write_bytes(data)
    if stale:
        print("out of date, run resources/draw_images.py:", " ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
