#!/usr/bin/env bash
# The main job: builds Senvola.scr (Windows build, MinGW-w64) and runs it under Wine in saver
# mode with the built-in games.
#  - With a usable X display ($DISPLAY), the saver covers that screen until you move the
#    mouse, click or press a key.
#  - Without one, it runs on a virtual 1920x1080 display (Xvfb); after ten seconds a
#    screenshot is taken, its path printed, and the saver ended.
# Arguments replace the default "/s" (for example: bash scripts/run.sh /p 1234).
# SENVOLA_RUN_SECONDS changes the ten seconds of the virtual run.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$ROOT/scripts/deps.sh"
configure_win
cmake --build "$WIN_BUILD" -j "$JOBS" --target Senvola
init_wine_prefix
export WINEPREFIX="$WIN_BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
args=("$@")
[ ${#args[@]} -gt 0 ] || args=(/s)

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Running Senvola.scr ${args[*]} on display $DISPLAY; move the mouse or press a key to end it."
    exec wine "$WIN_BUILD/Senvola.scr" "${args[@]}"
fi

# No display: a virtual one of our own.
XVFB_PID=""
SAVER_PID=""
cleanup() {
    [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null || true
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
for n in $(seq 120 199); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 && break
    kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
done
[ -n "$XVFB_PID" ] || { echo "No virtual display could be started" >&2; exit 1; }
seconds="${SENVOLA_RUN_SECONDS:-10}"
echo "No display: running Senvola.scr ${args[*]} on the virtual display $DISPLAY for $seconds seconds."
wine "$WIN_BUILD/Senvola.scr" "${args[@]}" &
SAVER_PID=$!
sleep "$seconds"
mkdir -p "$WIN_BUILD/screenshots"
shot="$WIN_BUILD/screenshots/senvola-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
echo "Screenshot: $shot"
# Ending it as a user would: a key press.
xdotool key space
for _ in $(seq 150); do kill -0 "$SAVER_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$SAVER_PID" 2>/dev/null; then
    echo "The saver did not end on a key press; stopping it." >&2
    exit 1
fi
status=0
wait "$SAVER_PID" || status=$?
SAVER_PID=""
echo "Senvola.scr ended with exit code $status."
exit "$status"
