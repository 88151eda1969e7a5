#!/usr/bin/env bash
# A commented game with marks, at the fastest speed, followed on the screen: each commented move
# must stay long enough to be read (seconds, where the speed alone gives 50 ms), the marks of a
# move must be drawn on the board with it and gone after the next move, and the panel must
# change at the end. Screenshots at a commented move, at the move with marks and at the end are
# kept in BUILD/e2e-artefacts/follow_game/ for a person to read. The still picture of the end
# must come back whole after the system erases the window and after a change of the display.
BUILD="$1"; SRC="$2"
source "$SRC/tests/e2e/lib/saver_e2e.sh"
reset_shared_settings

ART="$BUILD/e2e-artefacts/follow_game"
rm -rf "$ART"
mkdir -p "$ART"

# Comments of 80 characters: 50 ms + 80 x 60 ms = 4.85 s each. Move 2 puts a triangle on the
# black stone of move 1 (D16) and the label A on the empty point K10. Move 3 has no comment.
TEXT='Black takes the upper left corner first, a calm and solid opening for this game.'
MARKS='White answers in the lower right. Look at the triangle and at the point marked A.'
GAME="$WORK/follow.sgf"
printf '(;GM[1]FF[4]SZ[19]PB[Follow]PW[The Game]RE[B+R]C[An introduction to this game.]\n;B[dd]C[%s]\n;W[pp]C[%s]TR[dd]LB[jj:A]\n;B[qq])\n' \
    "$TEXT" "$MARKS" >"$GAME"

delete_key "$SETTINGS_KEY"
set_dword "$SETTINGS_KEY" FileLoadType 1
set_string "$SETTINGS_KEY" DirFileString "$(winepath -w "$GAME" 2>/dev/null)"
set_dword "$SETTINGS_KEY" Speed 0
set_dword "$SETTINGS_KEY" PauseBetweenGames 60
# A dark board, so that the marks on it are white like the one on the black stone.
set_dword "$SETTINGS_KEY" BoardColor $((0x004080))

# The board's layout on the 1920 x 1080 screen of the tests: grid point (1, 1) at (72, 94),
# 42 pixels a cell.
[ "$SCREEN_W" = 1920 ] && [ "$SCREEN_H" = 1080 ] || { fail "the screen is 1920 x 1080 (it is ${SCREEN_W}x$SCREEN_H)"; finish; }
cx() { echo $((72 + ($1 - 1) * 42)); }
cy() { echo $((94 + ($1 - 1) * 42)); }
# The red channel beside a point's centre, clear of the grid lines and the last-move marker:
# about 40 on a shaded black stone, 255 on a white one, 128 on the dark brown board.
probe() { echo "p{$(($(cx "$1") - 12)),$(($(cy "$2") - 12))}.r"; }
# state SHOT: what D16, Q4 and R3 hold, as three letters (b, w or . for empty).
state() {
    local v
    v="$(convert "$1" -format "%[fx:int(255*$(probe 4 4))] %[fx:int(255*$(probe 16 16))] %[fx:int(255*$(probe 17 17))]" info: 2>/dev/null)"
    local out="" r
    for r in $v; do
        if [ "$r" -lt 80 ]; then out="${out}b"; elif [ "$r" -gt 210 ]; then out="${out}w"; else out="${out}."; fi
    done
    echo "$out"
}
# white_pixels SHOT X Y: pixels brighter than 75 % grey in the 24 x 24 square round point (X, Y);
# the marks here are white (on the black stone and on the dark brown board), nothing else is.
white_pixels() {
    convert "$1" -crop "24x24+$(($(cx "$2") - 12))+$(($(cy "$3") - 12))" +repage -colorspace gray \
        -threshold 75% -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null
}

start_saver /s
if ! wait_shown; then
    fail "the saver shows its window"
    stop_saver
    finish
fi

