// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The regressions that came after LinReg and QuadReg: CubicReg, QuartReg,
// LnReg, PwrReg, Med-Med, SinReg, Logistic, LinRegTTest, LinRegTInt and
// Manual-Fit; and the results screen every statistics command leaves on
// the home screen when it is the program's last statement.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/core/Scanner.h"
#include "calc/basic/graph/Graph.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"
#include "calc/basic/lib/Probability.h"
#include "calc/basic/lib/StatData.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

namespace calc::basic
{

namespace
{

constexpr long double kMostMedMedPoints = 1e6;

constexpr long double kPi = 3.14159265358979323846264338327950288L;

enum Reg : int {
    N = 0x6202,
    R = 0x6212,
    A = 0x6216,
    B,
    C,
    D,
    E,
    X1,
    X2,
    X3,
    Y1,
    Y2,
    Y3,
    T = 0x6224,
    P = 0x6222,
    Df = 0x6227,
    Lower = 0x6232,
    Upper,
    S,
};

// Solves m·x = v in place by elimination with the largest pivot.
std::vector<long double> solve(std::vector<std::vector<long double>> m, std::vector<long double> v)
{
    const int k = int(v.size());
    long double scale = 0;
    for (const auto &row : m)
        for (long double x : row)
            scale = std::max(scale, std::fabs(x));
    for (int c = 0; c < k; ++c) {
        int p = c;
        for (int r = c + 1; r < k; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[p][c]))
                p = r;
        if (!(std::fabs(m[p][c]) > 1e-17L * scale))
            raise(Error::SingularMat);
        std::swap(m[p], m[c]);
        std::swap(v[p], v[c]);
        for (int r = 0; r < k; ++r) {
            if (r == c)
                continue;
            const long double f = m[r][c] / m[c][c];
            for (int j = c; j < k; ++j)
                m[r][j] -= f * m[c][j];
            v[r] -= f * v[c];
        }
    }
    for (int r = 0; r < k; ++r)
        v[r] /= m[r][r];
    return v;
}

// Weighted least squares on the given basis functions of x.
std::vector<long double> leastSquares(const StatData &d, const std::vector<long double> &y,
                                      const std::function<void(long double, long double *)> &basis,
                                      int k)
{
    std::vector<std::vector<long double>> m(k, std::vector<long double>(k));
    std::vector<long double> v(k), f(k);
    for (size_t i = 0; i < d.x.size(); ++i) {
        basis(d.x[i], f.data());
        for (int r = 0; r < k; ++r) {
            v[r] += d.w[i] * f[r] * y[i];
            for (int c = 0; c < k; ++c)
                m[r][c] += d.w[i] * f[r] * f[c];
        }
    }
    return solve(m, v);
}

long double squaresAbout(const StatData &d, const std::vector<long double> &y)
{
    long double sum = 0, mean = 0;
    for (size_t i = 0; i < y.size(); ++i)
        mean += d.w[i] * y[i];
    mean /= d.n;
    for (size_t i = 0; i < y.size(); ++i)
        sum += d.w[i] * (y[i] - mean) * (y[i] - mean);
    return sum;
}

template <typename F> long double residual(const StatData &d, F model)
{
    long double sum = 0;
    for (size_t i = 0; i < d.x.size(); ++i) {
        const long double e = d.y[i] - model(d.x[i]);
        sum += d.w[i] * e * e;
    }
    return sum;
}

// The straight line through (u, v): slope, intercept and r.
struct LineFit {
    long double slope, cut, r, sxx, sse;
};

LineFit lineOf(const StatData &d, const std::vector<long double> &u,
               const std::vector<long double> &v)
{
    long double mu = 0, mv = 0;
    for (size_t i = 0; i < u.size(); ++i) {
        mu += d.w[i] * u[i];
        mv += d.w[i] * v[i];
    }
    mu /= d.n;
    mv /= d.n;
    long double suu = 0, svv = 0, suv = 0;
    for (size_t i = 0; i < u.size(); ++i) {
        suu += d.w[i] * (u[i] - mu) * (u[i] - mu);
        svv += d.w[i] * (v[i] - mv) * (v[i] - mv);
        suv += d.w[i] * (u[i] - mu) * (v[i] - mv);
    }
    if (suu == 0)
        raise(Error::SingularMat);
    LineFit l;
    l.slope = suv / suu;
    l.cut = mv - l.slope * mu;
    l.r = svv == 0 ? 0 : suv / std::sqrt(suu * svv);
    l.sxx = suu;
    l.sse = std::max<long double>(0, svv - l.slope * suv);
    return l;
}

// The median of sorted values, each as often as its weight.
long double weightedMedian(std::vector<std::pair<long double, long double>> v)
{
    std::sort(v.begin(), v.end());
    long double total = 0;
    for (const auto &p : v)
        total += p.second;
    long double seen = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        seen += v[i].second;
        if (seen > total / 2)
            return v[i].first;
        if (seen == total / 2)
            return i + 1 < v.size() ? (v[i].first + v[i + 1].first) / 2 : v[i].first;
    }
    return v.back().first;
}

