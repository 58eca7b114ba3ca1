// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rest of the DISTR menu: tpdf(, tcdf(, invT(, χ²pdf(, χ²cdf(, Fpdf(,
// Fcdf(, geometpdf(, geometcdf( and invBinom(. What this file does not know
// goes on to the tests, intervals and regressions, then to finance.
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/graph/Graph.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"
#include "calc/basic/lib/Probability.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>

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

// Six significant digits, as the graph screen's results write them.
QString sixDigits(long double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.5Le", v);
    return fromLd(std::strtold(buf, nullptr)).display();
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

Value distribution(Calculator &, int fn, Value *args, int)
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
        return Value::real(fromLd(binomialQuantile(target, count, p)));
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

// ShadeNorm(, Shade_t(, Shadeχ²( and ShadeF(: the density over the
// window, the area between the bounds shaded under it, and the area with
// its bounds written at the foot of the screen.
// ShadeNorm( and the others, less the flag the statistics commands carry.
Value shadeCommand(Calculator &c_, int fn, Value *args, int n)
{
    shadeDistribution(c_, fn, args, n - 1);
    return Value();
}

void shadeDistribution(Calculator &c_, int fn, Value *args, int n)
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
    shadeDensity(c_, density, lo, hi);
    writeArea(c_, QStringLiteral("Area=") + sixDigits(area),
              QStringLiteral("low=") + sixDigits(lo) + QStringLiteral(" up=") + sixDigits(hi));
}

// The density over the window with the area between lo and hi shaded under
// it; a second area (a two-sided test's other tail) when lo2 < hi2.
void shadeDensity(Calculator &c_, const std::function<long double(long double)> &density,
                  long double lo, long double hi, long double lo2, long double hi2)
{
    showGraph(c_);
    c_.showGraph(true);
    const Number &x = c_.reals()['X' - 'A'];
    const auto zero = [] { return Value::real(Number()); };
    const auto curve = [&] { return Value::real(fromLd(density(x.toLongDouble()))); };
    const Value bounds[2] = {Value::real(fromLd(lo)), Value::real(fromLd(hi))};
    shade(c_, zero, curve, bounds, 2);
    if (lo2 < hi2) {
        const Value other[2] = {Value::real(fromLd(lo2)), Value::real(fromLd(hi2))};
        shade(c_, zero, curve, other, 2);
    }
}

// Two lines at the foot of the graph screen shown.
void writeArea(Calculator &c_, const QString &first, const QString &second)
{
    if (ColourScreen *colour = c_.colour()) {
        if (!c_.host().drawColourText)
            return;
        // Two of the colour models' 12-pixel rows of text.
        const int top = colour->rows() - 2 * 12 - 1;
        c_.host().drawColourText(*colour, top, 1, first, false);
        c_.host().drawColourText(*colour, top + 12, 1, second, false);
        return;
    }
    if (!c_.host().drawText)
        return;
    GraphScreen &g = c_.graph();
    c_.host().drawText(g, 45, 1, first);
    c_.host().drawText(g, 51, 1, second);
}

// A test's draw? output: the statistic's distribution over a window that
// shows it, the p-value's tails shaded, and the statistic and p written.
void drawTest(Calculator &c_, int fn, long double stat, int alternative, long double d1,
              long double d2, const QString &name, long double p)
{
    using namespace prob;
    std::function<long double(long double)> density;
    long double left, right, peak;
    const bool chi = fn == tok::ChiTest, f = fn == tok::TwoSampFTest;
    if (chi) {
        density = [d1](long double x) { return chiDensity(x, d1); };
        left = 0;
        right = std::max(d1 + 4 * std::sqrt(2 * d1), stat * 1.1L);
        peak = density(std::max<long double>(d1 - 2, 0.3L));
    } else if (f) {
        density = [d1, d2](long double x) { return fDensity(x, d1, d2); };
        left = 0;
        right = std::max<long double>(5, stat * 1.1L);
        peak = density(std::max<long double>(d1 > 2 ? (d1 - 2) / d1 * d2 / (d2 + 2) : 0.2L, 0.2L));
    } else {
        if (d1 > 0)
            density = [d1](long double x) { return tDensity(x, d1); };
        else
            density = [](long double x) { return std::exp(-x * x / 2) / 2.506628274631000502L; };
        right = std::max<long double>(3.5L, std::fabs(stat) + 0.5L);
        left = -right;
        peak = density(0);
    }
    GraphScreen::Windows w = c_.graph().windows();
    w[GraphScreen::Xmin] = fromLd(left);
    w[GraphScreen::Xmax] = fromLd(right);
    w[GraphScreen::Ymin] = fromLd(-peak / 4);
    w[GraphScreen::Ymax] = fromLd(peak * 1.25L);
    c_.graph().setWindows(w);
    const long double big = 1e99L;
    if (alternative > 0 || chi || (f && alternative == 0 && stat >= 1))
        shadeDensity(c_, density, stat, big);
    else if (alternative < 0 || f)
        shadeDensity(c_, density, -big, stat);
    else
        shadeDensity(c_, density, -big, -std::fabs(stat), std::fabs(stat), big);
    writeArea(c_, name + QLatin1Char('=') + sixDigits(stat), QStringLiteral("p=") + sixDigits(p));
}

namespace
{
const Builtin kDistributions[] = {
    {tok::TPdf, "TPdf", Builtin::Parsed, 2, 2, distribution},
    {tok::TCdf, "TCdf", Builtin::Parsed, 3, 3, distribution},
    {tok::InvT, "InvT", Builtin::Parsed, 2, 2, distribution},
    {tok::ChiPdf, "ChiPdf", Builtin::Parsed, 2, 2, distribution},
    {tok::ChiCdf, "ChiCdf", Builtin::Parsed, 3, 3, distribution},
    {tok::FPdf, "FPdf", Builtin::Parsed, 3, 3, distribution},
    {tok::FCdf, "FCdf", Builtin::Parsed, 4, 4, distribution},
    {tok::GeometPdf, "GeometPdf", Builtin::Parsed, 2, 2, distribution},
    {tok::GeometCdf, "GeometCdf", Builtin::Parsed, 2, 2, distribution},
    {tok::InvBinom, "InvBinom", Builtin::Parsed, 3, 3, distribution},
    {tok::ShadeNorm, "ShadeNorm", Builtin::Read, -1, -1, shadeCommand},
    {tok::ShadeT, "ShadeT", Builtin::Read, -1, -1, shadeCommand},
    {tok::ShadeChi, "ShadeChi", Builtin::Read, -1, -1, shadeCommand},
    {tok::ShadeF, "ShadeF", Builtin::Read, -1, -1, shadeCommand},
};
} // namespace

const Library distributionsLibrary{"distributions", kDistributions, int(std::size(kDistributions))};

} // namespace calc::basic
