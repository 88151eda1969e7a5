#!/bin/bash
# senvola-inspect render under Wine: its interface (usage errors, exit codes), the BMP it
# writes, and pixels of that picture at places the layout command names.
# Called as: bash win_render.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$(cd "$1" && pwd)
SRC=$(cd "$2" && pwd)
SHARED="$SRC/../shared"
RUN="$BUILD/wine-run.sh"
EXE="$BUILD/tools/inspect/senvola-inspect.exe"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
fail=0

inspect() { "$RUN" "$EXE" "$@" 2>"$TMP/stderr"; }

expect_rc() {  # expected-code description args...
    local want=$1 what=$2
    shift 2
    inspect "$@" >/dev/null
    local rc=$?
    if [ "$rc" -ne "$want" ]; then
        echo "FAIL: $what: exit $rc, expected $want ($*)"
        cat "$TMP/stderr"
        fail=1
    fi
}

# Reads a 24-bit BMP and checks it: size, header, and pixels given as "x,y=RRGGBB" or
# "x,y!=RRGGBB". Prints the reason and exits 1 on a mismatch.
check_bmp() {
    python3 - "$@" <<'EOF'
import struct, sys
path, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = open(path, 'rb').read()
stride = (w * 3 + 3) & ~3
if len(data) != 54 + stride * h:
    sys.exit(f"{path}: {len(data)} bytes, expected {54 + stride * h}")
magic, size, _, off = struct.unpack_from('<2sIII', data, 0)
hs, bw, bh, planes, bits, comp = struct.unpack_from('<IiiHHI', data, 14)
if (magic, size, off, hs, bw, bh, planes, bits, comp) != (b'BM', len(data), 54, 40, w, h, 1, 24, 0):
    sys.exit(f"{path}: unexpected header {(magic, size, off, hs, bw, bh, planes, bits, comp)}")
def px(x, y):
    p = 54 + (h - 1 - y) * stride + 3 * x
    b, g, r = data[p], data[p + 1], data[p + 2]
    return (r << 16) | (g << 8) | b
for check in sys.argv[4:]:
    neg = "!=" in check
    pos, colour = check.split('!=' if neg else '=')
    x, y = map(int, pos.split(','))
    got, want = px(x, y), int(colour, 16)
    if (got == want) == neg:
        sys.exit(f"{path}: pixel {x},{y} is {got:06X}, expected {'not ' if neg else ''}{want:06X}")
EOF
}

layout_field() {  # W H N FIELD [--board-only]
    local w=$1 h=$2 n=$3 f=$4
    shift 4
    "$RUN" "$EXE" layout "$w" "$h" "$n" "$@" | python3 -c "import json,sys; print(json.load(sys.stdin)['$f'])"
}

# ---- Interface -----------------------------------------------------------------------------
expect_rc 2 "no PATH" render --size 100x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "no --out" render builtin:1 --size 100x100 --moves 0
expect_rc 2 "no --size" render builtin:1 --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "no --moves" render builtin:1 --size 100x100 --out "$TMP/x.bmp"
expect_rc 2 "size without x" render builtin:1 --size 100 --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "size of zero" render builtin:1 --size 0x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "size with junk" render builtin:1 --size 100x10q --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "negative moves" render builtin:1 --size 100x100 --moves -1 --out "$TMP/x.bmp"
expect_rc 2 "unknown option" render builtin:1 --size 100x100 --moves 0 --out "$TMP/x.bmp" --colour red
expect_rc 2 "two paths" render builtin:1 builtin:2 --size 100x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "option without value" render builtin:1 --size 100x100 --moves 0 --out
expect_rc 1 "builtin out of range" render builtin:7 --size 100x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 1 "missing game file" render "$TMP/none.sgf" --size 100x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 1 "missing language file" render builtin:1 --size 100x100 --moves 0 --ini "$TMP/none.ini" --out "$TMP/x.bmp"
expect_rc 1 "unwritable output" render builtin:1 --size 100x100 --moves 0 --out "$TMP/no/such/dir/x.bmp"
[ -e "$TMP/x.bmp" ] && { echo "FAIL: a failed render left a file"; fail=1; }

# ---- Pictures ------------------------------------------------------------------------------
# 1024 x 768, 19 x 19 with the panel: grid point (1, 1) at (57, 74), square cells of 31, an
# edge line two pixels wide; the board surface (light wood) starts one cell further out.
for g in 1 2 3 4 5 6; do
    out="$TMP/builtin$g.bmp"
    expect_rc 0 "render builtin:$g" render builtin:$g --size 1024x768 --moves 30 --out "$out"
    [ -f "$out" ] || continue
    check_bmp "$out" 1024 768 0,0=000000 26,43=DCB35C 28,45=DCB35C 26,42=000000 57,100=000000 \
        56,100=000000 100,74=000000 100,73=000000 25,100=000000 1023,0=000000 || fail=1
