// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The compiler's side of matrices, statistics and finance: the statistics
// commands and which tokens are variables of theirs.
#include "calc/basic/CompilerImpl.h"
#include "calc/basic/Maths.h"

namespace calc::basic
{

bool isMathVariable(int t)
{
    return (t >= tok::RegEQ && t <= tok::RegC) || t == tok::RegR2 || t == tok::RegBigR2 ||
           isStoredMathVariable(t);
}

bool isStoredMathVariable(int t)
{
    return t >= tok::FinN && t <= tok::FinCY;
}

bool isStatCommand(int t)
{
    return t == tok::OneVarStats || t == tok::TwoVarStats || t == tok::LinRegAxB ||
           t == tok::LinRegABx || t == tok::QuadReg || t == tok::ExpReg;
}

bool isTvmFunction(int t)
{
    return t >= tok::TvmPmt && t <= tok::TvmFV;
}

namespace compiling
{

// 1-Var Stats, 2-Var Stats and the regressions: lists, maybe a frequency
// list, and after a regression's lists a Y= variable to take the equation.
// A call to the command's function, whose value nothing keeps.
void Compiler::statStatement(int t)
{
    const bool regression = t != tok::OneVarStats && t != tok::TwoVarStats;
    int n = 0, equation = 0;
    while (!atEnd()) {
        if (regression && (peek() >> 8) == tok::EquationPrefix) {
            equation = next();
            endOfStatement();
            break;
        }
        expr();
        ++n;
        if (!atEnd())
            comma();
    }
    if (n > 3)
        fail(Error::Argument);
    if (regression) {
        put(OpConst, constant(Value::real(num(equation))));
        ++n;
    }
    put(OpCall, t);
    put(n);
    put(OpPop);
}

// tvm_Pmt and the others: their arguments, in brackets, may be left out.
void Compiler::tvmCall(int t)
{
    if (!accept(tok::LParen) || accept(tok::RParen)) {
        put(OpCall, t);
        put(0);
        return;
    }
    arguments(t, 1, 6);
}

} // namespace compiling
} // namespace calc::basic
