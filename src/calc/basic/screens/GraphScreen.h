// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator's graph screen: 96 by 64 pixels, of which Pxl- commands
// reach rows 0-62 and columns 0-94 and points map through the window
// (Xmin...Ymax) onto that same 95 by 63 area. Drawing changes the pixels
// at once; a changed window or axes setting clears the drawing and redraws
// the axes the next time the screen is used, as the calculator does.
#include "calc/basic/core/Number.h"

#include <array>
#include <cstdint>

namespace calc::basic
{

class GraphScreen
{
public:
    static constexpr int kWidth = 96;
    static constexpr int kHeight = 64;
    static constexpr int kColumns = 95; // reachable by Pxl- and points
    static constexpr int kRows = 63;

    enum Mode { Off = 0, On = 1, Change = 2 };
    enum Window { Xmin, Xmax, Ymin, Ymax, Xscl, Yscl, kWindowVars };

    GraphScreen();

    bool pixel(int row, int col) const
    {
        return row >= 0 && row < kHeight && col >= 0 && col < kWidth && bits_[row * kWidth + col];
    }
    // Outside the screen does nothing.
    void set(int row, int col, Mode mode);

    Number window(Window w) const { return window_[w]; }
    // False when the minimum would not be below the maximum.
    bool setWindow(Window w, Number value);
    void standard(); // ZStandard
    using Windows = std::array<Number, kWindowVars>;
    Windows windows() const;
    // A zoom's window, set whole; false (and nothing set) when a minimum
    // would not be below its maximum.
    bool setWindows(const Windows &w);
    bool axes() const { return axes_; }
    void setAxes(bool on);

    // ClrDraw: the axes on an empty screen.
    void clear();
    // Redraws first when the window or axes changed since.
    void prepare()
    {
        if (stale_)
            clear();
    }
    // Whether the next use redraws; what is graphed changed (Y=, modes).
    bool stale() const { return stale_; }
    void invalidate() { stale_ = true; }

    // Where a point falls, in pixels (may be off the screen).
    double columnOf(double x) const;
    double rowOf(double y) const;

    // mark: 1 a dot, 2 a small box, 3 a cross.
    void point(double x, double y, Mode mode, int mark = 1);
    void line(double x1, double y1, double x2, double y2, Mode mode);
    // Between two pixel places, clipped to the screen.
    void pixelLine(double r1, double c1, double r2, double c2, Mode mode);
    void horizontal(double y, Mode mode);
    void vertical(double x, Mode mode);
    void circle(double x, double y, double r);

    // Grows on every change, so a display repaints only when it moved.
    std::uint64_t generation() const { return generation_; }

private:
    void drawAxes();
    double at(Window w) const { return double(window_[w].toLongDouble()); }

    std::array<std::uint8_t, kWidth * kHeight> bits_{};
    Number window_[kWindowVars];
    bool axes_ = true;
    bool stale_ = true;
    std::uint64_t generation_ = 0;
};

} // namespace calc::basic
