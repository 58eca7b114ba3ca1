#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -u
TORVANE_ROOT="$(cd "$(dirname "$0")" && pwd)"
. "$TORVANE_ROOT/scripts/deps.sh"

torvane_install_missing || { echo "test.sh: installing packages failed"; exit 1; }
BUILD="${TORVANE_BUILD_DIR:-$TORVANE_ROOT/build}"
torvane_build "$BUILD" -DCMAKE_BUILD_TYPE=Release || { echo "test.sh: build failed"; exit 1; }

export QT_QPA_PLATFORM=offscreen
log="$(mktemp)"
( cd "$BUILD" && ctest --output-on-failure "$@" ) 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}
summary="$(grep -E 'tests passed|tests failed' "$log" | tail -n 1)"
rm -f "$log"
[ -n "$summary" ] && echo "$summary"
exit "$rc"
