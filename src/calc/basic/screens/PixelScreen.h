// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A graph screen of any size: its pixels over a background, the window
// (Xmin...Yscl) it maps onto them, and the drawing every command uses. The
// monochrome models' is 96 by 64 of which rows 0-62 and columns 0-94 are
// reachable; the colour models' 265 by 165, all reachable. Drawing changes
// the pixels at once; a changed window, axes setting or background clears
// the drawing and redraws the grid and axes the next time the screen is used.
#include "calc/basic/core/Number.h"

#include <array>
#include <cstdint>
#include <vector>

namespace calc::basic
{

class PixelScreen
{
public:
    enum Mode { Off = 0, On = 1, Change = 2 };
    enum Window { Xmin, Xmax, Ymin, Ymax, Xscl, Yscl, kWindowVars };
    // A line's style: one pixel, two wide, or shaded above or below it.
    enum Style { Thin = 1, Thick = 2, ShadeAbove = 3, ShadeBelow = 4 };
    // Shading's lines: vertical, horizontal, falling or rising to the right.
    enum Hatch { Vertical, Horizontal, Falling, Rising };
    enum Grid { NoGrid, GridDots, GridLines };
    static constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
    // Stands for the screen's pen: black, blue on the colour models.
    static constexpr std::uint32_t kPen = 0xFFFFFFFF;
    // An Image variable: width x height pixels, 0xRRGGBB, rows top down.
    using Image = std::vector<std::uint32_t>;
    using Windows = std::array<Number, kWindowVars>;

    // `columns` by `rows` of the `width` by `height` pixels are reachable.
    PixelScreen(int width, int height, int columns, int rows);
    // GraphScreen and ColourScreen are held and deleted as the one screen.
    virtual ~PixelScreen() = default;

    int width() const { return width_; }
    int height() const { return height_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    bool reachable(int row, int col) const
    {
        return row >= 0 && row < rows_ && col >= 0 && col < columns_;
    }

    // True when something is drawn there (pxl-Test(), not the background).
    bool pixel(int row, int col) const
    {
        return inside(row, col) && ink_[std::size_t(row) * width_ + col] != 0;
    }
    // 0xRRGGBB of what shows at a place: the drawing, else the background.
    std::uint32_t rgb(int row, int col) const;
    // What draws where no colour is given.
    std::uint32_t pen() const { return pen_; }
    void setPen(std::uint32_t rgb) { pen_ = rgb; }
    // On draws in `rgb`, Off goes back to the background, Change does
    // whichever the place needs. Outside the screen does nothing.
    void set(int row, int col, Mode mode, std::uint32_t rgb = kPen);

    // BackgroundOn colour / image; each clears the drawing on next use.
    void setBackground(std::uint32_t rgb);
    void setBackgroundImage(const Image &image);

    Number window(Window w) const { return window_[w]; }
    // False when the minimum would not be below the maximum.
    bool setWindow(Window w, Number value);
    void standard(); // ZStandard
    Windows windows() const { return window_; }
    // A zoom's window, set whole; false (and nothing set) when a minimum
    // would not be below its maximum.
    bool setWindows(const Windows &w);
    bool axes() const { return axes_; }
    void setAxes(bool on);
    // The axes' colour (AxesOn BLACK and the like); black unless set.
    void setAxesRgb(std::uint32_t rgb);
    // Takes another screen's window and axes, and its pending redraw (the
    // colour area draws through the window the monochrome screen keeps).
    void follow(PixelScreen &other);

    Grid grid() const { return grid_; }
    void setGrid(Grid grid, std::uint32_t rgb = kBlack);

    // ClrDraw: the background, the grid, the axes.
    void clear();
    // Redraws first when the window, axes or background changed since.
    void prepare()
    {
        if (stale_)
            clear();
    }
    // Whether the next use redraws; what is graphed changed (Y=, modes).
    bool stale() const { return stale_; }
    void invalidate() { stale_ = true; }

    // Where a point falls, in pixels (may be off the screen): the window
    // spans the reachable columns and rows, edge to edge.
    double columnOf(double x) const;
    double rowOf(double y) const;

    // mark: 1 a dot, 2 a small box, 3 a cross; a mark whose centre is off
    // the screen draws nothing.
    void point(double x, double y, Mode mode, int mark = 1, std::uint32_t rgb = kPen);
    void pointAt(int row, int col, Mode mode, int mark = 1, std::uint32_t rgb = kPen);
    void line(double x1, double y1, double x2, double y2, Mode mode, std::uint32_t rgb = kPen,
              int style = Thin);
    // Between two pixel places, clipped to the reachable area.
    void pixelLine(double r1, double c1, double r2, double c2, Mode mode, std::uint32_t rgb = kPen,
                   int style = Thin);
    void horizontal(double y, Mode mode, std::uint32_t rgb = kPen, int style = Thin);
    void vertical(double x, Mode mode, std::uint32_t rgb = kPen, int style = Thin);
    void circle(double x, double y, double r, Mode mode = On, std::uint32_t rgb = kPen);
    // An ellipse of radii rx, ry pixels about a pixel place.
    void circleAt(double row, double col, double rx, double ry, Mode mode = On,
                  std::uint32_t rgb = kPen);
    // The places of column `col` from `top` to `bottom` (clipped) that lie
    // on every `every`-th line of the hatch, counted from `phase`.
    void shadeColumn(int col, int top, int bottom, Hatch hatch, int every, int phase = 0,
                     Mode mode = On, std::uint32_t rgb = kPen);

    // What is drawn, to put back after a cursor shown over it.
    std::vector<std::uint32_t> drawing() const { return ink_; }
    void restore(std::vector<std::uint32_t> drawing)
    {
        if (drawing.size() == ink_.size()) {
            ink_ = std::move(drawing);
            ++generation_;
        }
    }

    // Grows on every change, so a display repaints only when it moved.
    std::uint64_t generation() const { return generation_; }

private:
    bool inside(int row, int col) const
    {
        return row >= 0 && row < height_ && col >= 0 && col < width_;
    }
    void drawGrid();
    void drawAxes();
    double at(Window w) const { return double(window_[w].toLongDouble()); }

    int width_, height_, columns_, rows_;
    // 0 where nothing is drawn, else kInk | 0xRRGGBB.
    std::vector<std::uint32_t> ink_;
    std::uint32_t background_ = kWhite;
    std::uint32_t pen_ = kBlack;
    Image image_; // empty: the plain background colour
    Windows window_;
    bool axes_ = true;
    std::uint32_t axesRgb_ = kBlack;
    Grid grid_ = NoGrid;
    std::uint32_t gridRgb_ = kBlack;
    bool stale_ = true;
    std::uint64_t generation_ = 0;
};

} // namespace calc::basic
