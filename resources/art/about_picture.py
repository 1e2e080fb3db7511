#!/usr/bin/env python3
"""Draws bitmap 113 of the About box (65 x 72, 1 bit per pixel): an open book with a quill; and the
same picture for 120, 144 and 192 dpi, its lengths scaled by dpi / 96 and its curves traced at the
finer pitch, lines one pixel wide (two at 192 dpi).

  about_picture.py [FOLDER]            write about.bmp and about_DPI.bmp into FOLDER (resources/)
  about_picture.py --check [FOLDER]    exit 1 when the files there differ from what this draws
"""
import math
import os
import struct
import sys

W, H = 65, 72
DPIS = (96, 120, 144, 192)


def scale(n, dpi):
    """n pixels at 96 dpi at another DPI, halves rounded up (the program's ScaleToDpi)."""
    return (n * dpi + 48) // 96


def picture(dpi):
    s = dpi / 96
    steps = math.ceil(s)  # points traced per pixel of the 96 dpi picture
    pen = dpi // 96
    width, height = scale(W, dpi), scale(H, dpi)
    ink = [[False] * width for _ in range(height)]

    def dot(x, y):  # x, y in pixels of the 96 dpi picture
        px, py = round(x * s), round(y * s)
        for dx in range(pen):
            for dy in range(pen):
                if 0 <= px + dx < width and 0 <= py + dy < height:
                    ink[py + dy][px + dx] = True

    def line(x0, y0, x1, y1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1) * steps
        for i in range(n + 1):
            dot(x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n)

    def sag(x):
        return 3 * math.sin(math.pi * x / 31)

    def traced(first, last):
        """Points from first to last (exclusive) at the picture's pitch."""
        return [first + i / steps for i in range((last - first) * steps)]

    # The open book: two pages curving down to the spine at x = 32.
    for side in (-1, 1):
        for x in traced(1, 31):
            dot(32 + side * x, 44 - sag(x))  # top edge of the page
            dot(32 + side * x, 68 - sag(x))  # bottom edge
        line(32 + side * 31, 44, 32 + side * 31, 68)  # outer edge
        # Lines of text on the page.
        for row in range(4):
            y = 50 + 4 * row
            for x in traced(5, 27):
                if (int(x) // 3 + row) % 5 != 0:
                    dot(32 + side * x, y - sag(x))
    line(32, 44, 32, 69)  # the spine
    line(1, 69, 63, 69)
    # The quill: a long vane from the inkwell up to the top right.
    for t in traced(0, 41):
        x = 20 + t * 0.95
        y = 40 - t
        dot(x, y)  # shaft
        if t != int(t):
            continue
        barbs = int(6 * math.sin(math.pi * t / 40))
        for w in range(1, barbs + 1):
            if (int(t) + w) % 2 == 0:
                dot(x + w, y + w * 0.4)
                dot(x - w * 0.4, y - w)
    line(18, 42, 21, 39)  # the nib
    return ink


def bmp(ink):
    height, width = len(ink), len(ink[0])
    stride = ((width + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray(stride)
        for x in range(width):
            if not ink[y][x]:  # index 1 is white, 0 black
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    palette = b"\x00\x00\x00\x00\xff\xff\xff\x00"
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    return header + info + palette + pixels


def main(args):
    check = "--check" in args
    folders = [a for a in args if a != "--check"]
    here = os.path.dirname(os.path.abspath(__file__))
    folder = folders[0] if folders else os.path.join(here, "..")
    stale = []
    for dpi in DPIS:
        name = "about.bmp" if dpi == 96 else f"about_{dpi}.bmp"
        path = os.path.join(folder, name)
        data = bmp(picture(dpi))
        if check:
            if not os.path.exists(path) or open(path, "rb").read() != data:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date, run resources/art/about_picture.py:", " ".join(stale))
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
