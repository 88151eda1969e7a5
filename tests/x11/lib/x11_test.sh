# Shared by the X11 test scripts (sourced after BUILD and SRC are set): the programs, a scratch
# folder, a virtual display of the test's own, and cleanup of everything the test started.
# A script exits 77 (a skip, for CTest) when what it needs is not installed.
HACK="$BUILD/src/x11/senvola"
INSPECT="$BUILD/tools/inspect/senvola-inspect"
TEST_WINDOW="$BUILD/tests/x11/x11_test_window"
export PYTHONPATH="$SRC/tests/x11/lib${PYTHONPATH:+:$PYTHONPATH}"
TMP=$(mktemp -d)
STARTED=()  # process ids to end at exit
XVFB_PID=""
fail=0

cleanup() {
    local pid
    for pid in "${STARTED[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$TMP"
}
trap cleanup EXIT

skip() { echo "SKIP: $*"; exit 77; }
check() {  # check CONDITION-COMMAND... ; prints FAIL with the description in $WHAT
    if ! "$@"; then echo "FAIL: $WHAT"; fail=1; fi
}
need() { for c in "$@"; do command -v "$c" >/dev/null || skip "$c is not installed"; done; }

# start_xvfb WxH [Xvfb options...]: a display of our own on a free number; sets DISPLAY.
start_xvfb() {
    need Xvfb xdpyinfo
    local size=$1 n
    shift
    for n in $(shuf -i 300-599 -n 40); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp "$@" >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && { export DISPLAY=":$n"; return 0; }
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    done
    echo "FAIL: no virtual display could be started"
    exit 1
}

# wait_gone PID SECONDS: true when the process has ended within the time (a zombie that its
# parent has not reaped yet counts as ended).
wait_gone() {
    local i
    for i in $(seq $(($2 * 20))); do
        kill -0 "$1" 2>/dev/null || return 0
        [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ] && return 0
        sleep 0.05
    done
    return 1
}

now() { date +%s.%N; }
