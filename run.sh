#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds a release build and starts Torvane Studio.
set -u
TORVANE_ROOT="$(cd "$(dirname "$0")" && pwd)"
. "$TORVANE_ROOT/scripts/deps.sh"

extra=""
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    extra="xvfb xauth"
fi
# shellcheck disable=SC2086
torvane_install_missing $extra || { echo "run.sh: installing packages failed"; exit 1; }
BUILD="${TORVANE_BUILD_DIR:-$TORVANE_ROOT/build}"
torvane_build "$BUILD" -DCMAKE_BUILD_TYPE=Release || { echo "run.sh: build failed"; exit 1; }

if [ -n "$extra" ]; then
    echo "run.sh: no display found; starting Torvane Studio under xvfb-run (a virtual display)."
    exec xvfb-run -a "$BUILD/torvane-studio" "$@"
fi
exec "$BUILD/torvane-studio" "$@"