# Screenshots until the last move is on the board, each with the time it was taken.
note "screenshots while the game plays"
start="$(date +%s%3N)"
n=0
first_move="" last_move="" first_marks="" last_marks="" end_shot="" comment_shot="" marks_shot=""
while [ $(( $(date +%s%3N) - start )) -lt 30000 ]; do
    shot="$WORK/shot-$n.png"
    t=$(( $(date +%s%3N) - start ))
    screenshot "$shot"
    s="$(state "$shot")"
    case "$s" in
        b..) [ -z "$first_move" ] && first_move=$t && comment_shot="$shot"; last_move=$t ;;
        bw.) [ -z "$first_marks" ] && first_marks=$t && marks_shot="$shot"; last_marks=$t ;;
        bwb)
            # The tick after the last move says "Game over" with the result: 50 ms later.
            sleep 1
            end_shot="$WORK/end.png"
            screenshot "$end_shot"
            break ;;
    esac
    n=$((n + 1))
done
note "move 1 seen from ${first_move:-?} to ${last_move:-?} ms, move 2 from ${first_marks:-?} to ${last_marks:-?} ms, $n screenshots"

if [ -n "$comment_shot" ] && [ -n "$marks_shot" ] && [ -n "$end_shot" ]; then
    cp "$comment_shot" "$ART/commented_move.png"
    cp "$marks_shot" "$ART/markup_move.png"
    cp "$end_shot" "$ART/end.png"
    note "screenshots kept in $ART"
    # 4.85 s each; the screenshots come about every half second, so 3 s is a safe floor.
    check "the commented move 1 stays to be read (seen for $((last_move - first_move)) ms)" \
        test $((last_move - first_move)) -ge 3000
    check "the commented move 2 stays to be read (seen for $((last_marks - first_marks)) ms)" \
        test $((last_marks - first_marks)) -ge 3000
    tri="$(white_pixels "$marks_shot" 4 4)"; label="$(white_pixels "$marks_shot" 10 10)"
    check "the triangle is drawn on the black stone ($tri white pixels)" test "${tri:-0}" -ge 20
    check "the label A is drawn on its empty point ($label white pixels)" test "${label:-0}" -ge 10
    check "no mark shows with move 1" test "$(white_pixels "$comment_shot" 4 4)" -eq 0
    tri="$(white_pixels "$end_shot" 4 4)"; label="$(white_pixels "$end_shot" 10 10)"
    check "the marks are gone after the next move ($tri and $label white pixels)" \
        test "${tri:-1}" -eq 0 -a "${label:-1}" -eq 0
    # The move line ("Game over: B+R" now) and whose turn it is (no one's), at the top right.
    check "the panel's lines change at the end" differ_region "$marks_shot" "$end_shot" 900x180+940+0
    check "the end is still on the screen after the game" test "$(state "$end_shot")" = bwb
    # The pause leaves the screen still. Erased by the system (a window over it gone away), and
    # shrunk and told that the display changed (a monitor waking up), the saver must show the
    # same picture again, not the black the system erases to.
    timeout 30 "$BUILD/wine-run.sh" "$FIXTURES/saver_host.exe" erase >/dev/null 2>&1
    sleep 1
    screenshot "$WORK/erased.png"
    check "the whole picture is drawn again after the system erased it" same_region "$end_shot" "$WORK/erased.png" 1920x1080+0+0
    moved="$(timeout 30 "$BUILD/wine-run.sh" "$FIXTURES/saver_host.exe" displaychange 2>/dev/null | tr -d '\r')"
    sleep 1
    screenshot "$WORK/changed.png"
    check "a change of the display puts the window back over the screen ($moved)" test "$moved" = "window 0,0 1920x1080"
    check "and the picture is drawn again" same_region "$end_shot" "$WORK/changed.png" 1920x1080+0+0
else
    fail "a screenshot of move 1, of move 2 and of the end was taken"
    [ -n "$comment_shot" ] && cp "$comment_shot" "$ART/commented_move.png"
    [ -n "$marks_shot" ] && cp "$marks_shot" "$ART/markup_move.png"
    cp "$WORK/shot-$((n > 0 ? n - 1 : 0)).png" "$ART/last_seen.png" 2>/dev/null
fi

xdotool key space
check "a key ends the saver with 0" [ "$(wait_exit 15)" = 0 ]
stop_saver
delete_key "$SETTINGS_KEY"
finish
