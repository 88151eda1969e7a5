#!/usr/bin/env bash
# Ending the saver with real input on the X display: mouse travel against the threshold, a
# first position at the origin, a key, a click; a system close command alone does not end it.
BUILD="$1"; SRC="$2"
source "$SRC/tests/e2e/lib/saver_e2e.sh"
reset_shared_settings

# Wine may or may not report the pointer's position when the window appears. The pointer
# waits at (0, 0), which is never taken as the anchor, so the first move of a test sets it.
# A dismissed saver hides its window at once; the process ends a moment later.
# alive_after_move X Y: moves the pointer; true when the window is still shown a second later.
alive_after_move() {
    xdotool mousemove "$1" "$2"
    sleep 1
    saver_running && saver_window_shown
}
# ended_after_move X Y: moves the pointer; true when the program then ends with 0.
ended_after_move() {
    xdotool mousemove "$1" "$2"
    [ "$(wait_exit 15)" = 0 ]
}
started() {  # started DESCRIPTION: the saver is up, or the test says why not
    if wait_shown; then return 0; fi
    fail "$1: the saver shows its window"
    stop_saver
    return 1
}

note "threshold 200 (the default)"
xdotool mousemove 0 0
start_saver /s
if started "threshold 200"; then
    check "the first position is only the anchor" alive_after_move 500 500
    check "150 + 50 pixels of travel keep the saver" alive_after_move 650 550
    check "back and forth within 200 keeps it" alive_after_move 400 420
    check "one pixel more ends it, with exit code 0" ended_after_move 651 550
fi
stop_saver

note "threshold 0 (High)"
set_dword "$SAVERS_KEY" "Mouse Threshold" 0
xdotool mousemove 0 0
start_saver /s
if started "threshold 0"; then
    check "the first position is only the anchor" alive_after_move 300 300
    check "the same position again keeps the saver" alive_after_move 300 300
    check "one pixel of travel ends it" ended_after_move 301 300
fi
stop_saver

note "ignore mouse movement"
set_dword "$SAVERS_KEY" "Mouse Threshold" 999999
xdotool mousemove 0 0
start_saver /s
if started "threshold 999999"; then
    xdotool mousemove 10 10
    check "moving across the screen keeps the saver" alive_after_move 1900 1000
    xdotool click 1
    sleep 1
    check "a click still ends it" [ "$(wait_exit 15)" = 0 ]
fi
stop_saver

note "a first position of (0, 0) is no anchor"
set_dword "$SAVERS_KEY" "Mouse Threshold" 200
xdotool mousemove 0 0
start_saver /s
if started "origin"; then
    check "the next position becomes the anchor, however far" alive_after_move 800 600
    check "150 + 50 from there keep the saver" alive_after_move 650 550
    check "201 from there ends it" ended_after_move 1001 600
fi
stop_saver

note "keys, clicks and system commands"
xdotool mousemove 0 0
start_saver /s
if started "keys"; then
    timeout 30 "$BUILD/wine-run.sh" "$FIXTURES/saver_host.exe" syscommand 61536 >"$WORK/sc.txt" 2>/dev/null  # SC_CLOSE
    sleep 1
    check "SC_CLOSE is answered with 1" grep -q "answer 1" "$WORK/sc.txt"
    check "SC_CLOSE alone does not end the saver" eval 'saver_running && saver_window_shown'
    xdotool keydown shift
    sleep 1
    check "a key press ends it" [ "$(wait_exit 15)" = 0 ]
    xdotool keyup shift
fi
stop_saver
start_saver /s
if started "click"; then
    xdotool click 3
    check "a right click ends it" [ "$(wait_exit 15)" = 0 ]
fi
stop_saver
reset_shared_settings
finish
