// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Conversions between rectangular and polar coordinates, the forms a value
// is shown in (►DMS, ►Rect, ►Polar, fractions and mixed numbers), the
// TI-84 Plus's randIntNoRep(, and the amortization functions bal(, ΣPrn(,
// ΣInt( with the day counter dbd(.
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/core/NumberTokens.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"
#include "calc/basic/state/Settings.h"

#include <QDate>
#include <QStringList>
#include <iterator>

#include <algorithm>
#include <cmath>

namespace calc::basic
{

namespace
{

const QString kMinus = QStringLiteral("\u207B");

long double ld(const Number &x)
{
    return x.toLongDouble();
}

// dbd('s dates: MM.DDYY below 100, DDMM.YY from 100 on; years 1950-2049.
QDate dateOf(const Number &x)
{
    if (x.isNegative())
        raise(Error::Domain);
    std::int64_t whole, part;
    if (x < num(100)) {
        if (!x.iPart().toInt(&whole) || !mul(x.fPart(), num(10000)).toInt(&part))
            raise(Error::Domain);
        const int year = int(part % 100);
        const QDate d(year < 50 ? 2000 + year : 1900 + year, int(whole), int(part / 100));
        if (!d.isValid())
            raise(Error::Domain);
        return d;
    }
    if (!x.iPart().toInt(&whole) || !mul(x.fPart(), num(100)).toInt(&part))
        raise(Error::Domain);
    const int year = int(part);
    const QDate d(year < 50 ? 2000 + year : 1900 + year, int(whole % 100), int(whole / 100));
    if (!d.isValid())
        raise(Error::Domain);
    return d;
}

// A payment's number: a whole number, 0 or more.
long long paymentNumber(const Value &v)
{
    std::int64_t k;
    if (!realOf(v).toInt(&k) || k < 0)
        raise(Error::Domain);
    return k;
}

// 3°7'30": whole degrees and minutes, the seconds as far as they go.
QString dmsText(const Number &x)
{
    const Number a = x.abs();
    const Number minutes = mul(a.fPart(), num(60));
    const Number seconds = mul(minutes.fPart(), num(60));
    return (x.isNegative() ? kMinus : QString()) + a.iPart().display() + QChar(0x00B0) +
           minutes.iPart().display() + QLatin1Char('\'') + seconds.display() + QLatin1Char('"');
}

// 7/2 as 3ᵤ1/2; a whole number or one no fraction fits stays as it is.
QString mixedText(const Number &x)
{
    const QString f = fractionOf(x.abs());
    const Number whole = x.abs().iPart();
    const QString sign = x.isNegative() ? kMinus : QString();
    if (!f.contains(QLatin1Char('/')) || whole.isZero())
        return sign + f;
    return sign + whole.display() + QChar(0x1D64) + fractionOf(x.abs().fPart());
}

QString listText(const Value &v, QString (*one)(const Number &))
{
    if (v.kind == Value::Real)
        return one(v.num);
    QStringList parts;
    for (const Number &n : v.items)
        parts << one(n);
    return QLatin1Char('{') + parts.join(QLatin1Char(' ')) + QLatin1Char('}');
}

} // namespace

QString formText(const Value &v, const NumberFormat &f)
{
    Value plain = v;
    plain.form = Value::Plain;
    NumberFormat rest = f;
    rest.answers = NumberFormat::Auto;
    switch (v.form) {
    case Value::Dms:
        return dmsText(v.num);
    case Value::Rect:
    case Value::Polar:
        rest.polar = v.form == Value::Polar;
        return displayText(plain, rest);
    case Value::Mixed:
        if (v.kind == Value::Real || v.kind == Value::List)
            return listText(v, mixedText);
        break;
    case Value::Typed:
    case Value::Plain:
        // A fraction as typed shows as one except in DEC; FRAC shows every
        // number as a fraction where one fits.
        if (f.answers != NumberFormat::Dec &&
            (v.form == Value::Typed || f.answers == NumberFormat::Frac) &&
            (v.kind == Value::Real || v.kind == Value::List)) {
            if (f.mixed)
                return listText(v, mixedText);
            plain.fraction = true;
        }
        break;
    }
    return displayText(plain, rest);
}

namespace
{

// ►DMS, ►Rect, ►Polar, ►n⁄d◄►Un⁄d and ►F◄►D: the value as it was, shown
// another way.
Value shownIn(const Value &v, int op)
{
    Value out = v;
    switch (op) {
    case tok::ToDMS:
        if (v.kind != Value::Real)
            raise(Error::DataType);
        out.fraction = false;
        out.form = Value::Dms;
        return out;
    case tok::ToRect:
    case tok::ToPolar:
        if (v.kind != Value::Complex)
            raise(Error::DataType);
        out.form = op == tok::ToRect ? Value::Rect : Value::Polar;
        return out;
    default:
        break;
    }
    if (v.kind != Value::Real && v.kind != Value::List)
        raise(Error::DataType);
    const bool asFraction = v.fraction || v.form == Value::Typed || v.form == Value::Mixed;
    out.form = Value::Plain;
    out.fraction = false;
    if (op == tok::ToFracMixed) {
        // A mixed number goes back to a fraction, anything else to mixed.
        if (v.form == Value::Mixed)
            out.fraction = true;
        else
            out.form = Value::Mixed;
    } else {
        out.fraction = !asFraction;
    }
    return out;
}

// 3⁄4 as typed, and 1ᵤ3⁄4: whole numbers only in a mixed number.
Value fraction(Value *args, int n)
{
    if (n == 1) {
        // The value of an expression with a typed fraction in it.
        Value out = args[0];
        if ((out.kind == Value::Real || out.kind == Value::List) && out.form == Value::Plain &&
            !out.fraction)
            out.form = Value::Typed;
        return out;
    }
    const Number num = realOf(args[n - 2]), den = realOf(args[n - 1]);
    if (den.isZero())
        raise(Error::DivideBy0);
    Value out = Value::real(divide(num, den));
    out.form = Value::Typed;
    if (n == 3) {
        const Number whole = realOf(args[0]);
        if (!whole.isInteger() || !num.isInteger() || !den.isInteger())
            raise(Error::Domain);
        out.num = whole.isNegative() ? sub(whole, out.num) : add(whole, out.num);
        out.form = Value::Mixed;
    }
    return out;
}

} // namespace

bool isShownAs(int t)
{
    return t == tok::ToDMS || t == tok::ToRect || t == tok::ToPolar || t == tok::ToFracMixed ||
           t == tok::ToFracDec;
}

namespace
{

// randIntNoRep(: the numbers from one end to the other, each once, in the
// order of a random number drawn for each.
Value randIntNoRep(Calculator &c_, Value *args, int n)
{
    std::int64_t lo, hi;
    if (!realOf(args[0]).toInt(&lo) || !realOf(args[1]).toInt(&hi))
        raise(Error::Domain);
    if (lo > hi)
        std::swap(lo, hi);
    if (hi - lo >= 999)
        raise(Error::InvalidDim);
    std::vector<std::pair<Number, std::int64_t>> draw;
    for (std::int64_t k = lo; k <= hi; ++k)
        draw.push_back({c_.random().next(), k});
    std::stable_sort(draw.begin(), draw.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::int64_t count = std::int64_t(draw.size());
    if (n == 3 &&
        (!realOf(args[2]).toInt(&count) || count < 1 || count > std::int64_t(draw.size())))
        raise(Error::Domain);
    QVector<Number> out;
    for (std::int64_t i = 0; i < count; ++i)
        out << num(draw[size_t(i)].second);
    return Value::list(out);
}

// bal(, ΣPrn( and ΣInt(: the balance after each payment, from PV on: it
// grows by the rate per payment and takes the payment (before growing
// under Pmt_Bgn), rounded at each step to the places asked for, or those
// of Fix.
Value amortization(Calculator &c_, int fn, Value *args, int n)
{
    const int places = fn == tok::Bal ? 1 : 2;
    int round = c_.settings().format.fix;
    if (n > places) {
        std::int64_t k;
        if (!realOf(args[places]).toInt(&k) || k < 0 || k > 9)
            raise(Error::Domain);
        round = int(k);
    }
    const long long last = paymentNumber(args[places - 1]);
    const long long first = fn == tok::Bal ? last : paymentNumber(args[0]);
    if (fn != tok::Bal && (first < 1 || first > last))
        raise(Error::Domain);
    const Number ipct = finance(c_, tok::FinN + 1), pv = finance(c_, tok::FinN + 2),
                 pmt = finance(c_, tok::FinN + 3), py = finance(c_, tok::FinN + 5),
                 cy = finance(c_, tok::FinN + 6);
    if (py.isZero() || cy.isZero())
        raise(Error::Domain);
    const long double c = ld(cy), rate = std::expm1(c / ld(py) * std::log1p(ld(ipct) / (100 * c)));
    const bool begin = c_.settings().modes.value(tok::PmtEnd, tok::PmtEnd) == tok::PmtBgn;
    auto balance = [&](long long m) {
        Number b = pv;
        for (long long k = 0; k < m; ++k) {
            // bal(1ᴇ9) is a billion payments: they weigh as statements, so
            // the step limit and Stop reach them.
            if ((k & 15) == 15)
                c_.evaluator().step();
            if (begin)
                b = add(b, pmt);
            b = add(b, mul(b, fromLd(rate)));
            if (!begin)
                b = add(b, pmt);
            if (round >= 0)
                b = b.roundTo(round);
        }
        return b;
    };
    if (fn == tok::Bal)
        return Value::real(balance(last));
    const Number principal = sub(balance(last), balance(first - 1));
    if (fn == tok::SigmaPrn)
        return Value::real(principal);
    return Value::real(sub(mul(num(last - first + 1), pmt), principal));
}

} // namespace

Value numberFunction(Calculator &c_, int fn, Value *args, int n)
{
    const int degrees = c_.degrees();
    if (isShownAs(fn))
        return shownIn(args[0], fn);
    switch (fn) {
    case tok::FractionSlash:
    case tok::MixedU:
        return fraction(args, n);
    case tok::RToPr:
        return mapRealPairs(args[0], args[1],
                            [](Number x, Number y) { return fromLd(std::hypot(ld(x), ld(y))); });
    case tok::RToPTheta:
        return mapRealPairs(args[0], args[1], [degrees](Number x, Number y) {
            const long double a = std::atan2(ld(y), ld(x));
            return fromLd(degrees ? a * 180 / 3.14159265358979323846264338327950288L : a);
        });
    case tok::PToRx:
    case tok::PToRy: {
        const int t = fn == tok::PToRx ? tok::Sin + 2 : tok::Sin; // cos( or sin(
        return mapRealPairs(args[0], args[1],
                            [&, t](Number r, Number a) { return mul(r, trig(c_, t, a)); });
    }
    case tok::RandIntNoRep:
        return randIntNoRep(c_, args, n);
    case tok::Dbd:
        return mapRealPairs(args[0], args[1],
                            [](Number a, Number b) { return num(dateOf(a).daysTo(dateOf(b))); });
    case tok::Bal:
    case tok::SigmaPrn:
    case tok::SigmaInt:
        return amortization(c_, fn, args, n);
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

namespace
{
const Builtin kConversions[] = {
    {tok::ToDMS, "ToDMS", Builtin::Read, -1, -1, numberFunction},
    {tok::ToRect, "ToRect", Builtin::Read, -1, -1, numberFunction},
    {tok::ToPolar, "ToPolar", Builtin::Read, -1, -1, numberFunction},
    {tok::ToFracMixed, "ToFracMixed", Builtin::Read, -1, -1, numberFunction},
    {tok::ToFracDec, "ToFracDec", Builtin::Read, -1, -1, numberFunction},
    {tok::FractionSlash, "FractionSlash", Builtin::Read, -1, -1, numberFunction},
    {tok::MixedU, "MixedU", Builtin::Read, -1, -1, numberFunction},
    {tok::RToPr, "RToPr", Builtin::Parsed, 2, 2, numberFunction},
    {tok::RToPTheta, "RToPTheta", Builtin::Parsed, 2, 2, numberFunction},
    {tok::PToRx, "PToRx", Builtin::Parsed, 2, 2, numberFunction},
    {tok::PToRy, "PToRy", Builtin::Parsed, 2, 2, numberFunction},
    {tok::RandIntNoRep, "RandIntNoRep", Builtin::Parsed, 2, 3, numberFunction},
    {tok::Dbd, "Dbd", Builtin::Parsed, 2, 2, numberFunction},
    {tok::Bal, "Bal", Builtin::Parsed, 1, 2, numberFunction},
    {tok::SigmaPrn, "SigmaPrn", Builtin::Parsed, 2, 3, numberFunction},
    {tok::SigmaInt, "SigmaInt", Builtin::Parsed, 2, 3, numberFunction},
};
} // namespace

const Library conversionsLibrary{"conversions", kConversions, int(std::size(kConversions))};

} // namespace calc::basic
