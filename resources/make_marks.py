#!/usr/bin/env python3
"""Writes the outline's three 9 x 9 mark bitmaps (1 bit per pixel) from the pictures below.

Palette: index 0 black, index 1 white. '#' is a black pixel, '.' a white one.
Run from anywhere: python3 resources/make_marks.py
"""
import os
import struct

MARKS = {
    # 201: a heading that is collapsed
    "marks_collapsed.bmp": """
#########
#.......#
#...#...#
#...#...#
#.#####.#
#...#...#
#...#...#
#.......#
#########
""",
    # 202: a heading that is expanded
    "marks_expanded.bmp": """
#########
#.......#
#.......#
#.......#
#.#####.#
#.......#
#.......#
#.......#
#########
""",
    # 203: a lesson: a page with a folded corner and three lines of text
    "marks_lesson.bmp": """
######...
#....##..
#.##.#.#.
#....####
#.#####.#
#.......#
#.#####.#
#.......#
#########
""",
}


def bitmap(picture: str) -> bytes:
    rows = [r for r in picture.strip().splitlines()]
    height = len(rows)
    width = len(rows[0])
    assert all(len(r) == width for r in rows), "ragged picture"
    stride = ((width + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(stride)
        for x, ch in enumerate(row):
            assert ch in "#.", ch
            if ch == ".":  # white is palette index 1
                line[x // 8] |= 0x80 >> (x % 8)
        pixels += line
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main() -> None:
    here = os.path.dirname(os.path.abspath(__file__))
    for name, picture in MARKS.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(bitmap(picture))


if __name__ == "__main__":
    main()
