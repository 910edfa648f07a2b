"""Writes cursor (.cur) and icon files: the directory, two-colour bitmap images and PNG images.

The one writer behind the tray hand (make_hand.py), the pointer files of the end-to-end tests and the seeds of the
cursor-file fuzz target. Standard library only, so every run writes the same bytes.
"""
import collections
import struct
import zlib

CURSOR, ICON = 2, 1

# One directory entry and its image. Width and height as the directory states them (256 is written as 0); in an
# icon file the hot spot's place holds the planes and the bits per pixel; colours is the palette size, 0 for none.
Image = collections.namedtuple("Image", "width height hot_x hot_y data colours", defaults=(0,))

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def cursor_file(images, kind=CURSOR):
    """The directory of the kind (2: cursor, 1: icon), one entry per image, then the images in order."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for image in images:
        out += struct.pack("<BBBBHHII", image.width & 0xFF, image.height & 0xFF, image.colours, 0, image.hot_x,
                           image.hot_y, len(image.data), offset)
        offset += len(image.data)
    return out + b"".join(image.data for image in images)


def two_colour_image(rows):
    """One 1-bit DIB from rows of "white", "black" or None (transparent), top row first: its header, a black and
    white palette, the colour rows bottom-up, then the AND mask, set where the picture is transparent."""
    width, height = len(rows[0]), len(rows)
    stride = (width + 31) // 32 * 4
    colour, mask = bytearray(), bytearray()
    for line in reversed(rows):
        colour_bits = mask_bits = 0
        for x, pixel in enumerate(line):
            bit = 1 << (stride * 8 - 1 - x)
            if pixel is None:
                mask_bits |= bit  # transparent: mask set, colour black
            elif pixel == "white":
                colour_bits |= bit
        colour += colour_bits.to_bytes(stride, "big")
        mask += mask_bits.to_bytes(stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 1, 0, len(colour) + len(mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return header + palette + bytes(colour) + bytes(mask)


def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_file(width, height, compressed):
    """An 8-bit RGBA PNG whose header states width and height, around the given compressed pixel data."""
    return (PNG_SIGNATURE + _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + _chunk(b"IDAT", compressed) + _chunk(b"IEND", b""))


def png_image(width, height, rows):
    """An 8-bit RGBA PNG from rows of pixel bytes (four a pixel), top row first, unfiltered."""
    return png_file(width, height, zlib.compress(b"".join(b"\0" + bytes(row) for row in rows)))


def crafted_cursor_file():
    """91 bytes: one PNG image whose header claims 65535 x 65535 pixels (it crashed the platform's loader)."""
    data = cursor_file([Image(0, 0, 0, 0, png_file(65535, 65535, zlib.compress(bytes(4096))[:12]))])
    assert len(data) == 91, len(data)
    return data
