#!/usr/bin/env bash
# The saver on a desk of two monitors: a 1920x1080 primary with a 1024x768 one to its left, so
# that the virtual screen starts left of the primary monitor's corner and has a strip below the
# smaller monitor that no monitor shows. The saver's window covers all of it; the game fills the
# primary monitor and everything else is black; with a game per monitor the second one shows a
# board of its own. The mouse ends the saver from the second monitor too.
# Xvfb cannot lay out two monitors side by side for Wine: one screen of the whole size, RANDR
# off, and a stand-in Xinerama library (lib/xinerama_heads.c) that names the two heads; a white
# root window, so that any part left uncovered shows.
BUILD="$1"; SRC="$2"
HEADS_DIR="$(mktemp -d)"
if ! gcc -shared -fPIC -O1 -o "$HEADS_DIR/libXinerama.so.1" "$SRC/tests/e2e/lib/xinerama_heads.c"; then
    echo "FAILED: the Xinerama stand-in does not build"; rm -rf "$HEADS_DIR"; exit 1
fi
OWN_XVFB=""
for n in $(seq 150 199); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -wr -extension RANDR -screen 0 2944x1080x24 -nolisten tcp >/dev/null 2>&1 &
    OWN_XVFB=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 && break
    kill "$OWN_XVFB" 2>/dev/null; OWN_XVFB=""
done
[ -n "$OWN_XVFB" ] || { echo "FAILED: no virtual display"; rm -rf "$HEADS_DIR"; exit 1; }
export LD_LIBRARY_PATH="$HEADS_DIR${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
# On the X screen: the second monitor at 0..1023, the primary at 1024..2943.
export XINERAMA_HEADS="1920,1080,1024,0;1024,768,0,0"
source "$SRC/tests/e2e/lib/saver_e2e.sh"
XVFB_PID="$OWN_XVFB"  # ended by the library's clean-up
trap 'cleanup; rm -rf "$HEADS_DIR"' EXIT
# A server started before the monitors changed would answer with the old ones.
end_wine
reset_shared_settings
delete_key "$SETTINGS_KEY"

PRIMARY=1920x1080+1024+0
SECOND=1024x768+0+0
BELOW=1024x312+0+768  # on no monitor
# lit FILE GEOMETRY: how many pixels of the region are not black.
lit() { convert "$1" -crop "$2" +repage -fill white +opaque black -colorspace gray -format "%[fx:round(mean*w*h)]" info: 2>/dev/null; }
# wood FILE GEOMETRY: how many pixels of the region have the default board's light wood, which
# only a game draws (the desktop is white).
wood() {
    convert "$1" -crop "$2" +repage -fuzz 2% -fill black +opaque "rgb(220,179,92)" -fill white -opaque "rgb(220,179,92)" \
        -colorspace gray -format "%[fx:round(mean*w*h)]" info: 2>/dev/null
}
# stones FILE W H X Y: the 19 x 19 points of the board on the monitor of size W x H at X,Y, row by
# row, as b (black stone), w (white stone) or . (neither), where the saver's layout puts them.
stones() {
    local layout
    layout=$("$BUILD/wine-run.sh" "$BUILD/tools/inspect/senvola-inspect.exe" layout "$2" "$3" 19 2>/dev/null | tr -d '\r')
    convert "$1" -depth 8 rgb:- | python3 -c '
import json, sys
layout, width, ox, oy = json.loads(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
pixels = sys.stdin.buffer.read()
out = ""
for y in range(19):
    for x in range(19):
        px = ox + layout["BoardLeft"] + x * layout["CellWidth"] + layout["CellWidth"] // 4
        py = oy + layout["BoardTop"] + y * layout["CellHeight"] + layout["CellHeight"] // 4
        r, g, b = pixels[3 * (py * width + px): 3 * (py * width + px) + 3]
        out += "b" if r + g + b < 200 else "w" if min(r, g, b) > 170 and max(r, g, b) - min(r, g, b) < 40 else "."
print(out)' "$layout" "$(identify -format %w "$1")" "$4" "$5"
}
more_than() { [ "${1:-0}" -gt "$2" ] 2>/dev/null; }

xdotool mousemove 0 0
screenshot "$WORK/desktop.png"
check "the bare desktop is not black where the second monitor is (the checks below can fail)" \
    more_than "$(lit "$WORK/desktop.png" $SECOND)" 1000

note "one game, on the primary monitor"
start_saver /s
if wait_shown; then
    sleep 2
    screenshot "$WORK/one.png"
    check "the game fills the primary monitor" more_than "$(wood "$WORK/one.png" $PRIMARY)" 200000
    check "the second monitor is black" [ "$(lit "$WORK/one.png" $SECOND)" = 0 ]
    check "the part of the virtual screen on no monitor is black" [ "$(lit "$WORK/one.png" $BELOW)" = 0 ]
    xdotool mousemove 500 400
    sleep 1
    xdotool mousemove 800 400
    check "travel over the second monitor ends the saver" [ "$(wait_exit 15)" = 0 ]
else
    fail "the saver covers the whole virtual screen"
fi
stop_saver

note "a game per monitor"
set_dword "$SETTINGS_KEY" GamePerMonitor 1
# Fast, so that both boards fill before the screenshot.
set_dword "$SETTINGS_KEY" Speed 0
set_dword "$SETTINGS_KEY" CommentReadingTime 0
xdotool mousemove 0 0
start_saver /s
if wait_shown; then
    sleep 2
    screenshot "$WORK/each.png"
    check "the primary monitor shows a game" more_than "$(wood "$WORK/each.png" $PRIMARY)" 200000
    check "the second monitor shows one too" more_than "$(wood "$WORK/each.png" $SECOND)" 100000
    check "the part on no monitor stays black" [ "$(lit "$WORK/each.png" $BELOW)" = 0 ]
    # Games replayed at one pace: the same game would put the same stones on both boards.
    primary_stones=$(stones "$WORK/each.png" 1920 1080 1024 0)
    second_stones=$(stones "$WORK/each.png" 1024 768 0 0)
    note "stones on the primary board: $primary_stones"
    note "stones on the second board:  $second_stones"
    check "both boards have stones" [ "$(tr -cd bw <<<"$primary_stones$second_stones" | wc -c)" -gt 20 ]
    check "the monitors show different games" [ "$primary_stones" != "$second_stones" ]
    xdotool key space
    check "a key ends the saver" [ "$(wait_exit 15)" = 0 ]
else
    fail "the saver covers the whole virtual screen with a game per monitor"
fi
stop_saver
[ -n "${SENVOLA_KEEP_SHOTS:-}" ] && cp "$WORK"/*.png "$SENVOLA_KEEP_SHOTS"/ 2>/dev/null
delete_key "$SETTINGS_KEY"
reset_shared_settings
finish
