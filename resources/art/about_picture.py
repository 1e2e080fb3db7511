#!/usr/bin/env python3
"""Draws bitmap 113 of the About box (65 x 72, 1 bit per pixel): an open book with a quill."""
import math
import struct
import sys

W, H = 65, 72


def picture():
    ink = [[False] * W for _ in range(H)]

    def dot(x, y):
        if 0 <= x < W and 0 <= y < H:
            ink[y][x] = True

    def line(x0, y0, x1, y1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps))

    # The open book: two pages curving down to the spine at x = 32.
    for side in (-1, 1):
        for x in range(1, 31):
            px = 32 + side * x
            sag = round(3 * math.sin(math.pi * x / 31))
            dot(px, 44 - sag)          # top edge of the page
            dot(px, 68 - sag)          # bottom edge
        line(32 + side * 31, 44, 32 + side * 31, 68)  # outer edge
        # Lines of text on the page.
        for row in range(4):
            y = 50 + 4 * row
            for x in range(5, 27):
                if (x // 3 + row) % 5 != 0:
                    dot(32 + side * x, y - round(3 * math.sin(math.pi * x / 31)))
    line(32, 44, 32, 69)               # the spine
    line(1, 69, 63, 69)
    # The quill: a long vane from the inkwell up to the top right.
    for t in range(0, 41):
        x = 20 + t * 0.95
        y = 40 - t
        dot(round(x), round(y))        # shaft
        width = int(6 * math.sin(math.pi * t / 40))
        for w in range(1, width + 1):
            if (t + w) % 2 == 0:
                dot(round(x + w), round(y + w * 0.4))
                dot(round(x - w * 0.4), round(y - w))
    line(18, 42, 21, 39)               # the nib
    return ink


def bmp(ink):
    stride = ((W + 31) // 32) * 4
    rows = []
    for y in range(H - 1, -1, -1):     # bottom-up
        row = bytearray(stride)
        for x in range(W):
            if not ink[y][x]:          # index 1 is white, 0 black
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    palette = b"\x00\x00\x00\x00\xff\xff\xff\x00"
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    return header + info + palette + pixels


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "about.bmp", "wb") as f:
        f.write(bmp(picture()))
