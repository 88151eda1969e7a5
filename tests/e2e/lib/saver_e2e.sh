# Shared by the end-to-end tests of Senvola.scr (sourced; not a test of its own).
# Usage: source this file with BUILD and SRC set. Every wait is bounded; wine processes of the
# prefix are ended on exit.
set -uo pipefail

BUILD="$(cd "$BUILD" && pwd)"
SCR="$BUILD/Senvola.scr"
FIXTURES="$BUILD/fixtures"
export WINEPREFIX="$BUILD/e2e-wineprefix"
export SENVOLA_WINEPREFIX="$WINEPREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
FAILURES=0
SAVER_PID=""
XVFB_PID=""
WORK="$(mktemp -d)"

note() { echo "-- $*"; }
pass() { echo "ok: $*"; }
fail() { echo "FAILED: $*"; FAILURES=$((FAILURES + 1)); }
check() {  # check "description" command...
    local what="$1"; shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# Ends every process of the prefix and waits until the server has gone: a Wine program that
# starts while the killed server is still shutting down ends at once with status 1, which the
# next test would read as its own failure.
end_wine() {
    timeout 20 wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1 || true
}

cleanup() {
    if [ -n "$SAVER_PID" ] && kill -0 "$SAVER_PID" 2>/dev/null; then kill "$SAVER_PID" 2>/dev/null; fi
    end_wine
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
}
trap cleanup EXIT

# One test script at a time: they share the prefix, the pointer and the screen.
exec 9>"$BUILD/e2e-saver.lock"
timeout 900 flock 9 || { echo "FAILED: could not take the e2e lock"; exit 1; }

if [ ! -f "$SCR" ]; then echo "FAILED: $SCR is missing"; exit 1; fi

# A display: the one given, else a virtual one of our own.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    for n in $(seq 150 199); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
        xdpyinfo >/dev/null 2>&1 && break
        kill "$XVFB_PID" 2>/dev/null; XVFB_PID=""
    done
fi
SCREEN_W=$(xdpyinfo | awk '/dimensions:/ {split($2, a, "x"); print a[1]}')
SCREEN_H=$(xdpyinfo | awk '/dimensions:/ {split($2, a, "x"); print a[2]}')

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    note "creating the Wine prefix $WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
fi
SYSTEM32="$WINEPREFIX/drive_c/windows/system32"
SCR_WIN="$(winepath -w "$SCR" 2>/dev/null)"

# A call that meets the wineserver just as it shuts down can fail: tried up to three times.
reg() {
    local i
    for i in 1 2 3; do timeout 60 wine reg "$@" >/dev/null 2>&1 && return 0; sleep 0.5; done
    return 1
}
reg_query() {
    local i out
    for i in 1 2 3; do
        out="$(timeout 60 wine reg query "$@" 2>/dev/null)" && { printf '%s\n' "$out" | tr -d '\r'; return 0; }
        sleep 0.5
    done
    return 1
}
SETTINGS_KEY='HKCU\Software\Tavrel\Senvola'
SAVERS_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'
DESKTOP_KEY='HKCU\Control Panel\Desktop'
set_dword() { reg add "$1" /v "$2" /t REG_DWORD /d "$3" /f; }
set_string() { reg add "$1" /v "$2" /t REG_SZ /d "$3" /f; }
delete_value() { reg delete "$1" /v "$2" /f; }
delete_key() { reg delete "$1" /f; }

# Default shared settings for every test: threshold 200, no password.
reset_shared_settings() {
    delete_key "$SAVERS_KEY"
    set_dword "$DESKTOP_KEY" ScreenSaveUsePassword 0
    rm -f "$SYSTEM32/Password.cpl" "$SYSTEM32/password.cpl"
}

# The saver's full-screen window is mapped and covers the screen.
saver_window_shown() {
    local id
    for id in $(xdotool search --onlyvisible --classname senvola.scr 2>/dev/null); do
        if xwininfo -id "$id" 2>/dev/null | grep -q "geometry ${SCREEN_W}x${SCREEN_H}+0+0"; then return 0; fi
    done
    return 1
}

# start_saver ARGS...: starts Senvola.scr (or $SAVER_EXE, a copy elsewhere) in the background;
# SAVER_PID, exit code in $WORK/rc.
start_saver() {
    rm -f "$WORK/rc"
    ( "$BUILD/wine-run.sh" "${SAVER_EXE:-$SCR}" "$@" >/dev/null 2>&1; echo $? >"$WORK/rc" ) &
    SAVER_PID=$!
}
# wait_shown: until the full-screen window is up (at most 30 s).
wait_shown() {
    for _ in $(seq 300); do saver_window_shown && { sleep 1; return 0; }; [ -f "$WORK/rc" ] && return 1; sleep 0.1; done
    return 1
}
# wait_exit SECONDS: until the program ended; prints its exit code, or "running".
wait_exit() {
    local limit=$(( $1 * 10 ))
    for _ in $(seq "$limit"); do [ -f "$WORK/rc" ] && { cat "$WORK/rc"; return 0; }; sleep 0.1; done
    echo running
}
saver_running() { [ ! -f "$WORK/rc" ]; }
# stop_saver: ends a saver that a test left running (key press, then force).
stop_saver() {
    if saver_running; then
        xdotool key Escape 2>/dev/null
        # Still there (a refused password, say): end every process of our prefix.
        [ "$(wait_exit 10)" = running ] && end_wine
    fi
    wait "$SAVER_PID" 2>/dev/null
    SAVER_PID=""
}

screenshot() { import -window root "$1" 2>/dev/null; }
# pixel FILE X Y: "r,g,b" of one pixel of a screenshot.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info: 2>/dev/null; }
# same_region A B GEOMETRY: the two screenshots agree on the region (e.g. 900x1080+0+0).
same_region() {
    local d
    convert "$1" -crop "$3" +repage "$WORK/crop-a.png" && convert "$2" -crop "$3" +repage "$WORK/crop-b.png" || return 1
    d=$(compare -metric AE "$WORK/crop-a.png" "$WORK/crop-b.png" null: 2>&1)
    [ "${d%% *}" = 0 ]
}
differ_region() { ! same_region "$@"; }

finish() {
    if [ "$FAILURES" -eq 0 ]; then echo "all checks passed"; exit 0; fi
    echo "$FAILURES check(s) failed"; exit 1
}
