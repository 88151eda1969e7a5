#!/usr/bin/env bash
# Senvola.scr under Wine: which parameters start which mode, the preview inside a host window
# (and, drawn off screen at its size, what it draws), and the exit codes of parameters that
# select nothing.
BUILD="$1"; SRC="$2"
source "$SRC/tests/e2e/lib/saver_e2e.sh"
reset_shared_settings

note "saver: every spelling of the parameter, first drawing at once"
for p in /S -s s /s; do
    start_saver "$p"
    if wait_shown; then
        pass "$p shows the full-screen window"
        screenshot "$WORK/first.png"
        # The board (light wood by default) is drawn by the first tick, without waiting an interval.
        check "$p draws the board at once" [ "$(pixel "$WORK/first.png" 34 56)" = "220,179,92" ]
    else
        fail "$p shows the full-screen window"
    fi
    xdotool key space
    check "$p ends with 0 on a key" [ "$(wait_exit 15)" = 0 ]
    stop_saver
done

note "parameters that select no mode or no window"
start_saver /a
check "/a opens nothing and ends with 0" [ "$(wait_exit 15)" = 0 ]
stop_saver
start_saver /p abc
check "/p with a non-number ends with 1" [ "$(wait_exit 15)" = 1 ]
stop_saver
start_saver /p 99999
check "/p naming no window ends with 1" [ "$(wait_exit 15)" = 1 ]
stop_saver
start_saver /p
check "/p without a handle ends with 1" [ "$(wait_exit 15)" = 1 ]
stop_saver
desktop="$(timeout 60 "$BUILD/wine-run.sh" "$FIXTURES/saver_host.exe" desktop 2>/dev/null | tr -d '\r')"
if [ -n "$desktop" ]; then
    start_saver /p "$desktop"
    # A preview there would cover the screen and never end.
    check "/p with the desktop window ($desktop) ends with 1" [ "$(wait_exit 15)" = 1 ]
    stop_saver
else
    fail "the desktop window's handle is known"
fi

note "preview inside a host window"
if timeout 60 "$BUILD/wine-run.sh" "$FIXTURES/saver_host.exe" preview "$SCR_WIN" >"$WORK/preview.txt" 2>&1; then
    pass "preview: $(grep -c '^ok' "$WORK/preview.txt") host checks"
    grep '^note' "$WORK/preview.txt"
else
    fail "preview"; cat "$WORK/preview.txt"
fi

# The host sees where the preview is, not always what it draws: Wine does not show a child window
# that another process draws in. The preview draws the replay at its own size, and that is seen
# here drawn off screen: the board's wood colour where the layout puts the board, black beside it.
note "what the preview draws, at 152 x 112"
INSPECT="$BUILD/tools/inspect/senvola-inspect.exe"
layout="$(timeout 60 "$BUILD/wine-run.sh" "$INSPECT" layout 152 112 19 2>/dev/null | tr -d '\r')"
if timeout 60 "$BUILD/wine-run.sh" "$INSPECT" render builtin:1 --size 152x112 --moves 0 \
        --out "$WORK/preview.bmp" >/dev/null 2>&1 && [ -n "$layout" ]; then
    board_where_laid_out() {
        python3 - "$WORK/preview.bmp" "$layout" <<'EOF'
import json, sys
data, layout = open(sys.argv[1], 'rb').read(), json.loads(sys.argv[2])
w, h = 152, 112
stride = (w * 3 + 3) & ~3
def px(x, y):
    p = 54 + (h - 1 - y) * stride + 3 * x
    return (data[p + 2], data[p + 1], data[p])
# The board surface reaches one cell beyond the outer lines on every side.
x1, y1 = layout['BoardLeft'] - layout['CellWidth'], layout['BoardTop'] - layout['CellHeight']
x2, y2 = layout['BoardLeft'] + 19 * layout['CellWidth'], layout['BoardTop'] + 19 * layout['CellHeight']
board = sum(px(x, y) == (0xDC, 0xB3, 0x5C) for y in range(y1, y2) for x in range(x1, x2))
sys.exit(0 if px(x1, y1) == (0xDC, 0xB3, 0x5C) and px(x1 - 1, y1) == (0, 0, 0)
         and board * 2 > (x2 - x1) * (y2 - y1) else 1)
EOF
    }
    check "the board is drawn where the layout puts it, black beside it" board_where_laid_out
else
    fail "the replay is drawn at the preview's size"
fi

note "configuration mode"
for p in "" /c:4711; do
    if [ -z "$p" ]; then start_saver; else start_saver "$p"; fi
    id=""
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^Options for Tavrel's Senvola$" 2>/dev/null | head -1)
        [ -n "$id" ] && break
        sleep 0.1
    done
    check "'${p:-no parameters}' opens the options dialog" [ -n "$id" ]
    if [ -n "$id" ]; then
        xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
        xdotool key --window "$id" Escape
    fi
    check "'${p:-no parameters}' ends with 0 when the dialog closes" [ "$(wait_exit 15)" = 0 ]
    stop_saver
done
finish
