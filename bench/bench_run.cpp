// Times the TI-BASIC engine without a window: an empty For( loop, an
// arithmetic loop, a list loop, a string loop and a Disp loop. Prints the
// statements run per second, and the loop iterations per second.
#include "BestTime.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/run/Engine.h"

#include <cstdio>

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

int main()
{
    const Loop loops[] = {
        {"empty For(", "For(I,1,100000)\nEnd", 100000},
        {"arithmetic", "0→S\nFor(I,1,100000)\nS+I*2-I/4→S\nEnd", 100000},
        {"list", nullptr, 0},
        {"string", "\"\"→Str1\nFor(I,1,2000)\nStr1+\"AB\"→Str1\nlength(Str1)→N\nEnd", 2000},
        {"Disp", "For(I,1,20000)\nDisp I,\"TEXT\"\nEnd", 20000},
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
            calc::run::Engine engine;
            const calc::run::Outcome o = engine.run(bytes);
            if (o.error != calc::run::Error::None) {
                std::fprintf(stderr, "%s: %s line %d\n", loop.name,
                             qPrintable(calc::run::errorName(o.error)), o.line);
                ++failed;
            }
            steps = o.steps;
        });
        std::printf("%-12s %14.0f %16.0f\n", loop.name, steps / seconds, iterations / seconds);
    }
    return failed ? 1 : 0;
}
