// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/run/Vm.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"

#include <algorithm>
#include <cmath>

namespace calc::run
{
namespace vm
{

Number num(long long v)
{
    return Number::fromInt(v);
}

Number checked(bool ok, Number n)
{
    if (!ok)
        raise(Error::Overflow);
    return n;
}

Number add(Number a, Number b)
{
    Number r;
    return checked(Number::add(a, b, &r), r);
}

Number sub(Number a, Number b)
{
    Number r;
    return checked(Number::sub(a, b, &r), r);
}

Number mul(Number a, Number b)
{
    Number r;
    return checked(Number::mul(a, b, &r), r);
}

Number divide(Number a, Number b)
{
    if (b.isZero())
        raise(Error::DivideBy0);
    Number r;
    return checked(Number::div(a, b, &r), r);
}

Number fromLd(long double v)
{
    if (std::isnan(v))
        raise(Error::Domain);
    Number r;
    return checked(Number::fromLongDouble(v, &r), r);
}

const Number &pi()
{
    static const Number p = [] {
        Number n;
        Number::fromDigits("31415926535898", 1, 0, &n);
        return n;
    }();
    return p;
}

bool truth(const Value &v)
{
    if (v.kind != Value::Real)
        raise(Error::DataType);
    return !v.num.isZero();
}

const Number &realOf(const Value &v)
{
    if (v.kind != Value::Real)
        raise(Error::DataType);
    return v.num;
}

long long intOf(const Value &v, Error e)
{
    std::int64_t i;
    if (!realOf(v).toInt(&i))
        raise(e);
    return i;
}

// n mod m for a whole number n of any size.
long long modulo(Number n, long long m)
{
    std::int64_t i;
    if (n.toInt(&i))
        return i % m;
    // n = mantissa * 10^k with k > 0.
    const QString full = n.full(); // d.dddᴇk
    long long r = 0;
    int figures = 0;
    for (QChar c : full) {
        if (c == QChar(0x1D07))
            break;
        if (c.isDigit()) {
            r = (r * 10 + c.digitValue()) % m;
            ++figures;
        }
    }
    for (int k = figures - 1; k < n.exponent(); ++k)
        r = r * 10 % m;
    return r;
}

QByteArray bytesOf(const QVector<int> &tokens)
{
    QByteArray b;
    for (int t : tokens)
        b += calc::tokens::tokenBytes(t);
    return b;
}

Number power(Number a, Number b)
{
    std::int64_t n;
    if (b.toInt(&n) && n >= -100000 && n <= 100000) {
        if (n == 0) {
            if (a.isZero())
                raise(Error::Domain);
            return num(1);
        }
        if (a.isZero()) {
            if (n < 0)
                raise(Error::DivideBy0);
            return a;
        }
        // Squaring keeps whole powers exact while they fit 14 figures.
        Number result = num(1), base = a;
        std::int64_t e = n < 0 ? -n : n;
        while (e > 0) {
            if (e & 1)
                result = mul(result, base);
            e >>= 1;
            if (e)
                base = mul(base, base);
        }
        return n < 0 ? divide(num(1), result) : result;
    }
    if (a.isZero()) {
        if (b.isNegative())
            raise(Error::Domain);
        return a;
    }
    const long double x = a.toLongDouble(), y = b.toLongDouble();
    if (a.isNegative()) {
        // A power p/q with q odd has a real root: (⁻8)^(1/3) is ⁻2.
        for (int q = 3; q < 100; q += 2) {
            const long double p = std::round(y * q);
            if (std::fabs(y * q - p) < 1e-9L) {
                const long double r = std::pow(-x, y);
                return fromLd(std::fmod(std::fabs(p), 2) == 1 ? -r : r);
            }
        }
        raise(Error::NonrealAns);
    }
    return fromLd(std::pow(x, y));
}

Number factorial(Number a)
{
    std::int64_t n;
    if (!a.toInt(&n)) {
        // Halves have one too: (⁻.5)! is √π.
        const Number twice = mul(a, num(2));
        if (!twice.isInteger() || a.compare(num(-1)) < 0 || a.compare(num(69)) > 0)
            raise(Error::Domain);
        return fromLd(std::tgamma(a.toLongDouble() + 1));
    }
    if (n < 0)
        raise(Error::Domain);
    if (n > 69)
        raise(Error::Overflow);
    Number r = num(1);
    for (std::int64_t i = 2; i <= n; ++i)
        r = mul(r, num(i));
    return r;
}

Number combinations(Number a, Number b, bool ordered)
{
    std::int64_t n, r;
    if (!a.toInt(&n) || !b.toInt(&r) || n < 0 || r < 0)
        raise(Error::Domain);
    if (r > n)
        return Number();
    Number out = num(1);
    if (ordered) {
        for (std::int64_t i = 0; i < r; ++i)
            out = mul(out, num(n - i));
        return out;
    }
    if (r > n - r)
        r = n - r;
    for (std::int64_t i = 1; i <= r; ++i)
        out = divide(mul(out, num(n - r + i)), num(i));
    return out.roundTo(0);
}

Number realBinary(int op, Number a, Number b)
{
    switch (op) {
    case tok::Plus:
        return add(a, b);
    case tok::Minus:
        return sub(a, b);
    case tok::Times:
        return mul(a, b);
    case tok::Divide:
        return divide(a, b);
    case tok::Power:
        return power(a, b);
    case tok::XRoot: {
        // a ˣ√ b: the a-th root of b.
        if (a.isZero())
            raise(Error::Domain);
        std::int64_t n;
        if (b.isNegative()) {
            if (!a.toInt(&n) || n % 2 == 0)
                raise(Error::NonrealAns);
            return power(b.negated(), divide(num(1), a)).negated();
        }
        return power(b, divide(num(1), a));
    }
    case tok::Eq:
        return num(a == b);
    case tok::Ne:
        return num(a != b);
    case tok::Lt:
        return num(a.compare(b) < 0);
    case tok::Gt:
        return num(a.compare(b) > 0);
    case tok::Le:
        return num(a.compare(b) <= 0);
    case tok::Ge:
        return num(a.compare(b) >= 0);
    case tok::And:
        return num(!a.isZero() && !b.isZero());
    case tok::Or:
        return num(!a.isZero() || !b.isZero());
    case tok::Xor:
        return num(!a.isZero() != !b.isZero());
    case tok::NPr:
        return combinations(a, b, true);
    case tok::NCr:
        return combinations(a, b, false);
    }
    raise(Error::Syntax);
}

Value binary(int op, const Value &a, const Value &b)
{
    using K = Value::Kind;
    if (a.kind == K::Real && b.kind == K::Real)
        return Value::real(realBinary(op, a.num, b.num));
    if (a.kind == K::String || b.kind == K::String) {
        if (a.kind != b.kind)
            raise(Error::DataType);
        if (op == tok::Plus) {
            Value v = a;
            v.text += b.text;
            return v;
        }
        if (op == tok::Eq || op == tok::Ne)
            return Value::real(num((a.text == b.text) == (op == tok::Eq)));
        raise(Error::DataType);
    }
    if (a.kind == K::Matrix || b.kind == K::Matrix) {
        if (op == tok::Times && a.kind == K::Matrix && b.kind == K::Matrix) {
            if (a.cols != b.rows)
                raise(Error::DimMismatch);
            Value m = a;
            m.cols = b.cols;
            m.items.fill(Number(), a.rows * b.cols);
            for (int r = 0; r < a.rows; ++r)
                for (int c = 0; c < b.cols; ++c) {
                    Number s;
                    for (int k = 0; k < a.cols; ++k)
                        s = add(s, mul(a.items[r * a.cols + k], b.items[k * b.cols + c]));
                    m.items[r * m.cols + c] = s;
                }
            return m;
        }
        if (op == tok::Times && (a.kind == K::Real || b.kind == K::Real)) {
            Value m = a.kind == K::Matrix ? a : b;
            const Number k = a.kind == K::Real ? a.num : b.num;
            for (Number &x : m.items)
                x = mul(x, k);
            return m;
        }
        if ((op == tok::Plus || op == tok::Minus) && a.kind == b.kind) {
            if (a.rows != b.rows || a.cols != b.cols)
                raise(Error::DimMismatch);
            Value m = a;
            for (int i = 0; i < m.items.size(); ++i)
                m.items[i] = realBinary(op, a.items[i], b.items[i]);
            return m;
        }
        raise(Error::DataType);
    }
    // Lists, element by element; a real goes with every element.
    if (a.kind == K::List && b.kind == K::List && a.items.size() != b.items.size())
        raise(Error::DimMismatch);
    Value out = a.kind == K::List ? a : b;
    for (int i = 0; i < out.items.size(); ++i)
        out.items[i] = realBinary(op, a.kind == K::List ? a.items[i] : a.num,
                                  b.kind == K::List ? b.items[i] : b.num);
    return out;
}

const QVector<Number> &listOf(const Value &v)
{
    if (v.kind != Value::List)
        raise(Error::DataType);
    return v.items;
}

// An index into a list or string: a whole number from 1 to `size`.
int indexOf(const Value &v, int size)
{
    std::int64_t i;
    if (!realOf(v).toInt(&i) || i < 1 || i > size)
        raise(Error::InvalidDim);
    return int(i);
}

int listSize(const Value &v)
{
    std::int64_t n;
    if (!realOf(v).toInt(&n) || n < 1 || n > 999)
        raise(Error::Domain);
    return int(n);
}

// A pixel place from two values: rows 0-62, columns 0-94, or ERR:DOMAIN.
void pixelPlace(const Value &row, const Value &col, int *r, int *c, int rows)
{
    std::int64_t a, b;
    if (!realOf(row).toInt(&a) || !realOf(col).toInt(&b) || a < 0 || a >= rows || b < 0 ||
        b >= GraphScreen::kColumns)
        raise(Error::Domain);
    *r = int(a);
    *c = int(b);
}

double coord(const Value &v)
{
    return double(realOf(v).toLongDouble());
}

} // namespace vm

Number Vm::trig(int fn, Number x)
{
    const long double v = x.toLongDouble();
    const long double toRad = e_.degrees_ ? 3.14159265358979323846264338327950288L / 180 : 1;
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
        if (std::fabs(std::cos(v * toRad)) < 1e-15L)
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
            raise(Error::NonrealAns);
        return fromLd(std::acosh(v));
    case 10:
        return fromLd(std::tanh(v));
    default:
        if (std::fabs(v) >= 1)
            raise(Error::Domain);
        return fromLd(std::atanh(v));
    }
}

