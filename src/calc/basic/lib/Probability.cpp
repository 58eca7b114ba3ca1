// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The regularised incomplete gamma and beta functions, by series and by
// Lentz's continued fraction, and the t, χ² and F distributions on them.
#include "calc/basic/lib/Probability.h"

#include "calc/basic/core/Error.h"

#include <algorithm>
#include <cmath>

namespace calc::basic::prob
{

namespace
{

constexpr long double kSqrt2 = 1.41421356237309504880168872420969808L;
constexpr long double kPi = 3.14159265358979323846264338327950288L;
constexpr long double kTiny = 1e-4000L;
constexpr long double kEps = 1e-19L;
constexpr int kSteps = 100000;

// One step of Lentz's method on a continued fraction's term a/(b+…): the
// factor its value takes.
long double lentz(long double a, long double b, long double &c, long double &d)
{
    d = a * d + b;
    if (std::fabs(d) < kTiny)
        d = kTiny;
    c = b + a / c;
    if (std::fabs(c) < kTiny)
        c = kTiny;
    d = 1 / d;
    return d * c;
}

// P(a,x) and Q(a,x) = 1-P(a,x), each without the other's cancellation.
void gammaSplit(long double a, long double x, long double *p, long double *q)
{
    if (x <= 0) {
        *p = 0;
        *q = 1;
        return;
    }
    if (a > 1e8L) {
        // The series and the fraction would need more steps than they are
        // given; Wilson and Hilferty's cube root is normal to ~1/a.
        const long double z = (std::cbrt(x / a) - 1 + 1 / (9 * a)) * 3 * std::sqrt(a);
        *p = normalBelow(z);
        *q = normalBelow(-z);
        return;
    }
    const long double front = std::exp(a * std::log(x) - x - std::lgamma(a));
    if (x < a + 1) {
        long double term = 1 / a, sum = term;
        for (int n = 1; n < kSteps; ++n) {
            term *= x / (a + n);
            sum += term;
            if (std::fabs(term) < std::fabs(sum) * kEps)
                break;
        }
        *p = std::min<long double>(1, sum * front);
        *q = 1 - *p;
        return;
    }
    long double b = x + 1 - a, c = 1 / kTiny, d = 1 / b, h = d;
    for (int i = 1; i < kSteps; ++i) {
        b += 2;
        const long double delta = lentz(-i * (i - a), b, c, d);
        h *= delta;
        if (std::fabs(delta - 1) < kEps)
            break;
    }
    *q = std::min<long double>(1, front * h);
    *p = 1 - *q;
}

// The continued fraction of I_x(a,b), good for x < (a+1)/(a+b+2).
long double betaFraction(long double a, long double b, long double x)
{
    const long double qab = a + b, qap = a + 1, qam = a - 1;
    long double c = 1, d = 1 - qab * x / qap;
    if (std::fabs(d) < kTiny)
        d = kTiny;
    d = 1 / d;
    long double h = d;
    for (int m = 1; m < kSteps; ++m) {
        const int m2 = 2 * m;
        h *= lentz(m * (b - m) * x / ((qam + m2) * (a + m2)), 1, c, d);
        const long double delta =
            lentz(-(a + m) * (qab + m) * x / ((a + m2) * (qap + m2)), 1, c, d);
        h *= delta;
        if (std::fabs(delta - 1) < kEps)
            break;
    }
    return h;
}

// I_x(a,b) and 1-I_x(a,b), given x and y = 1-x worked out apart.
void betaSplit(long double a, long double b, long double x, long double y, long double *lower,
               long double *upper)
{
    if (x <= 0 || y <= 0) {
        *lower = x <= 0 ? 0 : 1;
        *upper = 1 - *lower;
        return;
    }
    const long double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                       a * std::log(x) + b * std::log(y));
    if (x < (a + 1) / (a + b + 2)) {
        *lower = std::min<long double>(1, front * betaFraction(a, b, x) / a);
        *upper = 1 - *lower;
    } else {
        *upper = std::min<long double>(1, front * betaFraction(b, a, y) / b);
        *lower = 1 - *upper;
    }
}

// A distribution's area between two bounds from its area above each.
template <typename Above> long double between(long double lo, long double hi, Above above)
{
    return std::max<long double>(0, above(lo) - above(hi));
}

} // namespace

