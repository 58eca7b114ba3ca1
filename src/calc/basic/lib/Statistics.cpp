// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Statistics: stdDev(, variance(, 1-Var Stats, 2-Var Stats, the linear,
// quadratic and exponential regressions and the normal, binomial and
// Poisson distributions. Sums run in long double over the points a
// frequency list gives weight to; results round to the calculator's digits.
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
#include <iterator>
#include <vector>

namespace calc::basic
{

namespace
{

// The statistics variables by their tokens.
enum Stat : int {
    N = 0x6202,
    MeanX,
    SumX,
    SumX2,
    SX,
    SigmaX,
    MinX,
    MaxX,
    MinY,
    MaxY,
    MeanY,
    SumY,
    SumY2,
    SY,
    SigmaY,
    SumXY,
    R,
    Med,
    Q1,
    Q3,
    A,
    B,
    C,
};

constexpr long double kSqrt2 = 1.41421356237309504880168872420969808L;
constexpr long double kSqrt2Pi = 2.50662827463100050241576528481104525L;

using Data = StatData;

Data dataOf(const Value &xs, const Value *ys, const Value *freq)
{
    const QVector<Number> &x = listOf(xs);
    if (x.isEmpty())
        raise(Error::InvalidDim);
    if ((ys && listOf(*ys).size() != x.size()) || (freq && listOf(*freq).size() != x.size()))
        raise(Error::DimMismatch);
    Data d;
    for (int i = 0; i < x.size(); ++i) {
        const Number w = freq ? freq->items[i] : num(1);
        if (w.isNegative())
            raise(Error::Domain);
        if (w.isZero())
            continue;
        d.x.push_back(x[i].toLongDouble());
        if (ys)
            d.y.push_back(ys->items[i].toLongDouble());
        d.w.push_back(w.toLongDouble());
        d.n += d.w.back();
        d.wholeWeights = d.wholeWeights && w.isInteger();
    }
    if (d.n == 0)
        raise(Error::DivideBy0);
    return d;
}

struct Moments {
    long double mean = 0, sum = 0, sum2 = 0, squares = 0; // squares: Σw(x-x̄)²
};

Moments momentsOf(const std::vector<long double> &v, const Data &d)
{
    Moments m;
    for (size_t i = 0; i < v.size(); ++i) {
        m.sum += d.w[i] * v[i];
        m.sum2 += d.w[i] * v[i] * v[i];
    }
    m.mean = m.sum / d.n;
    for (size_t i = 0; i < v.size(); ++i)
        m.squares += d.w[i] * (v[i] - m.mean) * (v[i] - m.mean);
    return m;
}

long double sampleVariance(const Moments &m, const Data &d)
{
    if (d.n <= 1)
        raise(Error::DivideBy0);
    return m.squares / (d.n - 1);
}

// The k-th (from 0) of the points sorted, each repeated as often as its
// frequency says.
long double nth(const std::vector<std::pair<long double, long double>> &sorted, long double k)
{
    long double seen = 0;
    for (const auto &[x, w] : sorted) {
        seen += w;
        if (k < seen)
            return x;
    }
    return sorted.back().first;
}

long double medianOf(const std::vector<std::pair<long double, long double>> &sorted,
                     long double from, long double count)
{
    const long double mid = from + std::floor(count / 2);
    if (std::fmod(count, 2) == 1)
        return nth(sorted, mid);
    return (nth(sorted, mid - 1) + nth(sorted, mid)) / 2;
}

long double phi(long double z)
{
    return std::erfc(-z / kSqrt2) / 2;
}

// The standard normal quantile: a rational first guess, then Halley's
// steps on the error function.
long double quantile(long double p)
{
    static const long double a[] = {-3.969683028665376e+01L, 2.209460984245205e+02L,
                                    -2.759285104469687e+02L, 1.383577518672690e+02L,
                                    -3.066479806614716e+01L, 2.506628277459239e+00L};
    static const long double b[] = {-5.447609879822406e+01L, 1.615858368580409e+02L,
                                    -1.556989798598866e+02L, 6.680131188303469e+01L,
                                    -1.328068155288572e+01L};
    static const long double c[] = {-7.784894002430293e-03L, -3.223964580411365e-01L,
                                    -2.400758277161838e+00L, -2.549671010466340e+00L,
                                    4.374664141464968e+00L,  2.938163982698783e+00L};
    static const long double d[] = {7.784695709041462e-03L, 3.224671290700398e-01L,
                                    2.445134137142996e+00L, 3.754408661907416e+00L};
    long double x;
    if (p < 0.02425L || p > 1 - 0.02425L) {
        const long double q = std::sqrt(-2 * std::log(p < 0.5L ? p : 1 - p));
        x = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
            ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
        if (p > 0.5L)
            x = -x;
    } else {
        const long double q = p - 0.5L, r = q * q;
        x = (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
            (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
    }
    for (int i = 0; i < 2; ++i) {
        const long double e = phi(x) - p;
        const long double u = e * kSqrt2Pi * std::exp(x * x / 2);
        x -= u / (1 + x * u / 2);
    }
    return x;
}

long double realArg(const Value *args, int n, int i, long double otherwise)
{
    return i < n ? realOf(args[i]).toLongDouble() : otherwise;
}

long double sigmaArg(const Value *args, int n, int i)
{
    const long double s = realArg(args, n, i, 1);
    if (s <= 0)
        raise(Error::Domain);
    return s;
}

long double invNorm(long double p, long double mu, long double sigma)
{
    if (p < 0 || p > 1)
        raise(Error::Domain);
    if (p == 0 || p == 1)
        return p == 0 ? -1e99L : 1e99L;
    return mu + sigma * quantile(p);
}

long double wholeArg(const Number &x, long double least)
{
    if (!x.isInteger() || x.toLongDouble() < least)
        raise(Error::Domain);
    return x.toLongDouble();
}

// A number as an equation writes it: every digit kept, ⁻ for minus.
QString coefficientText(const Number &x)
{
    QString s = QString::number(double(x.toLongDouble()), 'g', 14);
    s.replace(QLatin1Char('e'), QStringLiteral("\u1D07"));
    s.replace(QLatin1Char('-'), QStringLiteral("\u207B"));
    s.replace(QLatin1Char('+'), QString());
    return s;
}

using Results = QHash<int, Value>;

void setStat(Results &out, int t, long double v)
{
    out[t] = Value::real(fromLd(v));
}

// 1-Var Stats and 2-Var Stats, and the sums every regression sets as well;
// the results of an earlier command are gone.
void describe(Results &out, const Data &d, bool twoVar)
{
    for (int t = tok::StatN; t <= tok::RegY3; ++t)
        out.remove(t);
    out.remove(tok::RegEQ);
    out.remove(tok::RegR2);
    out.remove(tok::RegBigR2);
    auto setStat = [&out](int t, long double v) { calc::basic::setStat(out, t, v); };
    auto one = [&](const std::vector<long double> &v, int mean, int sum, int sum2, int s, int sigma,
                   int least, int most) {
        const Moments m = momentsOf(v, d);
        setStat(mean, m.mean);
        setStat(sum, m.sum);
        setStat(sum2, m.sum2);
        if (d.n > 1)
            setStat(s, std::sqrt(sampleVariance(m, d)));
        setStat(sigma, std::sqrt(m.squares / d.n));
        setStat(least, *std::min_element(v.begin(), v.end()));
        setStat(most, *std::max_element(v.begin(), v.end()));
    };
    setStat(N, d.n);
    one(d.x, MeanX, SumX, SumX2, SX, SigmaX, MinX, MaxX);
    if (twoVar) {
        one(d.y, MeanY, SumY, SumY2, SY, SigmaY, MinY, MaxY);
        long double sxy = 0;
        for (size_t i = 0; i < d.x.size(); ++i)
            sxy += d.w[i] * d.x[i] * d.y[i];
        setStat(SumXY, sxy);
        return;
    }
    // Quartiles: medians of the halves below and above the median, the
    // median itself left out of both when the count is odd.
    if (!d.wholeWeights)
        return;
    std::vector<std::pair<long double, long double>> sorted;
    for (size_t i = 0; i < d.x.size(); ++i)
        sorted.push_back({d.x[i], d.w[i]});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto &p, const auto &q) { return p.first < q.first; });
    const long double half = std::floor(d.n / 2);
    setStat(Med, medianOf(sorted, 0, d.n));
    setStat(Q1, half == 0 ? sorted[0].first : medianOf(sorted, 0, half));
    setStat(Q3, half == 0 ? sorted[0].first : medianOf(sorted, d.n - half, half));
}

// A regression's equation goes to RegEQ as the calculator writes it.
void setRegression(Results &out, const QString &equation)
{
    const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(equation).text);
    out[tok::RegEQ] = Value::string(tokenValues(t.bytes));
}

// The three coefficients of y = ax²+bx+c from the normal equations, by
// elimination with the largest pivot.
void solve3(long double m[3][4])
{
    long double scale = 0;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            scale = std::max(scale, std::fabs(m[r][c]));
    for (int c = 0; c < 3; ++c) {
        int p = c;
        for (int r = c + 1; r < 3; ++r) {
            if (std::fabs(m[r][c]) > std::fabs(m[p][c]))
                p = r;
        }
        if (std::fabs(m[p][c]) <= 1e-15L * scale)
            raise(Error::SingularMat);
        std::swap(m[p], m[c]);
        for (int r = 0; r < 3; ++r) {
            if (r == c)
                continue;
            const long double k = m[r][c] / m[c][c];
            for (int j = c; j < 4; ++j)
                m[r][j] -= k * m[c][j];
        }
    }
    for (int r = 0; r < 3; ++r)
        m[r][3] /= m[r][r];
}

// QuadReg: the normal equations of y = ax²+bx+c, solved by elimination;
// squares is Σ(y−ȳ)².
void quadratic(Results &out, const Data &d, const std::vector<long double> &y, long double squares)
{
    long double s[5] = {}, t[3] = {};
    for (size_t i = 0; i < d.x.size(); ++i) {
        long double p = d.w[i];
        for (int k = 0; k < 5; ++k, p *= d.x[i]) {
            s[k] += p;
            if (k < 3)
                t[k] += p * y[i];
        }
    }
    long double m[3][4];
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            m[r][c] = s[4 - r - c];
        m[r][3] = t[2 - r];
    }
    solve3(m);
    const long double coef[3] = {m[0][3], m[1][3], m[2][3]};
    long double residual = 0;
    for (size_t i = 0; i < d.x.size(); ++i) {
        const long double f = (coef[0] * d.x[i] + coef[1]) * d.x[i] + coef[2];
        residual += d.w[i] * (y[i] - f) * (y[i] - f);
    }
    setStat(out, A, coef[0]);
    setStat(out, B, coef[1]);
    setStat(out, C, coef[2]);
    setStat(out, tok::RegBigR2, squares == 0 ? 1 : 1 - residual / squares);
    setRegression(out, coefficientText(fromLd(coef[0])) + QStringLiteral("X\u00B2+") +
                           coefficientText(fromLd(coef[1])) + QStringLiteral("X+") +
                           coefficientText(fromLd(coef[2])));
}

} // namespace

