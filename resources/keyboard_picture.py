#!/usr/bin/env python3
"""Draws bitmap 119, the search dialog's alphabet picture, from the letter shapes below.

154 x 95 pixels, 1 bit per pixel: three rows of nine 17 x 25 keys holding the 27 letters right
to left (top row first, each final form after its normal form), and a rounded space bar below
them from y 75, x 34 to 118. Run it from anywhere; it writes keyboard_picture.bmp beside itself
(with --check it only compares).
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

WIDTH, HEIGHT = 154, 95
CELL_W, CELL_H = 17, 25


def rounded_frame(ink, left, top, right, bottom, cut):
    """An outline from (left, top) to (right, bottom) inclusive with corners cut diagonally."""
    for x in range(left + cut, right - cut + 1):
        ink.add((x, top))
        ink.add((x, bottom))
    for y in range(top + cut, bottom - cut + 1):
        ink.add((left, y))
        ink.add((right, y))
    for i in range(1, cut):
        for (x, y) in ((left + i, top + cut - i), (right - i, top + cut - i),
                       (left + i, bottom - cut + i), (right - i, bottom - cut + i)):
            ink.add((x, y))


def draw():
    ink = set()
    for n, name in enumerate(ORDER, start=1):
        shape = LETTERS[name]
        assert len(shape) == 20 and all(len(r) == 10 for r in shape), name
        row = (n - 1) // 9
        column = (row + 1) * 9 - n  # counted from the left: alef is the rightmost cell
        x0, y0 = column * CELL_W, row * CELL_H
        rounded_frame(ink, x0 + 1, y0 + 1, x0 + CELL_W - 2, y0 + CELL_H - 2, 2)
        for dy, line in enumerate(shape):
            for dx, c in enumerate(line):
                if c == "#":
                    ink.add((x0 + 4 + dx, y0 + 3 + dy))
    # The space bar: cells 2 to 6 from the left of the row below, x 34..118, from y 75.
    rounded_frame(ink, 2 * CELL_W + 1, 3 * CELL_H + 1, 7 * CELL_W - 2, HEIGHT - 2, 4)
    return ink


def bmp(ink):
    stride = (WIDTH + 31) // 32 * 4
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up
        bits = bytearray(stride)
        for x in range(WIDTH):
            if (x, y) not in ink:  # palette entry 1, white, is the background
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(bits))
    pixels = b"".join(rows)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    return header + info + palette + pixels


if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "keyboard_picture.bmp")
    image = bmp(draw())
    if "--check" in sys.argv[1:]:  # the checked-in bitmap must be what the shapes give
        with open(out, "rb") as f:
            sys.exit(0 if f.read() == image else "keyboard_picture.bmp is out of date")
    with open(out, "wb") as f:
        f.write(image)
