// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/Number.h"

#include "calc/TokenCodes.h"
#include "calc/basic/core/Error.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace calc::basic
{

namespace
{

constexpr std::int64_t kHigh = 100000000000000LL; // 10^14

// 10^0 to 10^38, the powers an __int128 holds. Every sum and product
// rounds through digitCount and shiftRound: a table and one division, where
// a division a digit made them most of the engine's arithmetic time.
struct Powers {
    __int128 of[39] = {};
    constexpr Powers()
    {
        __int128 p = 1;
        for (int i = 0; i < 39; ++i) {
            of[i] = p;
            if (i < 38)
                p *= 10;
        }
    }
};
constexpr Powers kPowers;

__int128 pow10i(int n)
{
    return kPowers.of[n];
}

int digitCount(__int128 v)
{
    if (v <= 0)
        return 0;
    int n = 1;
    while (n < 39 && v >= kPowers.of[n])
        ++n;
    return n;
}

// v / 10^n rounded half away from zero; v not negative.
__int128 shiftRound(__int128 v, int n)
{
    if (n <= 0)
        return v;
    if (n > 38)
        return 0;
    using U = unsigned __int128;
    const U p = U(kPowers.of[n]);
    const U r = U(v) / p;
    return __int128(r + ((U(v) - r * p) * 2 >= p));
}

} // namespace

// s * 10^q rounded to 14 digits.
bool Number::normalize(__int128 s, int q, Number *out)
{
    if (s == 0) {
        *out = Number();
        return true;
    }
    const bool neg = s < 0;
    __int128 a = neg ? -s : s;
    int digits = digitCount(a);
    if (digits > 14) {
        a = shiftRound(a, digits - 14);
        q += digits - 14;
        if (a >= kHigh) {
            a /= 10;
            ++q;
        }
    } else if (digits < 14) {
        a *= pow10i(14 - digits);
        q -= 14 - digits;
    }
    const int e = q + 13;
    if (e > 99)
        return false;
    if (e < -99) {
        *out = Number();
        return true;
    }
    out->m_ = std::int64_t(neg ? -a : a);
    out->e_ = e;
    return true;
}

Number Number::fromInt(std::int64_t v)
{
    Number n;
    normalize(v, 0, &n);
    return n;
}

bool Number::fromDigits(const QByteArray &digits, int point, int exp10, Number *out)
{
    // Leading zeros carry no figure; more than 30 figures only round.
    int start = 0;
    while (start < digits.size() && digits[start] == '0')
        ++start;
    __int128 m = 0;
    int used = 0;
    for (int i = start; i < digits.size() && used < 30; ++i, ++used)
        m = m * 10 + (digits[i] - '0');
    if (m == 0) {
        *out = Number();
        return true;
    }
    // The last figure used stands for 10^(point - start - used).
    const int q = point - start - used + exp10;
    if (q + used > 200)
        return false;
    if (q + used < -200) {
        *out = Number();
        return true;
    }
    return normalize(m, q, out);
}

bool Number::fromLongDouble(long double v, Number *out)
{
    if (std::isnan(v) || std::isinf(v))
        return false;
    if (v == 0) {
        *out = Number();
        return true;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.13Le", v);
    // d.ddddddddddddde[+-]x
    const bool neg = buf[0] == '-';
    const char *p = buf + (neg ? 1 : 0);
    std::int64_t m = p[0] - '0';
    for (int i = 2; i < 15; ++i)
        m = m * 10 + (p[i] - '0');
    const int e = std::atoi(p + 16);
    if (e > 99)
        return false;
    if (e < -99) {
        *out = Number();
        return true;
    }
    out->m_ = neg ? -m : m;
    out->e_ = e;
    return true;
}

bool Number::isInteger() const
{
    if (m_ == 0 || e_ >= 13)
        return true;
    if (e_ < 0)
        return false;
    return m_ % std::int64_t(pow10i(13 - e_)) == 0;
}

bool Number::toInt(std::int64_t *out) const
{
    if (!isInteger() || e_ > 17)
        return false;
    if (m_ == 0) {
        *out = 0;
        return true;
    }
    *out = e_ >= 13 ? std::int64_t(m_ * pow10i(e_ - 13)) : m_ / std::int64_t(pow10i(13 - e_));
    return true;
}

long double Number::toLongDouble() const
{
    if (m_ == 0)
        return 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%lldE%d", static_cast<long long>(m_), e_ - 13);
    return std::strtold(buf, nullptr);
}

bool Number::add(Number a, Number b, Number *out)
{
    if (a.m_ == 0) {
        *out = b;
        return true;
    }
    if (b.m_ == 0) {
        *out = a;
        return true;
    }
    if (a.e_ < b.e_)
        std::swap(a, b);
    const int d = a.e_ - b.e_;
    if (d > 16) {
        *out = a;
        return true;
    }
    const __int128 s = __int128(a.m_) * pow10i(d) + b.m_;
    return normalize(s, b.e_ - 13, out);
}

bool Number::sub(Number a, Number b, Number *out)
{
    return add(a, b.negated(), out);
}

bool Number::mul(Number a, Number b, Number *out)
{
    if (a.m_ == 0 || b.m_ == 0) {
        *out = Number();
        return true;
    }
    return normalize(__int128(a.m_) * b.m_, a.e_ + b.e_ - 26, out);
}

bool Number::div(Number a, Number b, Number *out)
{
    if (a.m_ == 0) {
        *out = Number();
        return true;
    }
    // 17 extra figures leave at least 16 in the quotient; the remainder
    // cannot turn a figure below one half into one half or more.
    const __int128 q = (__int128(a.m_) * pow10i(17)) / b.m_;
    return normalize(q, a.e_ - b.e_ - 17, out);
}

Number Number::negated() const
{
    Number n = *this;
    n.m_ = -m_;
    return n;
}

Number Number::iPart() const
{
    if (m_ == 0 || e_ >= 13)
        return *this;
    if (e_ < 0)
        return Number();
    const std::int64_t p = std::int64_t(pow10i(13 - e_));
    Number n = *this;
    n.m_ = m_ / p * p;
    if (n.m_ == 0)
        return Number();
    return n;
}

Number Number::fPart() const
{
    Number f;
    sub(*this, iPart(), &f); // exact: no rounding can happen
    return f;
}

Number Number::floor() const
{
    Number i = iPart();
    if (m_ < 0 && i != *this)
        sub(i, fromInt(1), &i);
    return i;
}

Number Number::roundTo(int places) const
{
    if (m_ == 0)
        return *this;
    // Figures kept: those down to 10^-places.
    const int drop = 13 - e_ - places;
    if (drop <= 0)
        return *this;
    const bool neg = m_ < 0;
    const __int128 a = shiftRound(neg ? -__int128(m_) : __int128(m_), drop);
    Number n;
    normalize(neg ? -a : a, e_ - 13 + drop, &n);
    return n;
}

int Number::compare(Number o) const
{
    const int sa = m_ < 0 ? -1 : (m_ > 0 ? 1 : 0);
    const int sb = o.m_ < 0 ? -1 : (o.m_ > 0 ? 1 : 0);
    if (sa != sb)
        return sa < sb ? -1 : 1;
    if (sa == 0)
        return 0;
    if (e_ != o.e_)
        return (e_ < o.e_) == (sa > 0) ? -1 : 1;
    return m_ < o.m_ ? -1 : (m_ > o.m_ ? 1 : 0);
}

namespace
{

const QString kMinus = QStringLiteral("\u207B");
const QString kE = QStringLiteral("\u1D07");

// The figures of a mantissa without its trailing zeros, a point after the
// first.
QString mantissaText(std::int64_t digits)
{
    QString s = QString::number(digits);
    while (s.size() > 1 && s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.size() > 1)
        s.insert(1, QLatin1Char('.'));
    return s;
}

} // namespace

QString Number::display() const
{
    if (m_ == 0)
        return QStringLiteral("0");
    const bool neg = m_ < 0;
    const std::int64_t a = neg ? -m_ : m_;
    // Ten figures first: that decides between plain and scientific.
    std::int64_t ten = std::int64_t(shiftRound(a, 4));
    int e = e_;
    if (ten >= 10000000000LL) {
        ten /= 10;
        ++e;
    }
    QString s;
    if (e >= 10 || e < -3) {
        s = mantissaText(ten) + kE + (e < 0 ? kMinus : QString()) + QString::number(std::abs(e));
    } else if (e >= 0) {
        QString digits = QString::number(ten);
        QString frac = digits.mid(e + 1);
        while (frac.endsWith(QLatin1Char('0')))
            frac.chop(1);
        s = digits.left(e + 1);
        if (!frac.isEmpty())
            s += QLatin1Char('.') + frac;
    } else {
        // Ten places after the point, leading zeros included.
        e = e_;
        const int figures = 11 + e;
        std::int64_t kept = std::int64_t(shiftRound(a, 14 - figures));
        QString digits = QString::number(kept);
        if (digits.size() > figures) { // rounded up to the next power of ten
            digits.chop(1);
            ++e;
        }
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        s = QStringLiteral(".") + QString(-e - 1, QLatin1Char('0')) + digits;
    }
    return neg ? kMinus + s : s;
}

QString Number::full() const
{
    if (m_ == 0)
        return QStringLiteral("0");
    const bool neg = m_ < 0;
    const QString s = mantissaText(neg ? -m_ : m_) + kE + (e_ < 0 ? kMinus : QString()) +
                      QString::number(std::abs(e_));
    return neg ? kMinus + s : s;
}

// Arithmetic as programs see it: overflow and the like raise the
// calculator's errors.

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

} // namespace calc::basic