StatData statData(const Value &xs, const Value *ys, const Value *freq)
{
    return dataOf(xs, ys, freq);
}

void statDescribe(QHash<int, Value> &out, const StatData &d)
{
    describe(out, d, true);
}

void statEquation(QHash<int, Value> &out, const QString &equation)
{
    setRegression(out, equation);
}

QString statNumber(const Number &x)
{
    return coefficientText(x);
}

void regression(Calculator &c_, int fn, Value *args, int n)
{
    // The lists (L₁ and L₂ when left out), a frequency list, and last a Y=
    // variable's token or 0.
    const int lists = n - 1;
    if (lists == 1)
        raise(Error::Argument);
    const Value xs = lists ? args[0] : c_.var(tok::List0);
    const Value ys = lists ? args[1] : c_.var(tok::List0 + 1);
    Data d = dataOf(xs, &ys, lists == 3 ? &args[2] : nullptr);
    if (fn == tok::ExpReg) {
        for (long double &y : d.y) {
            if (y <= 0)
                raise(Error::Domain);
        }
    }
    Results &out = c_.maths();
    describe(out, d, true);
    std::vector<long double> y = d.y;
    if (fn == tok::ExpReg)
        for (long double &v : y)
            v = std::log(v);
    const Moments mx = momentsOf(d.x, d), my = momentsOf(y, d);
    long double sxy = 0;
    for (size_t i = 0; i < d.x.size(); ++i)
        sxy += d.w[i] * (d.x[i] - mx.mean) * (y[i] - my.mean);
    if (fn == tok::QuadReg) {
        quadratic(out, d, y, my.squares);
        return;
    }
    if (mx.squares == 0)
        raise(Error::SingularMat);
    const long double slope = sxy / mx.squares, cut = my.mean - slope * mx.mean;
    const long double r = my.squares == 0 ? 0 : sxy / std::sqrt(mx.squares * my.squares);
    setStat(out, R, r);
    setStat(out, tok::RegR2, r * r);
    if (fn == tok::ExpReg) {
        const Number a = fromLd(std::exp(cut)), b = fromLd(std::exp(slope));
        out[A] = Value::real(a);
        out[B] = Value::real(b);
        setRegression(out, coefficientText(a) + QStringLiteral("*") + coefficientText(b) +
                               QStringLiteral("^X"));
        return;
    }
    const bool axb = fn == tok::LinRegAxB;
    const Number a = fromLd(axb ? slope : cut), b = fromLd(axb ? cut : slope);
    out[A] = Value::real(a);
    out[B] = Value::real(b);
    setRegression(out, axb ? coefficientText(a) + QStringLiteral("X+") + coefficientText(b)
                           : coefficientText(a) + QStringLiteral("+") + coefficientText(b) +
                                 QStringLiteral("X"));
}