long double normalBelow(long double z)
{
    return std::erfc(-z / kSqrt2) / 2;
}

long double normalQuantile(long double p)
{
    // Bisection to a bracket, then Newton's steps on Φ.
    long double lo = -40, hi = 40;
    for (int i = 0; i < 60; ++i) {
        const long double mid = (lo + hi) / 2;
        (normalBelow(mid) < p ? lo : hi) = mid;
    }
    long double x = (lo + hi) / 2;
    for (int i = 0; i < 3; ++i) {
        const long double density = std::exp(-x * x / 2) / std::sqrt(2 * kPi);
        if (density <= 0)
            break;
        x -= (normalBelow(x) - p) / density;
    }
    return x;
}

// Past this many degrees of freedom the t distribution is the normal one
// to every digit shown, and its continued fraction would take seconds.
constexpr long double kNormalT = 1e12L;

long double tDensity(long double t, long double df)
{
    if (df > kNormalT)
        return std::exp(-t * t / 2) / std::sqrt(2 * kPi);
    return std::exp(std::lgamma((df + 1) / 2) - std::lgamma(df / 2) -
                    (df + 1) / 2 * std::log1p(t * t / df)) /
           std::sqrt(df * kPi);
}

long double tAbove(long double t, long double df)
{
    if (df > kNormalT)
        return normalBelow(-t);
    long double lower, upper;
    betaSplit(df / 2, 0.5L, df / (df + t * t), t * t / (df + t * t), &lower, &upper);
    return t >= 0 ? lower / 2 : 1 - lower / 2;
}

long double tBetween(long double lo, long double hi, long double df)
{
    if (lo < 0 && hi > 0) // both tails small: take them from 1
        return std::max<long double>(0, 1 - tAbove(-lo, df) - tAbove(hi, df));
    if (hi <= 0)
        return between(-hi, -lo, [df](long double t) { return tAbove(t, df); });
    return between(lo, hi, [df](long double t) { return tAbove(t, df); });
}

long double tQuantile(long double p, long double df)
{
    // tAbove falls as t grows: bisect on it, then Newton's steps.
    const long double target = 1 - p;
    long double lo = -1, hi = 1;
    while (tAbove(lo, df) < target && lo > -1e300L)
        lo *= 2;
    while (tAbove(hi, df) > target && hi < 1e300L)
        hi *= 2;
    for (int i = 0; i < 200 && hi - lo > std::fabs(hi) * 1e-19L; ++i) {
        const long double mid = (lo + hi) / 2;
        (tAbove(mid, df) > target ? lo : hi) = mid;
    }
    // The middle is 0, not what is left of the bisection there.
    const long double t = (lo + hi) / 2;
    return std::fabs(t) < 1e-15L ? 0 : t;
}

long double chiDensity(long double x, long double df)
{
    if (x < 0)
        return 0;
    if (x == 0)
        return df < 2 ? HUGE_VALL : df == 2 ? 0.5L : 0;
    return std::exp((df / 2 - 1) * std::log(x) - x / 2 - df / 2 * std::log(2.0L) -
                    std::lgamma(df / 2));
}

long double chiAbove(long double x, long double df)
{
    long double p, q;
    gammaSplit(df / 2, std::max<long double>(0, x) / 2, &p, &q);
    return q;
}

long double chiBetween(long double lo, long double hi, long double df)
{
    const long double mid = df; // about where the mass is; below it, work from the left
    if (hi <= mid) {
        long double pl, ql, ph, qh;
        gammaSplit(df / 2, std::max<long double>(0, lo) / 2, &pl, &ql);
        gammaSplit(df / 2, std::max<long double>(0, hi) / 2, &ph, &qh);
        return std::max<long double>(0, ph - pl);
    }
    return between(lo, hi, [df](long double x) { return chiAbove(x, df); });
}