done

# Board only at 800 x 600: nothing but black outside the board surface.
out="$TMP/boardonly.bmp"
expect_rc 0 "render board only" render builtin:3 --size 800x600 --moves 20 --board-only --out "$out"
bl=$(layout_field 800 600 19 BoardLeft --board-only)
bt=$(layout_field 800 600 19 BoardTop --board-only)
cw=$(layout_field 800 600 19 CellWidth --board-only)
ch=$(layout_field 800 600 19 CellHeight --board-only)
check_bmp "$out" 800 600 $((bl - cw)),$((bt - ch))=DCB35C $((bl - cw - 1)),$((bt - ch))=000000 \
    799,599=000000 0,599=000000 799,0=000000 $((bl + 9 * cw)),$((bt + 9 * ch))=000000 || fail=1
python3 - "$out" $((bl - cw)) $((bt - ch)) $((bl + 19 * cw)) $((bt + 19 * ch)) <<'EOF' || fail=1
import sys
path, x1, y1, x2, y2 = sys.argv[1], *map(int, sys.argv[2:])
d = open(path, 'rb').read()
w, h = 800, 600
stride = (w * 3 + 3) & ~3
for y in range(h):
    row = d[54 + (h - 1 - y) * stride:][:w * 3]
    for x in range(w):
        if (x < x1 or x >= x2 or y < y1 or y >= y2) and row[3 * x:3 * x + 3] != b'\0\0\0':
            sys.exit(f"board only: pixel {x},{y} outside the board is not black")
EOF

# An odd width: rows padded to four bytes.
expect_rc 0 "render odd width" render builtin:5 --size 333x251 --moves 5 --out "$TMP/odd.bmp"
check_bmp "$TMP/odd.bmp" 333 251 0,0=000000 || fail=1

# A language file changes the panel's labels and nothing on the board.
cat >"$TMP/lang.ini" <<'EOF'
[Languages]
0=Testish
[Testish]
White=WWWWWWWWWWWWWWWWWWWW
Black=BBBBBBBBBBBBBBBBBBBB
EOF
expect_rc 0 "render with a language file" render builtin:1 --size 1024x768 --moves 10 --ini "$TMP/lang.ini" --out "$TMP/lang.bmp"
expect_rc 0 "render without it" render builtin:1 --size 1024x768 --moves 10 --out "$TMP/plain.bmp"
if cmp -s "$TMP/lang.bmp" "$TMP/plain.bmp"; then
    echo "FAIL: the language file changed nothing"
    fail=1
fi
python3 - "$TMP/lang.bmp" "$TMP/plain.bmp" <<'EOF' || fail=1
import sys
a, b = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
w, h = 1024, 768
stride = w * 3
for y in range(h):
    ra = a[54 + (h - 1 - y) * stride:][:684 * 3]
    rb = b[54 + (h - 1 - y) * stride:][:684 * 3]
    if y < 700 and ra != rb:  # the board, left of the panel and above the fixed lines
        sys.exit(f"the language file changed the board at row {y}")
EOF

# The same file with --no-comments, and a game file from the corpus when it is there.
expect_rc 0 "render without comments" render builtin:1 --size 640x480 --moves 10 --no-comments --out "$TMP/nc.bmp"
game="$SHARED/sgf-corpus/gnugo/olympiad2006/9x9/gnu-crazy.sgf"
if [ -f "$game" ]; then
    expect_rc 0 "render a 9x9 game file" render "$game" --size 1024x768 --moves 40 --out "$TMP/nine.bmp"
    bl=$(layout_field 1024 768 9 BoardLeft)
    bt=$(layout_field 1024 768 9 BoardTop)
    cw=$(layout_field 1024 768 9 CellWidth)
    ch=$(layout_field 1024 768 9 CellHeight)
    # Star point (3, 3) of a 9 x 9 board, and the board surface's corner.
    check_bmp "$TMP/nine.bmp" 1024 768 $((bl - cw)),$((bt - ch))=DCB35C \
        $((bl + 2 * cw + 2)),$((bt + 2 * ch + 2))!=DCB35C || fail=1
    grep -q "could not be read" "$TMP/stderr" && { echo "FAIL: the 9x9 game did not load"; fail=1; }
else
    echo "note: the game corpus is not beside the source tree; file rendering skipped"
fi

[ "$fail" -eq 0 ] && echo "win_render: all checks passed"
exit "$fail"
