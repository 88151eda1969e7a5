#!/usr/bin/env bash
# Compares what two builds make of the same inputs: senvola-inspect's check, read, replay and
# layout outputs over the shared game files, and the recording canvas's operation stream of
# whole games (senvola-replay-trace). Used when code is reorganised without meaning to change
# behaviour: any byte that moves is a difference.
#
#   scripts/compare_behaviour.sh [REV]   # REV defaults to the reference below
#
# REV is built from a temporary worktree; the current tree is built as it stands, including
# uncommitted changes. Outputs land in build/behaviour/<name>/; differences are listed and the
# script exits with 1.
set -euo pipefail
source "$(dirname "$0")/common.sh"
REFERENCE_REV="${1:-$(cat "$ROOT/scripts/behaviour_reference.txt")}"
SHARED="$ROOT/../shared"
OUT="$ROOT/build/behaviour"

if [ ! -d "$SHARED/sgf-corpus" ]; then
    echo "compare_behaviour: $SHARED/sgf-corpus is absent; nothing to compare" >&2
    exit 0
fi

build_tools() {  # source-dir build-dir
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSENVOLA_TESTS=OFF >/dev/null
    cmake --build "$2" -j "$JOBS" --target senvola-inspect senvola-replay-trace >/dev/null
}

# Writes every output of one build into a directory.
snapshot() {  # build-dir out-dir
    local inspect="$1/tools/inspect/senvola-inspect" trace="$1/tools/trace/senvola-replay-trace"
    local dest="$2"
    rm -rf "$dest"
    mkdir -p "$dest"
    find "$SHARED/sgf-corpus" "$SHARED/games" -type f | LC_ALL=C sort > "$dest/files.txt"
    local cmd
    for cmd in read replay; do
        while IFS= read -r f; do
            echo "== ${f#"$SHARED"/}"
            "$inspect" "$cmd" "$f" 2>&1 || echo "exit $?"
        done < "$dest/files.txt" > "$dest/$cmd.txt"
    done
    for n in 1 2 3 4 5 6; do
        echo "== builtin:$n"
        "$inspect" read "builtin:$n" 2>&1 || echo "exit $?"
        "$inspect" replay "builtin:$n" 2>&1 || echo "exit $?"
    done > "$dest/builtin.txt"
    (cd "$SHARED" && "$inspect" check -r sgf-corpus games 2>&1 || echo "exit $?") > "$dest/check.txt"
    {
        for size in "640 480" "800 600" "1024 768" "1280 1024" "1920 1080" "3840 2160" "152 112" \
                    "1080 1920" "200 3000" "0 0" "1 1" "99999 3"; do
            for n in 9 13 19 7 0; do
                for mode in "" "--board-only"; do
                    echo "== $size $n $mode"
                    # shellcheck disable=SC2086
                    "$inspect" layout $size $n $mode 2>&1 || echo "exit $?"
                done
            done
        done
    } > "$dest/layout.txt"
    # Whole games with captures, handicap, setup stones, passes and comments, beside the built-in ones.
    local extra=()
    mapfile -t extra < <(grep -E '\.(sgf|SGF|go|GO)$' "$dest/files.txt" | awk 'NR % 150 == 1')
    "$trace" "${extra[@]}" > "$dest/trace.txt" 2>&1 || echo "exit $?" >> "$dest/trace.txt"
}

ref_src="$ROOT/build/behaviour-src"
git -C "$ROOT" worktree remove --force "$ref_src" >/dev/null 2>&1 || rm -rf "$ref_src"
git -C "$ROOT" worktree prune
git -C "$ROOT" worktree add --detach "$ref_src" "$REFERENCE_REV" >/dev/null
trap 'git -C "$ROOT" worktree remove --force "$ref_src" >/dev/null 2>&1 || true' EXIT

echo "== Building the reference ($REFERENCE_REV) and the current tree"
build_tools "$ref_src" "$ROOT/build/behaviour-reference"
build_tools "$ROOT" "$ROOT/build/behaviour-current"
echo "== Recording outputs"
snapshot "$ROOT/build/behaviour-reference" "$OUT/reference"
snapshot "$ROOT/build/behaviour-current" "$OUT/current"

status=0
for f in files check read replay builtin layout trace; do
    lines=$(wc -l < "$OUT/current/$f.txt")
    if cmp -s "$OUT/reference/$f.txt" "$OUT/current/$f.txt"; then
        printf '%-8s identical (%s lines, sha256 %s)\n' "$f" "$lines" \
            "$(sha256sum < "$OUT/current/$f.txt" | cut -c1-16)"
    else
        printf '%-8s DIFFERS\n' "$f"
        # diff exits 1 on a difference: without the || the first difference would end the
        # script, and the outputs after it would go unreported.
        diff "$OUT/reference/$f.txt" "$OUT/current/$f.txt" | head -20 || true
        status=1
    fi
done
exit $status
