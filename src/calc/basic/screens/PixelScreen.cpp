// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/screens/PixelScreen.h"

#include <algorithm>
#include <cmath>

namespace calc::basic
{

namespace
{
constexpr std::uint32_t kInk = 0x01000000;

// Scale marks no closer than a pixel: more than `n` across would fill it.
bool marksApart(double span, double scale, int n)
{
    return scale > 0 && span / scale <= n;
}
} // namespace

PixelScreen::PixelScreen(int width, int height, int columns, int rows)
    : width_(width), height_(height), columns_(columns), rows_(rows),
      ink_(std::size_t(width) * height, 0)
{
    standard();
}

std::uint32_t PixelScreen::rgb(int row, int col) const
{
    if (!inside(row, col))
        return background_;
    const std::uint32_t v = ink_[std::size_t(row) * width_ + col];
    if (v)
        return v & 0xFFFFFF;
    return image_.empty() ? background_ : image_[std::size_t(row) * width_ + col];
}

void PixelScreen::set(int row, int col, Mode mode, std::uint32_t rgb)
{
    if (!inside(row, col))
        return;
    std::uint32_t &v = ink_[std::size_t(row) * width_ + col];
    if (rgb == kPen)
        rgb = pen_;
    const std::uint32_t now = mode == On || (mode == Change && !v) ? kInk | (rgb & 0xFFFFFF) : 0;
    if (v != now) {
        v = now;
        ++generation_;
    }
}

void PixelScreen::setBackground(std::uint32_t rgb)
{
    background_ = rgb & 0xFFFFFF;
    image_.clear();
    stale_ = true;
}

void PixelScreen::setBackgroundImage(const Image &image)
{
    background_ = kWhite;
    image_ = image;
    image_.resize(ink_.size(), kWhite);
    stale_ = true;
}

bool PixelScreen::setWindow(Window w, Number value)
{
    if (w == Xmin || w == Xmax || w == Ymin || w == Ymax) {
        const bool x = w == Xmin || w == Xmax;
        Number lo = x ? window_[Xmin] : window_[Ymin];
        Number hi = x ? window_[Xmax] : window_[Ymax];
        (w == Xmin || w == Ymin ? lo : hi) = value;
        if (!(lo < hi))
            return false;
    }
    window_[w] = value;
    stale_ = true;
    return true;
}

void PixelScreen::standard()
{
    window_[Xmin] = window_[Ymin] = Number::fromInt(-10);
    window_[Xmax] = window_[Ymax] = Number::fromInt(10);
    window_[Xscl] = window_[Yscl] = Number::fromInt(1);
    stale_ = true;
}

bool PixelScreen::setWindows(const Windows &w)
{
    if (!(w[Xmin] < w[Xmax]) || !(w[Ymin] < w[Ymax]))
        return false;
    window_ = w;
    stale_ = true;
    return true;
}

void PixelScreen::setAxes(bool on)
{
    if (axes_ != on)
        stale_ = true;
    axes_ = on;
}

void PixelScreen::setAxesRgb(std::uint32_t rgb)
{
    if (axesRgb_ != rgb)
        stale_ = true;
    axesRgb_ = rgb;
}

void PixelScreen::follow(PixelScreen &other)
{
    if (other.stale_ || window_ != other.window_ || axes_ != other.axes_) {
        window_ = other.window_;
        axes_ = other.axes_;
        stale_ = true;
        other.stale_ = false;
    }
}

void PixelScreen::setGrid(Grid grid, std::uint32_t rgb)
{
    if (grid_ != grid || gridRgb_ != rgb)
        stale_ = true;
    grid_ = grid;
    gridRgb_ = rgb;
}

void PixelScreen::clear()
{
    std::fill(ink_.begin(), ink_.end(), 0);
    stale_ = false;
    ++generation_;
    drawGrid();
    if (axes_)
        drawAxes();
}

double PixelScreen::columnOf(double x) const
{
    return (x - at(Xmin)) * (columns_ - 1) / (at(Xmax) - at(Xmin));
}

double PixelScreen::rowOf(double y) const
{
    return (at(Ymax) - y) * (rows_ - 1) / (at(Ymax) - at(Ymin));
}

void PixelScreen::drawGrid()
{
    if (grid_ == NoGrid)
        return;
    const double xs = at(Xscl), ys = at(Yscl), x0 = at(Xmin), x1 = at(Xmax), y0 = at(Ymin),
                 y1 = at(Ymax);
    const bool across = marksApart(x1 - x0, xs, columns_), down = marksApart(y1 - y0, ys, rows_);
    if (grid_ == GridDots) {
        // A dot at every pair of scale marks.
        if (!across || !down)
            return;
        for (double i = std::ceil(x0 / xs); i * xs <= x1; ++i)
            for (double j = std::ceil(y0 / ys); j * ys <= y1; ++j)
                pointAt(int(std::round(rowOf(j * ys))), int(std::round(columnOf(i * xs))), On, 1,
                        gridRgb_);
        return;
    }
    if (across)
        for (double i = std::ceil(x0 / xs); i * xs <= x1; ++i)
            vertical(i * xs, On, gridRgb_);
    if (down)
        for (double j = std::ceil(y0 / ys); j * ys <= y1; ++j)
            horizontal(j * ys, On, gridRgb_);
}

void PixelScreen::drawAxes()
{
    const double r = std::round(rowOf(0)), c = std::round(columnOf(0));
    const bool xAxis = r >= 0 && r < rows_, yAxis = c >= 0 && c < columns_;
    horizontal(0, On, axesRgb_);
    vertical(0, On, axesRgb_);
    // Tick marks beside each axis, one every scale unit, when they stand
    // apart from each other.
    const double xs = at(Xscl), ys = at(Yscl);
    if (xAxis && xs > 0 && xs * (columns_ - 1) / (at(Xmax) - at(Xmin)) >= 2) {
        for (double k = std::ceil(at(Xmin) / xs); k * xs <= at(Xmax); ++k) {
            const int col = int(std::round(columnOf(k * xs)));
            set(int(r) - 1, col, On, axesRgb_);
            set(int(r) + 1, col, On, axesRgb_);
        }
    }
    if (yAxis && ys > 0 && ys * (rows_ - 1) / (at(Ymax) - at(Ymin)) >= 2) {
        for (double k = std::ceil(at(Ymin) / ys); k * ys <= at(Ymax); ++k) {
            const int row = int(std::round(rowOf(k * ys)));
            set(row, int(c) - 1, On, axesRgb_);
            set(row, int(c) + 1, On, axesRgb_);
        }
    }
}

void PixelScreen::point(double x, double y, Mode mode, int mark, std::uint32_t rgb)
{
    const double r = std::round(rowOf(y)), c = std::round(columnOf(x));
    if (r >= 0 && r < rows_ && c >= 0 && c < columns_)
        pointAt(int(r), int(c), mode, mark, rgb);
}

void PixelScreen::pointAt(int row, int col, Mode mode, int mark, std::uint32_t rgb)
{
    if (!reachable(row, col))
        return;
    auto put = [&](int dr, int dc) {
        if (reachable(row + dr, col + dc))
            set(row + dr, col + dc, mode, rgb);
    };
    if (mark == 2) {
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc)
                if (dr || dc)
                    put(dr, dc);
    } else if (mark == 3) {
        put(0, 0);
        put(-1, 0);
        put(1, 0);
        put(0, -1);
        put(0, 1);
    } else {
        put(0, 0);
    }
}

