#!/usr/bin/env python3
"""Draws the General page's pictures as 16-colour bitmaps: the monitor (184 x 169) and the two
corner markers (21 x 19), the check mark "now" and the no-entry spot "never". The bottom-left
pixel of each is the transparent colour (fuchsia). Run from this directory; the .bmp files are
committed beside it."""
import struct

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, GREEN, NAVY, TEAL, SILVER, GRAY, RED, LIME, BLUE, KEY, WHITE = 0, 2, 4, 6, 7, 8, 9, 10, 12, 13, 15


def write_bmp(name, pixels):
    h, w = len(pixels), len(pixels[0])
    row_bytes = ((w + 1) // 2 + 3) // 4 * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(0, w, 2):
            hi = pixels[y][x]
            lo = pixels[y][x + 1] if x + 1 < w else 0
            row.append((hi << 4) | lo)
        row += b"\0" * (row_bytes - len(row))
        data += row
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    with open(name, "wb") as f:
        f.write(header + info + palette + data)


def canvas(w, h, colour=KEY):
    return [[colour] * w for _ in range(h)]


def rect(p, x0, y0, x1, y1, c):  # inclusive
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            p[y][x] = c


def monitor():
    p = canvas(184, 169)
    rect(p, 2, 2, 181, 142, SILVER)          # the case
    rect(p, 2, 2, 181, 2, WHITE)
    rect(p, 2, 2, 2, 142, WHITE)
    rect(p, 2, 142, 181, 142, BLACK)
    rect(p, 181, 2, 181, 142, BLACK)
    rect(p, 3, 141, 180, 141, GRAY)
    rect(p, 180, 3, 180, 141, GRAY)
    rect(p, 14, 15, 169, 131, GRAY)          # bezel around the screen
    rect(p, 15, 16, 168, 130, BLACK)
    rect(p, 16, 17, 167, 129, TEAL)          # the screen the corners sit on
    rect(p, 150, 134, 156, 137, LIME)        # power light
    rect(p, 72, 143, 111, 152, GRAY)         # neck
    rect(p, 74, 143, 109, 151, SILVER)
    rect(p, 40, 153, 143, 165, SILVER)       # foot
    rect(p, 40, 153, 143, 153, WHITE)
    rect(p, 40, 165, 143, 165, BLACK)
    rect(p, 143, 153, 143, 165, BLACK)
    return p


def now_check():
    p = canvas(21, 19)
    # a thick check mark
    for i in range(5):
        for t in range(3):
            p[9 + i + t - 1][3 + i] = GREEN
    for i in range(11):
        for t in range(3):
            y = 13 - i + t - 1
            if 0 <= y < 19:
                p[y][8 + i] = GREEN
    return p


def never_spot():
    p = canvas(21, 19)
    cx, cy, r_out, r_in = 10, 9, 8.5, 5.5
    for y in range(19):
        for x in range(21):
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if r_in <= d <= r_out:
                p[y][x] = RED
            elif d < r_in and abs((x - cx) + (y - cy)) <= 1.5:  # the bar across
                p[y][x] = RED
            elif d < r_in:
                p[y][x] = WHITE
    return p


if __name__ == "__main__":
    write_bmp("monitor.bmp", monitor())
    write_bmp("nowcheck.bmp", now_check())
    write_bmp("neverspot.bmp", never_spot())
