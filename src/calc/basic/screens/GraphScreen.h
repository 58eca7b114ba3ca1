// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The monochrome models' graph screen: 96 by 64 pixels, of which Pxl-
// commands reach rows 0-62 and columns 0-94 and points map through the
// window onto that same 95 by 63 area.
#include "calc/basic/screens/PixelScreen.h"

namespace calc::basic
{

class GraphScreen : public PixelScreen
{
public:
    static constexpr int kWidth = 96;
    static constexpr int kHeight = 64;
    static constexpr int kColumns = 95; // reachable by Pxl- and points
    static constexpr int kRows = 63;

    GraphScreen() : PixelScreen(kWidth, kHeight, kColumns, kRows) {}
};

} // namespace calc::basic