// Levenberg-Marquardt on a model of three parameters.
void fitThree(const StatData &d, long double q[3],
              const std::function<long double(long double, const long double *)> &model)
{
    auto cost = [&](const long double *p) {
        return residual(d, [&](long double x) { return model(x, p); });
    };
    long double lambda = 1e-3L, now = cost(q);
    for (int step = 0; step < 500; ++step) {
        checkStop(); // 500 passes over 999 points take seconds
        long double jtj[3][3] = {}, jtr[3] = {};
        for (size_t i = 0; i < d.x.size(); ++i) {
            long double g[3];
            const long double f = model(d.x[i], q);
            for (int k = 0; k < 3; ++k) {
                long double p[3] = {q[0], q[1], q[2]};
                const long double h = 1e-7L * std::max<long double>(1, std::fabs(q[k]));
                p[k] += h;
                g[k] = (model(d.x[i], p) - f) / h;
            }
            for (int r = 0; r < 3; ++r) {
                jtr[r] += d.w[i] * g[r] * (d.y[i] - f);
                for (int c = 0; c < 3; ++c)
                    jtj[r][c] += d.w[i] * g[r] * g[c];
            }
        }
        bool better = false;
        for (int tries = 0; tries < 30 && !better; ++tries) {
            std::vector<std::vector<long double>> m(3, std::vector<long double>(3));
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c)
                    m[r][c] = jtj[r][c] * (r == c ? 1 + lambda : 1);
            std::vector<long double> delta;
            try {
                delta = solve(m, {jtr[0], jtr[1], jtr[2]});
            } catch (const RunError &) {
                lambda *= 10;
                continue;
            }
            long double p[3] = {q[0] + delta[0], q[1] + delta[1], q[2] + delta[2]};
            const long double c = cost(p);
            if (std::isfinite(c) && c <= now) {
                const bool done = now - c <= 1e-18L * (1 + now);
                std::copy(p, p + 3, q);
                now = c;
                lambda = std::max<long double>(lambda / 10, 1e-12L);
                better = true;
                if (done)
                    return;
            } else {
                lambda *= 10;
            }
        }
        if (!better)
            return;
    }
}

// What a fit works with: the points, the arguments after its lists and the
// results it sets.
struct Fit {
    QHash<int, Value> &out;
    const StatData &d;
    const Value *args;
    int n;
    int rest;            // the first argument after the lists
    int alternative = 0; // LinRegTTest's, for its screen

    void set(int t, long double v) { out[t] = Value::real(fromLd(v)); }
};

// CubicReg and QuartReg: least squares on the powers of x.
QString polynomial(Fit &f, int degree)
{
    const StatData &d = f.d;
    const auto q = leastSquares(
        d, d.y,
        [degree](long double x, long double *b) {
            for (int k = degree; k >= 0; --k)
                b[degree - k] = std::pow(x, k);
        },
        degree + 1);
    static const char *const powers[] = {"X\u2074", "X\u00B3", "X\u00B2", "X", ""};
    QString eq;
    for (int k = 0; k <= degree; ++k) {
        f.set(A + k, q[k]);
        if (k)
            eq += QLatin1Char('+');
        eq += statNumber(fromLd(q[k])) + QString::fromUtf8(powers[4 - degree + k]);
    }
    const long double sse = residual(d, [&](long double x) {
        long double y = 0;
        for (int k = 0; k <= degree; ++k)
            y = y * x + q[k];
        return y;
    });
    const long double sst = squaresAbout(d, d.y);
    f.set(tok::RegBigR2, sst == 0 ? 1 : 1 - sse / sst);
    return eq;
}

std::vector<long double> logarithms(std::vector<long double> v)
{
    for (long double &x : v) {
        if (x <= 0)
            raise(Error::Domain);
        x = std::log(x);
    }
    return v;
}

