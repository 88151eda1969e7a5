#!/usr/bin/env bash
# The hack on a virtual display, seen through screenshots: in a window of its own and in a
# window another client made (-window-id). The board in its colour where the layout puts it,
# one stone per set delay, the panel's text, a resize followed with the game laid out anew, and a clean
# end (status 0) on SIGTERM, on q, and when the window it draws in goes away.
# Usage: bash hack_window.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$(cd "$1" && pwd)
SRC=$(cd "$2" && pwd)
source "$SRC/tests/x11/lib/x11_test.sh"
need import xdotool python3
start_xvfb 1024x768

# ---- Usage and a window that is not there -----------------------------------------------
"$HACK" -frobnicate >/dev/null 2>"$TMP/err"
WHAT="an unknown option exits with 2" check [ $? -eq 2 ]
"$HACK" -window-id 0x3fffff0 >/dev/null 2>"$TMP/err"
rc=$?
WHAT="a window id that names no window exits with 1 ($rc: $(cat "$TMP/err"))" check [ $rc -eq 1 ]
WHAT="and says so" check grep -q "no window" "$TMP/err"

# Forty moves two points apart: nothing is ever captured, so the stones on the board after k
# moves are exactly the first k of the list.
python3 - >"$TMP/game.sgf" <<'PY'
moves = [(2 + 2 * (i % 8), 2 + 3 * (i // 8)) for i in range(40)]
letters = "abcdefghijklmnopqrs"
print("(;GM[1]SZ[19]PB[Black Player]PW[White Player]" +
      "".join(f";{'BW'[i % 2]}[{letters[x]}{letters[y]}]" for i, (x, y) in enumerate(moves)) + ")")
PY

# check_board SHOT W H COLOUR [--board-only]: the board's corner in COLOUR, black beyond it.
check_board() {
    python3 - "$INSPECT" "$@" <<'PY' || fail=1
import sys, pictures as P
inspect, shot, w, h, colour = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
board_only = "--board-only" in sys.argv
pic = P.load(shot)
l = P.layout(inspect, w, h, 19, board_only)
rgb = tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))
x, y = l["BoardLeft"] - l["CellWidth"], l["BoardTop"] - l["CellHeight"]
bad = []
if (pic.width, pic.height) != (w, h):
    bad.append(f"picture of {pic.width}x{pic.height}, window of {w}x{h}")
else:
    if not P.near(pic.at(x, y), rgb, 2):
        bad.append(f"board corner ({x}, {y}) is {pic.at(x, y)}, not {rgb}")
    if not P.near(pic.at(x - 1, y), (0, 0, 0), 2):
        bad.append(f"left of the board ({x - 1}, {y}) is {pic.at(x - 1, y)}, not black")
    if not P.near(pic.at(w - 1, h - 1), (0, 0, 0), 2):
        bad.append("the bottom-right corner of the window is not black")
for b in bad:
    print(f"FAIL: {shot}: {b}")
sys.exit(1 if bad else 0)
PY
}

# ---- A window of its own ---------------------------------------------------------------------
"$HACK" -window -file "$TMP/game.sgf" -delay 0.2 -pause 300 -board-colour '#3070a0' 2>"$TMP/own.err" &
HACK_PID=$!
STARTED+=("$HACK_PID")
WID=$(timeout 10 xdotool search --sync --name '^Senvola$' | head -1)
if [ -z "$WID" ]; then
    echo "FAIL: the hack's window did not appear"; cat "$TMP/own.err"; exit 1
fi
sleep 1.2
t1=$(now); import -window "$WID" -depth 8 ppm:"$TMP/own1.ppm"
sleep 2.4
t2=$(now); import -window "$WID" -depth 8 ppm:"$TMP/own2.ppm"
check_board "$TMP/own1.ppm" 1024 768 3070a0
python3 - "$INSPECT" "$TMP/own1.ppm" "$TMP/own2.ppm" "$t1" "$t2" <<'PY' || fail=1
import sys, pictures as P
inspect, a, b, t1, t2 = sys.argv[1], sys.argv[2], sys.argv[3], float(sys.argv[4]), float(sys.argv[5])
l = P.layout(inspect, 1024, 768, 19)
moves = [(2 + 2 * (i % 8), 2 + 3 * (i // 8)) for i in range(40)]
bad = []

def stones(shot):
    pic = P.load(shot)
    seen = [P.stone_at(pic, l, x + 1, y + 1, (0x30, 0x70, 0xA0)) for x, y in moves]
    k = next((i for i, s in enumerate(seen) if s == "."), len(seen))
    # The first k moves, in their colours, and nothing after them.
    if seen[:k] != ["B" if i % 2 == 0 else "W" for i in range(k)] or any(s != "." for s in seen[k:]):
        bad.append(f"{shot}: the stones are not the game's first moves: {''.join(seen)}")
    return pic, k

pic, k1 = stones(a)
_, k2 = stones(b)
expected = (t2 - t1) / 0.2
print(f"stones: {k1} then {k2} after {t2 - t1:.2f} s; {expected:.1f} moves expected at 0.2 s a move")
if not 1 <= k1 < 40 or abs((k2 - k1) - expected) > 4:
    bad.append(f"{k2 - k1} stones in {t2 - t1:.2f} s at 0.2 s a move")
# The panel's lines of text (players, move number) right of the board, above the comment box.
text = P.count_bright(pic, l["PanelLeft"], 0, l["PanelRight"], l["BoardTop"])
print(f"panel text: {text} bright pixels")
if text < 300:
    bad.append(f"hardly any panel text: {text} bright pixels")
for x in bad:
    print("FAIL:", x)
sys.exit(1 if bad else 0)
PY
kill -TERM "$HACK_PID"
WHAT="SIGTERM ends the hack within 5 s" check wait_gone "$HACK_PID" 5
wait "$HACK_PID"
rc=$?
WHAT="and with status 0 ($rc): $(cat "$TMP/own.err")" check [ $rc -eq 0 ]
WHAT="its window is gone" check [ -z "$(xdotool search --name '^Senvola$' 2>/dev/null)" ]

# Full screen: the whole screen, and q ends it.
"$HACK" -fullscreen -delay 0.05 2>"$TMP/full.err" &
HACK_PID=$!
STARTED+=("$HACK_PID")
WID=$(timeout 10 xdotool search --sync --name '^Senvola$' | head -1)
WHAT="the full-screen window covers the screen" check [ "$(xdotool getwindowgeometry "$WID" 2>/dev/null | grep -c 'Geometry: 1024x768')" = 1 ]
sleep 0.5
xdotool key --window "$WID" q 2>/dev/null  # the release may find the window gone
WHAT="q ends the full-screen hack within 5 s" check wait_gone "$HACK_PID" 5
wait "$HACK_PID"
rc=$?
WHAT="with status 0 ($rc)" check [ $rc -eq 0 ]

# ---- A window it is given ------------------------------------------------------------------
"$TEST_WINDOW" 800 600 >"$TMP/window-id" &
WINDOW_PID=$!
STARTED+=("$WINDOW_PID")
for _ in $(seq 100); do [ -s "$TMP/window-id" ] && break; sleep 0.05; done
GIVEN=$(cat "$TMP/window-id")
"$HACK" -window-id "$GIVEN" -file "$TMP/game.sgf" -delay 0.05 -board-only 2>"$TMP/given.err" &
HACK_PID=$!
STARTED+=("$HACK_PID")
sleep 1.2
import -window "$GIVEN" -depth 8 ppm:"$TMP/given1.ppm"
check_board "$TMP/given1.ppm" 800 600 dcb35c --board-only
python3 - "$TMP/given1.ppm" <<'PY' || fail=1
import sys, pictures as P
pic = P.load(sys.argv[1])
# Board only: no panel text right of the board.
text = P.count_bright(pic, 700, 0, 800, 600)
if text:
    print(f"FAIL: board only, yet {text} bright pixels right of the board")
    sys.exit(1)
PY
# A smaller window: after the resize settles, the game laid out for 640 x 480.
xdotool windowsize "$GIVEN" 640 480
sleep 1.2
import -window "$GIVEN" -depth 8 ppm:"$TMP/given2.ppm"
check_board "$TMP/given2.ppm" 640 480 dcb35c --board-only
# The window goes (its client ends): the hack ends too.
kill "$WINDOW_PID"
WHAT="the hack ends within 5 s when its window is destroyed" check wait_gone "$HACK_PID" 5
wait "$HACK_PID"
rc=$?
WHAT="with status 0 ($rc): $(cat "$TMP/given.err")" check [ $rc -eq 0 ]

[ "$fail" -eq 0 ] && echo "hack_window: all checks passed"
exit "$fail"
