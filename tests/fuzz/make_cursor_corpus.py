#!/usr/bin/env python3
"""Writes the seed corpus of the cursor-file fuzz target: valid cursors and icons of each kind, and the crafted file."""

import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def bitmap(width, height, bpp):
    palette = (1 << bpp) * 4 if bpp <= 8 else 0
    colour = (width * bpp + 31) // 32 * 4 * height
    mask = (width + 31) // 32 * 4 * height
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bpp, 0, colour + mask, 0, 0, 0, 0)
    pixels = bytes((x * 37 + y) & 0xFF for y in range(height) for x in range(colour // height))
    return header + bytes(palette) + pixels + bytes(mask)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, claimed=None):
    w, h = claimed or (width, height)
    rows = b"".join(b"\0" + bytes((x * 7 + y) & 0xFF for x in range(width * 4)) for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def cursor_file(images, kind=2):
    """images: (width, height, hot_x, hot_y, data); width and height as the directory states them."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for w, h, hx, hy, data in images:
        out += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, hx, hy, len(data), offset)
        offset += len(data)
    return out + b"".join(image[4] for image in images)


def crafted():
    data = png(1, 1, claimed=(65535, 65535))
    data = data[:33] + chunk(b"IDAT", zlib.compress(bytes(4096))[:12]) + chunk(b"IEND", b"")
    return cursor_file([(0, 0, 0, 0, data)])


SEEDS = {
    "bitmap-32-1bit.cur": cursor_file([(32, 32, 9, 13, bitmap(32, 32, 1))]),
    "bitmap-sizes.cur": cursor_file([(16, 16, 1, 1, bitmap(16, 16, 4)), (24, 24, 2, 2, bitmap(24, 24, 8)),
                                     (48, 48, 3, 3, bitmap(48, 48, 32)), (20, 20, 4, 4, bitmap(20, 20, 24))]),
    "png-32.cur": cursor_file([(32, 32, 16, 16, png(32, 32))]),
    "png-256.cur": cursor_file([(0, 0, 255, 0, png(256, 256))]),
    "icon-two.ico": cursor_file([(16, 16, 1, 32, bitmap(16, 16, 32)), (32, 32, 1, 32, png(32, 32))], kind=1),
    "crafted-91.cur": crafted(),
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus", "cursor_file")
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    assert len(SEEDS["crafted-91.cur"]) == 91, len(SEEDS["crafted-91.cur"])


if __name__ == "__main__":
    main()
