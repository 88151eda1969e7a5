#!/usr/bin/env bash
# Senvola.scr under Wine with settings in the real registry: a fresh user, stored values read
# and clamped, a value of the wrong type, a missing and a present board bitmap; the saver
# writes nothing.
BUILD="$1"; SRC="$2"
source "$SRC/tests/e2e/lib/saver_e2e.sh"
reset_shared_settings
WOOD="220,179,92"
BOARD_PIXEL="34 56"           # the board's margin at 1920x1080, outside the grid and the coordinates
BOARD_REGION="880x920+0+0"    # board and stones at 1920x1080

# run_saver SECONDS SHOT...: starts the saver, takes screenshots at the given seconds after it
# is shown ($WORK/shot-N.png), ends it with a key.
run_saver() {
    start_saver /s
    if ! wait_shown; then fail "the saver shows its window"; stop_saver; return 1; fi
    local t=0 s
    for s in "$@"; do
        sleep $((s - t)); t=$s
        screenshot "$WORK/shot-$s.png"
    done
    xdotool key space
    [ "$(wait_exit 15)" = 0 ] || fail "the saver ends with 0 on a key"
    stop_saver
}

note "fresh user"
delete_key "$SETTINGS_KEY"
before_savers="$(reg_query "$SAVERS_KEY")"
run_saver 0
check "no settings key is created" bash -c "! timeout 60 wine reg query '$SETTINGS_KEY' >/dev/null 2>&1"
check "the board has its default colour" [ "$(pixel "$WORK/shot-0.png" $BOARD_PIXEL)" = "$WOOD" ]
check "the shared screensaver settings are not written" [ "$(reg_query "$SAVERS_KEY")" = "$before_savers" ]

note "stored values"
set_dword "$SETTINGS_KEY" BoardColor 0x0000FF00
set_dword "$SETTINGS_KEY" Speed 0
set_dword "$SETTINGS_KEY" PauseBetweenGames 1000
set_string "$SETTINGS_KEY" DirFileString "C:\\nowhere"
before="$(reg_query "$SETTINGS_KEY")"
run_saver 1 3
check "a stored board colour is used" [ "$(pixel "$WORK/shot-1.png" $BOARD_PIXEL)" = "0,255,0" ]
check "speed 0 plays moves every 50 ms" differ_region "$WORK/shot-1.png" "$WORK/shot-3.png" "$BOARD_REGION"
check "nothing is written in saver mode, clamped values included" [ "$(reg_query "$SETTINGS_KEY")" = "$before" ]

note "speed out of range is clamped to the slowest"
set_dword "$SETTINGS_KEY" Speed 300
run_saver 1 4
check "speed 300 (44) becomes 17: no move within 30 s" same_region "$WORK/shot-1.png" "$WORK/shot-4.png" "$BOARD_REGION"
check "the stored speed stays as it was" [ "$(reg_query "$SETTINGS_KEY" /v Speed | grep -o '0x[0-9a-f]*')" = 0x12c ]

note "a value of the wrong type keeps the default"
delete_value "$SETTINGS_KEY" Speed
set_string "$SETTINGS_KEY" BoardColor 65280
run_saver 0
check "BoardColor stored as a string: the default colour" [ "$(pixel "$WORK/shot-0.png" $BOARD_PIXEL)" = "$WOOD" ]
delete_value "$SETTINGS_KEY" BoardColor

note "board bitmaps"
set_dword "$SETTINGS_KEY" UseBoardBitmap 1
set_string "$SETTINGS_KEY" BoardBitmapName "C:\\no such picture.bmp"
run_saver 0
check "a missing board bitmap falls back to the colour" [ "$(pixel "$WORK/shot-0.png" $BOARD_PIXEL)" = "$WOOD" ]
check "and the setting is left as stored" [ "$(reg_query "$SETTINGS_KEY" /v UseBoardBitmap | grep -o '0x[0-9a-f]*')" = 0x1 ]
convert -size 64x64 xc:'rgb(0,0,255)' -type TrueColor BMP3:"$WINEPREFIX/drive_c/board.bmp"
set_string "$SETTINGS_KEY" BoardBitmapName "C:\\board.bmp"
run_saver 0
check "a board bitmap is tiled on the board" [ "$(pixel "$WORK/shot-0.png" $BOARD_PIXEL)" = "0,0,255" ]
# A picture stored top-down (a negative height, rows from the top) in another colour; which
# way up it is drawn the GDI tests check.
python3 - "$WINEPREFIX/drive_c/board.bmp" "$WINEPREFIX/drive_c/topdown.bmp" <<'PY'
import struct, sys
b = bytearray(open(sys.argv[1], 'rb').read())
off, = struct.unpack_from('<I', b, 10)
w, h = struct.unpack_from('<ii', b, 18)
stride = (w * 3 + 3) // 4 * 4
struct.pack_into('<i', b, 22, -h)
b[off:off + stride * h] = bytes([0, 200, 160] * w).ljust(stride, b'\0') * h
open(sys.argv[2], 'wb').write(b)
PY
set_string "$SETTINGS_KEY" BoardBitmapName "C:\\topdown.bmp"
run_saver 0
check "a top-down board bitmap is tiled on the board" [ "$(pixel "$WORK/shot-0.png" $BOARD_PIXEL)" = "160,200,0" ]
delete_key "$SETTINGS_KEY"

note "one game file, its final position held for the pause, then the next game"
# One move every 3 s, pause 5 s: new game at 0 s, the move at 3 s, two counting ticks at 6 s
# and 9 s, the next game (an empty board again) at 12 s.
printf '(;GM[1]FF[4]SZ[19]PB[Black]PW[White];B[jj])\n' >"$WINEPREFIX/drive_c/onemove.sgf"
set_dword "$SETTINGS_KEY" FileLoadType 1
set_string "$SETTINGS_KEY" DirFileString "C:\\onemove.sgf"
set_dword "$SETTINGS_KEY" Speed 9
set_dword "$SETTINGS_KEY" PauseBetweenGames 5
run_saver 0 3 9 12
check "the move is played one interval after the new game" differ_region "$WORK/shot-0.png" "$WORK/shot-3.png" "$BOARD_REGION"
check "the final position stays during the pause" same_region "$WORK/shot-3.png" "$WORK/shot-9.png" "$BOARD_REGION"
check "after the pause the next game starts on an empty board" same_region "$WORK/shot-0.png" "$WORK/shot-12.png" "$BOARD_REGION"
delete_key "$SETTINGS_KEY"
finish
