// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Screen text in the calculator font. The font holds the calculator's
// symbols at the codes 128-255 of a program (calc/ModelText.h), so a symbol
// is drawn by its code; ASCII and what has no code are drawn as they are.
#include <QString>
#include <QStringList>

namespace calculator
{

// Each cell of the text (calc::basic::screenCells) as the font draws it.
QStringList fontCells(const QString &text);

} // namespace calculator
