#!/usr/bin/env bash
# Figures of the running saver under Wine on a virtual display (1920x1080, or SENVOLA_BENCH_SIZE,
# e.g. 3840x2160):
#  1. 60 s at speed 0 (50 ms per move) and 60 s at speed 5 (500 ms) with the built-in games:
#     CPU time of the Senvola.scr process (utime + stime from /proc), of the wineserver and of
#     the X server, as a share of one core, and the process's peak memory (VmHWM).
#  2. 200 games at speed 0 with a pause of 0 (a short game file, so that the run takes a few
#     minutes): the resident memory (VmRSS) sampled every second, first game against last.
# Games are counted by the opens of the game file (inotify). Uses the Windows build of
# scripts/common.sh (build/win64, or SENVOLA_WIN_BUILD) and a Wine prefix of its own there.
# SENVOLA_BENCH_SECONDS shortens the two timed runs; SENVOLA_BENCH_GAMES the game count (0 leaves
# the memory run out).
set -euo pipefail
source "$(dirname "$0")/common.sh"
SECONDS_RUN="${SENVOLA_BENCH_SECONDS:-60}"
GAMES="${SENVOLA_BENCH_GAMES:-200}"
SIZE="${SENVOLA_BENCH_SIZE:-1920x1080}"
if [ ! -f "$WIN_BUILD/Senvola.scr" ]; then
    configure_win
    cmake --build "$WIN_BUILD" -j "$JOBS" --target Senvola
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
for n in 108 109 $(seq 160 199); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 && break
    kill "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""
