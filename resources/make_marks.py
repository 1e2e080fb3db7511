#!/usr/bin/env python3
"""Draws the outline's three mark bitmaps (1 bit per pixel) at each size the index uses.

9 x 9 pixels at 96 dpi (marks_collapsed.bmp, marks_expanded.bmp, marks_lesson.bmp) and 11, 14 and
18 pixels for 120, 144 and 192 dpi (the same names with _11, _14, _18). Every size is drawn from
the same proportions, so that frames and strokes stay whole pixels: a square frame with a plus
sign (a collapsed heading) or a minus sign (an expanded one), and a page with a folded top-right
corner and three lines of text (a lesson). Palette: index 0 black, index 1 white.
Run from anywhere; with --check it only compares with the files beside it.
"""
import os
import struct
import sys

SIZES = (9, 11, 14, 18)


def strokes(n):
    """Frame width, sign stroke width and the sign's distance from the frame's inner edge."""
    frame = n // 9
    sign = 1 if n % 2 else 2  # a sign one or two pixels wide sits in the middle of the box
    gap = (n + 4) // 9
    return frame, sign, gap


def frame_with_sign(n, vertical):
    frame, sign, gap = strokes(n)
    ink = set()
    for i in range(n):
        for w in range(frame):
            ink |= {(i, w), (i, n - 1 - w), (w, i), (n - 1 - w, i)}
    first, last = frame + gap, n - 1 - frame - gap
    middle = (n - sign) // 2
    for i in range(first, last + 1):
        for w in range(sign):
            ink.add((i, middle + w))
            if vertical:
                ink.add((middle + w, i))
    return ink


def page(n):
    frame, sign, gap = strokes(n)
    fold = (n + 1) // 3  # the folded corner spans fold + 1 pixels each way
    corner = n - 1 - fold
    ink = set()
    for w in range(frame):
        # Left, bottom, top up to the fold, right below it; the fold's inner edges and diagonal.
        ink |= {(w, y) for y in range(n)} | {(x, n - 1 - w) for x in range(n)}
        ink |= {(x, w) for x in range(corner + 1)} | {(n - 1 - w, y) for y in range(fold, n)}
        ink |= {(corner - w, y) for y in range(fold + 1)}
        ink |= {(x, fold + w) for x in range(corner, n)}
        ink |= {(corner + i + w, i) for i in range(fold + 1) if corner + i + w < n}
    # Three lines of text, the first one short of the fold.
    left = frame + gap
    step = (n - 2 * left - sign) // 2
    for k in range(3):
        y = left + k * step
        right = corner - 2 if k == 0 else n - 1 - left
        for x in range(left, right + 1):
            for w in range(sign):
                ink.add((x, y + w))
    return ink


def bitmap(n, ink):
    stride = ((n + 31) // 32) * 4
    pixels = bytearray()
    for y in range(n - 1, -1, -1):  # bottom-up
        line = bytearray(stride)
        for x in range(n):
            if (x, y) not in ink:  # white is palette index 1
                line[x // 8] |= 0x80 >> (x % 8)
        pixels += line
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    info = struct.pack("<IiiHHIIiiII", 40, n, n, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def outputs():
    files = {}
    for n in SIZES:
        suffix = "" if n == 9 else f"_{n}"
        files[f"marks_collapsed{suffix}.bmp"] = bitmap(n, frame_with_sign(n, vertical=True))
        files[f"marks_expanded{suffix}.bmp"] = bitmap(n, frame_with_sign(n, vertical=False))
        files[f"marks_lesson{suffix}.bmp"] = bitmap(n, page(n))
    return files


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    check = "--check" in sys.argv[1:]
    stale = []
    for name, data in outputs().items():
        path = os.path.join(here, name)
        if check:
            if not os.path.exists(path) or open(path, "rb").read() != data:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date, run resources/make_marks.py:", " ".join(stale))
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
