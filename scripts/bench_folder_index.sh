#!/usr/bin/env bash
# Figures of the folder source over a generated tree of 100,000 game files (100 x 10 folders,
# with a README and a text file in each) and over one folder of 10,000: time from selecting the
# folder to the first game, to the end of the listing, and the longest slice of the listing
# between two steps. Natively from a Release build (build/rel, or SENVOLA_REL_BUILD), then the
# Windows build (scripts/common.sh) under Wine on the same files. The tree is made once, in
# SENVOLA_BENCH_TREE (default: a folder in /tmp) and kept for the next run.
# SENVOLA_BENCH_RUNS sets the runs per tree (default 7).
set -euo pipefail
source "$(dirname "$0")/common.sh"
REL_BUILD="${SENVOLA_REL_BUILD:-$ROOT/build/rel}"
TREE="${SENVOLA_BENCH_TREE:-/tmp/senvola-folder-bench}"
RUNS="${SENVOLA_BENCH_RUNS:-7}"
JOBS="${JOBS:-2}"

cmake -S "$ROOT" -B "$REL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSENVOLA_TESTS=OFF >/dev/null
cmake --build "$REL_BUILD" -j "$JOBS" --target senvola_folder_bench >/dev/null
echo "== native ($(uname -sr))"
"$REL_BUILD/bench/senvola_folder_bench" "$TREE" "$RUNS"

if [ "${SENVOLA_BENCH_NATIVE_ONLY:-0}" = 1 ]; then exit 0; fi
[ -f "$WIN_BUILD/build.ninja" ] || configure_win
cmake --build "$WIN_BUILD" -j "$JOBS" --target senvola_folder_bench >/dev/null
init_wine_prefix
echo "== Windows build under $(wine --version 2>/dev/null | head -n 1)"
"$WIN_BUILD/wine-run.sh" "$WIN_BUILD/bench/senvola_folder_bench.exe" "$(WINEPREFIX="$WIN_BUILD/wineprefix" winepath -w "$TREE" 2>/dev/null)" "$RUNS"
