// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The colour models' graph area: 265 by 165 pixels of colour over a
// background (a colour or an Image variable), drawn through the same window
// variables as the monochrome screen (GraphScreen keeps them). Pxl- and
// Text( reach rows 0-164 and columns 0-264. The monochrome engine never
// touches this class, so it pays nothing for it.
#include "calc/basic/screens/GraphScreen.h"

#include <array>
#include <cstdint>
#include <vector>

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

class ColourScreen
{
public:
    static constexpr int kWidth = 265;
    static constexpr int kHeight = 165;
    // An Image variable: kWidth x kHeight pixels, 0xRRGGBB, rows top down.
    using Image = std::vector<std::uint32_t>;

    ColourScreen();

    // 0xRRGGBB of what shows at a place: the drawing, else the background.
    std::uint32_t pixel(int row, int col) const;
    // True when something is drawn there (not only the background).
    bool drawn(int row, int col) const;
    // Outside the area does nothing.
    void set(int row, int col, std::uint32_t rgb);
    // Back to the background at one place.
    void erase(int row, int col);

    // BackgroundOn colour / image; BackgroundOff. Each clears the drawing,
    // as a changed window does.
    void setBackground(int colour);
    void setBackgroundImage(const Image &image);
    void backgroundOff();

    int textColour = Blue;
    int borderColour = 1;
    int gridColour = 0;           // GridLine's colour; 0: no grid lines
    bool thin = false;            // Thin/Dot-Thin rather than Thick/Dot-Thick
    bool detectAsymptotes = true; // kept: graphs are drawn point by point
    std::array<int, 10> graphColours{
        {Blue, Blue, Red, Black, Magenta, Green, Orange, Brown, Navy, LtBlue}}; // Y0..Y9

    // ClrDraw: the background, the grid, the axes.
    void clear(const GraphScreen &window);
    // Redraws first when the window or the axes changed since.
    void prepare(const GraphScreen &window);

    double columnOf(const GraphScreen &w, double x) const;
    double rowOf(const GraphScreen &w, double y) const;

    // mark: 1 a dot, 2 a box, 3 a cross. erase: back to the background.
    void point(int row, int col, std::uint32_t rgb, int mark, bool erase);
    // Between two pixel places, clipped; style 2 two pixels wide, 3 and 4
    // shaded above or below.
    void pixelLine(double r1, double c1, double r2, double c2, std::uint32_t rgb, bool erase,
                   int style);
    void circle(double cr, double cc, double rx, double ry, std::uint32_t rgb);

    std::uint64_t generation() const { return generation_; }

private:
    void drawAxes(const GraphScreen &w);
    void plot(int row, int col, std::uint32_t rgb, bool erase)
    {
        if (erase)
            this->erase(row, col);
        else
            set(row, col, rgb);
    }

    // 0 where nothing is drawn, else 0x01RRGGBB.
    std::vector<std::uint32_t> ink_;
    std::uint32_t background_ = 0xFFFFFF;
    Image image_; // empty: the plain background colour
    GraphScreen::Windows drawnWindow_{};
    bool drawnAxes_ = false;
    bool fresh_ = false; // cleared at least once
    std::uint64_t generation_ = 0;
};

} // namespace calc::basic
