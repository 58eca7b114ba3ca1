// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the graphs of equations, sequences and stat plots share: the pen
// that joins their points and the errors that only leave a point out.
#include "calc/basic/core/Error.h"
#include "calc/basic/screens/PixelScreen.h"

#include <cmath>
#include <cstdint>

namespace calc::basic
{

// Errors that only leave a point out of a graph; any other ends the program.
inline bool skipped(Error e)
{
    return e == Error::DataType || e == Error::DivideBy0 || e == Error::Domain ||
           e == Error::Increment || e == Error::NonrealAns || e == Error::Overflow;
}

// One curve: each point joined to the one before (Connected) or alone (Dot);
// a point that could not be computed breaks the line. The pen is one pixel,
// a plus three wide (the monochrome models' thick line) or a square two
// wide (the colour models' Thick and Dot-Thick).
struct Tracer {
    enum Pen { Fine, Plus, Square };
    PixelScreen &g;
    bool connected;
    Pen pen = Fine;
    std::uint32_t rgb = PixelScreen::kPen;
    bool have = false;
    double r = 0, c = 0;

    void to(double row, double col)
    {
        static const int kPlus[][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        static const int kSquare[][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
        const int(*at)[2] = pen == Square ? kSquare : kPlus;
        const int n = pen == Fine ? 1 : pen == Plus ? 5 : 4;
        for (int i = 0; i < n; ++i) {
            const int dr = at[i][0], dc = at[i][1];
            if (connected && have) {
                g.pixelLine(r + dr, c + dc, row + dr, col + dc, PixelScreen::On, rgb);
            } else {
                const double rr = std::round(row) + dr, cc = std::round(col) + dc;
                if (rr >= 0 && rr < g.rows() && cc >= 0 && cc < g.columns())
                    g.set(int(rr), int(cc), PixelScreen::On, rgb);
            }
        }
        have = true;
        r = row;
        c = col;
    }
    void gap() { have = false; }
};

class Calculator;
// The pen of an equation of the current mode (`number` as FnOn counts it;
// -1 for DrawF and its kin) in a Y= style, 0 for the mode's Connected or
// Dot: on the colour models in the equation's colour, Thick or Thin.
Tracer tracerFor(Calculator &c_, int style, int number = -1);

} // namespace calc::basic