Value Vm::unary(int op, const Value &v)
{
    if (v.kind == Value::Matrix && op == tok::Neg) {
        Value m = v;
        for (Number &x : m.items)
            x = x.negated();
        return m;
    }
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
        return mapReal(
            v, [this](Number x) { return e_.degrees_ ? x : divide(mul(x, pi()), num(180)); });
    case tok::RadianSign:
        return mapReal(
            v, [this](Number x) { return e_.degrees_ ? divide(mul(x, num(180)), pi()) : x; });
    }
    raise(Error::Syntax);
}

Value Vm::call(int fn, Value *args, int n)
{
    const Value &a = args[0];
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
    case tok::Min:
    case tok::Max: {
        const bool least = fn == tok::Min;
        auto pick = [least](Number x, Number y) { return (x.compare(y) < 0) == least ? x : y; };
        if (n == 1) {
            const QVector<Number> &l = listOf(a);
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
    case tok::Dim:
        if (a.kind == Value::Matrix)
            return Value::list({num(a.rows), num(a.cols)});
        return Value::real(num(listOf(a).size()));
    case tok::Sum:
    case tok::Prod: {
        const QVector<Number> &l = listOf(a);
        int from = 1, to = l.size();
        if (n >= 2)
            from = indexOf(args[1], l.size());
        if (n == 3)
            to = indexOf(args[2], l.size());
        Number r = num(fn == tok::Sum ? 0 : 1);
        for (int i = from; i <= to; ++i)
            r = fn == tok::Sum ? add(r, l[i - 1]) : mul(r, l[i - 1]);
        return Value::real(r);
    }
    case tok::Mean: {
        const QVector<Number> &l = listOf(a);
        Number s;
        for (const Number &x : l)
            s = add(s, x);
        return Value::real(divide(s, num(l.size())));
    }
    case tok::Median: {
        QVector<Number> l = listOf(a);
        std::sort(l.begin(), l.end());
        const int m = l.size() / 2;
        if (l.size() % 2)
            return Value::real(l[m]);
        return Value::real(divide(add(l[m - 1], l[m]), num(2)));
    }
    case tok::CumSum: {
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
            if (a.items.size() + b.items.size() > 999)
                raise(Error::InvalidDim);
            return Value::list(a.items + b.items);
        }
        if (a.kind == Value::Matrix && b.kind == Value::Matrix) {
            if (a.rows != b.rows)
                raise(Error::DimMismatch);
            Value m = a;
            m.cols = a.cols + b.cols;
            m.items.clear();
            for (int r = 0; r < a.rows; ++r)
                m.items += a.items.mid(r * a.cols, a.cols) + b.items.mid(r * b.cols, b.cols);
            return m;
        }
        raise(Error::DataType);
    }
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
        Value l = binary(tok::Plus, a, args[1]); // checks kinds and sizes
        if (l.kind == Value::Real)
            return Value::real(f(a.num, args[1].num));
        for (int i = 0; i < l.items.size(); ++i)
            l.items[i] = f(a.kind == Value::List ? a.items[i] : a.num,
                           args[1].kind == Value::List ? args[1].items[i] : args[1].num);
        return l;
    }
    case tok::RandInt: {
        std::int64_t lo, hi;
        if (!realOf(a).toInt(&lo) || !realOf(args[1]).toInt(&hi))
            raise(Error::Domain);
        if (lo > hi)
            std::swap(lo, hi);
        auto one = [&] { return add(num(lo), mul(num(hi - lo + 1), e_.nextRandom()).floor()); };
        if (n == 2)
            return Value::real(one());
        QVector<Number> l(listSize(args[2]));
        for (Number &x : l)
            x = one();
        return Value::list(l);
    }
    case tok::Rand: {
        QVector<Number> l(listSize(a));
        for (Number &x : l)
            x = e_.nextRandom();
        return Value::list(l);
    }
    case tok::PxlTest: {
        int r, c;
        pixelPlace(a, args[1], &r, &c);
        e_.graph_.prepare();
        return Value::real(num(e_.graph_.pixel(r, c)));
    }
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
        if (start < 1 || length < 1 || start + length - 1 > a.text.size())
            raise(Error::Domain);
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
        if (inExpr)
            raise(Error::IllegalNest);
        Vm inner(e_);
        inner.inExpr = true;
        return inner.evaluate(compile(bytesOf(a.text), true));
    }
    }
    if (fn >= tok::Sin && fn <= tok::Tanh1)
        return mapReal(a, [this, fn](Number x) { return trig(fn, x); });
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

