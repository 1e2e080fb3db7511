#!/usr/bin/env python3
"""Draws bitmap 119, the search dialog's alphabet picture, from the letter shapes below, and the
same picture for 120, 144 and 192 dpi.

At 96 dpi 154 x 95 pixels, 1 bit per pixel: three rows of nine 17 x 25 keys holding the 27
letters right to left (top row first, each final form after its normal form), and a rounded space
bar below them from y 75, x 34 to 118. At another DPI every length is scaled by dpi / 96 and
rounded as the program rounds it (search/hebrew_keys.cpp), so that its hit test finds the same
key; frames stay one pixel wide (two at 192 dpi) and each pixel of a letter shape becomes the
block of pixels it covers at that size. Run it from anywhere; it writes keyboard_picture.bmp and
keyboard_picture_DPI.bmp beside itself (with --check it only compares).
"""
import os
import struct
import sys

# Each letter: 20 rows of 10 columns; rows 4..13 are the body, 0..3 above it, 14..19 below.
B = "." * 10
LETTERS = {
    "alef": [B] * 4 + ["##......##", ".##.....##", "..##...##.", "...##.##..", "....###...",
                       "..##.##...", "..##..##..", "..##...##.", "..##....##", "###.....##"] + [B] * 6,
    "bet": [B] * 4 + ["#########.", "#########.", ".......##.", ".......##.", ".......##.",
                      ".......##.", ".......##.", ".......##.", "##########", "##########"] + [B] * 6,
    "gimel": [B] * 4 + ["..#####...", "..#####...", ".....##...", ".....##...", ".....##...",
                        "....####..", "...##.##..", "..##..##..", ".##...##..", "##....##.."] + [B] * 6,
    "dalet": [B] * 4 + ["##########", "##########"] + [".......##."] * 8 + [B] * 6,
    "he": [B] * 4 + ["##########", "##########", ".......##.", ".......##."]
          + ["##.....##."] * 6 + [B] * 6,
    "vav": [B] * 4 + ["..####....", "..####...."] + ["....##...."] * 8 + [B] * 6,
    "zayin": [B] * 4 + [".######...", ".######...", "...##....."] + ["....##...."] * 7 + [B] * 6,
    "het": [B] * 4 + ["##########", "##########"] + ["##......##"] * 8 + [B] * 6,
    "tet": [B] * 4 + ["##...####.", "##..##..##", "##..##..##", "##...#..##", "##......##",
                      "##......##", "##......##", "##......##", "##########", ".########."] + [B] * 6,
    "yod": [B] * 4 + ["..####....", "..####....", "....##....", "...##....."] + [B] * 12,
    "kaf": [B] * 4 + ["########..", "#########.", ".......##.", ".......##.", ".......##.",
                      ".......##.", ".......##.", ".......##.", "#########.", "########.."] + [B] * 6,
    "final kaf": [B] * 4 + ["#########.", "#########."] + [".......##."] * 14,
    "lamed": ["##........"] * 4 + ["##########", "##########", ".......##.", ".......##.",
                                   ".......##.", "......##..", ".....##...", "....##....",
                                   "...##.....", "..##......"] + [B] * 6,
    "mem": [B] * 4 + ["##..######", "##.##...##", "###.....##", "##......##", "##......##",
                      "##......##", "##......##", "##......##", "##...#####", "##...#####"] + [B] * 6,
    "final mem": [B] * 4 + ["##########", "##########"] + ["##......##"] * 6
                 + ["##########", "##########"] + [B] * 6,
    "nun": [B] * 4 + ["..####....", "..####...."] + ["....##...."] * 6
           + [".######...", ".######..."] + [B] * 6,
    "final nun": [B] * 4 + ["..####....", "..####...."] + ["....##...."] * 14,
    "samekh": [B] * 4 + ["##########", "##########"] + ["##......##"] * 5
              + [".##....##.", "..######..", "...####..."] + [B] * 6,
    "ayin": [B] * 4 + ["##......##", "##......##", ".##.....##", "..##...##.", "...##..##.",
                       "....####..", ".....##...", "....##....", "..###.....", "####......"] + [B] * 6,
    "pe": [B] * 4 + ["##########", "##########", "##......##", "##......##", ".####...##",
                     ".####...##", "........##", "........##", "##########", "##########"] + [B] * 6,
    "final pe": [B] * 4 + ["##########", "##########", "##......##", "##......##", ".####...##",
                           ".####...##"] + ["........##"] * 10,
    "tsadi": [B] * 4 + ["##......##", ".##.....##", "..##...##.", "...##.##..", "....###...",
                        ".....##...", "......##..", ".......##.", "##########", "##########"] + [B] * 6,
    "final tsadi": [B] * 4 + ["##.....##.", ".##....##.", "..##..##..", "...####..."]
                   + ["....##...."] * 12,
    "qof": [B] * 4 + ["##########", "##########", "........##", "........##", "##......##",
                      "##.....##.", "##....##..", "##........", "##........", "##........"]
           + ["##........"] * 4 + [B] * 2,
    "resh": [B] * 4 + ["#########.", "##########"] + ["........##"] * 8 + [B] * 6,
    "shin": [B] * 4 + ["##..##..##"] * 7 + [".##.##.##.", ".########.", "..######.."] + [B] * 6,
    "tav": [B] * 4 + ["##########", "##########"] + [".##.....##"] * 7 + ["###.....##"] + [B] * 6,
}

