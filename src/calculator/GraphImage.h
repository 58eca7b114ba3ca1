// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The graph screen as an image, and Text( drawn in the calculator font.
#include "calc/basic/screens/GraphScreen.h"

#include <QImage>
#include <QString>

namespace calculator
{

// 96 by 64, dark pixels black on white.
QImage graphImage(const calc::basic::GraphScreen &graph);
// Writes graphImage() as PNG, whole or not at all.
bool writeGraphPng(const calc::basic::GraphScreen &graph, const QString &path, QString *error);
// Text( at a pixel place in the calculator font, small size: each letter's
// cell is cleared first, as the calculator clears it. Needs a
// QGuiApplication for its fonts.
void drawGraphText(calc::basic::GraphScreen &graph, int row, int col, const QString &text);
// Text(⁻1,…): the large font of the home screen.
void drawGraphLargeText(calc::basic::GraphScreen &graph, int row, int col, const QString &text);

} // namespace calculator
