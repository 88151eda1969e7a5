#!/usr/bin/env bash
# Figures, in one run on one virtual 1920x1080 display: the native X11 hack and the Windows
# saver under Wine, each replaying the built-in games at 50 ms per move for the same time.
# For each: CPU time of the program's process as a share of one core, of the X server (and of
# the wineserver for Wine), and the process's peak and final memory (VmHWM, VmRSS).
# Builds what is missing: the hack in a Release build (build/rel, or SENVOLA_REL_BUILD) and
# Senvola.scr in the Windows build of scripts/common.sh, run in a Wine prefix of its own there.
# SENVOLA_BENCH_SECONDS sets the time of each run (default 60).
set -euo pipefail
source "$(dirname "$0")/common.sh"
SECONDS_RUN="${SENVOLA_BENCH_SECONDS:-60}"
REL_BUILD="${SENVOLA_REL_BUILD:-$ROOT/build/rel}"
if [ ! -x "$REL_BUILD/src/x11/senvola" ]; then
    cmake -S "$ROOT" -B "$REL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSENVOLA_TESTS=OFF >/dev/null
    cmake --build "$REL_BUILD" -j "$JOBS" --target senvola
fi
if [ ! -f "$WIN_BUILD/Senvola.scr" ]; then
    configure_win
    cmake --build "$WIN_BUILD" -j "$JOBS" --target Senvola
fi
export WINEPREFIX="$WIN_BUILD/bench-wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
XVFB_PID=""
HACK_PID=""
cleanup() {
    [ -n "$HACK_PID" ] && kill "$HACK_PID" 2>/dev/null || true
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
for n in $(shuf -i 600-699 -n 20); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 && break
    kill "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""
done
[ -n "$XVFB_PID" ] || { echo "no virtual display" >&2; exit 1; }

TCK=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
status_kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }
ours() { tr '\0' '\n' 2>/dev/null <"/proc/$1/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; }
saver_pid() { local p; for p in $(pgrep -f 'Senvola\.scr /s'); do ours "$p" && { echo "$p"; return; }; done; }
wineserver_pid() { local p; for p in $(pgrep wineserver); do ours "$p" && { echo "$p"; return; }; done; }

# measure NAME PID [OTHER_PID]: CPU over SECONDS_RUN after a settling time, then memory.
measure() {
    local name=$1 pid=$2 other=${3:-} p0 x0 o0 t0 p1 x1 o1 t1
    sleep 3
    p0=$(cpu_ticks "$pid"); x0=$(cpu_ticks "$XVFB_PID"); o0=0; [ -n "$other" ] && o0=$(cpu_ticks "$other")
    t0=$(date +%s.%N)
    sleep "$SECONDS_RUN"
    p1=$(cpu_ticks "$pid"); x1=$(cpu_ticks "$XVFB_PID"); o1=0; [ -n "$other" ] && o1=$(cpu_ticks "$other")
    t1=$(date +%s.%N)
    awk -v n="$name" -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v o=$((o1 - o0)) -v t0="$t0" -v t1="$t1" \
        -v tck="$TCK" -v hwm="$(status_kb "$pid" VmHWM)" -v rss="$(status_kb "$pid" VmRSS)" -v other="$other" 'BEGIN {
        wall = t1 - t0
        printf "%-28s %6.2f%% of a core   Xvfb %5.2f%%", n, 100 * p / tck / wall, 100 * x / tck / wall
        if (other != "") printf "   wineserver %5.2f%%", 100 * o / tck / wall
        printf "   VmHWM %6.1f MiB   VmRSS %6.1f MiB\n", hwm / 1024, rss / 1024 }'
}

echo "== $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); $(wine --version 2>/dev/null)"
echo "== built-in games, 50 ms per move, pause 5 s, 1920x1080, ${SECONDS_RUN} s each"

"$REL_BUILD/src/x11/senvola" -fullscreen -speed 0 -pause 5 -builtin 2>/dev/null &
HACK_PID=$!
measure "senvola (X11, native)" "$HACK_PID"
kill -TERM "$HACK_PID"
wait "$HACK_PID" || true
HACK_PID=""

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
fi
KEY='HKCU\Software\Tavrel\Senvola'
for v in "FileLoadType 0" "Speed 0" "PauseBetweenGames 5"; do
    set -- $v
    timeout 60 wine reg add "$KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
done
wine "$WIN_BUILD/Senvola.scr" /s >/dev/null 2>&1 &
LAUNCH_PID=$!
SAVER_PID=""
for _ in $(seq 300); do SAVER_PID=$(saver_pid); [ -n "$SAVER_PID" ] && break; sleep 0.1; done
[ -n "$SAVER_PID" ] || { echo "the Windows saver did not start" >&2; exit 1; }
measure "Senvola.scr /s (Wine)" "$SAVER_PID" "$(wineserver_pid)"
xdotool key space
for _ in $(seq 150); do kill -0 "$SAVER_PID" 2>/dev/null || break; sleep 0.1; done
wait "$LAUNCH_PID" 2>/dev/null || true
