# Shared by the build scripts: build directories and the two configurations.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
HOST_BUILD="${SENVOLA_HOST_BUILD:-$ROOT/build/host}"
WIN_BUILD="${SENVOLA_WIN_BUILD:-$ROOT/build/win64}"
JOBS="${JOBS:-$(nproc)}"

configure_host() {
    cmake -S "$ROOT" -B "$HOST_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSENVOLA_SANITIZE=ON >/dev/null
}
configure_win() {
    cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
}
# Creates the Wine prefix once, so that the first test does not pay for it.
init_wine_prefix() {
    if [ ! -f "$WIN_BUILD/wineprefix/system.reg" ]; then
        echo "Creating Wine prefix in $WIN_BUILD/wineprefix"
        WINEPREFIX="$WIN_BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
            wineboot -i >/dev/null 2>&1 || true
        WINEPREFIX="$WIN_BUILD/wineprefix" wineserver -w || true
    fi
}
# One wineserver for the whole test run, kept alive between programs. Left to itself the server
# ends a moment after each program, and a program that starts just then may end with status 1
# before it has run, which reads as a failed test. The first program of a prefix also starts
# Wine's service processes, which live as long as the server and keep that program's output
# open: with a server that stays, a test's output would never end and ctest would wait for
# ever. So the services are started here, by a program whose output goes nowhere. (The saver
# scripts use a prefix of their own, which they start and end themselves.)
start_wineserver() {
    SENVOLA_PERSISTENT_WINESERVER=1
    WINEPREFIX="$WIN_BUILD/wineprefix" wineserver -p </dev/null >/dev/null 2>&1 || true
    WINEPREFIX="$WIN_BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        timeout 60 wine cmd.exe /c exit 0 \
        </dev/null >/dev/null 2>&1 || true
}
stop_wineserver() {
    [ -n "${SENVOLA_PERSISTENT_WINESERVER:-}" ] || return 0
    WINEPREFIX="$WIN_BUILD/wineprefix" timeout 20 wineserver -k >/dev/null 2>&1 || true
}
# A virtual display for the Windows tests unless one is given.
start_virtual_display() {
    if [ -z "${SENVOLA_USE_DISPLAY:-}" ]; then
        local n=$((90 + RANDOM % 100))
        Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        trap 'kill $XVFB_PID 2>/dev/null || true; stop_wineserver' EXIT
        sleep 1
    fi
}