// LnReg and PwrReg: a line through ln x (and ln y).
QString logarithmic(Fit &f, bool power)
{
    const LineFit l = lineOf(f.d, logarithms(f.d.x), power ? logarithms(f.d.y) : f.d.y);
    const long double a = power ? std::exp(l.cut) : l.cut;
    f.set(A, a);
    f.set(B, l.slope);
    f.set(R, l.r);
    f.set(tok::RegR2, l.r * l.r);
    return power ? statNumber(fromLd(a)) + QStringLiteral("*X^") + statNumber(fromLd(l.slope))
                 : statNumber(fromLd(a)) + QStringLiteral("+") + statNumber(fromLd(l.slope)) +
                       QStringLiteral("ln(X)");
}

// Med-Med: three groups by x (sizes as n splits: the middle takes one
// over, the outer two take two over), each summed up by its medians.
QString medianMedian(Fit &f)
{
    const StatData &d = f.d;
    std::vector<size_t> order(d.x.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t p, size_t q) { return d.x[p] < d.x[q]; });
    if (!d.wholeWeights)
        raise(Error::Domain);
    // Each point as often as its frequency says: a bound keeps a frequency
    // of 1ᴇ12 from taking the computer's memory.
    if (d.n > kMostMedMedPoints)
        raise(Error::Memory);
    std::vector<size_t> points;
    for (size_t i : order)
        for (long double k = 0; k < d.w[i]; ++k)
            points.push_back(i);
    const size_t total = points.size();
    if (total < 3)
        raise(Error::DimMismatch);
    size_t outer = total / 3, middle = total / 3;
    if (total % 3 == 1)
        ++middle;
    else if (total % 3 == 2)
        ++outer;
    const size_t bounds[4] = {0, outer, outer + middle, total};
    long double mx[3], my[3];
    for (int g = 0; g < 3; ++g) {
        std::vector<std::pair<long double, long double>> gx, gy;
        for (size_t k = bounds[g]; k < bounds[g + 1]; ++k) {
            gx.push_back({d.x[points[k]], 1});
            gy.push_back({d.y[points[k]], 1});
        }
        mx[g] = weightedMedian(gx);
        my[g] = weightedMedian(gy);
        f.set(X1 + g, mx[g]);
        f.set(Y1 + g, my[g]);
    }
    if (mx[2] == mx[0])
        raise(Error::SingularMat);
    const long double slope = (my[2] - my[0]) / (mx[2] - mx[0]);
    const long double cut =
        ((my[0] - slope * mx[0]) + (my[1] - slope * mx[1]) + (my[2] - slope * mx[2])) / 3;
    f.set(A, slope);
    f.set(B, cut);
    return statNumber(fromLd(slope)) + QStringLiteral("X+") + statNumber(fromLd(cut));
}

// For a fixed b the rest is linear: y = p·sin(bx) + q·cos(bx) + d, the
// normal equations summed as leastSquares() sums them, from each point's
// sin(bx) and cos(bx). The squares left over.
long double sineFit(const StatData &d, const std::vector<long double> &s,
                    const std::vector<long double> &c, long double *coef)
{
    using T = long double;
    T ss = 0, sc = 0, cs = 0, cc = 0, s1 = 0, c1 = 0, w1 = 0, ys = 0, yc = 0, y1 = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const T w = T(d.w[i]), y = T(d.y[i]), ws = w * s[i], wc = w * c[i];
        ss += ws * s[i];
        sc += ws * c[i];
        cs += wc * s[i];
        cc += wc * c[i];
        s1 += ws;
        c1 += wc;
        w1 += w;
        ys += ws * y;
        yc += wc * y;
        y1 += w * y;
    }
    const auto q = solve({{ss, sc, s1}, {cs, cc, c1}, {s1, c1, w1}}, {ys, yc, y1});
    std::copy(q.begin(), q.end(), coef);
    const T p = T(q[0]), r = T(q[1]), o = T(q[2]);
    T sum = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const T e = T(d.y[i]) - (p * s[i] + r * c[i] + o);
        sum += T(d.w[i]) * e * e;
    }
    return sum;
}

// sin t and cos t. The library reduces any t past π/4 the slow, exact way
// (most of SinReg's time); t less π/2 times its nearest whole number, with
// π/2 in three parts (32, 32 and 64 bits: the first two times that number
// are exact) is as good for |t| up to 2³⁰ quarter turns.
void sinCos(long double t, long double *s, long double *c)
{
    const long double turns = t * 0.63661977236758134307553505349005744814L;
    if (!(std::fabs(turns) < 0x1p30L)) {
        sincosl(t, s, c);
        return;
    }
    // Adding and taking away 1.5·2⁶³ rounds to the nearest whole number.
    const long double q = (turns + 0x1.8p63L) - 0x1.8p63L;
    const long double r = ((t - q * 0xc90fdaa200000000p-63L) - q * 0x85a308d300000000p-97L) -
                          q * 0x98cc51701b839a25p-132L;
    long double sr, cr;
    sincosl(r, &sr, &cr);
    switch (static_cast<long long>(q) & 3) {
    case 0:
        *s = sr, *c = cr;
        break;
    case 1:
        *s = cr, *c = -sr;
        break;
    case 2:
        *s = -sr, *c = -cr;
        break;
    default:
        *s = -cr, *c = sr;
    }
}

