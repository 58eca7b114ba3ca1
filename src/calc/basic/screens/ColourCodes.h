// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The colour models' two-byte tokens the engine runs (0xEF prefix). Not for
// use outside src/calc/basic.

namespace calc::basic::ctok
{

enum : int {
    ColourFirst = 0xEF41, // BLUE = 10 ... DARKGRAY = 24
    ColourLast = 0xEF4F,
    Image1 = 0xEF50, // ... Image9 = 0xEF58
    Image0 = 0xEF59,
    GridLine = 0xEF5A,
    BackgroundOn = 0xEF5B,
    BackgroundOff = 0xEF64,
    GraphColor = 0xEF65,
    TextColor = 0xEF67,
    DetectAsymOn = 0xEF6A,
    DetectAsymOff = 0xEF6B,
    BorderColor = 0xEF6C,
    Thin = 0xEF74,
    DotThin = 0xEF75,
    Wait = 0xEF96,
    ToString = 0xEF97,
    Eval = 0xEF98,
    Piecewise = 0xEFA6,
};

} // namespace calc::basic::ctok
