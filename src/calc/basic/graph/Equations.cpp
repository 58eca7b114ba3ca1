// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Equations as variables: storing, evaluating, String►Equ( and
// Equ►String(, and the window variables of Par, Pol and Seq.
#include "calc/basic/state/GraphState.h"

#include "calc/TokenCodes.h"
#include "calc/Tokens.h"
#include "calc/basic/graph/Graph.h"
#include "calc/basic/lib/Libraries.h"

namespace calc::basic
{

bool isEquation(int t)
{
    return (t >= tok::Y1 && t <= tok::Y0) || (t >= tok::X1T && t <= tok::Y6T) ||
           (t >= tok::R1 && t <= tok::R6) || (t >= tok::SeqU && t <= tok::SeqW);
}

int equationNumber(int t)
{
    if (t >= tok::Y1 && t <= tok::Y0)
        return (t - tok::Y1 + 1) % 10;
    if (t >= tok::X1T && t <= tok::Y6T)
        return (t - tok::X1T) / 2 + 1;
    if (t >= tok::R1 && t <= tok::R6)
        return t - tok::R1 + 1;
    return t - tok::SeqU + 1;
}

int graphVar(int t)
{
    // The window family's second bytes, in GraphVar's order.
    static const int kSecond[kGraphVars] = {
        0x0E, 0x0F, 0x22, 0x10, 0x11, 0x23, 0x1F, 0x1D, 0x1B, 0x34, // Tmin..PlotStep
        0x18, 0x19, 0x24, 0x16, 0x17, 0x25, 0x20, 0x1E, 0x1C, 0x35, // ZTmin..ZPlotStep
        0x12, 0x13, 0x14, 0x15, 0x00, 0x01, 0x37,                   // ZXmin..ZYscl, ZXres
        0x1A, 0x21, 0x28, 0x29, 0x38};                              // TblStart..TraceStep
    if (t >> 8 != tok::WindowPrefix)
        return -1;
    for (int k = 0; k < kGraphVars; ++k) {
        if (kSecond[k] == (t & 0xFF))
            return k;
    }
    return -1;
}

bool graphVarFits(int k, const Number &x)
{
    std::int64_t i;
    const int base = k >= kZoomed && k < 2 * kZoomed ? k - kZoomed : k;
    if (base >= NMin && base <= PlotStep)
        return x.toInt(&i) && i >= (base == NMin ? 0 : 1);
    if (k == ZXres)
        return x.toInt(&i) && i >= 1 && i <= 8;
    if (k == XFact || k == YFact)
        return !(x < num(1));
    return true;
}

bool isSequenceValue(int t)
{
    switch (t) {
    case tok::SeqN:
    case tok::UnMin:
    case tok::VnMin:
    case tok::WnMin:
    case tok::ZUnMin:
    case tok::ZVnMin:
    case tok::ZWnMin:
    case tok::TblInput:
        return true;
    default:
        return false;
    }
}

bool isGraphOperand(int t)
{
    return isEquation(t) || graphVar(t) >= 0 || isSequenceValue(t) || t == tok::SeqU1 ||
           t == tok::SeqV1 || (t >= tok::SeqUMinus2 && t <= tok::SeqWPlus1);
}

GraphState::GraphState()
{
    for (int mode : {tok::Param, tok::PolarMode, tok::SeqMode})
        standard(mode, false);
    for (int k = 0; k < kZoomed; ++k)
        vars[kZoomed + k] = vars[k];
    static const int kWindow[] = {-10, 10, -10, 10, 1, 1, 1};
    for (int k = 0; k < 7; ++k)
        vars[ZXmin + k] = num(kWindow[k]);
    vars[TblStart] = num(0);
    vars[DeltaTbl] = num(1);
    vars[XFact] = vars[YFact] = num(4);
    // Two pixels of the standard window.
    vars[TraceStep] = divide(num(40), num(94));
}

void GraphState::standard(int mode, bool degrees)
{
    const Number full = degrees ? num(360) : mul(num(2), pi());
    const Number step = degrees ? divide(num(75), num(10)) : divide(pi(), num(24));
    if (mode == tok::Param || mode == tok::PolarMode) {
        const int first = mode == tok::Param ? Tmin : ThetaMin;
        vars[first] = num(0);
        vars[first + 1] = full;
        vars[first + 2] = step;
    } else if (mode == tok::SeqMode) {
        vars[NMin] = vars[PlotStart] = vars[PlotStep] = num(1);
        vars[NMax] = num(10);
    }
}

// ZStandard: what the current mode graphs over goes back to its default.
void standardGraphVars(Calculator &c_)
{
    const int mode = c_.settings().modes.value(tok::Func, tok::Func);
    if (mode == tok::Func)
        c_.settings().xres = num(1);
    else
        c_.graphing().standard(mode, c_.degrees());
}

namespace
{

// The variable an equation is written in: X, T or θ; -1 for n.
int independent(int key)
{
    if (key >= tok::Y1 && key <= tok::Y0)
        return 'X' - 'A';
    if (key >= tok::X1T && key <= tok::Y6T)
        return 'T' - 'A';
    if (key >= tok::R1 && key <= tok::R6)
        return 26;
    return -1;
}

// A bit per equation, for ERR:INVALID on one that refers to itself.
unsigned equationBit(int key)
{
    if (key >= tok::Y1 && key <= tok::Y0)
        return 1u << (key - tok::Y1);
    if (key >= tok::X1T && key <= tok::Y6T)
        return 1u << (10 + key - tok::X1T);
    if (key >= tok::R1 && key <= tok::R6)
        return 1u << (22 + key - tok::R1);
    return 1u << (28 + key - tok::SeqU);
}

} // namespace

Value equation(Calculator &c_, int key, const Value *at)
{
    if (key >= tok::SeqU && key <= tok::SeqW)
        return sequenceAt(c_, key - tok::SeqU, at);
    GraphState &gs = c_.graphing();
    const unsigned bit = equationBit(key);
    if (gs.evaluating & bit)
        raise(Error::Invalid);
    auto code = gs.compiled.value(key);
    if (!code) {
        const auto eq = gs.equations.constFind(key);
        if (eq == gs.equations.constEnd())
            raise(Error::Invalid);
        code = c_.evaluator().compiled(bytesOf(*eq));
        gs.compiled.insert(key, code);
    }
    // The equation's variable takes the value given and gets its own back,
    // whatever happens.
    const int v = independent(key);
    struct Restore {
        GraphState &gs;
        unsigned bit;
        Number *slot;
        Number saved;
        ~Restore()
        {
            gs.evaluating &= ~bit;
            if (slot)
                *slot = saved;
        }
    } restore{gs, bit, at ? &c_.reals()[v] : nullptr, at ? c_.reals()[v] : Number()};
    gs.evaluating |= bit;
    auto once = [&] { return c_.evaluator().evaluate(code); };
    if (!at)
        return once();
    if (at->kind == Value::Real) {
        *restore.slot = at->num;
        return once();
    }
    // Y₁({1,2,3}): a list of the values.
    QVector<Number> out;
    for (const Number &x : listOf(*at)) {
        *restore.slot = x;
        out << realOf(once());
    }
    return Value::list(out);
}

void storeEquation(Calculator &c_, int key, const Value &v)
{
    if (v.kind != Value::String)
        raise(Error::DataType);
    GraphState &gs = c_.graphing();
    const auto was = gs.equations.constFind(key);
    const bool same = was != gs.equations.constEnd() ? *was == v.text : v.text.isEmpty();
    // An empty string leaves the equation undefined.
    if (v.text.isEmpty())
        gs.equations.remove(key);
    else
        gs.equations.insert(key, v.text);
    gs.compiled.remove(key);
    // Storing selects it, as the Y= editor does.
    c_.settings().functionsOff &= ~(1u << equationNumber(key));
    if (!same)
        c_.graph().invalidate();
}

} // namespace calc::basic
