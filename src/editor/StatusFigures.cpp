#include "editor/StatusFigures.h"

namespace editor
{

QString positionFigure(int line, int column)
{
    return QStringLiteral("Ln %1, Col %2").arg(line).arg(column);
}

QString sizeFigure(QStringView model)
{
    Q_UNUSED(model);
    return QString();
}

} // namespace editor
