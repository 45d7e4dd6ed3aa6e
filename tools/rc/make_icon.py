#!/usr/bin/env python3
"""Draws the program icon, a gauge shaped like a Q, and writes it as a .ico file:
one 32 x 32 image in the 16 standard colours (4 bits per pixel) with a transparency mask.

Usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SIZE = 32

# The 16 standard colours as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_BLUE, LIGHT_GRAY, DARK_GRAY, RED, YELLOW, WHITE = 0, 4, 7, 8, 9, 11, 15
TRANSPARENT = None


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def pixel(x, y):
    """Colour index of the pixel whose top-left corner is (x, y), or TRANSPARENT."""
    cx = cy = 14.5
    px, py = x + 0.5, y + 0.5
    r = math.hypot(px - cx, py - cy)
    # The tail of the Q: a thick yellow stroke leaving the ring at the lower right.
    if distance_to_segment(px, py, 21.0, 21.0, 30.0, 30.0) < 2.2:
        return BLACK if distance_to_segment(px, py, 21.0, 21.0, 30.0, 30.0) > 1.4 else YELLOW
    if r > 14.5:
        return TRANSPARENT
    if r > 13.5:
        return BLACK
    if r > 10.5:
        return DARK_BLUE
    if r > 9.8:
        return BLACK
    # Tick marks on the dial every 30 degrees.
    angle = math.degrees(math.atan2(py - cy, px - cx)) % 360
    if r > 7.5 and min(angle % 30, 30 - angle % 30) < 4:
        return DARK_GRAY
    # The needle points up and to the right: the machine is fast.
    needle_end = (cx + 8.5 * math.cos(math.radians(-50)), cy + 8.5 * math.sin(math.radians(-50)))
    if distance_to_segment(px, py, cx, cy, *needle_end) < 1.0:
        return RED
    if r < 2.0:
        return BLACK
    return WHITE if py < cy else LIGHT_GRAY


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, 0, 0, 0, 0, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIB rows are stored bottom-up
        indices = [0 if c is TRANSPARENT else c for c in row]
        for x in range(0, SIZE, 2):
            xor.append((indices[x] << 4) | indices[x + 1])
        bits = 0
        for x, c in enumerate(row):
            if c is TRANSPARENT:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    image = header + palette + bytes(xor) + bytes(mask)
    assert len(image) == 744
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(icon_bytes())