namespace
{

// 1-Var Stats and 2-Var Stats: the lists, or L₁ (and L₂).
Value varStats(Calculator &c_, int fn, Value *args, int n)
{
    const bool shown = !realOf(args[--n]).isZero();
    const bool two = fn == tok::TwoVarStats;
    if (two ? (n == 1 || n > 3) : n > 2)
        raise(Error::Argument);
    const Value xs = n ? args[0] : c_.var(tok::List0);
    if (two) {
        const Value ys = n ? args[1] : c_.var(tok::List0 + 1);
        describe(c_.maths(), dataOf(xs, &ys, n == 3 ? &args[2] : nullptr), true);
    } else {
        describe(c_.maths(), dataOf(xs, nullptr, n == 2 ? &args[1] : nullptr), false);
    }
    regressionScreen(c_, fn, shown);
    return Value();
}

// LinReg(ax+b), LinReg(a+bx), QuadReg and ExpReg as statements.
Value regressionStatement(Calculator &c_, int fn, Value *args, int n)
{
    const bool shown = !realOf(args[--n]).isZero();
    regression(c_, fn, args, n);
    storeResiduals(c_, n > 1 ? args[0] : c_.var(tok::List0),
                   n > 1 ? args[1] : c_.var(tok::List0 + 1));
    regressionScreen(c_, fn, shown);
    // Given a Y= variable, the equation goes there too, and selects it.
    std::int64_t equation = 0;
    if (realOf(args[n - 1]).toInt(&equation) && equation)
        storeEquation(c_, int(equation), c_.maths().value(tok::RegEQ));
    return Value();
}

Value normal(Calculator &c_, int fn, Value *args, int n)
{
    switch (fn) {
    case tok::NormalPdf: {
        const long double mu = realArg(args, n, 1, 0), sigma = sigmaArg(args, n, 2);
        return mapReal(args[0], [&](Number x) {
            const long double z = (x.toLongDouble() - mu) / sigma;
            return fromLd(std::exp(-z * z / 2) / (kSqrt2Pi * sigma));
        });
    }
    case tok::NormalCdf: {
        const long double mu = realArg(args, n, 2, 0), sigma = sigmaArg(args, n, 3);
        const long double lo = (realOf(args[0]).toLongDouble() - mu) / sigma;
        const long double hi = (realOf(args[1]).toLongDouble() - mu) / sigma;
        // The far tail from its own side keeps its digits.
        const long double p = lo > 0 ? phi(-lo) - phi(-hi) : phi(hi) - phi(lo);
        return Value::real(fromLd(p));
    }
    case tok::InvNorm: {
        const long double mu = realArg(args, n, 1, 0), sigma = sigmaArg(args, n, 2);
        const int tail = n == 4 ? int(realOf(args[3]).toLongDouble()) : 0;
        if (tail == 1) {
            // CENTER: the bounds around µ that hold the area between them.
            const long double p = realOf(args[0]).toLongDouble();
            if (p < 0 || p > 1)
                raise(Error::Domain);
            const long double d = invNorm((1 + p) / 2, 0, sigma);
            return Value::list({fromLd(mu - d), fromLd(mu + d)});
        }
        return mapReal(args[0], [&](Number p) {
            const long double left = tail == 2 ? 1 - p.toLongDouble() : p.toLongDouble();
            return fromLd(invNorm(left, mu, sigma));
        });
    }
    default: {
        // randNorm( as µ-σ·invNorm(rand), so a seed gives what that gives.
        const Number mu = realOf(args[0]), sigma = realOf(args[1]);
        auto one = [&] {
            return sub(mu, mul(sigma, fromLd(invNorm(c_.random().next().toLongDouble(), 0, 1))));
        };
        return draws(n == 3 ? &args[2] : nullptr, one);
    }
    }
}

// binompdf( and binomcdf(: at the values given, else at 0 … trials.
Value binomialOf(int fn, Value *args, int n)
{
    const long double trials = wholeArg(realOf(args[0]), 0);
    const long double p = realOf(args[1]).toLongDouble();
    if (p < 0 || p > 1)
        raise(Error::Domain);
    auto at = [&](long double k) {
        return fn == tok::BinomPdf ? prob::binomialTerm(trials, p, k)
                                   : prob::binomialBelow(trials, p, k);
    };
    if (n == 3)
        return mapReal(args[2], [&](Number k) { return fromLd(at(wholeArg(k, -1e99L))); });
    if (trials > 998)
        raise(Error::InvalidDim);
    QVector<Number> l;
    for (long double k = 0; k <= trials; ++k)
        l << fromLd(at(k));
    return Value::list(l);
}

Value poissonOf(int fn, Value *args)
{
    const long double mu = realOf(args[0]).toLongDouble();
    if (mu <= 0)
        raise(Error::Domain);
    return mapReal(args[1], [&](Number x) {
        const long double k = wholeArg(x, -1e99L);
        if (k < 0)
            return Number();
        return fromLd(fn == tok::PoissonPdf ? prob::poissonTerm(mu, k) : prob::poissonBelow(mu, k));
    });
}

} // namespace

