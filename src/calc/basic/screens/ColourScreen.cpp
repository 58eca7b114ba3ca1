// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/screens/ColourScreen.h"

namespace calc::basic
{

std::uint32_t colourRgb(int colour)
{
    // The wiki names the colours but gives no values: these are the usual
    // renderings of the fifteen.
    static const std::uint32_t kRgb[] = {
        0x0000FF, 0xFF0000, 0x000000, 0xFF00FF, 0x009F00, 0xFF8F20, 0x996633, 0x000080,
        0x00AFFF, 0xFFFF00, 0xFFFFFF, 0xE7E3E7, 0xC7C3C7, 0x8F8B8F, 0x515551,
    };
    return isColourNumber(colour) ? kRgb[colour - Blue] : 0xFFFFFF;
}

std::uint32_t borderRgb(int border)
{
    // Light gray, a pale green, light blue, white.
    static const std::uint32_t kRgb[] = {0xE7E3E7, 0xC4E8D8, 0xC0DCF8, 0xFFFFFF};
    return border >= 1 && border <= 4 ? kRgb[border - 1] : kRgb[0];
}

} // namespace calc::basic