long double sineAt(const StatData &d, long double b, long double *coef)
{
    std::vector<long double> s(d.x.size()), c(d.x.size());
    for (size_t i = 0; i < d.x.size(); ++i)
        sinCos(b * d.x[i], &s[i], &c[i]);
    return sineFit(d, s, c, coef);
}

// The cost's slope in b where p, q and o are at their best for b, which
// is the slope of the least cost: −2Σw·e·x·(p·cos bx − q·sin bx).
long double sineSlope(const StatData &d, long double b)
{
    const size_t n = d.x.size();
    std::vector<long double> s(n), c(n);
    for (size_t i = 0; i < n; ++i)
        sinCos(b * d.x[i], &s[i], &c[i]);
    long double q[3];
    sineFit(d, s, c, q);
    long double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        const long double e = d.y[i] - (q[0] * s[i] + q[1] * c[i] + q[2]);
        sum += d.w[i] * e * d.x[i] * (q[0] * c[i] - q[1] * s[i]);
    }
    return -2 * sum;
}

long double sineCost(const StatData &d, long double b)
{
    long double c[3];
    try {
        return sineAt(d, b, c);
    } catch (const RunError &) {
        return HUGE_VALL;
    }
}

// The grid's frequency lo + k·step (k = 0..grid) that leaves the fewest
// squares. sin(bx) and cos(bx) of every point move on by one rotation a
// step, with no trigonometry, in the same pass that sums them; for the
// least-squares p, q, o the squares left are Σwy² − (p·Σwys + q·Σwyc +
// o·Σwy), so one pass a frequency does: a thousand points take milliseconds.
// It sums in double, which only has to tell the basins apart.
long double bestOnGrid(const StatData &d, long double lo, long double step, int grid)
{
    const size_t n = d.x.size();
    std::vector<double> s(n), c(n), ds(n), dc(n), w(n), wy(n);
    double w1 = 0, y1 = 0, yy = 0;
    for (size_t i = 0; i < n; ++i) {
        s[i] = double(std::sin(lo * d.x[i]));
        c[i] = double(std::cos(lo * d.x[i]));
        ds[i] = double(std::sin(step * d.x[i]));
        dc[i] = double(std::cos(step * d.x[i]));
        w[i] = double(d.w[i]);
        wy[i] = double(d.w[i] * d.y[i]);
        w1 += w[i];
        y1 += wy[i];
        yy += wy[i] * double(d.y[i]);
    }
    long double best = HUGE_VALL, b = lo;
    for (int k = 0; k <= grid; ++k) {
        if ((k & 15) == 0)
            checkStop();
        double ss = 0, sc = 0, cc = 0, s1 = 0, c1 = 0, ys = 0, yc = 0;
        for (size_t i = 0; i < n; ++i) {
            const double si = s[i], ci = c[i], ws = w[i] * si, wc = w[i] * ci;
            ss += ws * si;
            sc += ws * ci;
            cc += wc * ci;
            s1 += ws;
            c1 += wc;
            ys += wy[i] * si;
            yc += wy[i] * ci;
            s[i] = si * dc[i] + ci * ds[i];
            c[i] = ci * dc[i] - si * ds[i];
        }
        try {
            const auto q = solve({{ss, sc, s1}, {sc, cc, c1}, {s1, c1, w1}}, {ys, yc, y1});
            const long double sum = yy - (q[0] * ys + q[1] * yc + q[2] * y1);
            if (sum < best) {
                best = sum;
                b = lo + step * k;
            }
        } catch (const RunError &) {
        }
    }
    return b;
}

// Where the cost is flat to its last digits its slope still crosses zero
// cleanly: secant steps on the slope from the two best points settle the
// last digits, kept only while they stay inside the searched interval.
long double polish(const StatData &d, long double x, long double w,
                   std::pair<long double, long double> outer)
{
    if (w == x)
        return x;
    try {
        long double gw = sineSlope(d, w), gx = sineSlope(d, x);
        for (int k = 0; k < 4 && gx != gw; ++k) {
            const long double u = x - gx * (x - w) / (gx - gw);
            if (!(u > outer.first && u < outer.second) || u == x)
                break;
            w = x, gw = gx;
            x = u, gx = sineSlope(d, x);
        }
    } catch (const RunError &) {
    }
    return x;
}

