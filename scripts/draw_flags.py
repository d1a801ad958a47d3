#!/usr/bin/env python3
"""Draws the flags of the program's interface languages as 16-colour BMP files.

    python3 scripts/draw_flags.py <folder>

writes ENGLISH16.bmp, ENGLISH32.bmp (the program's resources, uitranslate/flags/) and
GERMAN16/32.bmp, HEBREW16/32.bmp (stored into the shipped language files). Each flag lies on a
magenta ground, so that the top-left pixel, the transparent colour of a masked image, is no colour
of the flag itself.
"""
import math
import struct
import sys

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GRAY, RED, YELLOW, BLUE, MAGENTA, WHITE = 0, 4, 7, 8, 9, 11, 12, 13, 15


def union_jack(u, v):
    """Colour at (u, v) in [0, 1) of a 2:1 Union flag."""
    x, y = u * 60, v * 30
    if abs(x - 30) < 3 or abs(y - 15) < 3:
        return RED
    if abs(x - 30) < 5 or abs(y - 15) < 5:
        return WHITE
    for sign in (1, -1):
        # Distance from the diagonal through the centre, in the flag's own units.
        d = ((y - 15) - sign * (x - 30) / 2) / math.sqrt(1.25)
        if abs(d) < 3:
            # The red band sits off the diagonal, counterchanged across the centre.
            upper = (x < 30) == (sign == 1)
            return RED if 0 < (d if upper else -d) < 2 else WHITE
    return NAVY


def german(u, v):
    return BLACK if v < 1 / 3 else RED if v < 2 / 3 else YELLOW


def israeli(u, v):
    if 0.1 < v < 0.25 or 0.75 < v < 0.9:
        return BLUE
    # A six-pointed star drawn as the outline of two triangles.
    x, y = (u - 0.5) * 11 / 8, (v - 0.5)
    r = 0.3
    for turn in (0, math.pi):
        inside = []
        for k in range(3):
            a = turn + math.pi / 2 + k * 2 * math.pi / 3
            nx, ny = math.cos(a), math.sin(a)
            inside.append(-(x * nx + y * ny))
        edge = max(inside)
        if abs(edge - r / 2) < 0.04:
            return BLUE
    return WHITE


def draw(flag, side, height):
    """side x side pixels, the flag height pixels high in the middle, by 4 x 4 samples a pixel."""
    top = (side - height) // 2
    rows = []
    for row in range(side):
        line = []
        for col in range(side):
            if not top <= row < top + height:
                line.append(MAGENTA)
                continue
            votes = {}
            for sy in range(4):
                for sx in range(4):
                    c = flag((col + (sx + 0.5) / 4) / side, (row - top + (sy + 0.5) / 4) / height)
                    votes[c] = votes.get(c, 0) + 1
            line.append(max(votes, key=votes.get))
        rows.append(line)
    return rows


def bmp(rows):
    side = len(rows)
    stride = ((side * 4 + 31) // 32) * 4
    pixels = b""
    for line in reversed(rows):
        packed = bytes((line[i] << 4) | line[i + 1] for i in range(0, side, 2))
        pixels += packed + b"\0" * (stride - len(packed))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 4, 0, len(pixels), 0, 0, 16, 16)
    return header + info + palette + pixels


def main(folder):
    for name, flag in (("ENGLISH", union_jack), ("GERMAN", german), ("HEBREW", israeli)):
        for side, height in ((16, 10), (32, 20)):
            if flag is german:
                height = side * 3 // 5
            if flag is israeli:
                height = side * 3 // 4
            with open(f"{folder}/{name}{side}.bmp", "wb") as out:
                out.write(bmp(draw(flag, side, height)))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
