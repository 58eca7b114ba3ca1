// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How closely "As a calculator" keeps the time the cost table gives: each
// program runs at the calculator's speed, and the real time it took is
// printed beside its time on a calculator. Then what keeping the clock
// costs a run at full speed.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/state/Pace.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace
{

QByteArray tokensOf(const char *program)
{
    QString text = QString::fromUtf8(program);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text).bytes;
}

struct Program {
    const char *name;
    const char *text;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Program programs[] = {
        {"empty For( passes", "For(I,1,1500\nEnd"},
        {"pixels", "For(I,1,400\nPxl-Change(0,0\nEnd"},
        {"Output(", "For(I,1,100\nOutput(1,1,\"HELLO\nEnd"},
        {"ClrDraw", "For(I,1,10\nClrDraw\nEnd"},
        {"a getKey loop", "0→K\nFor(I,1,300\ngetKey→K\nEnd"},
    };
    std::printf("%-20s %12s %12s %8s\n", "program", "table (ms)", "real (ms)", "real/table");
    for (const Program &p : programs) {
        calc::basic::Engine engine;
        calc::basic::Pace pace(calc::basic::Pace::Speed::Calculator);
        engine.setPace(&pace);
        QElapsedTimer t;
        t.start();
        engine.run(tokensOf(p.text));
        const double real = t.nsecsElapsed() / 1e6, table = pace.micros() / 1e3;
        std::printf("%-20s %12.1f %12.1f %8.3f\n", p.name, table, real, real / table);
    }
    // The clock kept at full speed (the estimate), against none.
    const QByteArray loop = tokensOf("0→A\nFor(I,1,300000\nA+1→A\nEnd");
    for (const bool clock : {false, true}) {
        double best = 1e18;
        for (int i = 0; i < 5; ++i) {
            calc::basic::Engine engine;
            calc::basic::Pace pace;
            if (clock)
                engine.setPace(&pace);
            QElapsedTimer t;
            t.start();
            engine.run(loop);
            best = std::min(best, t.nsecsElapsed() / 1e6);
        }
        std::printf("full speed, %-17s %8.1f ms for 300000 passes\n",
                    clock ? "estimate kept:" : "no clock:", best);
    }
    return 0;
}
