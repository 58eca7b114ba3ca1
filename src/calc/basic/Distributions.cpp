// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rest of the DISTR menu: tpdf(, tcdf(, invT(, χ²pdf(, χ²cdf(, Fpdf(,
// Fcdf(, geometpdf(, geometcdf( and invBinom(. What this file does not know
// goes on to the tests, intervals and regressions, then to finance.
#include "calc/basic/Maths.h"
#include "calc/basic/Probability.h"
#include "calc/basic/Vm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace calc::basic
{

namespace
{

long double ld(const Value &v)
{
    return realOf(v).toLongDouble();
}

// Degrees of freedom: any positive real.
long double freedom(const Value &v)
{
    const long double df = ld(v);
    if (!(df > 0))
        raise(Error::Domain);
    return df;
}

long double probability(const Value &v)
{
    const long double p = ld(v);
    if (p < 0 || p > 1)
        raise(Error::Domain);
    return p;
}

// An area between bounds; bounds the wrong way round give it negated, as
// normalcdf( does.
template <typename F> Value area(const Value &a, const Value &b, F between)
{
    const long double lo = ld(a), hi = ld(b);
    return Value::real(fromLd(lo <= hi ? between(lo, hi) : -between(hi, lo)));
}

long double binomialTerm(long double trials, long double p, long double k)
{
    if (p == 0 || p == 1)
        return (p == 0 ? k == 0 : k == trials) ? 1 : 0;
    return std::exp(std::lgamma(trials + 1) - std::lgamma(k + 1) - std::lgamma(trials - k + 1) +
                    k * std::log(p) + (trials - k) * std::log1p(-p));
}

} // namespace

bool isDistribution(int t)
{
    switch (t) {
    case tok::TCdf:
    case tok::ChiCdf:
    case tok::FCdf:
    case tok::GeometPdf:
    case tok::GeometCdf:
    case tok::TPdf:
    case tok::ChiPdf:
    case tok::FPdf:
    case tok::InvT:
    case tok::InvBinom:
        return true;
    default:
        return false;
    }
}

Value Vm::distribution(int fn, Value *args, int n)
{
    using namespace prob;
    switch (fn) {
    case tok::TPdf: {
        const long double df = freedom(args[1]);
        return mapReal(args[0], [df](Number t) { return fromLd(tDensity(t.toLongDouble(), df)); });
    }
    case tok::TCdf: {
        const long double df = freedom(args[2]);
        return area(args[0], args[1],
                    [df](long double a, long double b) { return tBetween(a, b, df); });
    }
    case tok::InvT: {
        const long double df = freedom(args[1]);
        return mapReal(args[0], [df](Number x) {
            const long double p = x.toLongDouble();
            if (!(p > 0 && p < 1))
                raise(Error::Domain);
            return fromLd(tQuantile(p, df));
        });
    }
    case tok::ChiPdf: {
        const long double df = freedom(args[1]);
        return mapReal(args[0],
                       [df](Number x) { return fromLd(chiDensity(x.toLongDouble(), df)); });
    }
    case tok::ChiCdf: {
        const long double df = freedom(args[2]);
        return area(args[0], args[1],
                    [df](long double a, long double b) { return chiBetween(a, b, df); });
    }
    case tok::FPdf: {
        const long double d1 = freedom(args[1]), d2 = freedom(args[2]);
        return mapReal(args[0],
                       [&](Number x) { return fromLd(fDensity(x.toLongDouble(), d1, d2)); });
    }
    case tok::FCdf: {
        const long double d1 = freedom(args[2]), d2 = freedom(args[3]);
        return area(args[0], args[1],
                    [&](long double a, long double b) { return fBetween(a, b, d1, d2); });
    }
    case tok::GeometPdf:
    case tok::GeometCdf: {
        // The trial of the first success: a whole number from 1.
        const long double p = probability(args[0]);
        if (p == 0)
            raise(Error::Domain);
        return mapReal(args[1], [&](Number x) {
            if (!x.isInteger() || x.toLongDouble() < 1)
                raise(Error::Domain);
            const long double k = x.toLongDouble();
            if (fn == tok::GeometCdf)
                return fromLd(p == 1 ? 1 : -std::expm1(k * std::log1p(-p)));
            return fromLd(p == 1 ? (k == 1 ? 1 : 0) : p * std::exp((k - 1) * std::log1p(-p)));
        });
    }
    case tok::InvBinom: {
        // The fewest successes whose binomcdf( reaches the area.
        const long double target = probability(args[0]);
        const Number trials = realOf(args[1]);
        if (!trials.isInteger() || trials.isNegative())
            raise(Error::Domain);
        const long double count = trials.toLongDouble(), p = probability(args[2]);
        long double sum = 0, k = 0;
        for (; k < count; ++k) {
            sum += binomialTerm(count, p, k);
            if (sum >= target * (1 - 1e-12L))
                break;
        }
        return Value::real(fromLd(k));
    }
    default:
        break;
    }
    return statCommand(fn, args, n);
}

// ShadeNorm(, Shade_t(, Shadeχ²( and ShadeF(: the density over the
// window, the area between the bounds shaded under it, and the area with
// its bounds written at the foot of the screen.
void Vm::shadeDistribution(int fn, Value *args, int n)
{
    using namespace prob;
    const int least = fn == tok::ShadeNorm ? 2 : fn == tok::ShadeF ? 4 : 3;
    const int most = fn == tok::ShadeNorm ? 4 : least;
    if (n < least || n > most)
        raise(Error::Argument);
    const long double lo = ld(args[0]), hi = ld(args[1]);
    std::function<long double(long double)> density;
    long double area = 0;
    if (fn == tok::ShadeNorm) {
        const long double mu = n > 2 ? ld(args[2]) : 0, sigma = n > 3 ? ld(args[3]) : 1;
        if (!(sigma > 0))
            raise(Error::Domain);
        density = [mu, sigma](long double x) {
            const long double z = (x - mu) / sigma;
            return std::exp(-z * z / 2) / (2.50662827463100050241576528481104525L * sigma);
        };
        const long double a = (lo - mu) / sigma, b = (hi - mu) / sigma;
        area = a > 0 ? normalBelow(-a) - normalBelow(-b) : normalBelow(b) - normalBelow(a);
    } else if (fn == tok::ShadeT) {
        const long double df = freedom(args[2]);
        density = [df](long double x) { return tDensity(x, df); };
        area = lo <= hi ? tBetween(lo, hi, df) : -tBetween(hi, lo, df);
    } else if (fn == tok::ShadeChi) {
        const long double df = freedom(args[2]);
        density = [df](long double x) { return chiDensity(x, df); };
        area = lo <= hi ? chiBetween(lo, hi, df) : -chiBetween(hi, lo, df);
    } else {
        const long double d1 = freedom(args[2]), d2 = freedom(args[3]);
        density = [d1, d2](long double x) { return fDensity(x, d1, d2); };
        area = lo <= hi ? fBetween(lo, hi, d1, d2) : -fBetween(hi, lo, d1, d2);
    }
    showGraph();
    e_.graphShown_ = true;
    const Number &x = e_.reals_['X' - 'A'];
    const auto zero = [] { return Value::real(Number()); };
    const auto curve = [&] { return Value::real(fromLd(density(x.toLongDouble()))); };
    shade(zero, curve, args, 2);
    if (e_.host_.drawText) {
        auto shown = [](long double v) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.6Le", v);
            return fromLd(std::strtold(buf, nullptr)).display();
        };
        GraphScreen &g = e_.graph_;
        e_.host_.drawText(g, 45, 1, QStringLiteral("Area=") + shown(area));
        e_.host_.drawText(g, 51, 1,
                          QStringLiteral("low=") + shown(lo) + QStringLiteral(" up=") + shown(hi));
    }
}

} // namespace calc::basic
