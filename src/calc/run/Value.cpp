// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/run/Value.h"

#include "calc/Tokens.h"

#include <QStringList>

namespace calc::run
{

QString stringText(const QVector<int> &tokens)
{
    QString s;
    for (int t : tokens)
        s += calc::tokens::displayString(t);
    return s;
}

QString displayText(const Value &v)
{
    switch (v.kind) {
    case Value::Real:
        return v.num.display();
    case Value::String:
        return stringText(v.text);
    case Value::List: {
        QStringList parts;
        for (const Number &n : v.items)
            parts << n.display();
        return QLatin1Char('{') + parts.join(QLatin1Char(' ')) + QLatin1Char('}');
    }
    case Value::Matrix:
        return matrixLines(v).join(QString());
    }
    return QString();
}

QStringList matrixLines(const Value &v)
{
    QStringList lines;
    for (int r = 0; r < v.rows; ++r) {
        QStringList parts;
        for (int c = 0; c < v.cols; ++c)
            parts << v.items[r * v.cols + c].display();
        QString line = (r == 0 ? QStringLiteral("[[") : QStringLiteral(" [")) +
                       parts.join(QLatin1Char(' ')) + QLatin1Char(']');
        if (r == v.rows - 1)
            line += QLatin1Char(']');
        lines << line;
    }
    return lines;
}

} // namespace calc::run
