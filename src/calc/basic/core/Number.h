// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A real number as the calculator keeps it: 14 significant decimal digits
// and a power of ten from -99 to 99. Sums, differences, products and
// quotients are exact before one rounding to 14 digits (half away from
// zero), so 0.1+0.2 is .3 and fPart( of a large number is what it shows.
// The other functions go through long double and are rounded the same way.
#include <QString>

#include <cstdint>

namespace calc::basic
{

class Number
{
public:
    Number() = default;
    static Number fromInt(std::int64_t v);
    // Digits as written: `digits` holds the figures, `point` how many of
    // them stand before the decimal point, `exp10` the ᴇ exponent. False on
    // overflow.
    static bool fromDigits(const QByteArray &digits, int point, int exp10, Number *out);
    static bool fromLongDouble(long double v, Number *out);

    bool isZero() const { return m_ == 0; }
    bool isNegative() const { return m_ < 0; }
    bool isInteger() const;
    // The value as an integer when it is one and fits in `limit`.
    bool toInt(std::int64_t *out) const;
    long double toLongDouble() const;
    // Scientific exponent: 1234 has 3. Meaningless for zero.
    int exponent() const { return e_; }

    // False on overflow (beyond 9.9999999999999ᴇ99); underflow gives 0.
    static bool add(Number a, Number b, Number *out);
    static bool sub(Number a, Number b, Number *out);
    static bool mul(Number a, Number b, Number *out);
    static bool div(Number a, Number b, Number *out); // b not zero
    Number negated() const;
    Number abs() const { return m_ < 0 ? negated() : *this; }
    Number iPart() const; // towards zero
    Number fPart() const;
    Number floor() const; // int(
    Number roundTo(int places) const;

    int compare(Number other) const;
    bool operator==(Number o) const { return m_ == o.m_ && (m_ == 0 || e_ == o.e_); }
    bool operator!=(Number o) const { return !(*this == o); }
    bool operator<(Number o) const { return compare(o) < 0; }

    // As the home screen shows it in Normal Float mode: at most 10 digits,
    // no leading zero, scientific from 1ᴇ10 up and below .001, ⁻ for minus.
    QString display() const;
    // Every digit kept, for tests and messages ("1.2345678901234ᴇ⁻5").
    QString full() const;

private:
    friend struct NumberAccess;
    static bool normalize(__int128 s, int q, Number *out);
    std::int64_t m_ = 0; // 0, or 10^13 <= |m_| < 10^14
    int e_ = 0;          // value = m_ * 10^(e_ - 13)
};

// Arithmetic as a program sees it: overflow, division by zero and the like
// raise the calculator's errors (Error.h).
Number num(long long v);
Number checked(bool ok, Number n);
Number add(Number a, Number b);
Number sub(Number a, Number b);
Number mul(Number a, Number b);
Number divide(Number a, Number b);
Number fromLd(long double v);
const Number &pi();
long long modulo(Number n, long long m);
Number power(Number a, Number b);
Number factorial(Number a);
Number combinations(Number a, Number b, bool ordered);
// A binary operator on two reals; `op` is its token.
Number realBinary(int op, Number a, Number b);

} // namespace calc::basic
