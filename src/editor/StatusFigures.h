#pragma once
// The figures the main frame's status bar shows for the active program pane.
#include <QString>
#include <QStringView>

namespace editor
{

// "Ln 3, Col 7": 1-based line and column of the caret.
QString positionFigure(int line, int column);

// The program's size on the calculator, or why it has none.
QString sizeFigure(QStringView model);

} // namespace editor
