// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/screens/ColourScreen.h"

#include <algorithm>
#include <cmath>

namespace calc::basic
{

namespace
{
constexpr std::uint32_t kInk = 0x01000000;
}

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

ColourScreen::ColourScreen() : ink_(std::size_t(kWidth) * kHeight, 0) {}

std::uint32_t ColourScreen::pixel(int row, int col) const
{
    if (row < 0 || row >= kHeight || col < 0 || col >= kWidth)
        return background_;
    const std::uint32_t v = ink_[std::size_t(row) * kWidth + col];
    if (v)
        return v & 0xFFFFFF;
    return image_.empty() ? background_ : image_[std::size_t(row) * kWidth + col];
}

bool ColourScreen::drawn(int row, int col) const
{
    return row >= 0 && row < kHeight && col >= 0 && col < kWidth &&
           ink_[std::size_t(row) * kWidth + col] != 0;
}

void ColourScreen::set(int row, int col, std::uint32_t rgb)
{
    if (row < 0 || row >= kHeight || col < 0 || col >= kWidth)
        return;
    std::uint32_t &v = ink_[std::size_t(row) * kWidth + col];
    const std::uint32_t now = kInk | (rgb & 0xFFFFFF);
    if (v != now) {
        v = now;
        ++generation_;
    }
}

void ColourScreen::erase(int row, int col)
{
    if (row < 0 || row >= kHeight || col < 0 || col >= kWidth)
        return;
    std::uint32_t &v = ink_[std::size_t(row) * kWidth + col];
    if (v) {
        v = 0;
        ++generation_;
    }
}

void ColourScreen::setBackground(int colour)
{
    background_ = colourRgb(colour);
    image_.clear();
    fresh_ = false;
}

void ColourScreen::setBackgroundImage(const Image &image)
{
    background_ = 0xFFFFFF;
    image_ = image;
    image_.resize(std::size_t(kWidth) * kHeight, 0xFFFFFF);
    fresh_ = false;
}

void ColourScreen::backgroundOff()
{
    setBackground(White);
}

void ColourScreen::clear(const GraphScreen &w)
{
    std::fill(ink_.begin(), ink_.end(), 0);
    ++generation_;
    drawnWindow_ = w.windows();
    drawnAxes_ = w.axes();
    fresh_ = true;
    if (gridColour) {
        const double xs = double(w.window(GraphScreen::Xscl).toLongDouble());
        const double ys = double(w.window(GraphScreen::Yscl).toLongDouble());
        const double x0 = double(w.window(GraphScreen::Xmin).toLongDouble());
        const double x1 = double(w.window(GraphScreen::Xmax).toLongDouble());
        const double y0 = double(w.window(GraphScreen::Ymin).toLongDouble());
        const double y1 = double(w.window(GraphScreen::Ymax).toLongDouble());
        const std::uint32_t rgb = colourRgb(gridColour);
        if (xs > 0 && (x1 - x0) / xs < kWidth)
            for (double k = std::ceil(x0 / xs); k * xs <= x1; ++k) {
                const int c = int(std::lround(columnOf(w, k * xs)));
                for (int r = 0; r < kHeight; ++r)
                    set(r, c, rgb);
            }
        if (ys > 0 && (y1 - y0) / ys < kHeight)
            for (double k = std::ceil(y0 / ys); k * ys <= y1; ++k) {
                const int r = int(std::lround(rowOf(w, k * ys)));
                for (int c = 0; c < kWidth; ++c)
                    set(r, c, rgb);
            }
    }
    if (drawnAxes_)
        drawAxes(w);
}

void ColourScreen::prepare(const GraphScreen &w)
{
    if (!fresh_ || drawnAxes_ != w.axes() || drawnWindow_ != w.windows())
        clear(w);
}

double ColourScreen::columnOf(const GraphScreen &w, double x) const
{
    const double lo = double(w.window(GraphScreen::Xmin).toLongDouble());
    const double hi = double(w.window(GraphScreen::Xmax).toLongDouble());
    return (x - lo) * (kWidth - 1) / (hi - lo);
}

double ColourScreen::rowOf(const GraphScreen &w, double y) const
{
    const double lo = double(w.window(GraphScreen::Ymin).toLongDouble());
    const double hi = double(w.window(GraphScreen::Ymax).toLongDouble());
    return (hi - y) * (kHeight - 1) / (hi - lo);
}

void ColourScreen::drawAxes(const GraphScreen &w)
{
    const std::uint32_t rgb = colourRgb(Black);
    const double r = std::round(rowOf(w, 0)), c = std::round(columnOf(w, 0));
    if (r >= 0 && r < kHeight)
        for (int k = 0; k < kWidth; ++k)
            set(int(r), k, rgb);
    if (c >= 0 && c < kWidth)
        for (int k = 0; k < kHeight; ++k)
            set(k, int(c), rgb);
}

void ColourScreen::point(int row, int col, std::uint32_t rgb, int mark, bool erase)
{
    if (row < 0 || row >= kHeight || col < 0 || col >= kWidth)
        return;
    if (mark == 2) {
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc)
                if (dr || dc)
                    plot(row + dr, col + dc, rgb, erase);
    } else if (mark == 3) {
        plot(row, col, rgb, erase);
        plot(row - 1, col, rgb, erase);
        plot(row + 1, col, rgb, erase);
        plot(row, col - 1, rgb, erase);
        plot(row, col + 1, rgb, erase);
    } else {
        plot(row, col, rgb, erase);
    }
}

void ColourScreen::pixelLine(double r1, double c1, double r2, double c2, std::uint32_t rgb,
                             bool erase, int style)
{
    // Liang-Barsky against the area, then Bresenham.
    double t0 = 0, t1 = 1;
    const double dc = c2 - c1, dr = r2 - r1;
    const double p[4] = {-dc, dc, -dr, dr};
    const double q[4] = {c1 + 0.5, kWidth - 0.5 - c1, r1 + 0.5, kHeight - 0.5 - r1};
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
    int x0 = clampTo(c1 + t0 * dc, kWidth), y0 = clampTo(r1 + t0 * dr, kHeight);
    const int x1 = clampTo(c1 + t1 * dc, kWidth), y1 = clampTo(r1 + t1 * dr, kHeight);
    const int ax = std::abs(x1 - x0), ay = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const bool steep = -ay > ax;
    int err = ax + ay;
    for (;;) {
        plot(y0, x0, rgb, erase);
        if (style == 2) // the second pixel beside the first, across the line
            plot(y0 + (steep ? 0 : 1), x0 + (steep ? 1 : 0), rgb, erase);
        else if (style == 3)
            for (int r = 0; r < y0; ++r)
                plot(r, x0, rgb, erase);
        else if (style == 4)
            for (int r = y0 + 1; r < kHeight; ++r)
                plot(r, x0, rgb, erase);
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

void ColourScreen::circle(double cr, double cc, double rx, double ry, std::uint32_t rgb)
{
    const int n = std::clamp(int(8 * std::max(rx, ry)), 8, 8192);
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        set(int(std::round(cr - ry * std::sin(a))), int(std::round(cc + rx * std::cos(a))), rgb);
    }
}

} // namespace calc::basic
