// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/graph/Graph.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace calc::basic
{

Number trig(Calculator &c_, int fn, Number x)
{
    const long double v = x.toLongDouble();
    const long double toRad = c_.degrees() ? 3.14159265358979323846264338327950288L / 180 : 1;
    const long double fromRad = 1 / toRad;
    switch (fn - tok::Sin) {
    case 0:
        return fromLd(std::sin(v * toRad));
    case 1:
        if (std::fabs(v) > 1)
            raise(Error::Domain);
        return fromLd(std::asin(v) * fromRad);
    case 2:
        return fromLd(std::cos(v * toRad));
    case 3:
        if (std::fabs(v) > 1)
            raise(Error::Domain);
        return fromLd(std::acos(v) * fromRad);
    case 4:
        // π/2 to the calculator's 14 digits is still an odd multiple of π/2.
        if (std::fabs(std::cos(v * toRad)) < 1e-13L)
            raise(Error::Domain);
        return fromLd(std::tan(v * toRad));
    case 5:
        return fromLd(std::atan(v) * fromRad);
    case 6:
        return fromLd(std::sinh(v));
    case 7:
        return fromLd(std::asinh(v));
    case 8:
        return fromLd(std::cosh(v));
    case 9:
        if (v < 1)
            raise(Error::Domain);
        return fromLd(std::acosh(v));
    case 10:
        return fromLd(std::tanh(v));
    default:
        if (std::fabs(v) >= 1)
            raise(Error::Domain);
        return fromLd(std::atanh(v));
    }
}

Value draws(const Value *count, const std::function<Number()> &draw)
{
    if (!count)
        return Value::real(draw());
    QVector<Number> l(listSize(*count));
    for (Number &x : l)
        x = draw();
    return Value::list(l);
}

// sin( … tanh⁻¹( of a real, element by element on lists.
Value trigFunction(Calculator &c_, int fn, Value *args, int n)
{
    (void)n;
    return mapReal(args[0], [&c_, fn](Number x) { return trig(c_, fn, x); });
}

Value unary(Calculator &c_, int op, const Value &v)
{
    if (v.kind == Value::Matrix || op == tok::Transpose)
        return matrixUnary(c_, op, v);
    if (v.kind >= Value::Complex) // and lists of complex numbers
        return complexUnary(c_, op, v);
    switch (op) {
    case tok::Neg:
        return mapReal(v, [](Number x) { return x.negated(); });
    case tok::Square:
        return mapReal(v, [](Number x) { return mul(x, x); });
    case tok::Cube:
        return mapReal(v, [](Number x) { return mul(mul(x, x), x); });
    case tok::Inverse:
        return mapReal(v, [](Number x) { return divide(num(1), x); });
    case tok::Factorial:
        return mapReal(v, factorial);
    case tok::DegreeSign:
        return mapReal(v,
                       [&](Number x) { return c_.degrees() ? x : divide(mul(x, pi()), num(180)); });
    case tok::RadianSign:
        return mapReal(v,
                       [&](Number x) { return c_.degrees() ? divide(mul(x, num(180)), pi()) : x; });
    case tok::ToFrac:
    case tok::ToDec:
        return shownAs(c_, v, op == tok::ToFrac);
    }
    raise(Error::Syntax);
}

// Functions of one real, element by element on lists.
Value realFunction(Calculator &c_, int fn, Value *args, int n)
{
    const Value &a = args[0];
    if (Q_UNLIKELY(wantsComplex(c_, fn, a)))
        return complexFunction(c_, fn, a);
    switch (fn) {
    case tok::Int:
        return mapReal(a, [](Number x) { return x.floor(); });
    case tok::IPart:
        return mapReal(a, [](Number x) { return x.iPart(); });
    case tok::FPart:
        return mapReal(a, [](Number x) { return x.fPart(); });
    case tok::Abs:
        return mapReal(a, [](Number x) { return x.abs(); });
    case tok::Not:
        return mapReal(a, [](Number x) { return num(x.isZero()); });
    case tok::Sqrt:
        return mapReal(a, [](Number x) {
            if (x.isNegative())
                raise(Error::NonrealAns);
            return fromLd(std::sqrt(x.toLongDouble()));
        });
    case tok::CubeRoot:
        return mapReal(a, [](Number x) { return fromLd(std::cbrt(x.toLongDouble())); });
    case tok::Ln:
    case tok::Log:
        return mapReal(a, [fn](Number x) {
            if (x.isZero())
                raise(Error::Domain);
            if (x.isNegative())
                raise(Error::NonrealAns);
            const long double v = x.toLongDouble();
            return fromLd(fn == tok::Ln ? std::log(v) : std::log10(v));
        });
    case tok::EPow:
        return mapReal(a, [](Number x) { return fromLd(std::exp(x.toLongDouble())); });
    case tok::TenPow:
        return mapReal(a, [](Number x) { return power(num(10), x); });
    case tok::Round: {
        std::int64_t places = 9;
        if (n == 2) {
            if (!realOf(args[1]).toInt(&places) || places < 0 || places > 9)
                raise(Error::Domain);
        }
        return mapReal(a, [places](Number x) { return x.roundTo(int(places)); });
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

namespace
{

// A statistic of no values at all is ERR:INVALID DIM.
const QVector<Number> &nonEmpty(const Value &v)
{
    const QVector<Number> &l = listOf(v);
    if (l.isEmpty())
        raise(Error::InvalidDim);
    return l;
}

// A start or end of sum( or prod(: a whole number from 1 (ERR:DOMAIN
// otherwise) to the list's size (ERR:INVALID DIM beyond it).
int bound(const Value &v, int size)
{
    std::int64_t k = 0;
    if (!realOf(v).toInt(&k) || k < 1)
        raise(Error::Domain);
    if (k > size)
        raise(Error::InvalidDim);
    return int(k);
}

} // namespace

// Statistics of a list, and min( and max( of two values.
Value listStatistic(Calculator &, int fn, Value *args, int n)
{
    const Value &a = args[0];
    switch (fn) {
    case tok::Min:
    case tok::Max: {
        const bool least = fn == tok::Min;
        auto pick = [least](Number x, Number y) { return (x.compare(y) < 0) == least ? x : y; };
        if (n == 1) {
            const QVector<Number> &l = nonEmpty(a);
            Number best = l.value(0);
            for (const Number &x : l)
                best = pick(best, x);
            return Value::real(best);
        }
        const Value &b = args[1];
        if (a.kind == Value::Real && b.kind == Value::Real)
            return Value::real(pick(a.num, b.num));
        if (a.kind == Value::String || b.kind == Value::String || a.kind == Value::Matrix ||
            b.kind == Value::Matrix)
            raise(Error::DataType);
        if (a.kind == Value::List && b.kind == Value::List && a.items.size() != b.items.size())
            raise(Error::DimMismatch);
        Value out = a.kind == Value::List ? a : b;
        for (int i = 0; i < out.items.size(); ++i)
            out.items[i] = pick(a.kind == Value::List ? a.items[i] : a.num,
                                b.kind == Value::List ? b.items[i] : b.num);
        return out;
    }
    case tok::Sum:
    case tok::Prod: {
        if (a.kind == Value::ComplexList) {
            const int size = elementCount(a);
            const int from = n >= 2 ? bound(args[1], size) : 1,
                      to = n == 3 ? bound(args[2], size) : size;
            if (from > to && n == 3)
                raise(Error::InvalidDim);
            Value r = Value::real(num(fn == tok::Sum ? 0 : 1));
            for (int i = from; i <= to; ++i)
                r = binary(fn == tok::Sum ? tok::Plus : tok::Times, r, elementOf(a, i - 1));
            return r;
        }
        const QVector<Number> &l = listOf(a);
        int from = 1, to = l.size();
        if (n >= 2)
            from = bound(args[1], l.size());
        if (n == 3)
            to = bound(args[2], l.size());
        if (from > to && n == 3)
            raise(Error::InvalidDim);
        Number r = num(fn == tok::Sum ? 0 : 1);
        for (int i = from; i <= to; ++i)
            r = fn == tok::Sum ? add(r, l[i - 1]) : mul(r, l[i - 1]);
        return Value::real(r);
    }
    case tok::Mean: {
        const QVector<Number> &l = nonEmpty(a);
        Number s;
        for (const Number &x : l)
            s = add(s, x);
        return Value::real(divide(s, num(l.size())));
    }
    case tok::Median: {
        QVector<Number> l = nonEmpty(a);
        std::sort(l.begin(), l.end());
        const int m = l.size() / 2;
        if (l.size() % 2)
            return Value::real(l[m]);
        return Value::real(divide(add(l[m - 1], l[m]), num(2)));
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

// Functions that make or measure lists.
Value listShape(Calculator &, int fn, Value *args, int n)
{
    (void)n;
    const Value &a = args[0];
    switch (fn) {
    case tok::Dim:
        if (a.kind == Value::Matrix)
            return Value::list({num(a.rows), num(a.cols)});
        if (a.kind == Value::ComplexList)
            return Value::real(num(elementCount(a)));
        return Value::real(num(listOf(a).size()));
    case tok::CumSum: {
        if (a.kind == Value::Matrix)
            return columnSums(a);
        Value out = a;
        listOf(a);
        Number s;
        for (Number &x : out.items)
            x = s = add(s, x);
        return out;
    }
    case tok::Augment: {
        const Value &b = args[1];
        if (a.kind == Value::List && b.kind == Value::List) {
            if (a.items.isEmpty() || b.items.isEmpty() || a.items.size() + b.items.size() > 999)
                raise(Error::InvalidDim);
            return Value::list(a.items + b.items);
        }
        if (a.kind == Value::Matrix && b.kind == Value::Matrix) {
            if (a.rows != b.rows)
                raise(Error::DimMismatch);
            if (a.cols + b.cols > 99)
                raise(Error::InvalidDim);
            Value m = a;
            m.cols = a.cols + b.cols;
            m.items.clear();
            for (int r = 0; r < a.rows; ++r)
                m.items += a.items.mid(r * a.cols, a.cols) + b.items.mid(r * b.cols, b.cols);
            return m;
        }
        raise(Error::DataType);
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

// Whole numbers, random numbers and pxl-Test(.
Value integerFunction(Calculator &c_, int fn, Value *args, int n)
{
    const Value &a = args[0];
    switch (fn) {
    case tok::Gcd:
    case tok::Lcm: {
        auto f = [fn](Number x, Number y) {
            std::int64_t p, q;
            if (!x.toInt(&p) || !y.toInt(&q) || p < 0 || q < 0)
                raise(Error::Domain);
            std::int64_t g = p, h = q;
            while (h) {
                const std::int64_t t = g % h;
                g = h;
                h = t;
            }
            if (fn == tok::Gcd)
                return num(g);
            return g == 0 ? num(0) : mul(num(p / g), num(q));
        };
        return mapRealPairs(a, args[1], f);
    }
    case tok::RandInt: {
        std::int64_t lo, hi;
        if (!realOf(a).toInt(&lo) || !realOf(args[1]).toInt(&hi))
            raise(Error::Domain);
        if (lo > hi)
            std::swap(lo, hi);
        auto one = [&] { return add(num(lo), mul(num(hi - lo + 1), c_.random().next()).floor()); };
        return draws(n == 3 ? &args[2] : nullptr, one);
    }
    case tok::Rand:
        return draws(&a, [&] { return c_.random().next(); });
    case tok::PxlTest: {
        // The screen the model shows, as far as Pxl- reaches on it.
        const PixelScreen &s = c_.screen();
        int r, c;
        pixelPlace(a, args[1], &r, &c, s.rows(), s.columns());
        showGraph(c_);
        return Value::real(num(s.pixel(r, c)));
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

// Strings: length(, sub(, inString( and expr(.
Value stringFunction(Calculator &c_, int fn, Value *args, int n)
{
    const Value &a = args[0];
    switch (fn) {
    case tok::Length:
        if (a.kind != Value::String)
            raise(Error::DataType);
        return Value::real(num(a.text.size()));
    case tok::Sub: {
        if (n == 1) // a percentage, as the TI-83 had it
            return mapReal(a, [](Number x) { return divide(x, num(100)); });
        if (n != 3)
            raise(Error::Argument);
        if (a.kind != Value::String)
            raise(Error::DataType);
        const long long start = intOf(args[1]), length = intOf(args[2]);
        if (start < 1 || length < 1)
            raise(Error::Domain);
        if (start + length - 1 > a.text.size())
            raise(Error::InvalidDim);
        return Value::string(a.text.mid(int(start - 1), int(length)));
    }
    case tok::InString: {
        if (a.kind != Value::String || args[1].kind != Value::String)
            raise(Error::DataType);
        long long start = 1;
        if (n == 3) {
            start = intOf(args[2]);
            if (start < 1)
                raise(Error::Domain);
        }
        const QVector<int> &h = a.text, &s = args[1].text;
        for (long long i = start - 1; i + s.size() <= h.size(); ++i) {
            if (std::equal(s.begin(), s.end(), h.begin() + i))
                return Value::real(num(i + 1));
        }
        return Value::real(Number());
    }
    case tok::Expr: {
        if (a.kind != Value::String)
            raise(Error::DataType);
        if (c_.evaluator().insideExpr())
            raise(Error::IllegalNest);
        if (a.text.isEmpty())
            raise(Error::Invalid); // an empty answer to Input, typically
        return c_.evaluator().evaluateNested(c_.evaluator().compiled(bytesOf(a.text)), true);
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

namespace
{
const Builtin kMaths[] = {
    {tok::Int, "Int", Builtin::Parsed, 1, 1, realFunction},
    {tok::IPart, "IPart", Builtin::Parsed, 1, 1, realFunction},
    {tok::FPart, "FPart", Builtin::Parsed, 1, 1, realFunction},
    {tok::Abs, "Abs", Builtin::Parsed, 1, 1, realFunction},
    {tok::Not, "Not", Builtin::Parsed, 1, 1, realFunction},
    {tok::Sqrt, "Sqrt", Builtin::Parsed, 1, 1, realFunction},
    {tok::CubeRoot, "CubeRoot", Builtin::Parsed, 1, 1, realFunction},
    {tok::Ln, "Ln", Builtin::Parsed, 1, 1, realFunction},
    {tok::Log, "Log", Builtin::Parsed, 1, 1, realFunction},
    {tok::EPow, "EPow", Builtin::Parsed, 1, 1, realFunction},
    {tok::TenPow, "TenPow", Builtin::Parsed, 1, 1, realFunction},
    {tok::Round, "Round", Builtin::Parsed, 1, 2, realFunction},
    {tok::Sin, "sin(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 1, "sin⁻¹(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 2, "cos(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 3, "cos⁻¹(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 4, "tan(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 5, "tan⁻¹(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 6, "sinh(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 7, "sinh⁻¹(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 8, "cosh(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 9, "cosh⁻¹(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 10, "tanh(", Builtin::Read, 1, 1, trigFunction},
    {tok::Sin + 11, "tanh⁻¹(", Builtin::Read, 1, 1, trigFunction},
    {tok::Min, "Min", Builtin::Parsed, 1, 2, listStatistic},
    {tok::Max, "Max", Builtin::Parsed, 1, 2, listStatistic},
    {tok::Sum, "Sum", Builtin::Parsed, 1, 3, listStatistic},
    {tok::Prod, "Prod", Builtin::Parsed, 1, 3, listStatistic},
    {tok::Mean, "Mean", Builtin::Parsed, 1, 1, listStatistic},
    {tok::Median, "Median", Builtin::Parsed, 1, 1, listStatistic},
    {tok::Dim, "Dim", Builtin::Parsed, 1, 1, listShape},
    {tok::CumSum, "CumSum", Builtin::Parsed, 1, 1, listShape},
    {tok::Augment, "Augment", Builtin::Parsed, 2, 2, listShape},
    {tok::Gcd, "Gcd", Builtin::Parsed, 2, 2, integerFunction},
    {tok::Lcm, "Lcm", Builtin::Parsed, 2, 2, integerFunction},
    {tok::RandInt, "RandInt", Builtin::Parsed, 2, 3, integerFunction},
    {tok::Rand, "Rand", Builtin::Parsed, 1, 1, integerFunction},
    {tok::PxlTest, "PxlTest", Builtin::Parsed, 2, 2, integerFunction},
    {tok::Length, "Length", Builtin::Parsed, 1, 1, stringFunction},
    {tok::Sub, "Sub", Builtin::Parsed, 1, 3, stringFunction},
    {tok::InString, "InString", Builtin::Parsed, 2, 3, stringFunction},
    {tok::Expr, "Expr", Builtin::Parsed, 1, 1, stringFunction},
};
} // namespace

const Library mathsLibrary{"maths", kMaths, int(std::size(kMaths))};

} // namespace calc::basic
