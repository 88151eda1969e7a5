#!/usr/bin/env bash
# senvola-inspect render on the native cairo canvas: the Windows build's interface (usage
# errors, exit codes), PNG or BMP by the file's extension, and the picture itself: the board
# where `layout` puts it, every point of the final position as `replay` reports it, each stone
# centred on the middle of its grid lines. When a Windows build is there (build/win64 beside the sources,
# or SENVOLA_WIN_BUILD) the same renders under Wine must agree: the same board, the same
# stones, the same stone centres, the same panel frame.
# Usage: bash render_compare.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$(cd "$1" && pwd)
SRC=$(cd "$2" && pwd)
source "$SRC/tests/x11/lib/x11_test.sh"
need python3

expect_rc() {  # expected-code description args...
    local want=$1 what=$2
    shift 2
    "$INSPECT" "$@" >/dev/null 2>"$TMP/stderr"
    local rc=$?
    if [ "$rc" -ne "$want" ]; then
        echo "FAIL: $what: exit $rc, expected $want ($*)"
        cat "$TMP/stderr"
        fail=1
    fi
}

# ---- Interface, as the Windows build has it ------------------------------------------------
expect_rc 2 "no PATH" render --size 100x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "no --out" render builtin:1 --size 100x100 --moves 0
expect_rc 2 "no --size" render builtin:1 --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "size of zero" render builtin:1 --size 0x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "size with junk" render builtin:1 --size 100x10q --moves 0 --out "$TMP/x.bmp"
expect_rc 2 "negative moves" render builtin:1 --size 100x100 --moves -1 --out "$TMP/x.bmp"
expect_rc 2 "unknown option" render builtin:1 --size 100x100 --moves 0 --out "$TMP/x.bmp" --colour red
expect_rc 2 "two paths" render builtin:1 builtin:2 --size 100x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 1 "builtin out of range" render builtin:7 --size 100x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 1 "missing game file" render "$TMP/none.sgf" --size 100x100 --moves 0 --out "$TMP/x.bmp"
expect_rc 1 "missing language file" render builtin:1 --size 100x100 --moves 0 --ini "$TMP/none.ini" --out "$TMP/x.bmp"
expect_rc 1 "unwritable output" render builtin:1 --size 100x100 --moves 0 --out "$TMP/no/such/dir/x.png"
[ -e "$TMP/x.bmp" ] && { echo "FAIL: a failed render left a file"; fail=1; }

# ---- The final position of two built-in games, native ---------------------------------------
# --moves is the game's length: the last move is on the board, the pause has not ended.
entries() { python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['entries'])" "$TMP/replay$1.json"; }
for g in 1 4; do
    "$INSPECT" replay builtin:$g >"$TMP/replay$g.json"
    expect_rc 0 "render builtin:$g as PNG" render builtin:$g --size 1024x768 --moves "$(entries $g)" --out "$TMP/native$g.png"
    expect_rc 0 "render builtin:$g as BMP" render builtin:$g --size 1024x768 --moves "$(entries $g)" --out "$TMP/native$g.bmp"
done
python3 - "$INSPECT" "$TMP" <<'PY' || fail=1
import json, sys, pictures as P
inspect, tmp = sys.argv[1], sys.argv[2]
bad = []
for g in (1, 4):
    png, bmp = P.load(f"{tmp}/native{g}.png"), P.load(f"{tmp}/native{g}.bmp")
    if png.rgb != bmp.rgb:
        bad.append(f"builtin:{g}: the PNG and the BMP differ")
    rows = [r.replace("X", "B").replace("O", "W") for r in json.load(open(f"{tmp}/replay{g}.json"))["board"]]
    n = len(rows)
    l = P.layout(inspect, 1024, 768, n)
    board = (0xDC, 0xB3, 0x5C)
    x0, y0 = l["BoardLeft"] - l["CellWidth"], l["BoardTop"] - l["CellHeight"]
    if not P.near(png.at(x0, y0), board, 0) or not P.near(png.at(x0 - 1, y0), (0, 0, 0), 0):
        bad.append(f"builtin:{g}: the board's surface does not start at ({x0}, {y0})")
    worst = 0
    for y in range(1, n + 1):
        for x in range(1, n + 1):
            want = rows[y - 1][x - 1]
            got = P.stone_at(png, l, x, y, board)
            if got != want:
                bad.append(f"builtin:{g}: point ({x}, {y}) shows {got!r}, the replay has {want!r}")
            if want in "BW":
                cx, cy = P.stone_centre(png, l, x, y, want)
                mx, my = P.stone_middle(l, x, y)
                worst = max(worst, abs(cx - mx), abs(cy - my))
    print(f"builtin:{g}: stone centres at most {worst:.2f} px from the grid lines' middle")
    if worst > 0.5:
        bad.append(f"builtin:{g}: a stone is {worst:.2f} px off its centre")
