#!/usr/bin/env python3
"""Draws the tray picture (a white pointing hand with a black outline, index finger up) and writes hand.cur.

One 32x32 two-colour cursor image with its AND mask, hot spot at the fingertip (5, 0).
Pure arithmetic and the standard library only, so every run writes the same bytes.
"""
import math
import os

import cursor_format

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "hand.cur")

SIZE = 32
HOT_SPOT = (5, 0)

# Parts of the hand in pixel units, y pointing down: capsules (x0, y0, x1, y1, radius) and the palm as a
# rounded box (left, top, right, bottom, corner radius).
INDEX = (5.5, 2.6, 5.5, 16.0, 1.9)
CURLED = [(9.5, 11.6, 9.5, 17.0, 1.9), (13.5, 12.4, 13.5, 17.0, 1.9), (17.4, 13.8, 17.4, 17.5, 1.8)]
THUMB = (2.2, 15.4, 4.8, 21.0, 1.6)
PALM = (3.6, 15.0, 19.8, 26.4, 4.0)
CUFF = (6.4, 24.0, 17.4, 29.6, 0.8)


def capsule(px, py, part):
    """Distance from a point to a capsule's surface, negative inside."""
    x0, y0, x1, y1, r = part
    dx, dy = x1 - x0, y1 - y0
    t = ((px - x0) * dx + (py - y0) * dy) / (dx * dx + dy * dy) if dx or dy else 0.0
    t = min(max(t, 0.0), 1.0)
    return math.hypot(px - (x0 + dx * t), py - (y0 + dy * t)) - r


def rounded_box(px, py, part):
    left, top, right, bottom, r = part
    cx, cy = (left + right) / 2, (top + bottom) / 2
    qx = abs(px - cx) - ((right - left) / 2 - r)
    qy = abs(py - cy) - ((bottom - top) / 2 - r)
    return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r


def regions(x, y):
    """Which parts cover the centre of pixel (x, y): the union decides the fill, the fingers their seams."""
    px, py = x + 0.5, y + 0.5
    fingers = [capsule(px, py, INDEX) <= 0] + [capsule(px, py, f) <= 0 for f in CURLED]
    body = rounded_box(px, py, PALM) <= 0 or capsule(px, py, THUMB) <= 0 or rounded_box(px, py, CUFF) <= 0
    return fingers, body


def render():
    """Rows of 'white', 'black' or None (transparent), top row first."""
    cover = [[regions(x, y) for x in range(SIZE)] for y in range(SIZE)]
    inside = [[any(f) or b for f, b in row] for row in cover]
    palm_top = int(PALM[1])
    rows = []
    for y in range(SIZE):
        line = []
        for x in range(SIZE):
            if inside[y][x]:
                # a seam where one finger ends and the next begins, down to just inside the palm
                fingers, _ = cover[y][x]
                left = cover[y][x - 1][0] if x > 0 else [False] * len(fingers)
                seam = y <= palm_top + 2 and any(
                    left[i] and not fingers[i] and fingers[i + 1] for i in range(len(fingers) - 1))
                line.append("black" if seam else "white")
                continue
            near = any(0 <= x + dx < SIZE and 0 <= y + dy < SIZE and inside[y + dy][x + dx]
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            line.append("black" if near else None)
        rows.append(line)
    return rows


def main():
    rows = render()
    if rows[HOT_SPOT[1]][HOT_SPOT[0]] is None:
        raise SystemExit("the hot spot is not on the fingertip")
    data = cursor_format.cursor_file(
        [cursor_format.Image(SIZE, SIZE, *HOT_SPOT, cursor_format.two_colour_image(rows), colours=2)])
    with open(OUTPUT, "wb") as out:
        out.write(data)
    print(f"wrote {OUTPUT} ({len(data)} bytes)")
    for line in rows:
        print("".join("#" if p == "black" else "o" if p == "white" else "." for p in line))


if __name__ == "__main__":
    main()
