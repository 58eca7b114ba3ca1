// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/run/Number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace calc::run
{

namespace
{

constexpr std::int64_t kLow = 10000000000000LL;   // 10^13
constexpr std::int64_t kHigh = 100000000000000LL; // 10^14

__int128 pow10i(int n)
{
    __int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

int digitCount(__int128 v)
{
    int n = 0;
    while (v > 0) {
        v /= 10;
        ++n;
    }
    return n;
}

// v / 10^n rounded half away from zero; v not negative.
__int128 shiftRound(__int128 v, int n)
{
    if (n <= 0)
        return v;
    if (n > 38)
        return 0;
    const __int128 p = pow10i(n);
    __int128 r = v / p;
    if ((v % p) * 2 >= p)
        ++r;
    return r;
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

} // namespace calc::run
