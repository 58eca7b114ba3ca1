// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/screens/GraphScreen.h"

#include <algorithm>
#include <cmath>

namespace calc::basic
{

GraphScreen::GraphScreen()
{
    standard();
}

void GraphScreen::set(int row, int col, Mode mode)
{
    if (row < 0 || row >= kHeight || col < 0 || col >= kWidth)
        return;
    std::uint8_t &b = bits_[row * kWidth + col];
    const std::uint8_t was = b;
    b = mode == Change ? !b : mode == On;
    if (b != was)
        ++generation_;
}

bool GraphScreen::setWindow(Window w, Number value)
{
    Number lo = window_[Xmin], hi = window_[Xmax];
    if (w == Xmin || w == Xmax || w == Ymin || w == Ymax) {
        const bool x = w == Xmin || w == Xmax;
        lo = x ? window_[Xmin] : window_[Ymin];
        hi = x ? window_[Xmax] : window_[Ymax];
        (w == Xmin || w == Ymin ? lo : hi) = value;
        if (!(lo < hi))
            return false;
    }
    window_[w] = value;
    stale_ = true;
    return true;
}

void GraphScreen::standard()
{
    window_[Xmin] = window_[Ymin] = Number::fromInt(-10);
    window_[Xmax] = window_[Ymax] = Number::fromInt(10);
    window_[Xscl] = window_[Yscl] = Number::fromInt(1);
    stale_ = true;
}

GraphScreen::Windows GraphScreen::windows() const
{
    Windows w;
    std::copy(std::begin(window_), std::end(window_), w.begin());
    return w;
}

bool GraphScreen::setWindows(const Windows &w)
{
    if (!(w[Xmin] < w[Xmax]) || !(w[Ymin] < w[Ymax]))
        return false;
    std::copy(w.begin(), w.end(), std::begin(window_));
    stale_ = true;
    return true;
}

void GraphScreen::setAxes(bool on)
{
    if (axes_ != on)
        stale_ = true;
    axes_ = on;
}

void GraphScreen::clear()
{
    bits_.fill(0);
    stale_ = false;
    ++generation_;
    if (axes_)
        drawAxes();
}

double GraphScreen::columnOf(double x) const
{
    return (x - at(Xmin)) * (kColumns - 1) / (at(Xmax) - at(Xmin));
}

double GraphScreen::rowOf(double y) const
{
    return (at(Ymax) - y) * (kRows - 1) / (at(Ymax) - at(Ymin));
}

void GraphScreen::drawAxes()
{
    const double r = std::round(rowOf(0)), c = std::round(columnOf(0));
    const bool xAxis = r >= 0 && r < kRows, yAxis = c >= 0 && c < kColumns;
    if (xAxis)
        for (int k = 0; k < kColumns; ++k)
            set(int(r), k, On);
    if (yAxis)
        for (int k = 0; k < kRows; ++k)
            set(k, int(c), On);
    // Tick marks beside each axis, one every scale unit, when they stand
    // apart from each other.
    const double xs = at(Xscl), ys = at(Yscl);
    if (xAxis && xs > 0 && xs * (kColumns - 1) / (at(Xmax) - at(Xmin)) >= 2) {
        for (double k = std::ceil(at(Xmin) / xs); k * xs <= at(Xmax); ++k) {
            const int col = int(std::round(columnOf(k * xs)));
            set(int(r) - 1, col, On);
            set(int(r) + 1, col, On);
        }
    }
    if (yAxis && ys > 0 && ys * (kRows - 1) / (at(Ymax) - at(Ymin)) >= 2) {
        for (double k = std::ceil(at(Ymin) / ys); k * ys <= at(Ymax); ++k) {
            const int row = int(std::round(rowOf(k * ys)));
            set(row, int(c) - 1, On);
            set(row, int(c) + 1, On);
        }
    }
}

void GraphScreen::point(double x, double y, Mode mode, int mark)
{
    const double r = std::round(rowOf(y)), c = std::round(columnOf(x));
    if (!(r >= 0 && r < kRows && c >= 0 && c < kColumns))
        return;
    const int row = int(r), col = int(c);
    auto put = [&](int dr, int dc) {
        if (row + dr >= 0 && row + dr < kRows && col + dc >= 0 && col + dc < kColumns)
            set(row + dr, col + dc, mode);
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

void GraphScreen::pixelLine(double r1, double c1, double r2, double c2, Mode mode)
{
    // Liang-Barsky against the reachable area, then Bresenham.
    double t0 = 0, t1 = 1;
    const double dc = c2 - c1, dr = r2 - r1;
    const double p[4] = {-dc, dc, -dr, dr};
    const double q[4] = {c1 + 0.5, kColumns - 0.5 - c1, r1 + 0.5, kRows - 0.5 - r1};
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
    int x0 = clampTo(c1 + t0 * dc, kColumns), y0 = clampTo(r1 + t0 * dr, kRows);
    const int x1 = clampTo(c1 + t1 * dc, kColumns), y1 = clampTo(r1 + t1 * dr, kRows);
    const int ax = std::abs(x1 - x0), ay = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = ax + ay;
    for (;;) {
        set(y0, x0, mode);
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

void GraphScreen::line(double x1, double y1, double x2, double y2, Mode mode)
{
    pixelLine(rowOf(y1), columnOf(x1), rowOf(y2), columnOf(x2), mode);
}

void GraphScreen::horizontal(double y, Mode mode)
{
    const double r = std::round(rowOf(y));
    if (r >= 0 && r < kRows)
        for (int k = 0; k < kColumns; ++k)
            set(int(r), k, mode);
}

void GraphScreen::vertical(double x, Mode mode)
{
    const double c = std::round(columnOf(x));
    if (c >= 0 && c < kColumns)
        for (int k = 0; k < kRows; ++k)
            set(k, int(c), mode);
}

void GraphScreen::circle(double x, double y, double r)
{
    // Enough points that neighbours touch on the largest circle that fits.
    const double rx = std::abs(r) * (kColumns - 1) / (at(Xmax) - at(Xmin));
    const double ry = std::abs(r) * (kRows - 1) / (at(Ymax) - at(Ymin));
    const int n = std::clamp(int(8 * std::max(rx, ry)), 8, 4096);
    const double cr = rowOf(y), cc = columnOf(x);
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double row = std::round(cr - ry * std::sin(a)),
                     col = std::round(cc + rx * std::cos(a));
        if (row >= 0 && row < kRows && col >= 0 && col < kColumns)
            set(int(row), int(col), On);
    }
}

} // namespace calc::basic
