// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Equations as operands and the commands that graph an expression: DrawF,
// DrawInv, Shade(, Tangent(, String►Equ( and Equ►String(.
#include "calc/basic/CompilerImpl.h"
#include "calc/basic/Functions.h"

namespace calc::basic
{
namespace compiling
{

// Y₁ (at the current X), Y₁(3) (at 3); Tmin and its kin as values.
void Compiler::equation(int t)
{
    if (graphVar(t) >= 0) {
        put(OpLoadGraphVar, graphVar(t));
        return;
    }
    int n = 0;
    if (accept(tok::LParen)) {
        expr();
        close(tok::RParen);
        n = 1;
    }
    put(OpEquation, t);
    put(n);
}

// An expression the command evaluates again at each X: checked here,
// kept as its bytes (a name) for the command to compile on its own.
int Compiler::deferred()
{
    const int mark = here();
    const size_t marks = internal_.size();
    const int first = pos_;
    expr();
    program_->code.resize(mark);
    internal_.resize(marks);
    const int from = toks_[first].from;
    return name(QString::fromLatin1(bytes_.mid(from, toks_[pos_ - 1].to - from)));
}

void Compiler::graphStatement(int t)
{
    int n = 0, a = -1, b = -1;
    switch (t) {
    case tok::DrawF:
    case tok::DrawInv:
        a = deferred();
        break;
    case tok::Tangent:
        a = deferred();
        comma();
        expr();
        n = 1;
        close(tok::RParen);
        break;
    case tok::Shade:
        // Lower and upper, then the left and right edges, pattern, resolution.
        a = deferred();
        comma();
        b = deferred();
        while (accept(tok::Comma)) {
            expr();
            ++n;
        }
        close(tok::RParen);
        if (n > 4)
            fail(Error::Argument);
        break;
    case tok::StringToEqu:
        expr();
        n = 1;
        comma();
        a = next();
        if (!isEquation(a))
            fail(Error::Syntax);
        close(tok::RParen);
        break;
    case tok::EquToString:
        a = next();
        if (!isEquation(a))
            fail(Error::Syntax);
        comma();
        b = next();
        if (b < tok::Str0 || b > tok::Str0 + 9)
            fail(Error::Syntax);
        close(tok::RParen);
        break;
    default:
        fail(Error::Syntax);
    }
    endOfStatement();
    put(OpGraph, t);
    put(n, a);
    put(b);
}

} // namespace compiling
} // namespace calc::basic
