#!/usr/bin/env python3
"""Writes the seed corpus of the cursor-file fuzz target: valid cursors and icons of each kind, and the crafted file."""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(HERE)), "res"))

from cursor_format import ICON, Image, crafted_cursor_file, cursor_file, png_image  # noqa: E402


def bitmap(width, height, bpp):
    palette = (1 << bpp) * 4 if bpp <= 8 else 0
    colour = (width * bpp + 31) // 32 * 4 * height
    mask = (width + 31) // 32 * 4 * height
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bpp, 0, colour + mask, 0, 0, 0, 0)
    pixels = bytes((x * 37 + y) & 0xFF for y in range(height) for x in range(colour // height))
    return header + bytes(palette) + pixels + bytes(mask)


def png(width, height):
    return png_image(width, height, [bytes((x * 7 + y) & 0xFF for x in range(width * 4)) for y in range(height)])


SEEDS = {
    "bitmap-32-1bit.cur": cursor_file([Image(32, 32, 9, 13, bitmap(32, 32, 1))]),
    "bitmap-sizes.cur": cursor_file([Image(16, 16, 1, 1, bitmap(16, 16, 4)), Image(24, 24, 2, 2, bitmap(24, 24, 8)),
                                     Image(48, 48, 3, 3, bitmap(48, 48, 32)), Image(20, 20, 4, 4, bitmap(20, 20, 24))]),
    "png-32.cur": cursor_file([Image(32, 32, 16, 16, png(32, 32))]),
    "png-256.cur": cursor_file([Image(0, 0, 255, 0, png(256, 256))]),
    "icon-two.ico": cursor_file([Image(16, 16, 1, 32, bitmap(16, 16, 32)), Image(32, 32, 1, 32, png(32, 32))],
                                kind=ICON),
    "crafted-91.cur": crafted_cursor_file(),
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus", "cursor_file")
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
