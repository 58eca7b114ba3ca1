// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// solve(, fnInt(, nDeriv(, fMin(, fMax( and Σ(: an expression kept for the
// command to evaluate again and again, the variable it is written in, then
// the plain arguments.
#include "calc/basic/core/CompilerImpl.h"
#include "calc/basic/core/NumberTokens.h"

namespace calc::basic
{
namespace compiling
{

bool isCalculus(int t)
{
    return t == tok::Solve || t == tok::FnInt || t == tok::NDeriv || t == tok::FMin ||
           t == tok::FMax || t == tok::Summation;
}

void Compiler::calculus(int t)
{
    const int body = deferred();
    comma();
    const int var = atEnd() ? -1 : next();
    if (!isLetter(var))
        fail(Error::Syntax);
    int n = 0;
    while (accept(tok::Comma)) {
        expr();
        ++n;
    }
    close(tok::RParen);
    // After the expression and its variable: solve( a guess and bounds,
    // nDeriv( a value and a step, the others two ends and a tolerance.
    const int least = t == tok::Solve || t == tok::NDeriv ? 1 : 2;
    const int most = t == tok::Summation ? 2 : least + 1;
    if (n < least || n > most)
        fail(Error::Argument);
    put(OpCalculus, t);
    put(n, body);
    put(var - tok::A);
}

// 3⁄4 and 1ᵤ3⁄4 after the first number: each part one operand, as the
// calculator's fraction template holds it (n⁄d and Un⁄d are the same).
void Compiler::fractionEntry()
{
    const bool mixed = peek() == tok::MixedU || peek() == tok::FracUND;
    next();
    auto part = [this] {
        const bool negative = accept(tok::Neg);
        primary();
        if (negative)
            put(OpUnary, tok::Neg);
    };
    part();
    if (mixed) {
        if (!accept(tok::FractionSlash) && !accept(tok::FracND))
            fail(Error::Syntax);
        part();
    }
    callBuiltin(mixed ? tok::MixedU : tok::FractionSlash, mixed ? 3 : 2);
    typedFraction_ = true;
}

// 30°15'20": after the degree sign, minutes and seconds with their marks
// join the degrees before ° turns them into the angle mode's unit.
void Compiler::dmsMinutes()
{
    for (const auto &[mark, per] : {std::pair<int, int>{tok::Minutes, 60}, {tok::Quote, 3600}}) {
        if (peek() != tok::Number || peekAt(1) != mark)
            return;
        const Number part = numbers_[toks_[pos_].index];
        pos_ += 2;
        put(OpConst, constant(Value::real(divide(part, num(per)))));
        put(OpBinary, tok::Plus);
    }
}

} // namespace compiling
} // namespace calc::basic
