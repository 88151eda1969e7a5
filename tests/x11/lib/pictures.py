"""Reading the pictures the X11 tests look at, and finding the board in them.

Pictures: 24-bit BMP (the renders), PPM (screenshots, `import ... ppm:FILE`) and 8-bit RGB or
RGBA PNG (the renders written as PNG), without any imaging library. Pixels are (r, g, b).
Board geometry comes from `senvola-inspect layout`, so the checks follow the program's own
layout instead of restating it."""
import json
import struct
import subprocess
import zlib


class Picture:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb  # rgb: bytes, rows top-down

    def at(self, x, y):
        p = 3 * (y * self.width + x)
        return self.rgb[p], self.rgb[p + 1], self.rgb[p + 2]


def _bmp(data):
    w, h, bits = struct.unpack_from("<iixxH", data, 18)
    assert bits == 24, f"BMP of {bits} bits"
    off = struct.unpack_from("<I", data, 10)[0]
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(abs(h)):
        src = y if h < 0 else abs(h) - 1 - y
        row = data[off + src * stride:][:w * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]  # stored as B G R
        rows.append(bytes(rgb))
    return Picture(w, abs(h), b"".join(rows))


def _ppm(data):
    fields, pos = [], 2
    while len(fields) < 3:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(int(data[pos:end]))
        pos = end
    w, h, maxval = fields
    assert maxval == 255, f"PPM of maxval {maxval}"
    return Picture(w, h, data[pos + 1:pos + 1 + 3 * w * h])


def _png(data):
    pos, chunks = 8, []
    while pos < len(data):
        n, kind = struct.unpack_from(">I4s", data, pos)
        chunks.append((kind, data[pos + 8:pos + 8 + n]))
        pos += 12 + n
    w, h, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    assert depth == 8 and colour in (2, 6) and interlace == 0, "8-bit RGB or RGBA PNG expected"
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(c for k, c in chunks if k == b"IDAT"))
    stride, prev, out = w * bpp, bytearray(w * bpp), bytearray()
    for y in range(h):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prev[i], prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        prev = line
        out += line if bpp == 3 else bytes(v for i, v in enumerate(line) if i % 4 != 3)
    return Picture(w, h, bytes(out))


def load(path):
    data = open(path, "rb").read()
    if data[:2] == b"BM":
        return _bmp(data)
    if data[:2] == b"P6":
        return _ppm(data)
    if data[:8] == b"\x89PNG\r\n\x1a\n":
        return _png(data)
    raise ValueError(f"{path}: not a BMP, PPM or PNG")


def layout(inspect, w, h, n, board_only=False):
    args = [inspect, "layout", str(w), str(h), str(n)] + (["--board-only"] if board_only else [])
    return json.loads(subprocess.run(args, check=True, capture_output=True).stdout)


def stone_radius(cell):
    return max(2, round(cell / 2) - 1)  # Python rounds halves to even, as the program does


def point(l, x, y):
    """The pixel of grid point (x, y), 1-based."""
    return l["BoardLeft"] + (x - 1) * l["CellWidth"], l["BoardTop"] + (y - 1) * l["CellHeight"]


def dark(rgb):
    return max(rgb) < 0x40


def bright(rgb):
    return min(rgb) > 0xC0


def near(rgb, colour, slack=24):
    return all(abs(a - b) <= slack for a, b in zip(rgb, colour))


def stone_dark(rgb):
    """A pixel of a black stone: shaded stones are lighter towards the upper left."""
    return max(rgb) < 0x70


def stone_light(rgb):
    """A pixel of a white stone: shaded stones are darker towards the rim."""
    return min(rgb) > 0xB0


def line_width(cell):
    """Width of the inner grid lines for a cell size."""
    return max(1, (cell + 16) // 32)


def stone_middle(l, x, y):
    """Where a stone's pixels average out (pixel indices): the middle of the grid lines through
    the point, which for lines of odd width is the point's own pixel."""
    px, py = point(l, x, y)
    w = line_width(l["CellWidth"])
    shift = w // 2 - w / 2 + 0.5
    return px - shift, py - shift


def stone_at(pic, l, x, y, board):
    """'B', 'W' or '.' for grid point (x, y): looked at off the grid lines, inside a stone."""
    px, py = point(l, x, y)
    d = stone_radius(l["CellWidth"]) // 2
    samples = [pic.at(px + dx, py + dy) for dx, dy in ((d, d), (-d, d), (d, -d), (-d, -d))]
    if all(stone_dark(s) for s in samples):
        return "B"
    if all(stone_light(s) for s in samples):
        return "W"
    if all(near(s, board) for s in samples):
        return "."
    return "?"


def stone_centre(pic, l, x, y, colour):
    """Mean position of the stone's own pixels (dark for 'B', light for 'W') within its cell,
    in pixel indices: stone_middle() for a round stone centred on the grid lines."""
    px, py = point(l, x, y)
    r = stone_radius(l["CellWidth"]) + 1
    test = stone_dark if colour == "B" else stone_light
    sx = sy = n = 0
    for yy in range(py - r, py + r):
        for xx in range(px - r, px + r):
            if test(pic.at(xx, yy)):
                sx, sy, n = sx + xx, sy + yy, n + 1
    return (sx / n, sy / n) if n else (None, None)


def count_bright(pic, x1, y1, x2, y2):
    return sum(bright(pic.at(x, y)) for y in range(y1, y2) for x in range(x1, x2))
