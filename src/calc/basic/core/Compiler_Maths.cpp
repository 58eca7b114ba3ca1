// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The compiler's side of matrices, statistics and finance: the statistics
// commands and which tokens are variables of theirs.
#include "calc/basic/core/CompilerImpl.h"
#include "calc/basic/core/Maths.h"

namespace calc::basic
{

bool isMathVariable(int t)
{
    // 0x6221 is the sequences' n, not a result.
    return (t >= tok::RegEQ && t <= tok::RegY3) || (t >= tok::TestP && t <= tok::TestLast) ||
           isStoredMathVariable(t);
}

bool isStoredMathVariable(int t)
{
    return t >= tok::FinN && t <= tok::FinCY;
}

bool isStatCommand(int t)
{
    return t == tok::OneVarStats || t == tok::TwoVarStats || t == tok::LinRegAxB ||
           t == tok::LinRegABx || t == tok::QuadReg || t == tok::ExpReg || isStatTest(t) ||
           inRegressionsLibrary(t) || (t >= tok::ShadeNorm && t <= tok::ShadeF);
}

bool isTvmFunction(int t)
{
    return t >= tok::TvmPmt && t <= tok::TvmFV;
}

namespace compiling
{

// 1-Var Stats, 2-Var Stats, the regressions and the tests: lists or
// numbers, and after a regression's arguments a Y= variable to take the
// equation. A call to the command's function, whose value nothing keeps;
// its last argument says whether the statement ends the program, when the
// home screen shows the command's results.
void Compiler::statStatement(int t, int i)
{
    const bool shade = t >= tok::ShadeNorm && t <= tok::ShadeF;
    const bool regression =
        t != tok::OneVarStats && t != tok::TwoVarStats && !isStatTest(t) && !shade;
    const int most = isStatTest(t) ? 20
                     : t == tok::LinRegTTest || t == tok::LinRegTInt || t == tok::SinReg || shade
                         ? 4
                     : t == tok::ManualFit ? 0
                                           : 3;
    int n = 0, equation = 0;
    while (!atEnd()) {
        if (regression && (peek() >> 8) == tok::EquationPrefix) {
            equation = next();
            endOfStatement();
            break;
        }
        // χ²-Test('s second matrix is where the expected counts go.
        const int after = peekAt(1);
        if (t == tok::ChiTest && n == 1 && peek() >= tok::Matrix0 && peek() <= tok::Matrix0 + 9 &&
            (after < 0 || after == tok::Comma || after == tok::RParen)) {
            put(OpConst, constant(Value::real(num(next()))));
        } else {
            expr();
        }
        ++n;
        if (accept(tok::RParen)) {
            endOfStatement();
            break;
        }
        if (!atEnd())
            comma();
    }
    if (n > most)
        fail(Error::Argument);
    if (regression) {
        put(OpConst, constant(Value::real(num(equation))));
        ++n;
    }
    bool last = true;
    for (int k = i + 1; k < int(stmts_.size()); ++k)
        last = last && stmts_[k].first == stmts_[k].last;
    put(OpConst, constant(Value::real(num(last))));
    callBuiltin(t, n + 1);
    put(OpPop);
}

// tvm_Pmt and the others: their arguments, in brackets, may be left out.
void Compiler::tvmCall(int t)
{
    if (!accept(tok::LParen) || accept(tok::RParen)) {
        callBuiltin(t, 0);
        return;
    }
    arguments(t, 1, 6);
}

} // namespace compiling
} // namespace calc::basic
