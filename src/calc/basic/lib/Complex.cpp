// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Complex numbers: 𝑖, their arithmetic, real(, imag(, conj(, angle(, abs(,
// √(, e^( and ln( of them, and how the home screen writes them in a+bi and
// re^θi. A complex value keeps its real part in `num` and its imaginary
// part in `items`; sums, differences and products are exact as reals are.
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"
#include "calc/basic/state/Settings.h"

#include <cmath>
#include <complex>
#include <iterator>

namespace calc::basic
{

namespace
{

using Cx = std::complex<long double>;

const QString kMinus = QStringLiteral("\u207B");
const QString kI = QStringLiteral("\U0001D456");

Number imagOf(const Value &v)
{
    return v.kind == Value::Complex ? v.items[0] : Number();
}

Cx cxOf(const Value &v)
{
    if (v.kind != Value::Real && v.kind != Value::Complex)
        raise(Error::DataType);
    return {v.num.toLongDouble(), imagOf(v).toLongDouble()};
}

// What rounding leaves of a part far below the other is zero: e^(π𝑖) is ⁻1.
Value fromCx(const Cx &z)
{
    const long double re = z.real(), im = z.imag();
    const long double tiny = 1e-13L * std::max(std::fabs(re), std::fabs(im));
    return complexValue(fromLd(std::fabs(re) < tiny ? 0 : re),
                        fromLd(std::fabs(im) < tiny ? 0 : im));
}

Value product(const Value &a, const Value &b)
{
    const Number p = a.num, q = imagOf(a), r = b.num, s = imagOf(b);
    return complexValue(sub(mul(p, r), mul(q, s)), add(mul(p, s), mul(q, r)));
}

Value quotient(const Value &a, const Value &b)
{
    const Number r = b.num, s = imagOf(b);
    const Number d = add(mul(r, r), mul(s, s));
    if (d.isZero())
        raise(Error::DivideBy0);
    const Value t = product(a, complexValue(r, s.negated()));
    return complexValue(divide(t.num, d), divide(imagOf(t), d));
}

Value power(const Value &a, const Value &b)
{
    std::int64_t k;
    if (b.kind == Value::Real && b.num.toInt(&k) && k >= -255 && k <= 255) {
        Value r = complexValue(num(1), Number()), base = a;
        for (std::int64_t e = k < 0 ? -k : k; e > 0; e >>= 1) {
            if (e & 1)
                r = product(r, base);
            if (e > 1)
                base = product(base, base);
        }
        return k < 0 ? quotient(complexValue(num(1), Number()), r) : r;
    }
    const Cx z = cxOf(a);
    if (z == Cx(0, 0))
        return complexValue(Number(), Number());
    return fromCx(std::exp(cxOf(b) * std::log(z)));
}

} // namespace

Value complexValue(Number re, Number im)
{
    Value v;
    v.kind = Value::Complex;
    v.num = re;
    v.items = {im};
    return v;
}

// 3+4𝑖, 3-4𝑖, ⁻4𝑖, 𝑖; or 5ℯ^(.927295218𝑖). A zero imaginary part shows
// the real number alone, but for a negative one in re^θi: 1ℯ^(π𝑖).
QString complexText(const Value &v, const NumberFormat &f)
{
    const Number re = v.num, im = v.items[0];
    // ►Frac writes each part of a+bi as a fraction where one fits.
    const auto part = [&v](const Number &n, const NumberFormat &f) {
        return v.fraction && !f.polar ? fractionOf(n) : formatNumber(n, f);
    };
    if (im.isZero() && !(f.polar && re.isNegative()))
        return part(re, f);
    if (f.polar) {
        const Cx z = cxOf(v);
        const long double theta =
            std::arg(z) * (f.degrees ? 180 / 3.14159265358979323846264338327950288L : 1);
        return part(fromLd(std::abs(z)), f) + QStringLiteral("\u212F^(") + part(fromLd(theta), f) +
               kI + QLatin1Char(')');
    }
    const bool one = im.abs() == num(1);
    QString s = re.isZero() ? QString() : part(re, f);
    if (im.isNegative())
        s += re.isZero() ? kMinus : QStringLiteral("-");
    else if (!re.isZero())
        s += QLatin1Char('+');
    if (!one)
        s += part(im.abs(), f);
    return s + kI;
}

Value complexBinary(int op, const Value &a, const Value &b)
{
    if ((a.kind != Value::Real && a.kind != Value::Complex) ||
        (b.kind != Value::Real && b.kind != Value::Complex))
        raise(Error::DataType);
    switch (op) {
    case tok::Plus:
        return complexValue(add(a.num, b.num), add(imagOf(a), imagOf(b)));
    case tok::Minus:
        return complexValue(sub(a.num, b.num), sub(imagOf(a), imagOf(b)));
    case tok::Times:
        return product(a, b);
    case tok::Divide:
        return quotient(a, b);
    case tok::Power:
        return power(a, b);
    case tok::Eq:
    case tok::Ne:
        return Value::real(num((a.num == b.num && imagOf(a) == imagOf(b)) == (op == tok::Eq)));
    default:
        raise(Error::DataType);
    }
}

Value complexUnary(Calculator &c_, int op, const Value &v)
{
    if (v.kind == Value::ComplexList) {
        QVector<Value> out;
        for (int i = 0; i < elementCount(v); ++i)
            out << unary(c_, op, elementOf(v, i));
        return listOfValues(out);
    }
    switch (op) {
    case tok::Neg:
        return complexValue(v.num.negated(), v.items[0].negated());
    case tok::Square:
        return product(v, v);
    case tok::Cube:
        return product(product(v, v), v);
    case tok::Inverse:
        return quotient(complexValue(num(1), Number()), v);
    case tok::ToFrac:
    case tok::ToDec: {
        Value out = v;
        out.fraction = op == tok::ToFrac;
        return out;
    }
    default:
        raise(Error::DataType);
    }
}

bool complexMode(Calculator &c_)
{
    return c_.settings().modes.value(tok::RealMode, tok::RealMode) != tok::RealMode;
}

// abs(, √(, e^(, ln( and log( of a complex number, and √(, ln( and log( of
// a negative one in a+bi or re^θi.
Value complexFunction(Calculator &, int fn, const Value &a)
{
    const Cx z = cxOf(a);
    switch (fn) {
    case tok::Abs:
        return Value::real(fromLd(std::abs(z)));
    case tok::Sqrt:
        return fromCx(std::sqrt(z));
    case tok::EPow:
        return fromCx(std::exp(z));
    case tok::Ln:
    case tok::Log:
        if (z == Cx(0, 0))
            raise(Error::Domain);
        return fromCx(fn == tok::Ln ? std::log(z) : std::log10(z));
    default:
        raise(Error::DataType);
    }
}

bool wantsComplex(Calculator &c_, int fn, const Value &a)
{
    if (a.kind == Value::Complex)
        return true;
    return a.kind == Value::Real && a.num.isNegative() &&
           (fn == tok::Sqrt || fn == tok::Ln || fn == tok::Log) && complexMode(c_);
}

// real(, imag(, conj( and angle(: of reals and lists of them too.
Value partFunction(Calculator &c_, int fn, Value *args, int)
{
    const Value &a = args[0];
    const bool part =
        fn == tok::RealPart || fn == tok::ImagPart || fn == tok::Conj || fn == tok::Angle;
    if (a.kind == Value::ComplexList && part) {
        QVector<Value> out;
        for (int i = 0; i < elementCount(a); ++i) {
            Value e = elementOf(a, i);
            out << partFunction(c_, fn, &e, 1);
        }
        return listOfValues(out);
    }
    if (a.kind == Value::Complex && part) {
        const Cx z = cxOf(a);
        switch (fn) {
        case tok::RealPart:
            return Value::real(a.num);
        case tok::ImagPart:
            return Value::real(a.items[0]);
        case tok::Conj:
            return complexValue(a.num, a.items[0].negated());
        default:
            return Value::real(fromLd(
                std::arg(z) * (c_.degrees() ? 180 / 3.14159265358979323846264338327950288L : 1)));
        }
    }
    switch (fn) {
    case tok::RealPart:
    case tok::Conj:
        return mapReal(a, [](Number x) { return x; });
    case tok::ImagPart:
        return mapReal(a, [](Number) { return Number(); });
    case tok::Angle:
        return mapReal(a, [&](Number x) {
            return x.isNegative() ? (c_.degrees() ? num(180) : pi()) : Number();
        });
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

namespace
{
const Builtin kComplex[] = {
    {tok::RealPart, "RealPart", Builtin::Parsed, 1, 1, partFunction},
    {tok::ImagPart, "ImagPart", Builtin::Parsed, 1, 1, partFunction},
    {tok::Conj, "Conj", Builtin::Parsed, 1, 1, partFunction},
    {tok::Angle, "Angle", Builtin::Parsed, 1, 1, partFunction},
};
} // namespace

const Library complexLibrary{"complex", kComplex, int(std::size(kComplex))};

} // namespace calc::basic