// The cost's least in [left, right] by Brent's method: a parabola through
// the three best points so far where it lands well inside, else a golden
// section. Smooth minima take a dozen fits, not seventy; 16 digits, two
// more than a number keeps.
long double refine(const StatData &d, long double left, long double right)
{
    const std::pair<long double, long double> outer(left, right);
    const long double g = 0.381966011250105151795L; // (3 - √5) / 2
    long double x = left + g * (right - left), w = x, v = x;
    long double fx = sineCost(d, x), fw = fx, fv = fx;
    long double step = 0, last = 0;
    for (int k = 0; k < 200; ++k) {
        checkStop();
        const long double mid = (left + right) / 2, tol = 1e-18L * std::fabs(x) + 1e-30L;
        if (std::fabs(x - mid) <= 2 * tol - (right - left) / 2)
            break;
        long double p = 0, q = 0;
        if (std::fabs(last) > tol) {
            const long double r = (x - w) * (fx - fv);
            q = (x - v) * (fx - fw);
            p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0)
                p = -p;
            q = std::fabs(q);
        }
        const long double before = last;
        last = step;
        if (std::fabs(p) < std::fabs(q * before / 2) && p > q * (left - x) && p < q * (right - x)) {
            step = p / q;
            if (x + step - left < 2 * tol || right - (x + step) < 2 * tol)
                step = x < mid ? tol : -tol;
        } else {
            last = (x < mid ? right : left) - x;
            step = g * last;
        }
        const long double u = x + (std::fabs(step) >= tol ? step : step > 0 ? tol : -tol);
        const long double fu = sineCost(d, u);
        if (fu <= fx) {
            (u < x ? right : left) = x;
            v = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
        } else {
            (u < x ? left : right) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw, w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
    // The slope's zero may be another stationary point: kept only where it
    // costs no more than Brent's best, to the last digits.
    const long double polished = polish(d, x, w, outer);
    return polished == x || sineCost(d, polished) <= fx * (1 + 1e-15L) ? polished : x;
}

// Searches the frequencies the spacing of x can show, then refines.
long double sineFrequency(const StatData &d)
{
    const long double span =
        *std::max_element(d.x.begin(), d.x.end()) - *std::min_element(d.x.begin(), d.x.end());
    if (span <= 0)
        raise(Error::SingularMat);
    const long double step = span / (d.x.size() - 1);
    const long double lo = kPi / span, hi = kPi / step;
    const int grid = 2000;
    const long double b = bestOnGrid(d, lo, (hi - lo) / grid, grid);
    return refine(d, b - (hi - lo) / grid, b + (hi - lo) / grid);
}

// SinReg: the period when one is given, else the best one found.
QString sinusoid(Fit &f)
{
    const StatData &d = f.d;
    if (d.x.size() < 4)
        raise(Error::SingularMat);
    long double b;
    if (f.rest < f.n) {
        const long double period = realOf(f.args[f.rest]).toLongDouble();
        if (period == 0)
            raise(Error::Domain);
        b = 2 * kPi / period;
    } else {
        b = sineFrequency(d);
    }
    long double c[3];
    sineAt(d, b, c);
    long double amp = std::hypot(c[0], c[1]), phase = std::atan2(c[1], c[0]);
    if (b < 0) {
        b = -b;
        phase = kPi - phase;
    }
    phase = std::remainder(phase, 2 * kPi);
    f.set(A, amp);
    f.set(B, b);
    f.set(C, phase);
    f.set(D, c[2]);
    return statNumber(fromLd(amp)) + QStringLiteral("sin(") + statNumber(fromLd(b)) +
           QStringLiteral("X+") + statNumber(fromLd(phase)) + QStringLiteral(")+") +
           statNumber(fromLd(c[2]));
}

// Logistic: a start from the line through ln(c/y-1), c a little over the
// top, then the three parameters together.
QString logistic(Fit &f)
{
    const StatData &d = f.d;
    const long double top = *std::max_element(d.y.begin(), d.y.end());
    long double q[3] = {1, 1, top > 0 ? top * 1.05L : 1};
    if (top > 0 && std::all_of(d.y.begin(), d.y.end(), [](long double y) { return y > 0; })) {
        std::vector<long double> v = d.y;
        for (long double &y : v)
            y = std::log(q[2] / y - 1);
        try {
            const LineFit l = lineOf(d, d.x, v);
            q[0] = std::exp(l.cut);
            q[1] = -l.slope;
        } catch (const RunError &) {
        }
    }
    fitThree(d, q, [](long double x, const long double *p) {
        return p[2] / (1 + p[0] * std::exp(-p[1] * x));
    });
    if (!std::isfinite(q[0]) || !std::isfinite(q[1]) || !std::isfinite(q[2]) ||
        std::fabs(q[2]) > 1e99L)
        raise(Error::Overflow);
    f.set(A, q[0]);
    f.set(B, q[1]);
    f.set(C, q[2]);
    return statNumber(fromLd(q[2])) + QStringLiteral("/(1+") + statNumber(fromLd(q[0])) +
           QStringLiteral("e^(") + statNumber(fromLd(-q[1])) + QStringLiteral("X))");
}

// LinRegTTest and LinRegTInt: the line's slope tested or bounded.
QString slope(Fit &f, bool test)
{
    const LineFit l = lineOf(f.d, f.d.x, f.d.y);
    const long double df = f.d.n - 2;
    if (df <= 0)
        raise(Error::DivideBy0);
    const long double s = std::sqrt(l.sse / df), se = s / std::sqrt(l.sxx);
    for (int t : {int(T), int(P), int(Lower), int(Upper)})
        f.out.remove(t);
    if (test) {
        f.alternative = alternativeOf(f.args, f.n, f.rest);
        const long double t = se == 0 ? (l.slope == 0 ? 0 : HUGE_VALL) : l.slope / se;
        f.set(T, std::isfinite(t) ? t : 1e99L);
        f.set(P, prob::pValue(f.alternative, prob::tAbove(t, df), prob::tAbove(-t, df)));
    } else {
        const long double half = prob::tQuantile((1 + levelOf(f.args, f.n, f.rest)) / 2, df) * se;
        f.set(Lower, l.slope - half);
        f.set(Upper, l.slope + half);
    }
    f.set(Df, df);
    f.set(S, s);
    f.set(A, l.cut);
    f.set(B, l.slope);
    f.set(R, l.r);
    f.set(tok::RegR2, l.r * l.r);
    return statNumber(fromLd(l.cut)) + QStringLiteral("+") + statNumber(fromLd(l.slope)) +
           QStringLiteral("X");
}

QString fitted(Fit &f, int fn)
{
    switch (fn) {
    case tok::CubicReg:
        return polynomial(f, 3);
    case tok::QuartReg:
        return polynomial(f, 4);
    case tok::LnReg:
    case tok::PwrReg:
        return logarithmic(f, fn == tok::PwrReg);
    case tok::MedMed:
        return medianMedian(f);
    case tok::SinReg:
        return sinusoid(f);
    case tok::Logistic:
        return logistic(f);
    case tok::LinRegTTest:
    case tok::LinRegTInt:
        return slope(f, fn == tok::LinRegTTest);
    default:
        raise(Error::Unsupported, calc::tokens::displayString(fn));
    }
}

// Manual-Fit: no one draws the line, so it runs corner to corner of the
// window.
void manualFit(Calculator &c_, int equation)
{
    const GraphScreen &g = c_.graph();
    const long double x0 = g.window(GraphScreen::Xmin).toLongDouble(),
                      x1 = g.window(GraphScreen::Xmax).toLongDouble(),
                      y0 = g.window(GraphScreen::Ymin).toLongDouble(),
                      y1 = g.window(GraphScreen::Ymax).toLongDouble();
    const Number m = fromLd((y1 - y0) / (x1 - x0)), b = fromLd(y0 - (y1 - y0) / (x1 - x0) * x0);
    const QString eq = statNumber(m) + QStringLiteral("X+") + statNumber(b);
    const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(eq).text);
    storeEquation(c_, equation ? equation : tok::Y1, Value::string(tokenValues(t.bytes)));
    showGraph(c_);
    c_.showGraph(true);
}

