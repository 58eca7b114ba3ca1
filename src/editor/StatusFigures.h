// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The figures the main frame's status bar shows for the active program pane.
#include <QString>
#include <QStringView>

namespace editor
{

// "Ln 3, Col 7": 1-based line and column of the caret.
QString positionFigure(int line, int column);

// The program's size on the calculator: "123 bytes" of tokens (a line break
// is one), without the variable's header; or "not tokenizable: line N" for
// the first line with a character no token spells.
QString sizeFigure(QStringView model);

} // namespace editor
