#!/usr/bin/env bash
# The running saver's CPU at speed 0 (50 ms per move), built-in games, on one monitor against a
# virtual screen of two: 1920x1080 alone; two 1920x1080 monitors side by side, the second black;
# the same two with a game on each; and the same three at 3840x2160. For each: the CPU time of
# Senvola.scr, the wineserver and the X server as a share of one core, over SENVOLA_BENCH_SECONDS
# (default 60) after the first game is drawn. The two monitors are made as in
# tests/e2e/win_saver_monitors.sh (one Xvfb screen of the whole size, RANDR off, the heads named
# by a stand-in Xinerama library). Uses the Windows build of scripts/common.sh and a Wine prefix
# of its own there.
set -euo pipefail
source "$(dirname "$0")/common.sh"
SECONDS_RUN="${SENVOLA_BENCH_SECONDS:-60}"
if [ ! -f "$WIN_BUILD/Senvola.scr" ]; then
    configure_win
    cmake --build "$WIN_BUILD" -j "${JOBS:-2}" --target Senvola
fi
export WINEPREFIX="$WIN_BUILD/bench-wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WORK="$(mktemp -d)"
XVFB_PID=""
cleanup() {
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
gcc -shared -fPIC -O1 -o "$WORK/libXinerama.so.1" "$ROOT/tests/e2e/lib/xinerama_heads.c"
export LD_LIBRARY_PATH="$WORK${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"

# display W H: a virtual display of that size of our own, RANDR off; DISPLAY, XVFB_PID.
display() {
    [ -n "$XVFB_PID" ] && { kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""; }
    local n
    for n in $(seq 160 199); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -extension RANDR -screen 0 "$1x$2x24" -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
        kill "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""
    done
    echo "no virtual display" >&2
    exit 1
}

KEY='HKCU\Software\Tavrel\Senvola'
setd() { timeout 60 wine reg add "$KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
TCK=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
ours() { tr '\0' '\n' 2>/dev/null <"/proc/$1/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; }
saver_pid() { local p; for p in $(pgrep -f 'Senvola\.scr /s'); do ours "$p" && { echo "$p"; return; }; done; }
wineserver_pid() { local p; for p in $(pgrep wineserver); do ours "$p" && { echo "$p"; return; }; done; }

run() {  # run LABEL GAME_PER_MONITOR
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    timeout 20 wineserver -w >/dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        timeout 300 wineboot -i >/dev/null 2>&1 || true
        timeout 60 wineserver -w || true
    fi
    setd FileLoadType 0
    setd Speed 0
    setd PauseBetweenGames 5
    setd GamePerMonitor "$2"
    wine "$WIN_BUILD/Senvola.scr" /s >/dev/null 2>&1 &
    local launch=$! pid="" ws p0 w0 x0 t0 p1 w1 x1 t1
    for _ in $(seq 300); do pid=$(saver_pid); [ -n "$pid" ] && break; sleep 0.1; done
    [ -n "$pid" ] || { echo "the saver did not start" >&2; exit 1; }
    sleep 3
    ws=$(wineserver_pid)
    p0=$(cpu_ticks "$pid"); w0=$(cpu_ticks "$ws"); x0=$(cpu_ticks "$XVFB_PID"); t0=$(date +%s.%N)
    sleep "$SECONDS_RUN"
    p1=$(cpu_ticks "$pid"); w1=$(cpu_ticks "$ws"); x1=$(cpu_ticks "$XVFB_PID"); t1=$(date +%s.%N)
    xdotool key space
    for _ in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    wait "$launch" 2>/dev/null || true
    awk -v l="$1" -v p=$((p1 - p0)) -v w=$((w1 - w0)) -v x=$((x1 - x0)) -v t0="$t0" -v t1="$t1" -v tck="$TCK" 'BEGIN {
        wall = t1 - t0
        printf "%-44s %5.0f s wall; Senvola.scr %5.2f%% of one core; wineserver %5.2f%%; Xvfb %5.2f%%\n",
            l, wall, 100 * p / tck / wall, 100 * w / tck / wall, 100 * x / tck / wall }'
}

echo "== Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); $(wine --version 2>/dev/null)"
echo "== Speed 0 (50 ms per move), built-in games, ${SECONDS_RUN} s each"
for size in 1920x1080 3840x2160; do
    w=${size%x*} h=${size#*x}
    display "$w" "$h"
    export XINERAMA_HEADS="$w,$h,0,0"
    run "one monitor of $size" 0
    display $((2 * w)) "$h"
    export XINERAMA_HEADS="$w,$h,0,0;$w,$h,$w,0"
    run "two of $size, the second black" 0
    run "two of $size, a game on each" 1
done
