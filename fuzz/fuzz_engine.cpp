// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The engine against programs nobody wrote: each input becomes a program
// and the one every prgm call runs (ProgramGenerator), or, after a 0xFF
// byte, a program's text as typed. Each runs on every model with a step
// limit. A crash, a sanitizer's report, a statement or a built-in's stretch
// between two looks at Stop over its processor time, memory
// used past the model's RAM, or a running total of memory that disagrees
// with a fresh count ends the fuzzer. libFuzzer's -rss_limit_mb is the
// ceiling on the process itself.
#include "ProgramGenerator.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Models.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/core/Error.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace
{

// 50 ms of a plain build: the sanitizers and the fuzzer's coverage make a
// statement five to six times slower (SinReg of 400 points: 44 ms plain,
// 277 ms here).
const qint64 kStatementMs = qEnvironmentVariableIntValue("TORVANE_FUZZ_STATEMENT_MS") > 0
                                ? qEnvironmentVariableIntValue("TORVANE_FUZZ_STATEMENT_MS")
                                : 5 * 50;

qint64 clockMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// A stretch of processor time over its limit, so other work on the machine
// does not count. A stretch ends at each statement and at each look a
// built-in takes at Stop: matrix powers on 99×99 may run long as a whole,
// but none may go 50 ms without a look. The whole input's ceiling is
// libFuzzer's -timeout. The processor clock is a system call: it is read
// every 5 ms of wall time, and when a stretch's wall time is over.
class StretchClock
{
public:
    // The processor time of the stretch that just ended, at least; 0 when
    // its wall time was within the limit.
    qint64 over(qint64 limit)
    {
        const qint64 now = clockMs(CLOCK_MONOTONIC);
        qint64 spent = 0;
        // The mark was read at most kEvery before the stretch began.
        if (now - wall_ > limit)
            spent = clockMs(CLOCK_THREAD_CPUTIME_ID) - cpuMark_ - kEvery;
        wall_ = now;
        if (now - wallMark_ >= kEvery || spent > 0) {
            cpuMark_ = clockMs(CLOCK_THREAD_CPUTIME_ID);
            wallMark_ = now;
        }
        return spent > limit ? spent : 0;
    }

private:
    static constexpr qint64 kEvery = 5;
    qint64 wall_ = clockMs(CLOCK_MONOTONIC), wallMark_ = wall_;
    qint64 cpuMark_ = clockMs(CLOCK_THREAD_CPUTIME_ID);
};

StretchClock *tClock = nullptr;

[[noreturn]] void finding(const char *what, long long a = 0, long long b = 0)
{
    std::fprintf(stderr, "fuzz_engine: %s (%lld, %lld)\n", what, a, b);
    std::abort();
}

void runOn(calc::models::Model model, const fuzzing::Programs &p)
{
    using namespace calc::basic;
    Engine e;
    e.setModel(model);
    e.setMaxSteps(3000);
    e.seed(Number::fromInt(7));
    int answers = 0, keys = 0;
    e.host().nextAnswer = [&](QString *text) {
        *text = QString::number(answers % 3 + 1);
        return ++answers < 4;
    };
    e.host().nextKey = [&] { return ++keys % 7 == 0 ? 105 : 0; };
    e.host().findProgram = [&](const QString &, QByteArray *out) {
        *out = p.sub;
        return true;
    };
    StretchClock clock;
    tClock = &clock;
    calc::basic::tStopLooked = [] {
        if (const qint64 ms = tClock->over(kStatementMs))
            finding("a built-in went too long without a look at Stop", ms, kStatementMs);
    };
    const auto check = [&] {
        if (const qint64 ms = clock.over(kStatementMs))
            finding("a statement took too long", ms, kStatementMs);
        const Memory &m = e.calculator().memory();
        if (m.used() > m.capacity())
            finding("memory past the model's RAM", m.used(), m.capacity());
    };
    e.host().statement = [&](const QString &, int, int, int) {
        check();
        return true;
    };
    e.run(p.main, QStringLiteral("MAIN"));
    check();
    const Memory &m = e.calculator().memory();
    if (m.variables() != e.calculator().recount())
        finding("running total of memory differs from a recount", m.variables(),
                e.calculator().recount());
    if (m.used() != m.variables())
        finding("a run kept memory after it ended", m.used(), m.variables());
    (void)e.variables();
    calc::basic::tStopLooked = nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 4096)
        return 0;
    fuzzing::Programs p;
    if (size > 0 && data[0] == 0xFF) {
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char *>(data + 1), int(size - 1))
                .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
        if (!t.ok())
            return 0;
        p.main = t.bytes;
        p.sub = t.bytes;
    } else {
        p = fuzzing::generate(data, size);
    }
    for (calc::models::Model m : calc::models::all())
        runOn(m, p);
    return 0;
}
