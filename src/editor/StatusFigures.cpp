// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/StatusFigures.h"

#include "calc/Tokens.h"

namespace editor
{

QString positionFigure(int line, int column)
{
    return QStringLiteral("Ln %1, Col %2").arg(line).arg(column);
}

QString sizeFigure(QStringView model)
{
    const calc::tokens::Tokenized t = calc::tokens::tokenize(model);
    if (!t.ok())
        return QStringLiteral("not tokenizable: line %1").arg(t.errorLine);
    const qsizetype bytes = t.bytes.size();
    return bytes == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(bytes);
}

} // namespace editor
