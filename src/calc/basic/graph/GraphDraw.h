// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the graphs of equations, sequences and stat plots share: the pen
// that joins their points and the errors that only leave a point out.
#include "calc/basic/core/Error.h"
#include "calc/basic/screens/PixelScreen.h"

#include <cmath>

namespace calc::basic
{

// Errors that only leave a point out of a graph; any other ends the program.
inline bool skipped(Error e)
{
    return e == Error::DataType || e == Error::DivideBy0 || e == Error::Domain ||
           e == Error::Increment || e == Error::NonrealAns || e == Error::Overflow;
}

// One curve: each point joined to the one before (Connected) or alone (Dot);
// a point that could not be computed breaks the line. A thick pen draws the
// line again a pixel to each side.
struct Tracer {
    PixelScreen &g;
    bool connected;
    bool thick = false;
    bool have = false;
    double r = 0, c = 0;

    void to(double row, double col)
    {
        static const int kPen[][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (int i = 0; i < (thick ? 5 : 1); ++i) {
            const int dr = kPen[i][0], dc = kPen[i][1];
            if (connected && have) {
                g.pixelLine(r + dr, c + dc, row + dr, col + dc, PixelScreen::On);
            } else {
                const double rr = std::round(row) + dr, cc = std::round(col) + dc;
                if (rr >= 0 && rr < g.rows() && cc >= 0 && cc < g.columns())
                    g.set(int(rr), int(cc), PixelScreen::On);
            }
        }
        have = true;
        r = row;
        c = col;
    }
    void gap() { have = false; }
};

} // namespace calc::basic
