#!/usr/bin/env bash
# The hack under the real xscreensaver daemon: a settings file that lists only senvola, then
# xscreensaver-command -activate. The daemon must start it (with --root, on the window it made
# and named in XSCREENSAVER_WINDOW), the screen must show the board in the colour the settings
# line asks for, and -deactivate must stop it within 5 s with nothing reported on the way out.
# xscreensaver will not run hacks as root: the daemon runs as a user made here with useradd
# and removed at the end, on an Xvfb that takes any client (-ac). Needs root for that.
# Usage: bash xscreensaver_daemon.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$(cd "$1" && pwd)
SRC=$(cd "$2" && pwd)
source "$SRC/tests/x11/lib/x11_test.sh"
need xscreensaver xscreensaver-command useradd userdel runuser import python3
[ "$(id -u)" = 0 ] || skip "creating the daemon's user needs root"

USER_NAME="senvola-xs$$"
DAEMON_PID=""
finish() {
    if [ -n "$DAEMON_PID" ]; then
        as_user xscreensaver-command -exit >/dev/null 2>&1
        wait_gone "$DAEMON_PID" 5 || kill "$DAEMON_PID" 2>/dev/null
    fi
    id "$USER_NAME" >/dev/null 2>&1 && userdel "$USER_NAME" 2>/dev/null
    cleanup
}
trap finish EXIT

# The user's world: a home with the settings file, and the hack with its translations where
# the user may run them.
chmod 755 "$TMP"
mkdir -p "$TMP/home" "$TMP/bin"
cp "$HACK" "$(dirname "$HACK")/Senvola.ini" "$TMP/bin/"
useradd --system --no-create-home --home-dir "$TMP/home" --shell /usr/sbin/nologin "$USER_NAME" ||
    { echo "FAIL: useradd"; exit 1; }
cat >"$TMP/home/.xscreensaver" <<CONF
mode:		one
selected:	0
timeout:	0:30:00
cycle:		0:00:00
lock:		False
fade:		False
unfade:		False
splash:		False
dpmsEnabled:	False
verbose:	True
programs:	$TMP/bin/senvola --root -board-colour steelblue -delay 0.05
CONF
chown -R "$USER_NAME" "$TMP/home"

start_xvfb 1024x768 -ac
as_user() { runuser -u "$USER_NAME" -- env HOME="$TMP/home" DISPLAY="$DISPLAY" "$@"; }

as_user xscreensaver -no-splash >"$TMP/daemon.log" 2>&1 &
DAEMON_PID=$!
# The daemon answers once it has set itself up, which takes longer on a busy machine.
ready=0
for _ in $(seq 120); do as_user xscreensaver-command -time >/dev/null 2>&1 && { ready=1; break; }; sleep 0.25; done
WHAT="the daemon answers within 30 s" check [ $ready -eq 1 ]
as_user xscreensaver-command -activate >/dev/null 2>&1
WHAT="xscreensaver-command -activate is accepted" check [ $? -eq 0 ]

HACK_PID=""
for _ in $(seq 200); do
    HACK_PID=$(pgrep -u "$USER_NAME" -x senvola | head -1)
    [ -n "$HACK_PID" ] && break
    sleep 0.1
done
if [ -z "$HACK_PID" ]; then
    echo "FAIL: the daemon did not start senvola"
    cat "$TMP/daemon.log"
    exit 1
fi
echo "daemon started senvola as pid $HACK_PID: $(tr '\0' ' ' <"/proc/$HACK_PID/cmdline")"
WHAT="started with --root" check grep -qz -- '^--root$' "/proc/$HACK_PID/cmdline"
SAVER_WINDOW=$(tr '\0' '\n' <"/proc/$HACK_PID/environ" | sed -n 's/^XSCREENSAVER_WINDOW=//p')
WHAT="in the window the daemon names ($SAVER_WINDOW)" check [ -n "$SAVER_WINDOW" ]

sleep 1.5
import -window root -depth 8 ppm:"$TMP/screen.ppm"
python3 - "$INSPECT" "$TMP/screen.ppm" <<'PY' || fail=1
import sys, pictures as P
pic = P.load(sys.argv[2])
l = P.layout(sys.argv[1], 1024, 768, 19)
x, y = l["BoardLeft"] - l["CellWidth"], l["BoardTop"] - l["CellHeight"]
steelblue = (0x46, 0x82, 0xB4)
if not P.near(pic.at(x, y), steelblue, 2):
    print(f"FAIL: the screen shows {pic.at(x, y)} at the board's corner ({x}, {y}), not steel blue")
    sys.exit(1)
PY

t0=$(now)
as_user xscreensaver-command -deactivate >/dev/null 2>&1
WHAT="xscreensaver-command -deactivate stops senvola within 5 s" check wait_gone "$HACK_PID" 5
echo "senvola ended $(python3 -c "import sys; print(f'{float(sys.argv[2]) - float(sys.argv[1]):.2f}')" "$t0" "$(now)") s after -deactivate"
sleep 0.3
# The hack's output goes to the daemon's: a sanitizer report or an X error would be there.
WHAT="senvola reported nothing: $(grep -i 'senvola:\|sanitizer' "$TMP/daemon.log")" \
    check [ -z "$(grep -i 'senvola:\|sanitizer' "$TMP/daemon.log")" ]
WHAT="the daemon ran no other hack" check [ -z "$(grep 'forked "' "$TMP/daemon.log" | grep -v 'senvola --root' | grep -v 'xscreensaver-gl-visual')" ]
if [ "$fail" -ne 0 ]; then
    echo "-- daemon log"
    cat "$TMP/daemon.log"
fi

[ "$fail" -eq 0 ] && echo "xscreensaver_daemon: all checks passed"
exit "$fail"
