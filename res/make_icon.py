#!/usr/bin/env python3
"""Draws the application icon (a blue rounded square with a white four-way arrow) and writes pelmorath.ico.

Images: 32x32 at 24 bits with an AND mask, and 256x256 and 128x128 (both PNG), and 48x48 at 32 bits with alpha.
The large images are PNG-compressed, as Windows reads them since Vista: stored as bitmaps they would be most of the
program's size.
Pure arithmetic and the standard library only, so every run writes the same bytes.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "pelmorath.ico")

# (size, bits per pixel, stored as PNG)
IMAGES = [(32, 24, False), (256, 32, True), (128, 32, True), (48, 32, False)]

TOP = (0x35, 0x8B, 0xF0)     # background gradient, top
BOTTOM = (0x14, 0x4F, 0xC4)  # background gradient, bottom
SHADOW = (0x0B, 0x2E, 0x7A)
WHITE = (0xFF, 0xFF, 0xFF)

# All geometry in a unit square, y pointing down.
MARGIN = 0.03
CORNER = 0.19
SHAFT = 0.062       # half width of an arrow's shaft
HEAD = 0.165        # half width of an arrowhead's base
HEAD_LENGTH = 0.15
TIP = 0.385         # distance of each tip from the centre
SHADOW_OFFSET = 0.018
SHADOW_SOFTNESS = 0.035


def four_way_arrow():
    """The outline of the glyph: one arm, turned a quarter at a time (exact swaps, no trigonometry)."""
    base = TIP - HEAD_LENGTH
    arm = [(SHAFT, -SHAFT), (base, -SHAFT), (base, -HEAD), (TIP, 0.0), (base, HEAD), (base, SHAFT)]
    outline = []
    for quarter in range(4):
        for x, y in arm:
            for _ in range(quarter):
                x, y = -y, x  # a quarter turn clockwise on screen
            outline.append((0.5 + x, 0.5 + y))
    return outline


def polygon_distance(px, py, vertices):
    """Signed distance to a simple polygon, negative inside."""
    x0, y0 = vertices[0]
    d = (px - x0) ** 2 + (py - y0) ** 2
    sign = 1.0
    j = len(vertices) - 1
    for i in range(len(vertices)):
        xi, yi = vertices[i]
        xj, yj = vertices[j]
        ex, ey = xj - xi, yj - yi
        wx, wy = px - xi, py - yi
        t = min(max((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0), 1.0)
        bx, by = wx - ex * t, wy - ey * t
        d = min(d, bx * bx + by * by)
        c1, c2, c3 = py >= yi, py < yj, ex * wy > ey * wx
        if (c1 and c2 and c3) or not (c1 or c2 or c3):
            sign = -sign
        j = i
    return sign * math.sqrt(d)


def rounded_square_distance(px, py):
    half = 0.5 - MARGIN - CORNER
    qx, qy = abs(px - 0.5) - half, abs(py - 0.5) - half
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - CORNER


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def render(size):
    """Rows of (r, g, b, a) floats in 0..1, top row first, colour not premultiplied."""
    glyph = four_way_arrow()
    pixel = 1.0 / size
    rows = []
    for row in range(size):
        py = (row + 0.5) * pixel
        line = []
        for col in range(size):
            px = (col + 0.5) * pixel
            alpha = clamp01(0.5 - rounded_square_distance(px, py) / pixel)
            if alpha == 0.0:
                line.append((0.0, 0.0, 0.0, 0.0))
                continue
            colour = tuple(c / 255.0 for c in mix(TOP, BOTTOM, clamp01((py - MARGIN) / (1.0 - 2 * MARGIN))))
            shadow_d = polygon_distance(px - SHADOW_OFFSET, py - SHADOW_OFFSET, glyph)
            colour = mix(colour, tuple(c / 255.0 for c in SHADOW), 0.45 * clamp01(0.5 - shadow_d / SHADOW_SOFTNESS))
            glyph_cover = clamp01(0.5 - polygon_distance(px, py, glyph) / pixel)
            colour = mix(colour, tuple(c / 255.0 for c in WHITE), glyph_cover)
            line.append(colour + (alpha,))
        rows.append(line)
    return rows


def byte(v):
    return int(v * 255.0 + 0.5)


def png(rows):
    size = len(rows)
    raw = b"".join(b"\x00" + bytes(byte(c) for p in line for c in p) for line in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def bmp(rows, bits):
    """A DIB as icons store it: header with doubled height, colour rows bottom-up, then the AND mask."""
    size = len(rows)
    colour = bytearray()
    for line in reversed(rows):
        for r, g, b, a in line:
            if bits == 32:
                colour += bytes((byte(b), byte(g), byte(r), byte(a)))
            elif a >= 0.5:
                colour += bytes((byte(b), byte(g), byte(r)))
            else:
                colour += b"\x00\x00\x00"  # transparent through the mask: black leaves the screen unchanged
        colour += b"\x00" * (-len(colour) % 4)
    mask = bytearray()
    mask_stride = (size + 31) // 32 * 4
    for line in reversed(rows):
        bits_row = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(line):
            transparent = a < 0.5 if bits == 24 else byte(a) == 0
            if transparent:
                bits_row[x // 8] |= 0x80 >> (x % 8)
        mask += bits_row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def main():
    blobs = []
    for size, bits, as_png in IMAGES:
        rows = render(size)
        blobs.append((size, bits, png(rows) if as_png else bmp(rows, bits)))
    directory = struct.pack("<HHH", 0, 1, len(blobs))
    offset = len(directory) + 16 * len(blobs)
    entries, data = b"", b""
    for size, bits, blob in blobs:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(blob), offset + len(data))
        data += blob
    with open(OUTPUT, "wb") as out:
        out.write(directory + entries + data)
    print(f"wrote {OUTPUT} ({len(directory) + len(entries) + len(data)} bytes)")


if __name__ == "__main__":
    main()
