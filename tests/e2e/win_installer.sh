#!/usr/bin/env bash
# The setup program under Wine, in a prefix of its own: a silent install for all users puts the
# saver into the system folder, selects it and registers its uninstaller; the saver then runs
# from there; the silent uninstall removes the files, the entry and (asked to) the settings, and
# leaves the shared screen-saver values as they were. Then the same for the current user only,
# with another saver chosen meanwhile, which the uninstall must leave chosen.
# Prints the setup's size and the time from its start to a running saver.
set -uo pipefail
BUILD="$(cd "$1" && pwd)"; SRC="$2"
export WINEPREFIX="$BUILD/installer-wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
FAILURES=0
XVFB_PID=""
SAVER_PID=""
WORK="$(mktemp -d)"

pass() { echo "ok: $*"; }
fail() { echo "FAILED: $*"; FAILURES=$((FAILURES + 1)); }
check() { local what="$1"; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
cleanup() {
    [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null
    timeout 20 wineserver -k >/dev/null 2>&1; timeout 20 wineserver -w >/dev/null 2>&1
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

VERSION="$(sed -n 's/^project(Senvola VERSION \([0-9.]*\).*/\1/p' "$SRC/CMakeLists.txt")"
SETUP="$BUILD/Senvola-$VERSION-setup.exe"
[ -f "$SETUP" ] || { echo "FAILED: $SETUP is missing (is nsis installed?)"; exit 1; }

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    for n in $(seq 200 249); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
        xdpyinfo >/dev/null 2>&1 && break
        kill "$XVFB_PID" 2>/dev/null; XVFB_PID=""
    done
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "-- creating the Wine prefix $WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
fi
wineserver -p 60 >/dev/null 2>&1  # one server for the whole script

# Registry values as "name=data" lines, sorted; nothing when the key is missing.
values() { timeout 60 wine reg query "$1" 2>/dev/null | tr -d '\r' | awk 'NF >= 3 && $2 ~ /^REG_/ {n=$1; $1=$2=""; sub(/^ +/, ""); print n "=" $0}' | sort; }
value() { values "$1" | awk -F= -v k="$2" 'tolower($1) == tolower(k) {sub(/^[^=]*=/, ""); print; exit}'; }
key_exists() { timeout 60 wine reg query "$1" >/dev/null 2>&1; }
no_key() { ! key_exists "$1"; }
reg() { timeout 60 wine reg "$@" >/dev/null 2>&1; }
# until COMMAND... holds, at most SECONDS (the uninstaller runs on from a copy of itself).
wait_for() { local limit=$(( $1 * 10 )); shift; for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done; return 1; }
# run_command LINE: a command line as the registry holds it, "program" and arguments.
run_command() {
    local exe="${1#\"}"; exe="${exe%%\"*}"
    local args="${1#*\" }"
    # shellcheck disable=SC2086  # the arguments are plain switches
    timeout 120 wine "$exe" $args "${@:2}" >/dev/null 2>&1
}
gone() { local f; for f in "$@"; do [ ! -e "$f" ] || return 1; done; }

DESKTOP='HKCU\Control Panel\Desktop'
SAVERS='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'
SETTINGS='HKCU\Software\Tavrel\Senvola'
ENTRY='Software\Microsoft\Windows\CurrentVersion\Uninstall\Senvola'
SYS="$WINEPREFIX/drive_c/windows/system32"
PF="$WINEPREFIX/drive_c/Program Files/Senvola"
USER_DIR="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Programs/Senvola"

# Leftovers of an earlier, interrupted run.
rm -f "$SYS/Senvola.scr" "$SYS/Senvola.ini" "$SYS/Senvola.html"; rm -rf "$PF" "$USER_DIR"
reg delete "HKLM\\$ENTRY" /f; reg delete "HKCU\\$ENTRY" /f; reg delete "$SETTINGS" /f
reg delete "$DESKTOP" /v SCRNSAVE.EXE /f
# The shared values every saver reads: the uninstall must leave them as they are.
reg add "$DESKTOP" /v ScreenSaveTimeOut /t REG_SZ /d 420 /f
reg add "$DESKTOP" /v ScreenSaveActive /t REG_SZ /d 1 /f
reg add "$DESKTOP" /v ScreenSaverIsSecure /t REG_SZ /d 1 /f
reg add "$SAVERS" /v "Mouse Threshold" /t REG_DWORD /d 50 /f
shared() { values "$DESKTOP" | grep -iv '^SCRNSAVE.EXE='; values "$SAVERS"; }
shared >"$WORK/shared-before"

echo "-- setup: $(stat -c %s "$SETUP") bytes"

echo "-- all users, silent"
start=$(now_ms)
timeout 120 wine "$SETUP" /S >/dev/null 2>&1
rc=$?
check "the silent setup ends with 0" [ "$rc" = 0 ]
check "Senvola.scr, Senvola.ini and Senvola.html are in the system folder" \
    test -f "$SYS/Senvola.scr" -a -f "$SYS/Senvola.ini" -a -f "$SYS/Senvola.html"
check "the installed saver is the built one" cmp -s "$SYS/Senvola.scr" "$BUILD/Senvola.scr"
check "the uninstaller is in Program Files" test -f "$PF/Uninstall.exe"
selected="$(value "$DESKTOP" SCRNSAVE.EXE)"
check "Senvola is the selected screensaver ($selected)" [ "${selected,,}" = 'c:\windows\system32\senvola.scr' ]
check "Apps & features lists Senvola for all users" [ "$(value "HKLM\\$ENTRY" DisplayName)" = Senvola ]
check "... with its version" [ "$(value "HKLM\\$ENTRY" DisplayVersion)" = "$VERSION" ]
uninstall="$(value "HKLM\\$ENTRY" QuietUninstallString)"
check "... and a silent uninstall command ($uninstall)" [ -n "$uninstall" ]
check "nothing is listed for the current user alone" no_key "HKCU\\$ENTRY"

# The saver as the system starts it: the selected file with /s.
( wine "$selected" /s >/dev/null 2>&1 ) &
SAVER_PID=$!
shown=""
for _ in $(seq 300); do
    xdotool search --onlyvisible --classname senvola.scr >/dev/null 2>&1 && { shown=$(now_ms); break; }
    sleep 0.05
done
if [ -n "$shown" ]; then
    pass "the installed saver shows its window"
    echo "-- from the setup's start to a running saver: $((shown - start)) ms"
else
    fail "the installed saver shows its window"
fi
sleep 1
xdotool key space 2>/dev/null
wait_for 15 sh -c "! kill -0 $SAVER_PID 2>/dev/null" || kill "$SAVER_PID" 2>/dev/null
SAVER_PID=""

reg add "$SETTINGS" /v Speed /t REG_DWORD /d 3 /f   # as the options dialog leaves it
run_command "$uninstall" /RemoveSettings
check "the uninstall removes the files" wait_for 20 gone "$SYS/Senvola.scr" "$SYS/Senvola.ini" "$SYS/Senvola.html" "$PF"
check "... and the Apps & features entry" wait_for 5 no_key "HKLM\\$ENTRY"
check "... and, asked to, the settings" no_key "$SETTINGS"
check "... and its own selection" [ -z "$(value "$DESKTOP" SCRNSAVE.EXE)" ]
shared >"$WORK/shared-after"
check "the shared screen-saver values are untouched" cmp -s "$WORK/shared-before" "$WORK/shared-after"

echo "-- current user only, silent"
timeout 120 wine "$SETUP" /S /CurrentUser >/dev/null 2>&1
check "the setup for the current user ends with 0" [ $? = 0 ]
check "the files are in the user's own folder" \
    test -f "$USER_DIR/Senvola.scr" -a -f "$USER_DIR/Senvola.ini" -a -f "$USER_DIR/Senvola.html" -a -f "$USER_DIR/Uninstall.exe"
check "nothing goes into the system folder" gone "$SYS/Senvola.scr" "$PF"
user_win="$(winepath -w "$USER_DIR/Senvola.scr" 2>/dev/null)"
selected="$(value "$DESKTOP" SCRNSAVE.EXE)"
check "Senvola is selected in the user's registry ($selected)" [ "${selected,,}" = "${user_win,,}" ]
check "Apps & features lists it for the current user" [ "$(value "HKCU\\$ENTRY" DisplayName)" = Senvola ]
check "... and not for all users" no_key "HKLM\\$ENTRY"
uninstall="$(value "HKCU\\$ENTRY" QuietUninstallString)"

reg add "$SETTINGS" /v Speed /t REG_DWORD /d 3 /f
reg add "$DESKTOP" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\other.scr' /f  # the user moved on
run_command "$uninstall"
check "the uninstall removes the user's folder" wait_for 20 gone "$USER_DIR"
check "... and the entry" wait_for 5 no_key "HKCU\\$ENTRY"
check "... keeps the settings when not asked" [ "$(value "$SETTINGS" Speed)" = 0x3 ]
check "... and the screensaver the user chose since" [ "$(value "$DESKTOP" SCRNSAVE.EXE)" = 'C:\windows\system32\other.scr' ]
shared >"$WORK/shared-after"
check "the shared screen-saver values are untouched" cmp -s "$WORK/shared-before" "$WORK/shared-after"
reg delete "$SETTINGS" /f; reg delete "$DESKTOP" /v SCRNSAVE.EXE /f

if [ "$FAILURES" -eq 0 ]; then echo "all checks passed"; exit 0; fi
echo "$FAILURES check(s) failed"; exit 1
