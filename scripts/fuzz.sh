#!/bin/sh
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds a fuzz target with clang and runs it on its seed corpus.
#   scripts/fuzz.sh [target] [seconds] [build-dir]
#   target: rtf (default), calcfile, tokens, lsp, engine or checks; default 60 s, build-fuzz
# The engine and checks targets start from the programs the tests run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-rtf}
seconds=${2:-60}
build=${3:-$root/build-fuzz}
TORVANE_ROOT=$root
. "$root/scripts/deps.sh"
torvane_install_missing clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTORVANE_FUZZ=ON -DTORVANE_BENCH=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target" -j2
maxlen=65536
rss=2048
case $target in
rtf) seeds="$root/tests/rtf/data/rtf" ;;
lsp) seeds="$root/tests/lsp/data" ;;
engine | checks)
    # Programs are short, and the engine's process stays within a fixed
    # margin over what the calculators' RAM would hold.
    maxlen=4096
    rss=1024
    seeds="$build/fuzz-seeds-programs"
    python3 "$root/scripts/fuzz-seeds.py" "$seeds" "$root/tests/calc" "$root/tests/cli" >/dev/null
    ;;
*) seeds="$root/third_party/tivars_lib_cpp/testData $root/tests/calc/data" ;;
esac
corpus=$build/fuzz-corpus-$target
mkdir -p "$corpus"
existing=
for s in $seeds; do
    [ -d "$s" ] && existing="$existing $s"
done
# Findings go to the scratch corpus; the seeds in the tree stay as they are.
# shellcheck disable=SC2086
"$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=$maxlen -rss_limit_mb=$rss \
    -timeout=10 -artifact_prefix="$build/$target-" -print_final_stats=1 \
    "$corpus" $existing