# Cells 1..27 in alphabetical order, finals after their normal forms.
ORDER = ["alef", "bet", "gimel", "dalet", "he", "vav", "zayin", "het", "tet",
         "yod", "kaf", "final kaf", "lamed", "mem", "final mem", "nun", "final nun", "samekh",
         "ayin", "pe", "final pe", "tsadi", "final tsadi", "qof", "resh", "shin", "tav"]

DPIS = (96, 120, 144, 192)


def scale(n, dpi):
    """n pixels at 96 dpi at another DPI, halves rounded up (the program's ScaleToDpi)."""
    return (n * dpi + 48) // 96


class Geometry:
    def __init__(self, dpi):
        self.dpi = dpi
        self.cell_w, self.cell_h = scale(17, dpi), scale(25, dpi)
        self.width = 9 * self.cell_w + 1
        self.height = 3 * self.cell_h + scale(20, dpi)
        self.pen = dpi // 96


def rounded_frame(ink, left, top, right, bottom, cut, pen):
    """An outline from (left, top) to (right, bottom) inclusive with corners cut diagonally, pen
    pixels wide inwards."""
    for p in range(pen):
        l, t, r, b = left + p, top + p, right - p, bottom - p
        for x in range(l + cut, r - cut + 1):
            ink.add((x, t))
            ink.add((x, b))
        for y in range(t + cut, b - cut + 1):
            ink.add((l, y))
            ink.add((r, y))
        for i in range(1, cut):
            for (x, y) in ((l + i, t + cut - i), (r - i, t + cut - i),
                           (l + i, b - cut + i), (r - i, b - cut + i)):
                ink.add((x, y))


def draw(g):
    ink = set()
    d = g.dpi
    inset, cut = scale(1, d), scale(2, d)
    for n, name in enumerate(ORDER, start=1):
        shape = LETTERS[name]
        assert len(shape) == 20 and all(len(r) == 10 for r in shape), name
        row = (n - 1) // 9
        column = (row + 1) * 9 - n  # counted from the left: alef is the rightmost cell
        x0, y0 = column * g.cell_w, row * g.cell_h
        rounded_frame(ink, x0 + inset, y0 + inset, x0 + g.cell_w - 1 - inset,
                      y0 + g.cell_h - 1 - inset, cut, g.pen)
        for dy, line in enumerate(shape):
            for dx, c in enumerate(line):
                if c != "#":
                    continue
                for x in range(scale(4 + dx, d), scale(5 + dx, d)):
                    for y in range(scale(3 + dy, d), scale(4 + dy, d)):
                        ink.add((x0 + x, y0 + y))
    # The space bar: cells 2 to 6 from the left of the row below (x 34..118, from y 75 at 96 dpi).
    rounded_frame(ink, 2 * g.cell_w + inset, 3 * g.cell_h + inset, 7 * g.cell_w - 1 - inset,
                  g.height - 1 - inset, scale(4, d), g.pen)
    return ink


def bmp(g, ink):
    stride = (g.width + 31) // 32 * 4
    rows = []
    for y in range(g.height - 1, -1, -1):  # bottom-up
        bits = bytearray(stride)
        for x in range(g.width):
            if (x, y) not in ink:  # palette entry 1, white, is the background
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(bits))
    pixels = b"".join(rows)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, g.width, g.height, 1, 1, 0, len(pixels), 2835, 2835, 2,
                       2)
    return header + info + palette + pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    stale = []
    for dpi in DPIS:
        name = "keyboard_picture.bmp" if dpi == 96 else f"keyboard_picture_{dpi}.bmp"
        g = Geometry(dpi)
        image = bmp(g, draw(g))
        path = os.path.join(here, name)
        if "--check" in sys.argv[1:]:  # the checked-in bitmaps must be what the shapes give
            if not os.path.exists(path) or open(path, "rb").read() != image:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(image)
    if stale:
        print("out of date, run resources/keyboard_picture.py:", " ".join(stale))
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
