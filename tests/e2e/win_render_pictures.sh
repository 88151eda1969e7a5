#!/bin/bash
# Stone and board pictures with alpha under Wine through senvola-inspect render: a PNG and a
# 32-bit BMP whose clear pixels hold magenta are drawn by their alpha, shrunk to the stone's
# size, with no trace of that magenta; a corrupt PNG and a valid one 40000 pixels wide are
# refused, and the board is then drawn in its colour exactly as without a picture.
# The pictures are made here. Called as: bash win_render_pictures.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$(cd "$1" && pwd)
RUN="$BUILD/wine-run.sh"
EXE="$BUILD/tools/inspect/senvola-inspect.exe"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
fail=0

python3 - "$TMP" <<'PY'
import struct, sys, zlib
out = sys.argv[1]
N = 64  # larger than any stone at 800 x 600: always drawn shrunk

def disc(colour):
    # A disc with a two-pixel soft edge; outside it clear pixels that still hold magenta.
    rows = []
    for y in range(N):
        row = []
        for x in range(N):
            d = ((x - N / 2 + 0.5) ** 2 + (y - N / 2 + 0.5) ** 2) ** 0.5
            a = max(0.0, min(1.0, (N / 2 - 2 - d) / 2))
            row.append((255, 0, 255, 0) if a == 0 else (*colour, round(255 * a)))
        rows.append(row)
    return rows

def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

def png(rows, w, h):
    raw = b''.join(b'\0' + bytes(c for p in row for c in p) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))

def bmp32(rows):
    # BI_RGB, 32 bits, the fourth byte alpha (not premultiplied), rows bottom-up.
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    header = struct.pack('<IiiHHIIiiII', 40, N, N, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + 40 + len(pixels), 0, 0, 54) + header + pixels

white = png(disc((200, 220, 255)), N, N)
open(f'{out}/white.png', 'wb').write(white)
open(f'{out}/black.bmp', 'wb').write(bmp32(disc((40, 40, 90))))
open(f'{out}/corrupt.png', 'wb').write(white[:len(white) // 2])
# A whole, valid picture wider than any the BMP loader takes: refused by its size alone.
wide = 40000
open(f'{out}/wide.png', 'wb').write(png([[(120, 90, 60, 255)] * wide] * 2, wide, 2))
PY

render() {  # OUT [options...]
    local out=$1
    shift
    if ! "$RUN" "$EXE" render builtin:1 --size 800x600 --moves 80 "$@" --out "$out" 2>"$TMP/stderr"; then
        echo "FAIL: render $*"
        cat "$TMP/stderr"
        fail=1
    fi
}
win() { winepath -w "$1" 2>/dev/null; }

render "$TMP/plain.bmp"
render "$TMP/alpha.bmp" --white-picture "$(win "$TMP/white.png")" --black-picture "$(win "$TMP/black.bmp")"
render "$TMP/corrupt.bmp" --board-picture "$(win "$TMP/corrupt.png")"
render "$TMP/wide.bmp" --board-picture "$(win "$TMP/wide.png")"

for f in corrupt wide; do
    if ! cmp -s "$TMP/plain.bmp" "$TMP/$f.bmp"; then
        echo "FAIL: the $f board picture changed the drawing (it is refused, the colour stays)"
        fail=1
    fi
done

python3 - "$TMP/alpha.bmp" <<'PY' || fail=1
import sys
d = open(sys.argv[1], 'rb').read()
w, h = 800, 600
if len(d) != 54 + w * h * 3:
    sys.exit("FAIL: the render with picture stones is not an 800 x 600 BMP")
px = [(d[i + 2], d[i + 1], d[i]) for i in range(54, len(d), 3)]
near = lambda p, c: all(abs(a - b) <= 12 for a, b in zip(p, c))
white = sum(near(p, (200, 220, 255)) for p in px)
black = sum(near(p, (40, 40, 90)) for p in px)
magenta = sum(p[0] > p[1] + 60 and p[2] > p[1] + 60 for p in px)
print(f"picture stones: {white} pixels of the PNG stone's colour, {black} of the BMP stone's, {magenta} magenta-tinted")
bad = []
if white < 500: bad.append("the PNG white stones are not drawn")
if black < 500: bad.append("the 32-bit BMP black stones are not drawn")
if magenta: bad.append("the clear pixels' magenta shows")
if bad: sys.exit("FAIL: " + "; ".join(bad))
PY

[ "$fail" -eq 0 ] && echo "win_render_pictures: all checks passed"
exit "$fail"
