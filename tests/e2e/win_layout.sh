#!/usr/bin/env bash
# senvola-inspect layout under Wine: the worked examples, the extreme windows and usage errors.
# Usage: bash win_layout.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
BUILD=$(cd "$1" && pwd)
EXE="$BUILD/tools/inspect/senvola-inspect.exe"
[ -f "$EXE" ] || { echo "no tool at $EXE"; exit 1; }
exec python3 "$2/tests/e2e/lib/layout_check.py" --few "$BUILD/wine-run.sh" "$EXE"
