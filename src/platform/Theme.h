// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The light and dark colour sets the program pane and the calculator window
// are drawn with, and the contrast of two colours as WCAG defines it.
#include <QColor>
#include <QPalette>

namespace platform::theme
{

// A palette reads as dark when its text background does.
bool isDark(const QPalette &palette);
// `base` with the text, background and selection colours of a light or a
// dark set. The Window colour is the pane margin's shade.
QPalette themed(const QPalette &base, bool dark);
// WCAG 2 contrast ratio, 1 to 21.
double contrast(const QColor &a, const QColor &b);

} // namespace platform::theme
