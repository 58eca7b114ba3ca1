#!/bin/bash
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A screenshot of a document window holding a program that uses the store
# arrow, less than or equal, not equal, square root and theta, with the
# symbol palette's list open, taken on a virtual X server.
# usage: scripts/screenshot-symbols.sh [build folder] [picture.png]
# Needs xvfb-run and ImageMagick's import (neither is a build dependency).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(realpath -m "${2:-$build/screenshot-symbols.png}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A profile of its own: no first-time setup, tips or example window.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$XDG_CONFIG_HOME/torvane-studio"
cat >"$XDG_CONFIG_HOME/torvane-studio/torvane-studio.ini" <<'INI'
[Options]
Show%20First%20Time=0
Show%20Tips%20at%20Startup=0
Show%20Example=0
INI

# The program, as the rich-text file the editor saves (codes as \'xx).
cat >"$work/symbols.tvf" <<'RTF'
{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Ti83Pluspc;}}
\viewkind4\uc1\pard\f0\fs17 :Prompt X\par
:If X\'f7\'f0(10) and X\'f8\'c1\par
:Then\par
:X\'f2\'fcY\par
:Disp Y,\'f0(Y)\par
:End\par
}
RTF

# Moves the pointer to a point of the screen through the XTest extension
# and clicks there, unless told "move" only.
cat >"$work/click.py" <<'PY'
import ctypes, sys, time
x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
d = ctypes.c_void_p(x11.XOpenDisplay(None))
x, y = int(sys.argv[1]), int(sys.argv[2])
xtst.XTestFakeMotionEvent(d, -1, x, y, 0)
x11.XFlush(d)
time.sleep(0.3)
for down in (1, 0) if sys.argv[3:] != ["move"] else ():
    xtst.XTestFakeButtonEvent(d, 1, down, 0)
    x11.XFlush(d)
    time.sleep(0.1)
PY

cat >"$work/run.sh" <<'SH'
set -e
build=$1 work=$2 out=$3
"$build/torvane-studio" "$work/symbols.tvf" &
app=$!
sleep 8
# The main frame's place, e.g. 808x632+236+134; without a window manager
# it is where the stored placement puts it.
frame=$(xwininfo -root -tree | sed -n 's/.*("torvane-studio" "Torvane Studio") *\([0-9x+]*\) .*/\1/p')
IFS='x+' read -r w h x y <<<"$frame"
import -window root -crop "${w}x${h}+${x}+${y}" "$work/pane.png"
# The palette's arrow: the document window fills the frame from its
# corner, the palette is at the top of its middle column.
/usr/bin/python3 "$work/click.py" $((x + 329)) $((y + 111))
sleep 1
# Resting on the first entry shows its name.
/usr/bin/python3 "$work/click.py" $((x + 160)) $((y + 128)) move
sleep 2
import -window root -crop "${w}x${h}+${x}+${y}" "$work/palette.png"
kill $app
# Both states side by side, enlarged so the 8-point symbols can be read.
convert "$work/pane.png" "$work/palette.png" +repage +append -filter point -resize 150% "$out"
SH
xvfb-run -a -s "-screen 0 1280x900x24" bash "$work/run.sh" "$build" "$work" "$out"
echo "$out"
