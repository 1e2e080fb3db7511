#!/usr/bin/env python3
"""Draws the toolbar strip (toolbar.bmp) and the program icon (app.ico) from the pixel maps below.

  draw_images.py          write resources/toolbar.bmp and resources/app.ico
  draw_images.py --check  exit 1 when the checked-in files differ from what the maps give
"""
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
    return {"toolbar.bmp": bmp(toolbar), "app.ico": ico(icon)}


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
