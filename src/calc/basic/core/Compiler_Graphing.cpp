// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Equations as operands and the commands that graph an expression: DrawF,
// DrawInv, Shade(, Tangent(, String►Equ( and Equ►String(.
#include "calc/basic/core/CompilerImpl.h"
#include "calc/basic/state/GraphState.h"

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
    if (isSequenceValue(t)) {
        put(OpLoadSetting, t);
        return;
    }
    // The CE's u(𝑛-2) .. w(𝑛+1): u, v or w at n and an offset.
    if (t >= tok::SeqUMinus2 && t <= tok::SeqWPlus1) {
        put(OpLoadSetting, tok::SeqN);
        put(OpConst, constant(Value::real(num((t - tok::SeqUMinus2) / 3 - 2))));
        put(OpBinary, tok::Plus);
        put(OpEquation, tok::SeqU + (t - tok::SeqUMinus2) % 3);
        put(1);
        return;
    }
    // The TI-82's u(n-1) and v(n-1): kept in the sheet, refused as typed.
    if (!isEquation(t))
        fail(Error::Syntax);
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
        // The colour models take a colour after the expression.
        a = deferred();
        if (colour_ && accept(tok::Comma)) {
            expr();
            n = 1;
        }
        break;
    case tok::Tangent:
        // The value, then on the colour models a colour and a line style.
        a = deferred();
        comma();
        do {
            expr();
            ++n;
        } while (colour_ && n < 3 && accept(tok::Comma));
        close(tok::RParen);
        break;
    case tok::Shade:
        // Lower and upper, then the left and right edges, pattern,
        // resolution and on the colour models a colour.
        a = deferred();
        comma();
        b = deferred();
        while (accept(tok::Comma)) {
            expr();
            ++n;
        }
        close(tok::RParen);
        if (n > (colour_ ? 5 : 4))
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
    case tok::GraphStyle:
        expr();
        comma();
        expr();
        close(tok::RParen);
        n = 2;
        break;
    case tok::Select:
        plotList();
        comma();
        plotList();
        close(tok::RParen);
        n = 2;
        break;
    case tok::DispTable:
    case tok::PrintScreen:
    case tok::QuickPlotFit:
    case tok::Input: // alone: the free cursor
        break;
    case tok::PlySmlt2: // starts an application, which this calculator has not
        fail(Error::Invalid);
    default:
        if (t < tok::Plot1 || t > tok::Plot3)
            fail(Error::Syntax);
        n = plotArguments();
        break;
    }
    endOfStatement();
    put(OpGraph, t);
    put(n, a);
    put(b);
}

// A plot's list, ʟ left out or not: its token, or -1 - its name's index.
void Compiler::plotList()
{
    const int u = next();
    int key;
    if (u >= tok::List0 && u <= tok::List0 + 5) {
        key = u;
    } else {
        if (u != tok::SmallL)
            --pos_;
        key = -1 - name(listName());
    }
    put(OpConst, constant(Value::real(num(key))));
}

// Plot1(type,lists…,mark): the type, each list and the mark as values for
// the command to sort out; NormProbPlot's data axis is X or Y.
int Compiler::plotArguments()
{
    if (atEnd())
        return 0;
    const int type = next();
    if (type != tok::Scatter && type != tok::XyLine && type != tok::Histogram &&
        type != tok::Boxplot && type != tok::ModBoxPlot && type != tok::NormProbPlot)
        fail(Error::Syntax);
    put(OpConst, constant(Value::real(num(type))));
    int n = 1;
    while (accept(tok::Comma)) {
        const int u = peek();
        if ((u >= tok::MarkBox && u <= tok::MarkDot) ||
            (n == 2 && type == tok::NormProbPlot && (u == tok::A + 23 || u == tok::A + 24) &&
             (peekAt(1) == -1 || peekAt(1) == tok::Comma || peekAt(1) == tok::RParen))) {
            put(OpConst, constant(Value::real(num(next()))));
        } else if (n >= 3) {
            expr(); // the colour models' colour
        } else if (u == tok::Number) {
            // A frequency of 1 for every value, as the plot editor takes it.
            next();
            put(OpConst, constant(Value::real(num(0))));
        } else {
            plotList();
        }
        ++n;
    }
    close(tok::RParen);
    if (n > 5)
        fail(Error::Argument);
    return n;
}

} // namespace compiling
} // namespace calc::basic
