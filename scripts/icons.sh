#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the application icon's PNG sizes from resources/icons/torvane-studio.svg.
# The PNGs are committed, so only run this after changing the SVG
# (needs rsvg-convert from librsvg2-bin).
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
svg="$root/resources/icons/torvane-studio.svg"
for s in 16 22 24 32 48 64 128 256; do
    dir="$root/resources/icons/hicolor/${s}x${s}/apps"
    mkdir -p "$dir"
    rsvg-convert -w "$s" -h "$s" "$svg" -o "$dir/torvane-studio.png"
done
