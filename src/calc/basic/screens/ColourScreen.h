// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The colour models' graph area: 265 by 165 pixels of colour over a
// background (a colour or an Image variable), drawn through the same window
// variables as the monochrome screen (GraphScreen keeps them). Pxl- and
// Text( reach rows 0-164 and columns 0-264.
#include "calc/basic/screens/GraphScreen.h"

#include <QHash>

#include <cstdint>

namespace calc::basic
{

// The colour numbers the colour tokens stand for.
enum Colour : int {
    Blue = 10,
    Red,
    Black,
    Magenta,
    Green,
    Orange,
    Brown,
    Navy,
    LtBlue,
    Yellow,
    White,
    LtGray,
    MedGray,
    Gray,
    DarkGray,
};
constexpr bool isColourNumber(long long n)
{
    return n >= Blue && n <= DarkGray;
}
// 0xRRGGBB of a colour number (10-24); white for any other.
std::uint32_t colourRgb(int colour);
// The border colours 1-4 of BorderColor.
std::uint32_t borderRgb(int border);

class ColourScreen : public PixelScreen
{
public:
    static constexpr int kWidth = 265;
    static constexpr int kHeight = 165;

    ColourScreen() : PixelScreen(kWidth, kHeight, kWidth, kHeight) { setPen(colourRgb(Blue)); }

    int textColour = Blue;
    int borderColour = 1;
    int gridColour = MedGray;     // GridColor: GridDot's dots and GridLine's lines
    int axesColour = Black;       // AxesOn's colour
    bool thin = false;            // Thin/Dot-Thin rather than Thick/Dot-Thick
    bool detectAsymptotes = true; // kept: graphs are drawn point by point
    // GraphColor('s colours by mode and equation number (GraphState's
    // style keys); absent is the number's default.
    QHash<int, int> graphColours;
    // An equation's colour: Y₁ blue, Y₂ red, Y₃ black ... Y₀ yellow, the
    // colour numbers in order; the other modes' 1-6 and u, v, w alike.
    int equationColour(int mode, int number) const
    {
        const auto it = graphColours.constFind(mode * 16 + number);
        return it != graphColours.constEnd() ? *it : Blue + (number + 9) % 10;
    }
};

} // namespace calc::basic
