#!/usr/bin/env bash
# senvola-inspect layout against independently computed geometry, many window sizes.
# Usage: bash host_layout.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
TOOL="$1/tools/inspect/senvola-inspect"
[ -x "$TOOL" ] || { echo "no tool at $TOOL"; exit 1; }
exec python3 "$2/tests/e2e/lib/layout_check.py" "$TOOL"
