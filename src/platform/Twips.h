// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QRect>
#include <cmath>

namespace platform
{

// Window lengths are kept in twips: 15 twips are one pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;

inline int px(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}
inline int twips(int pixels)
{
    return pixels * kTwipsPerPixel;
}
inline QRect rectTwips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace platform
