// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times the TI-BASIC engine without a window: an empty For( loop, an
// arithmetic loop, a list loop, a string loop, a Disp loop and a getKey
// loop that keeps its state in PV and FV, a getTmStr( and a checkTmr( loop, and a loop that
// calls a program from a file beside it as --run finds one. Prints the
// statements run per second, and the loop iterations per second. Then, in
// the calculator window (offscreen): how long Stop takes to end a busy loop
// (goal: under 100 ms) and how many repaints a drawing loop causes in a
// second (goal: at most 60). Last, the longest single built-ins on a
// TI-84 Plus CE, and how long Stop takes inside the slowest of them
// (goal: under 100 ms).
#include "BestTime.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Engine.h"
#include "calcfiles/ProgramFile.h"
#include "calculator/frmCalculator.h"
#include "cli/RunCommand.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

namespace
{

QByteArray tokensOf(const char *program)
{
    QString text = QString::fromUtf8(program);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text).bytes;
}

struct Loop {
    const char *name;
    const char *program;
    long long iterations;
};

} // namespace

// Stop on a busy loop, from the click to the program's end, in ms; the
// worst of several tries.
double stopMilliseconds(calculator::frmCalculator &calc)
{
    double worst = 0;
    for (int i = 0; i < 10; ++i) {
        calc.run(tokensOf("0→A\nWhile 1\nA+1→A\nEnd"), QStringLiteral("BUSY"));
        QTest::qWait(50);
        QElapsedTimer t;
        t.start();
        calc.stop();
        calc.session().wait(5000);
        worst = std::max(worst, t.nsecsElapsed() / 1e6);
        if (!QTest::qWaitFor([&] { return !calc.isRunning(); }))
            return 1e9;
        QCoreApplication::processEvents();
    }
    return worst;
}

// Repaints in one second of a loop that changes the screen every statement.
double repaintsPerSecond(calculator::frmCalculator &calc)
{
    calc.run(tokensOf("AxesOff:ClrDraw\nWhile 1\nPxl-Change(1,1\nEnd"), QStringLiteral("DRAW"));
    QTest::qWait(200); // past the first frames
    const int before = calc.repaints();
    QElapsedTimer t;
    t.start();
    QTest::qWait(1000);
    const double rate = (calc.repaints() - before) * 1000.0 / t.elapsed();
    calc.stop();
    calc.session().wait(5000);
    return rate;
}

// Statements that spend their time inside one built-in.
const char *const kLongBuiltins[][2] = {
    {"99×99 to the 255th", "identity(99)^255"},
    {"rref( 99×99", "rref(randM(99,99))"},
    {"randBin( one draw at a time", "randBin(1000,.5,999)"},
    {"seq( of fnInt(", "seq(fnInt(sin(X)²,X,0,I),I,1,400)"},
    {"solve(", "solve(sin(X)-X/1000,X,500)"},
    {"fMin(", "fMin(sin(X)+.001X²,X,⁻1ᴇ3,1ᴇ3)"},
    {"SinReg 999 points", "seq(I,I,1,999)→L₁\nsin(L₁/9)→L₂\nSinReg L₁,L₂"},
    {"expr( of 4000 tokens", "\"1\"→Str1\nFor(I,1,2000)\nStr1+\"+1\"→Str1\nEnd\nexpr(Str1)"},
};

calc::basic::Outcome runOnCe(const QByteArray &bytes, const std::atomic<bool> *stop = nullptr)
{
    calc::basic::Engine engine;
    engine.setModel(calc::models::Model::Ti84PlusCE);
    engine.host().stop = stop;
    return engine.run(bytes);
}

