#!/usr/bin/env bash
# Builds everything and runs every test: the host build (with sanitizers) and the Windows
# build under Wine on a virtual display.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$ROOT/scripts/deps.sh"

echo "== Host build (g++, AddressSanitizer + UndefinedBehaviorSanitizer)"
configure_host
cmake --build "$HOST_BUILD" -j "$JOBS"
(cd "$HOST_BUILD" && ctest --output-on-failure -j "$JOBS")

echo "== Windows build (MinGW-w64, tests under Wine)"
configure_win
cmake --build "$WIN_BUILD" -j "$JOBS"
init_wine_prefix
start_virtual_display
start_wineserver
trap 'stop_wineserver; [ -z "${XVFB_PID:-}" ] || kill "$XVFB_PID" 2>/dev/null || true' EXIT
(cd "$WIN_BUILD" && ctest --output-on-failure)
