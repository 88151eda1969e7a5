#!/usr/bin/env python3
"""Draws Senvola.ico: a corner of a Go board with a black and a white stone, at 16, 32 and
48 pixels, as 32-bit images. Run from this directory; the result is committed."""
import struct


def pixel(size, x, y):
    """Colour (b, g, r, a) of one pixel of the icon at `size`."""
    cx, cy = x + 0.5, y + 0.5
    s = size / 32.0
    def inside(px, py, r):
        return (cx - px * s) ** 2 + (cy - py * s) ** 2 <= (r * s) ** 2
    if inside(12, 12, 7.5):
        return (20, 20, 20, 255)
    if inside(21, 21, 7.5):
        return (245, 245, 245, 255)
    margin = 1 * s
    if cx < margin or cy < margin or cx > size - margin or cy > size - margin:
        return (0, 0, 0, 0)
    step = 32 / 4 * s
    for k in range(1, 4):
        if abs(cx - k * step) <= 0.5 * max(1, s) or abs(cy - k * step) <= 0.5 * max(1, s):
            return (30, 50, 70, 255)
    return (64, 160, 215, 255)  # board, 0x0040A0D7 in BGR


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    andmask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return header + xor + andmask


sizes = [16, 32, 48]
images = [image(n) for n in sizes]
out = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for n, data in zip(sizes, images):
    out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b"".join(images)
open("Senvola.ico", "wb").write(out)