void PixelScreen::pixelLine(double r1, double c1, double r2, double c2, Mode mode,
                            std::uint32_t rgb, int style)
{
    // Liang-Barsky against the reachable area, then Bresenham.
    double t0 = 0, t1 = 1;
    const double dc = c2 - c1, dr = r2 - r1;
    const double p[4] = {-dc, dc, -dr, dr};
    const double q[4] = {c1 + 0.5, columns_ - 0.5 - c1, r1 + 0.5, rows_ - 0.5 - r1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return;
    }
    auto clampTo = [](double v, int n) { return std::clamp(int(std::lround(v)), 0, n - 1); };
    int x0 = clampTo(c1 + t0 * dc, columns_), y0 = clampTo(r1 + t0 * dr, rows_);
    const int x1 = clampTo(c1 + t1 * dc, columns_), y1 = clampTo(r1 + t1 * dr, rows_);
    const int ax = std::abs(x1 - x0), ay = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const bool steep = -ay > ax;
    auto put = [&](int row, int col) {
        if (reachable(row, col))
            set(row, col, mode, rgb);
    };
    int err = ax + ay;
    for (;;) {
        put(y0, x0);
        if (style == Thick) // the second pixel beside the first, across the line
            put(y0 + (steep ? 0 : 1), x0 + (steep ? 1 : 0));
        else if (style == ShadeAbove)
            for (int r = 0; r < y0; ++r)
                put(r, x0);
        else if (style == ShadeBelow)
            for (int r = y0 + 1; r < rows_; ++r)
                put(r, x0);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= ay) {
            err += ay;
            x0 += sx;
        }
        if (e2 <= ax) {
            err += ax;
            y0 += sy;
        }
    }
}

void PixelScreen::line(double x1, double y1, double x2, double y2, Mode mode, std::uint32_t rgb,
                       int style)
{
    pixelLine(rowOf(y1), columnOf(x1), rowOf(y2), columnOf(x2), mode, rgb, style);
}

void PixelScreen::horizontal(double y, Mode mode, std::uint32_t rgb, int style)
{
    const double r = std::round(rowOf(y));
    pixelLine(r, 0, r, columns_ - 1, mode, rgb, style);
}

void PixelScreen::vertical(double x, Mode mode, std::uint32_t rgb, int style)
{
    const double c = std::round(columnOf(x));
    pixelLine(0, c, rows_ - 1, c, mode, rgb, style);
}

void PixelScreen::circle(double x, double y, double r, Mode mode, std::uint32_t rgb)
{
    // Enough points that neighbours touch on the largest circle that fits.
    const double rx = std::abs(r) * (columns_ - 1) / (at(Xmax) - at(Xmin));
    const double ry = std::abs(r) * (rows_ - 1) / (at(Ymax) - at(Ymin));
    circleAt(rowOf(y), columnOf(x), rx, ry, mode, rgb);
}

void PixelScreen::circleAt(double cr, double cc, double rx, double ry, Mode mode, std::uint32_t rgb)
{
    // Clamped as doubles: a radius of 1ᴇ76 pixels is no int.
    const double most = std::max(rx, ry);
    const int n = most < 1024 ? std::max(8, int(8 * most)) : 8192;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double row = std::round(cr - ry * std::sin(a)),
                     col = std::round(cc + rx * std::cos(a));
        if (row >= 0 && row < rows_ && col >= 0 && col < columns_)
            set(int(row), int(col), mode, rgb);
    }
}

void PixelScreen::shadeColumn(int col, int top, int bottom, Hatch hatch, int every, int phase,
                              Mode mode, std::uint32_t rgb)
{
    if (col < 0 || col >= columns_ || every < 1)
        return;
    for (int r = std::max(top, 0); r <= std::min(bottom, rows_ - 1); ++r) {
        const int k = hatch == Vertical     ? col
                      : hatch == Horizontal ? r
                      : hatch == Falling    ? r - col
                                            : r + col;
        if (((k + phase) % every + every) % every == 0)
            set(r, col, mode, rgb);
    }
}

} // namespace calc::basic
