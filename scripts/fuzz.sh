#!/bin/sh
# Builds the RTF reader's fuzz target with clang and runs it on the seed corpus.
#   scripts/fuzz.sh [seconds] [build-dir]     (default 60 s, build-fuzz)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$root/build-fuzz}
TORVANE_ROOT=$root
. "$root/scripts/deps.sh"
torvane_install_missing clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTORVANE_FUZZ=ON -DTORVANE_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_rtf -j2
corpus=$build/fuzz-corpus
mkdir -p "$corpus"
# Findings go to the scratch corpus; the seeds in the tree stay as they are.
"$build/fuzz/fuzz_rtf" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -timeout=10 -artifact_prefix="$build/" -print_final_stats=1 \
    "$corpus" "$root/tests/platform/data/rtf"
