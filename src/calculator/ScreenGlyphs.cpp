// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/ScreenGlyphs.h"

#include "calc/CalculatorSymbols.h"
#include "calc/ModelText.h"
#include "calc/basic/screens/HomeScreen.h"

namespace calculator
{

QStringList fontCells(const QString &text)
{
    QStringList cells = calc::basic::screenCells(text);
    for (QString &cell : cells) {
        if (cell.isEmpty() || cell.at(0).unicode() < 0x80)
            continue; // ASCII is where the font has it
        // The font's small 10 is ⒑.
        const int code = calc::calcsymbols::byteFor(
            cell == QStringLiteral("\u2081\u2080") ? QStringLiteral("\u2491") : cell);
        if (code >= 0x80)
            cell = QString(calc::modelToDisplay(QChar(char16_t(code))));
    }
    return cells;
}

} // namespace calculator
