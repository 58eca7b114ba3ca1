// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Theme.h"

#include <cmath>

namespace platform::theme
{

namespace
{
double luminance(const QColor &c)
{
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}
} // namespace

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

QPalette themed(const QPalette &base, bool dark)
{
    QPalette p = base;
    const QColor text = dark ? QColor(0xE0, 0xE0, 0xE0) : QColor(0x10, 0x10, 0x10);
    const QColor background = dark ? QColor(0x1E, 0x1E, 0x1E) : QColor(0xFF, 0xFF, 0xFF);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, background);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Window,
                   dark ? QColor(0x2B, 0x2B, 0x2B) : QColor(0xF0, 0xF0, 0xF0));
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Button,
                   dark ? QColor(0x35, 0x35, 0x35) : QColor(0xE8, 0xE8, 0xE8));
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::Highlight,
                   dark ? QColor(0x26, 0x4F, 0x78) : QColor(0xAD, 0xD6, 0xFF));
        p.setColor(group, QPalette::HighlightedText, text);
        p.setColor(group, QPalette::PlaceholderText,
                   dark ? QColor(0x9A, 0x9A, 0x9A) : QColor(0x6E, 0x6E, 0x6E));
    }
    p.setColor(QPalette::Disabled, QPalette::Base, background);
    p.setColor(QPalette::Disabled, QPalette::Text,
               dark ? QColor(0x80, 0x80, 0x80) : QColor(0x78, 0x78, 0x78));
    return p;
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace platform::theme