// Fits the lists (L₁ and L₂ when none are given) and leaves the results,
// the residuals and, when one is named, the Y= equation.
void fitRegression(Calculator &c_, int fn, Value *args, int n, bool shown)
{
    std::int64_t equation = 0;
    realOf(args[n - 1]).toInt(&equation);
    --n;
    if (fn == tok::ManualFit) {
        manualFit(c_, int(equation));
        return;
    }
    // SinReg's iterations come first; the lists then, or L₁ and L₂.
    int at = 0;
    if (fn == tok::SinReg && n > 0 && args[0].kind != Value::List) {
        std::int64_t it;
        if (!realOf(args[0]).toInt(&it) || it < 1 || it > 16)
            raise(Error::Domain);
        at = 1;
    }
    int lists = 0;
    while (at + lists < n && args[at + lists].kind == Value::List)
        ++lists;
    if (lists == 1)
        raise(Error::Argument);
    const Value xs = lists ? args[at] : c_.var(tok::List0);
    const Value ys = lists ? args[at + 1] : c_.var(tok::List0 + 1);
    if (fn == tok::SinReg && lists == 3)
        raise(Error::DataType); // SinReg takes no frequencies
    const StatData d = statData(xs, &ys, lists == 3 ? &args[at + 2] : nullptr);
    QHash<int, Value> &out = c_.maths();
    statDescribe(out, d);
    Fit f{out, d, args, n, at + lists};
    statEquation(out, fitted(f, fn));
    storeResiduals(c_, xs, ys);
    if (equation)
        storeEquation(c_, int(equation), out.value(tok::RegEQ));
    regressionScreen(c_, fn, shown, f.alternative);
}

} // namespace