done
[ -n "$XVFB_PID" ] || { echo "no virtual display" >&2; exit 1; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
fi
KEY='HKCU\Software\Tavrel\Senvola'
setd() { timeout 60 wine reg add "$KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
sets() { timeout 60 wine reg add "$KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
TCK=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
status_kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }
# Processes of our own prefix only: other Wine programs may run on the machine.
ours() { tr '\0' '\n' <"/proc/$1/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; }
saver_pid() { local p; for p in $(pgrep -f 'Senvola\.scr /s'); do ours "$p" && { echo "$p"; return; }; done; }
wineserver_pid() { local p; for p in $(pgrep wineserver); do ours "$p" && { echo "$p"; return; }; done; }

# start: runs the saver and waits for its Windows process; SAVER_PID.
start() {
    wine "$WIN_BUILD/Senvola.scr" /s >/dev/null 2>&1 &
    LAUNCH_PID=$!
    SAVER_PID=""
    for _ in $(seq 300); do SAVER_PID=$(saver_pid); [ -n "$SAVER_PID" ] && break; sleep 0.1; done
    [ -n "$SAVER_PID" ] || { echo "the saver did not start" >&2; exit 1; }
    sleep 3  # past start-up and the first game's drawing
}
stop() {
    xdotool key space
    for _ in $(seq 150); do kill -0 "$SAVER_PID" 2>/dev/null || break; sleep 0.1; done
    wait "$LAUNCH_PID" 2>/dev/null || true
    timeout 20 wineserver -k >/dev/null 2>&1 || true
}

timed_run() {  # timed_run SPEED
    setd FileLoadType 0
    setd Speed "$1"
    setd PauseBetweenGames 5
    start
    local ws xs p0 w0 x0 t0 p1 w1 x1 t1
    ws=$(wineserver_pid)
    xs=$XVFB_PID
    p0=$(cpu_ticks "$SAVER_PID"); w0=$(cpu_ticks "$ws"); x0=$(cpu_ticks "$xs"); t0=$(date +%s.%N)
    sleep "$SECONDS_RUN"
    p1=$(cpu_ticks "$SAVER_PID"); w1=$(cpu_ticks "$ws"); x1=$(cpu_ticks "$xs"); t1=$(date +%s.%N)
    local hwm rss
    hwm=$(status_kb "$SAVER_PID" VmHWM); rss=$(status_kb "$SAVER_PID" VmRSS)
    stop
    awk -v s="$1" -v p=$((p1 - p0)) -v w=$((w1 - w0)) -v x=$((x1 - x0)) -v t0="$t0" -v t1="$t1" -v tck="$TCK" \
        -v hwm="$hwm" -v rss="$rss" 'BEGIN {
        wall = t1 - t0
        printf "speed %d: %.0f s wall; Senvola.scr %.2f s CPU = %.2f%% of one core; wineserver %.2f%%; Xvfb %.2f%%; VmHWM %.1f MiB, VmRSS %.1f MiB\n",
            s, wall, p / tck, 100 * p / tck / wall, 100 * w / tck / wall, 100 * x / tck / wall, hwm / 1024, rss / 1024 }'
}

echo "== Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); $(wine --version 2>/dev/null)"
echo "== CPU and peak memory, ${SECONDS_RUN} s each, built-in games, $SIZE"
timed_run 0
timed_run 5
[ "$GAMES" -gt 0 ] || exit 0

echo "== ${GAMES} games at speed 0, pause 0"
# A short game: ten moves, so that a game takes about twelve ticks.
GAMEDIR="$WINEPREFIX/drive_c/benchgames"
mkdir -p "$GAMEDIR"
printf '(;GM[1]FF[4]SZ[19]PB[Black]PW[White];B[pd];W[dp];B[pp];W[dd];B[fq];W[cn];B[jp];W[qf];B[nc];W[pj])\n' \
    >"$GAMEDIR/short.sgf"
setd FileLoadType 1
sets DirFileString 'C:\benchgames\short.sgf'
setd Speed 0
setd PauseBetweenGames 0
python3 - "$GAMEDIR" "$GAMES" >"$WORK/opens.txt" 2>&1 <<'PY' &
# Counts opens of files in a directory with inotify, printing a line at each open.
import ctypes, os, struct, sys, time
libc = ctypes.CDLL("libc.so.6", use_errno=True)
fd = libc.inotify_init()
libc.inotify_add_watch(fd, sys.argv[1].encode(), 0x20)  # IN_OPEN
n = 0
while n < int(sys.argv[2]) + 1:
    buf = os.read(fd, 4096)
    i = 0
    while i < len(buf):
        _, mask, _, length = struct.unpack_from("iIII", buf, i)
        i += 16 + length
        n += 1
        print(n, time.time(), flush=True)
PY
COUNTER_PID=$!
sleep 0.5
start
: >"$WORK/rss.txt"
t0=$(date +%s)
while kill -0 "$COUNTER_PID" 2>/dev/null; do
    games=$(wc -l <"$WORK/opens.txt")
    echo "$(($(date +%s) - t0)) $games $(status_kb "$SAVER_PID" VmRSS)" >>"$WORK/rss.txt"
    [ $(($(date +%s) - t0)) -gt 1800 ] && { echo "stopped after 30 minutes"; break; }
    sleep 1
done
hwm=$(status_kb "$SAVER_PID" VmHWM)
stop
kill "$COUNTER_PID" 2>/dev/null || true
awk -v games="$GAMES" -v hwm="$hwm" '
    $2 >= 1 && first == "" { first = $3; firstt = $1 }
    $2 >= 1 { if (min == "" || $3 < min) min = $3; if ($3 > max) max = $3; last = $3; lastt = $1; lastg = $2 }
    END {
        printf "%d games in %d s; VmRSS at the first game %.1f MiB, at the last %.1f MiB (min %.1f, max %.1f, growth %+.1f MiB); VmHWM %.1f MiB\n",
            lastg, lastt - firstt, first / 1024, last / 1024, min / 1024, max / 1024, (last - first) / 1024, hwm / 1024 }' "$WORK/rss.txt"
echo "VmRSS samples (seconds, games, KiB):"
awk 'NR % 10 == 1' "$WORK/rss.txt" | tr '\n' ';'
echo
