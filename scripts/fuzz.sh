#!/bin/sh
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds a fuzz target with clang and runs it on its seed corpus.
#   scripts/fuzz.sh [target] [seconds] [build-dir] [workers]
#   target: rtf (default), calcfile, tokens, lsp, engine or checks; default 60 s,
#   build-fuzz, one worker. Several workers share the corpus; the total of
#   inputs run is printed at the end.
# The engine and checks targets start from the programs the tests run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-rtf}
seconds=${2:-60}
build=${3:-$root/build-fuzz}
workers=${4:-1}
mkdir -p "$build"
build=$(cd "$build" && pwd)
TORVANE_ROOT=$root
. "$root/scripts/deps.sh"
torvane_install_missing clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTORVANE_FUZZ=ON -DTORVANE_BENCH=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target" -j2
maxlen=65536
rss=2048
timeout=10
case $target in
rtf) seeds="$root/tests/rtf/data/rtf" ;;
lsp) seeds="$root/tests/lsp/data" ;;
engine | checks)
    # Programs are short, and the engine's process stays within a fixed
    # margin over what the calculators' RAM would hold.
    maxlen=4096
    rss=1024
    # 3,000 steps on five models under the sanitizers: a program that shows
    # a 65×65 matrix at every step takes 12 s (0.7 s plain). A statement's
    # own limit is the fuzzer's; this one only catches a hang.
    timeout=60
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
# The sanitizer keeps no allocation stacks: its store of them grows with
# every new path and would pass the memory ceiling after some 100,000
# inputs. A finding is run again with the stacks (ASAN_OPTIONS unset).
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=64}"
logs=$build/fuzz-logs-$target
rm -rf "$logs"
mkdir -p "$logs"
# Findings go to the scratch corpus; the seeds in the tree stay as they are.
# shellcheck disable=SC2086
run() {
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=$maxlen -rss_limit_mb=$rss \
        -timeout=$timeout -artifact_prefix="$build/$target-" -print_final_stats=1 "$@" "$corpus" $existing
}
cd "$logs"
if [ "$workers" -gt 1 ]; then
    run -jobs="$workers" -workers="$workers" || status=$?
    # When one worker stops on a finding the others would run on unwatched.
    pkill -f "$build/fuzz/fuzz_$target " 2>/dev/null || true
    cat fuzz-*.log
else
    run >fuzz-0.log 2>&1 || status=$?
    cat fuzz-0.log
fi
# libFuzzer prints its totals per worker.
runs=0
for n in $(cat fuzz-*.log 2>/dev/null | sed -n 's/^stat::number_of_executed_units: *//p'); do
    runs=$((runs + n))
done
echo "fuzz.sh: $target: $runs inputs in ${seconds} s on $workers worker(s)"
exit "${status:-0}"