Value statFunction(Calculator &c_, int fn, Value *args, int n)
{
    switch (fn) {
    case tok::StdDev:
    case tok::Variance: {
        const Data d = dataOf(args[0], nullptr, n == 2 ? &args[1] : nullptr);
        const long double v = sampleVariance(momentsOf(d.x, d), d);
        return Value::real(fromLd(fn == tok::StdDev ? std::sqrt(v) : v));
    }
    case tok::OneVarStats:
    case tok::TwoVarStats:
        return varStats(c_, fn, args, n);
    case tok::LinRegAxB:
    case tok::LinRegABx:
    case tok::QuadReg:
    case tok::ExpReg:
        return regressionStatement(c_, fn, args, n);
    case tok::NormalPdf:
    case tok::NormalCdf:
    case tok::InvNorm:
    case tok::RandNorm:
        return normal(c_, fn, args, n);
    case tok::BinomPdf:
    case tok::BinomCdf:
        return binomialOf(fn, args, n);
    case tok::PoissonPdf:
    case tok::PoissonCdf:
        return poissonOf(fn, args);
    default:
        raise(Error::Unsupported, calc::tokens::displayString(fn));
    }
}

// The statistics results as expressions read them; RegEQ is evaluated
// with the current X.
Value statVariable(Calculator &c_, int t)
{
    const auto it = c_.maths().constFind(t);
    if (it == c_.maths().constEnd())
        raise(Error::Undefined);
    if (t != tok::RegEQ)
        return *it;
    if (c_.evaluator().insideExpr())
        raise(Error::IllegalNest);
    return c_.evaluator().evaluateNested(c_.evaluator().compiled(bytesOf(it->text)), true);
}

