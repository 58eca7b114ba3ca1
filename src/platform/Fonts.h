// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QFont>
#include <QString>

namespace platform
{

// The calculator font and the caption font are named by the program but
// supplied by the system; when one is missing a close substitute is used.
QString calculatorFontName(); // "Ti83Pluspc"
QString captionFontName();    // "Fajita ICG Mild"
QFont calculatorFont(double points = 8.25);
QFont captionFont(double points, bool bold = false);
bool fontInstalled(const QString &family);

// Our own font with the calculator's symbols at the calculator font's
// character positions, shipped beside the program.
QString calculatorDisplayFamily(); // "Torvane Calc Mono"
QString calculatorDisplayFontFile();
// Called once at start-up: when the calculator font is not installed, loads
// our font from `file` and lets it stand in wherever the calculator font is
// named; files keep naming the calculator font. False when neither is there.
bool useCalculatorDisplayFont(const QString &file = calculatorDisplayFontFile());

} // namespace platform
