#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and runs the whole test suite.
#   ./test.sh              plain build (build/) and every test
#   ./test.sh --sanitize   AddressSanitizer + UBSan build (build-sanitize/) and every test
#   ./test.sh --all        the plain run, then the sanitizer run
# Any other arguments go to ctest.
set -u
TORVANE_ROOT="$(cd "$(dirname "$0")" && pwd)"
. "$TORVANE_ROOT/scripts/deps.sh"

mode=plain
args=()
for a in "$@"; do
    case "$a" in
        --sanitize) mode=sanitize ;;
        --all) mode=all ;;
        *) args+=("$a") ;;
    esac
done

torvane_install_missing || { echo "test.sh: installing packages failed"; exit 1; }

# The same check as the format-check target.
format_check() {
    cmake -DROOT="$TORVANE_ROOT" -P "$TORVANE_ROOT/cmake/FormatCheck.cmake"
}

# Builds into $1 with the CMake options after it and runs ctest there.
run_suite() {
    local build="$1"; shift
    torvane_build "$build" "$@" || { echo "test.sh: build failed ($build)"; return 1; }
    local log
    log="$(mktemp)"
    ( cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure "${args[@]}" ) 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    summaries+=("$(basename "$build"): $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
    rm -f "$log"
    return "$rc"
}

summaries=()
rc=0
format_check || rc=1

if [ "$mode" = plain ] || [ "$mode" = all ]; then
    run_suite "${TORVANE_BUILD_DIR:-$TORVANE_ROOT/build}" -DCMAKE_BUILD_TYPE=Release || rc=1
fi
if [ "$mode" = sanitize ] || [ "$mode" = all ]; then
    # Leaks inside Qt's own libraries and the system's font and GL stacks are
    # listed in the reviewed suppressions file; nothing of ours is.
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
    export LSAN_OPTIONS="suppressions=$TORVANE_ROOT/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    run_suite "${TORVANE_SANITIZE_BUILD_DIR:-$TORVANE_ROOT/build-sanitize}" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVANE_SANITIZE=ON -DTORVANE_BENCH=OFF || rc=1
fi

# Each build's ctest line, then one closing line over all of them.
passed=0
failed=0
for s in "${summaries[@]}"; do
    echo "$s"
    if [[ "$s" =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=$((failed + BASH_REMATCH[1]))
        passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    fi
done
echo "tests: $passed passed, $failed failed"
exit "$rc"
