#!/usr/bin/env bash
# Builds and runs the main job: shows what the replay makes of the built-in games, and of a
# directory of game files when one is given.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$ROOT/scripts/deps.sh"
configure_host
cmake --build "$HOST_BUILD" -j "$JOBS" --target senvola-inspect
"$HOST_BUILD/tools/inspect/senvola-inspect" check builtin:1 builtin:2 builtin:3 builtin:4 builtin:5 builtin:6 "$@"