// A regression's last argument says whether its results screen is what
// the program ends on.
Value regressionCommand(Calculator &c_, int fn, Value *args, int n)
{
    fitRegression(c_, fn, args, n - 1, !realOf(args[n - 1]).isZero());
    return Value();
}

namespace
{

// A results screen's lines, each a result as the calculator writes it.
struct Screen {
    const QHash<int, Value> &out;
    QStringList lines;

    void put(const QString &name, int t)
    {
        const auto it = out.constFind(t);
        if (it != out.constEnd())
            lines << QLatin1Char(' ') + name + QLatin1Char('=') +
                         statFitted(realOf(*it).toLongDouble(), 13 - int(name.size()));
    }
};

struct Form {
    int token;
    const char *title, *form;
    int coefficients;
    bool r; // r and r², or R²
};

const Form kForms[] = {
    {tok::LinRegAxB, "LinReg", "y=ax+b", 2, true},
    {tok::LinRegABx, "LinReg", "y=a+bx", 2, true},
    {tok::QuadReg, "QuadReg", "y=ax\u00B2+bx+c", 3, false},
    {tok::CubicReg, "CubicReg", "y=ax\u00B3+bx\u00B2+cx+d", 4, false},
    {tok::QuartReg, "QuartReg", "y=ax\u2074+bx\u00B3+\u2026", 5, false},
    {tok::LnReg, "LnReg", "y=a+blnx", 2, true},
    {tok::ExpReg, "ExpReg", "y=a*b^x", 2, true},
    {tok::PwrReg, "PwrReg", "y=a*x^b", 2, true},
    {tok::MedMed, "Med-Med", "y=ax+b", 2, false},
    {tok::SinReg, "SinReg", "y=a*sin(bx+c)+d", 4, false},
    {tok::Logistic, "Logistic", "y=c/(1+ae^(-bx))", 3, false},
    {tok::LinRegTTest, "LinRegTTest", "y=a+bx", 2, true},
    {tok::LinRegTInt, "LinRegTInt", "y=a+bx", 2, true},
};

// The screen's first page; the rest is a scroll away.
void varStatsLines(Screen &s, int fn)
{
    s.lines << calc::tokens::displayString(fn).trimmed();
    static const std::pair<const char *, int> one[] = {
        {"x\u0304", 0x6203}, {"\u03A3x", 0x6204}, {"\u03A3x\u00B2", 0x6205},
        {"Sx", 0x6206},      {"\u03C3x", 0x6207}, {"n", 0x6202}};
    for (const auto &[name, t] : one)
        s.put(QString::fromUtf8(name), t);
}

// The command, the form of its equation, the test's results (LinRegTTest
// and LinRegTInt), the coefficients, and r and r² (or R²) with
// DiagnosticOn.
void fitLines(Screen &s, const Form &f, int alternative, bool diagnostics)
{
    const int fn = f.token;
    // A form as wide as the screen loses its indent rather than its end.
    const QString form = QString::fromUtf8(f.form);
    s.lines << QString::fromUtf8(f.title) << (form.size() < 16 ? QLatin1Char(' ') + form : form);
    if (fn == tok::LinRegTTest) {
        const QString sign = alternative < 0   ? QStringLiteral("<")
                             : alternative > 0 ? QStringLiteral(">")
                                               : QStringLiteral("\u2260");
        s.lines << QStringLiteral(" \u03B2") + sign + QStringLiteral("0 and \u03C1") + sign +
                       QLatin1Char('0');
        s.put(QStringLiteral("t"), T);
        s.put(QStringLiteral("p"), P);
        s.put(QStringLiteral("df"), Df);
    } else if (fn == tok::LinRegTInt) {
        const long double lo = realOf(s.out.value(Lower)).toLongDouble(),
                          hi = realOf(s.out.value(Upper)).toLongDouble();
        s.lines << QStringLiteral(" (") + statFitted(lo, 6) + QLatin1Char(',') + statFitted(hi, 6) +
                       QLatin1Char(')');
        s.put(QStringLiteral("b"), B);
        s.put(QStringLiteral("df"), Df);
        s.put(QStringLiteral("s"), S);
        s.put(QStringLiteral("a"), A);
    }
    if (fn != tok::LinRegTInt) {
        for (int k = 0; k < f.coefficients; ++k)
            s.put(QString(QChar('a' + k)), A + k);
    }
    if (fn == tok::LinRegTTest)
        s.put(QStringLiteral("s"), S);
    if (diagnostics && f.r && fn != tok::MedMed) {
        s.put(QStringLiteral("r\u00B2"), tok::RegR2);
        s.put(QStringLiteral("r"), R);
    } else if (diagnostics && (fn == tok::QuadReg || fn == tok::CubicReg || fn == tok::QuartReg)) {
        s.put(QStringLiteral("R\u00B2"), tok::RegBigR2);
    }
}

} // namespace

