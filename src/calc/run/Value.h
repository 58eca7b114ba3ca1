// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a variable of the calculator holds: a real, a list of reals, a
// string (its tokens, as a program spells them) or a matrix.
#include "calc/run/Number.h"

#include <QString>
#include <QVector>

namespace calc::run
{

struct Value {
    enum Kind { Real, List, String, Matrix };
    Kind kind = Real;
    Number num;
    QVector<Number> items; // a list's elements, a matrix's row by row
    QVector<int> text;     // a string's tokens
    int rows = 0, cols = 0;

    static Value real(Number n)
    {
        Value v;
        v.num = n;
        return v;
    }
    static Value list(QVector<Number> items)
    {
        Value v;
        v.kind = List;
        v.items = std::move(items);
        return v;
    }
    static Value string(QVector<int> tokens)
    {
        Value v;
        v.kind = String;
        v.text = std::move(tokens);
        return v;
    }
};

// How the home screen writes a value on one line: "{1 2 3}", "⁻5", text.
QString displayText(const Value &v);
// A string's tokens as the screen shows them.
QString stringText(const QVector<int> &tokens);
// A matrix as its lines: "[[1 2]", " [3 4]]".
QStringList matrixLines(const Value &v);

} // namespace calc::run
