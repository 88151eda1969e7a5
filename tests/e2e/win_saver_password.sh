#!/usr/bin/env bash
# The host's password check with a password library of our own in the prefix's system
# directory: refused keeps the saver and swallows the next key, accepted ends it; no library,
# a library without the entry point, the switch off, and the delay mean no password.
BUILD="$1"; SRC="$2"
source "$SRC/tests/e2e/lib/saver_e2e.sh"
reset_shared_settings
export SENVOLA_TEST_PASSWORD_LOG="$(winepath -w "$WORK/prompts.log" 2>/dev/null)"
prompts() { cat "$WORK/prompts.log" 2>/dev/null | grep -c VerifyScreenSavePwd; }
use_library() { cp "$FIXTURES/$1" "$SYSTEM32/Password.cpl"; }
started() {
    if wait_shown; then return 0; fi
    fail "$1: the saver shows its window"; stop_saver; return 1
}
shown() { saver_running && saver_window_shown; }

note "password on, refused"
xdotool mousemove 0 0
set_dword "$DESKTOP_KEY" ScreenSaveUsePassword 1
use_library test_password.cpl
rm -f "$WORK/prompts.log"
export SENVOLA_TEST_PASSWORD=0
start_saver /s
if started "refused"; then
    xdotool key a
    sleep 2
    check "a refused password keeps the saver" shown
    check "the library was asked once, with the saver window" \
        eval '[ "$(prompts)" = 1 ] && grep -q "VerifyScreenSavePwd WindowsScreenSaverClass" "$WORK/prompts.log"'
    # One prompt only: the key's release after the refusal was swallowed.
    xdotool key b
    sleep 2
    check "the next key asks again, its release is swallowed too" eval '[ "$(prompts)" = 2 ] && shown'
    xdotool mousemove 500 500
    sleep 1
    xdotool mousemove 900 900
    sleep 2
    check "mouse travel also asks" eval '[ "$(prompts)" = 3 ] && shown'
fi
stop_saver

note "password accepted"
rm -f "$WORK/prompts.log"
export SENVOLA_TEST_PASSWORD=1
start_saver /s
if started "accepted"; then
    xdotool key a
    check "an accepted password ends the saver with 0" [ "$(wait_exit 15)" = 0 ]
    check "after one prompt" [ "$(prompts)" = 1 ]
fi
stop_saver

note "the switch stored as text, as hosts of the NT line keep it"
set_string "$DESKTOP_KEY" ScreenSaveUsePassword 1
rm -f "$WORK/prompts.log"
export SENVOLA_TEST_PASSWORD=0
start_saver /s
if started "text switch"; then
    xdotool key a
    sleep 2
    check "\"1\" as text switches the password on" eval '[ "$(prompts)" = 1 ] && shown'
fi
stop_saver
set_dword "$DESKTOP_KEY" ScreenSaveUsePassword 1

note "password delay"
set_dword "$SAVERS_KEY" "Password Delay Index" 0
set_dword "$SAVERS_KEY" "Password Delay" 30
rm -f "$WORK/prompts.log"
start_saver /s
if started "delay"; then
    xdotool key a
    check "within the delay the saver ends without a password" [ "$(wait_exit 15)" = 0 ]
    check "no prompt" [ "$(prompts)" = 0 ]
fi
stop_saver
delete_key "$SAVERS_KEY"

note "no password"
for case in nolibrary noentry switchoff; do
    rm -f "$WORK/prompts.log" "$SYSTEM32/Password.cpl"
    set_dword "$DESKTOP_KEY" ScreenSaveUsePassword 1
    case $case in
    noentry) use_library test_password_noentry.cpl ;;
    switchoff) use_library test_password.cpl; set_dword "$DESKTOP_KEY" ScreenSaveUsePassword 0 ;;
    esac
    start_saver /s
    if started "$case"; then
        xdotool key a
        check "$case: a key ends the saver with 0" [ "$(wait_exit 15)" = 0 ]
        check "$case: no prompt" [ "$(prompts)" = 0 ]
    fi
    stop_saver
done
reset_shared_settings
finish