// From Stop to the end of the run, in ms, the worst of three tries made
// 100 ms into the built-in.
double stopInsideMilliseconds(const QByteArray &bytes)
{
    double worst = 0;
    for (int i = 0; i < 3; ++i) {
        std::atomic<bool> stop{false};
        std::thread run([&] { runOnCe(bytes, &stop); });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        QElapsedTimer t;
        t.start();
        stop = true;
        run.join();
        worst = std::max(worst, t.nsecsElapsed() / 1e6);
    }
    return worst;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Loop loops[] = {
        {"empty For(", "For(I,1,100000)\nEnd", 100000},
        {"arithmetic", "0→S\nFor(I,1,100000)\nS+I*2-I/4→S\nEnd", 100000},
        {"list", nullptr, 0},
        {"string", "\"\"→Str1\nFor(I,1,2000)\nStr1+\"AB\"→Str1\nlength(Str1)→N\nEnd", 2000},
        {"Disp", "For(I,1,20000)\nDisp I,\"TEXT\"\nEnd", 20000},
        // A game that keeps its state in the finance solver's variables.
        {"getKey+PV", "0→PV\n0→FV\nFor(I,1,20000)\ngetKey→K\nPV+1→PV\nFV+K→FV\nEnd", 20000},
        {"getTmStr(", "For(I,1,20000)\ngetTmStr(24)→Str1\nEnd", 20000},
        {"checkTmr(", "startTmr→T\nFor(I,1,20000)\ncheckTmr(T)→S\nEnd", 20000},
        // A hashing program's shape: a short subprogram called in a loop.
        {"prgm call", "0→H\nFor(I,1,5000)\nprgmHASHSTEP\nEnd", 5000},
    };
    // The subprogram as a text file, found and read as --run does.
    QTemporaryDir folder;
    {
        QFile sub(folder.filePath(QStringLiteral("HASHSTEP.txt")));
        if (!sub.open(QIODevice::WriteOnly))
            return 1;
        sub.write("31H+I→H\nH-1000int(H/1000)→H\n");
    }
    auto findProgram = [&folder](const QString &name, QByteArray *out) {
        const QString path = cli::findProgramFile(QDir(folder.path()), name);
        QString why;
        return !path.isEmpty() && calcfiles::readProgram(path, out, &why);
    };
    // The list loop indexes within its list: I mod 100 + 1, spelled out.
    const QByteArray listLoop =
        tokensOf("100→dim(L₁)\nFor(I,1,20000)\nI→L₁(I-100int(I/100)+1)\nL₁(5)+1→A\nEnd");
    std::printf("%-12s %14s %16s\n", "loop", "statements/s", "iterations/s");
    int failed = 0;
    for (const Loop &loop : loops) {
        const bool isList = loop.iterations == 0;
        const QByteArray bytes = isList ? listLoop : tokensOf(loop.program);
        const long long iterations = isList ? 20000 : loop.iterations;
        long long steps = 0;
        const double seconds = bestSeconds(5, [&] {
            calc::basic::Engine engine;
            engine.host().findProgram = findProgram;
            const calc::basic::Outcome o = engine.run(bytes);
            if (o.error != calc::basic::Error::None) {
                std::fprintf(stderr, "%s: %s line %d\n", loop.name,
                             qPrintable(calc::basic::errorName(o.error)), o.line);
                ++failed;
            }
            steps = o.steps;
        });
        std::printf("%-12s %14.0f %16.0f\n", loop.name, steps / seconds, iterations / seconds);
    }
    calculator::frmCalculator calc;
    calc.show();
    const double stopMs = stopMilliseconds(calc);
    const double repaints = repaintsPerSecond(calc);
    std::printf("Stop ends a busy loop in %.1f ms at worst of 10 (goal: under 100)\n", stopMs);
    std::printf("a drawing loop repaints %.1f times a second (goal: at most 60)\n", repaints);
    if (stopMs >= 100 || repaints > 60)
        ++failed;
    // Stop is measured inside each built-in that runs long enough.
    std::printf("%-22s %10s %14s\n", "built-in", "ms", "Stop after, ms");
    double worstStop = 0;
    for (const auto &b : kLongBuiltins) {
        const QByteArray bytes = tokensOf(b[1]);
        QElapsedTimer t;
        t.start();
        const calc::basic::Outcome o = runOnCe(bytes);
        const double ms = t.nsecsElapsed() / 1e6;
        const double stop = ms > 150 ? stopInsideMilliseconds(bytes) : 0;
        worstStop = std::max(worstStop, stop);
        std::printf("%-22s %10.1f %14s %s\n", b[0], ms,
                    ms > 150 ? qPrintable(QString::number(stop, 'f', 1)) : "-",
                    qPrintable(calc::basic::errorName(o.error)));
    }
    std::printf("Stop inside a long built-in: %.1f ms at worst (goal: under 100)\n", worstStop);
    if (worstStop >= 100)
        ++failed;
    return failed ? 1 : 0;
}