// What the results screen shows after 1-Var Stats, 2-Var Stats or a
// regression.
void regressionScreen(Calculator &c_, int fn, bool shown, int alternative)
{
    if (!shown || !c_.evaluator().outermost())
        return;
    Screen s{c_.maths(), {}};
    if (fn == tok::OneVarStats || fn == tok::TwoVarStats) {
        varStatsLines(s, fn);
    } else {
        const bool diagnostics = c_.settings().modes.value(tok::DiagnosticOn) == tok::DiagnosticOn;
        for (const Form &f : kForms)
            if (f.token == fn)
                fitLines(s, f, alternative, diagnostics);
    }
    showResults(c_, s.lines);
}

// ʟRESID: each point's y less what RegEQ gives at its x, as every
// regression leaves it.
void storeResiduals(Calculator &c_, const Value &xs, const Value &ys)
{
    const auto code = c_.evaluator().compiled(bytesOf(c_.maths().value(tok::RegEQ).text));
    Number &x = c_.reals()['X' - 'A'];
    const Number saved = x;
    QVector<Number> out;
    try {
        for (int i = 0; i < xs.items.size(); ++i) {
            x = xs.items[i];
            out << sub(ys.items[i], realOf(c_.evaluator().evaluateNested(code, true)));
        }
    } catch (const RunError &) {
        x = saved;
        throw;
    }
    x = saved;
    c_.store(TNamed, 0, Value::list(out), QStringLiteral("RESID"));
}

void showResults(Calculator &c_, const QStringList &lines)
{
    // Only the top-level program's last statement shows.
    if (c_.evaluator().outermost())
        c_.results() = lines;
}

namespace
{
const Builtin kRegressions[] = {
    {tok::CubicReg, "CubicReg", Builtin::Read, -1, -1, regressionCommand},
    {tok::QuartReg, "QuartReg", Builtin::Read, -1, -1, regressionCommand},
    {tok::LnReg, "LnReg", Builtin::Read, -1, -1, regressionCommand},
    {tok::PwrReg, "PwrReg", Builtin::Read, -1, -1, regressionCommand},
    {tok::MedMed, "MedMed", Builtin::Read, -1, -1, regressionCommand},
    {tok::SinReg, "SinReg", Builtin::Read, -1, -1, regressionCommand},
    {tok::Logistic, "Logistic", Builtin::Read, -1, -1, regressionCommand},
    {tok::LinRegTTest, "LinRegTTest", Builtin::Read, -1, -1, regressionCommand},
    {tok::LinRegTInt, "LinRegTInt", Builtin::Read, -1, -1, regressionCommand},
    {tok::ManualFit, "ManualFit", Builtin::Read, -1, -1, regressionCommand},
};
} // namespace

const Library regressionsLibrary{"regressions", kRegressions, int(std::size(kRegressions))};

bool inRegressionsLibrary(int t)
{
    return std::any_of(std::begin(kRegressions), std::end(kRegressions),
                       [t](const Builtin &b) { return b.token == t; });
}

} // namespace calc::basic