void Vm::draw(int cmd, const Value *args, int n)
{
    GraphScreen &g = e_.graph_;
    switch (cmd) {
    case tok::AxesOn:
    case tok::AxesOff:
        g.setAxes(cmd == tok::AxesOn);
        return; // a setting: the screen stays as it is
    case tok::ZStandard:
        g.standard();
        return;
    default:
        break;
    }
    g.prepare();
    e_.graphShown_ = true;
    switch (cmd) {
    case tok::ClrDraw:
        g.clear();
        break;
    case tok::DispGraph:
        break;
    case tok::PxlOn:
    case tok::PxlOff:
    case tok::PxlChange: {
        int r, c;
        pixelPlace(args[0], args[1], &r, &c);
        g.set(r, c, GraphScreen::Mode(cmd == tok::PxlOn ? 1 : cmd == tok::PxlOff ? 0 : 2));
        break;
    }
    case tok::PtOn:
    case tok::PtOff:
    case tok::PtChange: {
        std::int64_t mark = 1;
        if (n == 3 && (!realOf(args[2]).toInt(&mark) || mark < 1 || mark > 3))
            raise(Error::Domain);
        const auto mode = GraphScreen::Mode(cmd == tok::PtOn ? 1 : cmd == tok::PtOff ? 0 : 2);
        g.point(coord(args[0]), coord(args[1]), mode, cmd == tok::PtChange ? 1 : int(mark));
        break;
    }
    case tok::Line: {
        bool on = true;
        if (n == 5)
            on = !realOf(args[4]).isZero();
        g.line(coord(args[0]), coord(args[1]), coord(args[2]), coord(args[3]),
               on ? GraphScreen::On : GraphScreen::Off);
        break;
    }
    case tok::Horizontal:
        g.horizontal(coord(args[0]), GraphScreen::On);
        break;
    case tok::Vertical:
        g.vertical(coord(args[0]), GraphScreen::On);
        break;
    case tok::Circle:
        g.circle(coord(args[0]), coord(args[1]), coord(args[2]));
        break;
    case tok::Text: {
        // The small font's letters are 6 rows tall: row 57 is the lowest.
        int r, c;
        pixelPlace(args[0], args[1], &r, &c, GraphScreen::kHeight - 6);
        QString text;
        for (int i = 2; i < n; ++i) {
            if (args[i].kind == Value::Matrix)
                raise(Error::DataType);
            text += displayText(args[i]);
        }
        if (e_.host_.drawText)
            e_.host_.drawText(g, r, c, text);
        break;
    }
    default:
        raise(Error::Unsupported, calc::tokens::displayString(cmd));
    }
}

} // namespace calc::run