for b in bad[:20]:
    print("FAIL:", b)
sys.exit(1 if bad else 0)
PY

# ---- Against the Windows build's render, when there is one -----------------------------------
WIN_BUILD="${SENVOLA_WIN_BUILD:-$SRC/build/win64}"
WIN_INSPECT="$WIN_BUILD/tools/inspect/senvola-inspect.exe"
if [ -x "$WIN_BUILD/wine-run.sh" ] && [ -f "$WIN_INSPECT" ] && command -v wine >/dev/null; then
    for g in 1 4; do
        # Wine takes the file relative to its working directory, our scratch folder.
        (cd "$TMP" && "$WIN_BUILD/wine-run.sh" "$WIN_INSPECT" render builtin:$g --size 1024x768 \
            --moves "$(entries $g)" --out windows$g.bmp >/dev/null 2>&1)
        [ -f "$TMP/windows$g.bmp" ] || { echo "FAIL: the Windows render of builtin:$g did not come"; fail=1; }
    done
    python3 - "$INSPECT" "$TMP" <<'PY' || fail=1
import json, sys, pictures as P
inspect, tmp = sys.argv[1], sys.argv[2]
bad = []
for g in (1, 4):
    try:
        win, nat = P.load(f"{tmp}/windows{g}.bmp"), P.load(f"{tmp}/native{g}.bmp")
    except OSError:
        continue
    n = len(json.load(open(f"{tmp}/replay{g}.json"))["board"])
    l = P.layout(inspect, 1024, 768, n)
    board = (0xDC, 0xB3, 0x5C)
    # The board's surface: the same box of board colour in both.
    def surface(pic):
        y = l["BoardTop"] - l["CellHeight"] // 2
        xs = [x for x in range(pic.width) if P.near(pic.at(x, y), board, 0)]
        x = l["BoardLeft"] - l["CellWidth"] // 2
        ys = [y for y in range(pic.height) if P.near(pic.at(x, y), board, 0)]
        return xs[0], xs[-1], ys[0], ys[-1]
    if surface(win) != surface(nat):
        bad.append(f"builtin:{g}: board surface {surface(nat)} natively, {surface(win)} on Windows")
    # The comment box's frame: the same columns and bottom row.
    for what, x, y in (("left", l["PanelLeft"], 500), ("right", l["PanelRight"] - 1, 500),
                       ("bottom", 800, l["PanelBottom"] - 1)):
        if P.bright(win.at(x, y)) != P.bright(nat.at(x, y)) or not P.bright(nat.at(x, y)):
            bad.append(f"builtin:{g}: the panel's {what} edge at ({x}, {y}) differs")
    worst = 0
    for y in range(1, n + 1):
        for x in range(1, n + 1):
            a, b = P.stone_at(nat, l, x, y, board), P.stone_at(win, l, x, y, board)
            if a != b:
                bad.append(f"builtin:{g}: point ({x}, {y}) is {a!r} natively, {b!r} on Windows")
            elif a in "BW":
                (ax, ay), (bx, by) = P.stone_centre(nat, l, x, y, a), P.stone_centre(win, l, x, y, a)
                worst = max(worst, abs(ax - bx), abs(ay - by))
    print(f"builtin:{g}: native and Windows stone centres at most {worst:.2f} px apart")
    if worst > 0.5:
        bad.append(f"builtin:{g}: stone centres {worst:.2f} px apart")
for b in bad[:20]:
    print("FAIL:", b)
sys.exit(1 if bad else 0)
PY
else
    echo "SKIPPED: the comparison with the Windows render: no Windows build with senvola-inspect.exe at $WIN_BUILD"
fi

[ "$fail" -eq 0 ] && echo "render_compare: all checks passed"
exit "$fail"
