// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the engine's tests share: programs typed as in the editor, the
// outcome of a run as a row, rows of a program and what it shows, and the graph screen's lit pixels
// as runs.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/screens/GraphScreen.h"

#include <QStringList>
#include <QTest>
#include <QtDebug>

#include <utility>

namespace testing
{

// A program with '\n' between its lines, as its token bytes.
inline QByteArray programBytes(const QString &program)
{
    QString text = program;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
    if (!t.ok())
        qWarning("%s", qPrintable(t.error));
    return t.bytes;
}

// Ans as the screen shows it, or the error, what it names, and its line.
inline QString outcome(calc::basic::Engine &engine, const QString &program)
{
    using calc::basic::Error;
    const calc::basic::Outcome o = engine.run(programBytes(program));
    if (o.error == Error::None)
        return calc::basic::displayText(engine.ans());
    QString s = calc::basic::errorName(o.error);
    if (o.error == Error::Unsupported)
        s += QLatin1Char(' ') + o.detail;
    return s + QStringLiteral(" line ") + QString::number(o.line);
}

// Data rows "program" and "shown", each named.
inline void addRows(const QList<std::pair<const char *, std::pair<QString, QString>>> &rows)
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("shown");
    for (const auto &[name, row] : rows)
        QTest::newRow(name) << row.first << row.second;
}

// The lit pixels as runs "row:first-last", row by row ("31:47" for one).
inline QString litRuns(const calc::basic::PixelScreen &g)
{
    QStringList runs;
    for (int r = 0; r < g.height(); ++r) {
        for (int c = 0; c < g.width(); ++c) {
            if (!g.pixel(r, c))
                continue;
            int last = c;
            while (last + 1 < g.width() && g.pixel(r, last + 1))
                ++last;
            runs << (last == c ? QStringLiteral("%1:%2").arg(r).arg(c)
                               : QStringLiteral("%1:%2-%3").arg(r).arg(c).arg(last));
            c = last;
        }
    }
    return runs.join(QLatin1Char(' '));
}

} // namespace testing
