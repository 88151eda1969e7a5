#!/usr/bin/env bash
# Screenshots of the options dialog's three pages in every language of Senvola.ini, for a
# person who reads the language to check: build/win64/screenshots/dialog-<n>-<language>-<page>.png.
# The pages are reached with Ctrl+Tab, as a keyboard user would. Runs on a virtual display of
# its own (Xvfb) in the build's Wine prefix; the stored language is put back afterwards.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$ROOT/scripts/deps.sh"
configure_win
cmake --build "$WIN_BUILD" -j "$JOBS" --target Senvola
init_wine_prefix
export WINEPREFIX="$WIN_BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
OUT="$WIN_BUILD/screenshots"
mkdir -p "$OUT"
KEY='HKCU\Software\Tavrel\Senvola'

XVFB_PID=""
cleanup() {
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
for n in $(seq 120 199); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 && break
done

stored="$(wine reg query "$KEY" /v Language 2>/dev/null | tr -d '\r' | awk '$1 == "Language" {print $3}' || true)"
languages="$(tr -d '\r' <"$ROOT/data/Senvola.ini" | awk '/^\[/ {in_l = ($0 == "[Languages]"); next} in_l && /^[0-9]+=/ {print}')"
while IFS='=' read -r number name; do
    wine reg add "$KEY" /v Language /t REG_DWORD /d "$number" /f >/dev/null 2>&1
    wine "$WIN_BUILD/Senvola.scr" /c >/dev/null 2>&1 &
    pid=$!
    dlg=""
    for _ in $(seq 200); do
        dlg="$(xdotool search --onlyvisible --classname senvola.scr 2>/dev/null | head -1)" && [ -n "$dlg" ] && break
        sleep 0.1
    done
    if [ -z "$dlg" ]; then echo "$name: the dialog did not open" >&2; kill "$pid" 2>/dev/null; continue; fi
    sleep 1.5
    for page in replay graphics language; do
        file="$OUT/dialog-$number-$name-$page.png"
        import -window "$dlg" "$file" 2>/dev/null
        echo "$file"
        xdotool key --window "$dlg" ctrl+Tab; sleep 0.7
    done
    xdotool key --window "$dlg" Escape
    wait "$pid" 2>/dev/null || true
done <<<"$languages"
if [ -n "$stored" ]; then
    wine reg add "$KEY" /v Language /t REG_DWORD /d "$stored" /f >/dev/null 2>&1
else
    wine reg delete "$KEY" /v Language /f >/dev/null 2>&1 || true
fi