namespace
{
const Builtin kStatistics[] = {
    {tok::StdDev, "StdDev", Builtin::Parsed, 1, 2, statFunction},
    {tok::Variance, "Variance", Builtin::Parsed, 1, 2, statFunction},
    {tok::OneVarStats, "OneVarStats", Builtin::Read, -1, -1, statFunction},
    {tok::TwoVarStats, "TwoVarStats", Builtin::Read, -1, -1, statFunction},
    {tok::LinRegAxB, "LinRegAxB", Builtin::Read, -1, -1, statFunction},
    {tok::LinRegABx, "LinRegABx", Builtin::Read, -1, -1, statFunction},
    {tok::QuadReg, "QuadReg", Builtin::Read, -1, -1, statFunction},
    {tok::ExpReg, "ExpReg", Builtin::Read, -1, -1, statFunction},
    {tok::NormalPdf, "NormalPdf", Builtin::Parsed, 1, 3, statFunction},
    {tok::NormalCdf, "NormalCdf", Builtin::Parsed, 2, 4, statFunction},
    {tok::InvNorm, "InvNorm", Builtin::Parsed, 1, 4, statFunction},
    {tok::RandNorm, "RandNorm", Builtin::Parsed, 2, 3, statFunction},
    {tok::BinomPdf, "BinomPdf", Builtin::Parsed, 2, 3, statFunction},
    {tok::BinomCdf, "BinomCdf", Builtin::Parsed, 2, 3, statFunction},
    {tok::PoissonPdf, "PoissonPdf", Builtin::Parsed, 2, 2, statFunction},
    {tok::PoissonCdf, "PoissonCdf", Builtin::Parsed, 2, 2, statFunction},
};
} // namespace

const Library statisticsLibrary{"statistics", kStatistics, int(std::size(kStatistics))};

} // namespace calc::basic
