#!/usr/bin/env bash
# Builds the libFuzzer target of one game-file reader and runs it for a number of seconds.
# Usage: bash scripts/fuzz.sh sgf|go SECONDS
# Needs clang (Debian's, with libFuzzer). Everything goes to build/fuzz: the binaries, the
# growing corpus (corpus-READER, kept between runs) and any crashing input (artifacts-READER).
set -euo pipefail

reader=${1:-}
seconds=${2:-}
if [[ "$reader" != sgf && "$reader" != go ]] || ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    echo "usage: bash scripts/fuzz.sh sgf|go SECONDS" >&2
    exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
shared=${SENVOLA_SHARED_DIR:-$root/../shared}
mkdir -p "$out/corpus-$reader" "$out/artifacts-$reader"

clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/src/core" -I"$root/fuzz" \
    "$root/src/core/records/game_record.cpp" "$root/src/core/records/reader_support.cpp" \
    "$root/src/core/records/sgf_reader.cpp" "$root/src/core/records/go_reader.cpp" \
    "$root/fuzz/${reader}_reader_fuzz.cpp" -o "$out/${reader}_reader_fuzz"

# Seeds: a few small real files, plus the inputs that once failed (kept in fuzz/regressions).
seeds=$out/seeds-$reader
rm -rf "$seeds" && mkdir -p "$seeds"
if [[ "$reader" == sgf ]]; then
    if [[ -d "$shared/sgf-corpus" ]]; then
        n=0
        while read -r f; do
            cp "$f" "$seeds/$n.sgf"
            n=$((n + 1))
            ((n < 40)) || break
        done < <(find "$shared/sgf-corpus" -type f -size -16k -name '*.sgf' | sort)
    fi
else
    cp "$root"/fuzz/seeds/go/* "$seeds/"
fi
if [[ -d "$root/fuzz/regressions/$reader" ]]; then
    cp "$root/fuzz/regressions/$reader"/* "$seeds/" 2>/dev/null || true
fi

cd "$out"
exec "./${reader}_reader_fuzz" "corpus-$reader" "$seeds" \
    -dict="$root/fuzz/$reader.dict" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="artifacts-$reader/" -print_final_stats=1