long double fDensity(long double x, long double d1, long double d2)
{
    if (x < 0)
        return 0;
    if (x == 0)
        return d1 < 2 ? HUGE_VALL : d1 == 2 ? 1 : 0;
    return std::exp(std::lgamma((d1 + d2) / 2) - std::lgamma(d1 / 2) - std::lgamma(d2 / 2) +
                    d1 / 2 * std::log(d1 / d2) + (d1 / 2 - 1) * std::log(x) -
                    (d1 + d2) / 2 * std::log1p(d1 * x / d2));
}

long double fAbove(long double x, long double d1, long double d2)
{
    if (x <= 0)
        return 1;
    long double lower, upper;
    betaSplit(d1 / 2, d2 / 2, d1 * x / (d1 * x + d2), d2 / (d1 * x + d2), &lower, &upper);
    return upper;
}

long double fBetween(long double lo, long double hi, long double d1, long double d2)
{
    auto below = [&](long double x) {
        if (x <= 0)
            return 0.0L;
        long double lower, upper;
        betaSplit(d1 / 2, d2 / 2, d1 * x / (d1 * x + d2), d2 / (d1 * x + d2), &lower, &upper);
        return lower;
    };
    if (hi <= 1)
        return std::max<long double>(0, below(hi) - below(lo));
    return between(lo, hi, [&](long double x) { return fAbove(x, d1, d2); });
}

long double pValue(int alternative, long double above, long double below)
{
    if (alternative > 0)
        return above;
    if (alternative < 0)
        return below;
    return std::min<long double>(1, 2 * std::min(above, below));
}

long double binomialTerm(long double trials, long double p, long double k)
{
    if (k < 0 || k > trials)
        return 0;
    if (p == 0 || p == 1)
        return (p == 0 ? k == 0 : k == trials) ? 1 : 0;
    return std::exp(std::lgamma(trials + 1) - std::lgamma(k + 1) - std::lgamma(trials - k + 1) +
                    k * std::log(p) + (trials - k) * std::log1p(-p));
}

long double binomialBelow(long double trials, long double p, long double k)
{
    k = std::min(k, trials);
    if (k < 0)
        return 0;
    if (k + 1 <= kTermsAdded) {
        long double s = 0;
        for (long double i = 0; i <= k; ++i)
            s += binomialTerm(trials, p, i);
        return std::min<long double>(s, 1);
    }
    if (k >= trials || p == 0)
        return 1;
    if (p == 1)
        return 0;
    const long double spread = trials * p * (1 - p);
    if (spread > 1e10L) // past the fraction's steps; the normal is within ~1/√spread
        return normalBelow((k + 0.5L - trials * p) / std::sqrt(spread));
    // P(X ≤ k) = I_{1−p}(n−k, k+1).
    long double lower, upper;
    betaSplit(trials - k, k + 1, 1 - p, p, &lower, &upper);
    return lower;
}

long double binomialQuantile(long double target, long double trials, long double p)
{
    const long double goal = target * (1 - 1e-12L);
    if (trials + 1 <= kTermsAdded) {
        long double sum = 0, k = 0;
        for (; k < trials; ++k) {
            sum += binomialTerm(trials, p, k);
            if (sum >= goal)
                break;
        }
        return k;
    }
    // P(X ≤ k) grows with k: halve [lo, hi] until hi is the fewest, or
    // until no whole number lies between them (past 2⁶⁴ trials).
    long double lo = -1, hi = trials;
    while (hi - lo > 1) {
        checkStop();
        const long double mid = std::floor(lo + (hi - lo) / 2);
        if (mid <= lo || mid >= hi)
            break;
        (binomialBelow(trials, p, mid) >= goal ? hi : lo) = mid;
    }
    return hi;
}

long double poissonTerm(long double mu, long double k)
{
    return std::exp(-mu + k * std::log(mu) - std::lgamma(k + 1));
}

long double poissonBelow(long double mu, long double k)
{
    if (k < 0)
        return 0;
    if (k + 1 <= kTermsAdded) {
        long double s = 0;
        for (long double i = 0; i <= k; ++i)
            s += poissonTerm(mu, i);
        return std::min<long double>(s, 1);
    }
    // P(X ≤ k) = Q(k+1, μ).
    long double lower, upper;
    gammaSplit(k + 1, mu, &lower, &upper);
    return upper;
}

} // namespace calc::basic::prob
