// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The STAT TESTS menu: the significance tests and confidence intervals,
// from data lists or from summary numbers (a list where the data may go
// picks the data form), and ANOVA(. Each sets the test variables (p, z, t,
// χ², F, df, ṗ, x̄₁ … lower, upper) and writes its results screen, which
// the home screen shows when the command ends the program.
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"
#include "calc/basic/lib/Probability.h"
#include "calc/basic/lib/StatData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace calc::basic
{

namespace
{

using namespace prob;

enum Result : int {
    N = 0x6202,
    MeanX = 0x6203,
    SX = 0x6206,
    P = 0x6222,
    Z,
    T,
    Chi2,
    F,
    Df,
    PHat,
    PHat1,
    PHat2,
    Mean1,
    Sx1,
    N1,
    Mean2,
    Sx2,
    N2,
    Sxp,
    Lower,
    Upper,
    S,
    FactorDf = 0x6237,
    FactorSS,
    FactorMS,
    ErrorDf,
    ErrorSS,
    ErrorMS,
};

long double ld(const Value &v)
{
    return realOf(v).toLongDouble();
}

bool isList(const Value &v)
{
    return v.kind == Value::List;
}

struct Sample {
    long double n = 0, mean = 0, sx = 0;
    bool data = false;
};

// A data list with its frequencies, as 1-Var Stats reads them.
Sample sampleOf(const Value &list, const Value *freq)
{
    const QVector<Number> &x = listOf(list);
    if (x.isEmpty())
        raise(Error::InvalidDim);
    if (freq && listOf(*freq).size() != x.size())
        raise(Error::DimMismatch);
    Sample s;
    s.data = true;
    long double sum = 0;
    for (int i = 0; i < x.size(); ++i) {
        const long double w = freq ? freq->items[i].toLongDouble() : 1;
        if (w < 0)
            raise(Error::Domain);
        // The tests count their points: frequencies are whole numbers.
        if (freq && !freq->items[i].isInteger())
            raise(Error::Stat);
        s.n += w;
        sum += w * x[i].toLongDouble();
    }
    if (s.n <= 0)
        raise(Error::Domain);
    s.mean = sum / s.n;
    long double squares = 0;
    for (int i = 0; i < x.size(); ++i) {
        const long double w = freq ? freq->items[i].toLongDouble() : 1;
        const long double d = x[i].toLongDouble() - s.mean;
        squares += w * d * d;
    }
    s.sx = s.n > 1 ? std::sqrt(squares / (s.n - 1)) : 0;
    return s;
}

// A sample size typed in: a whole number from 1.
long double count(const Value &v)
{
    const Number &n = realOf(v);
    if (!n.isInteger() || n.toLongDouble() < 1)
        raise(Error::Domain);
    return n.toLongDouble();
}

long double positive(const Value &v)
{
    const long double x = ld(v);
    if (!(x > 0))
        raise(Error::Domain);
    return x;
}

QString fitted(long double v, int room)
{
    return statFitted(v, room);
}

// The results: variables set and the lines of the screen.
struct Report {
    QHash<int, Value> &vars;
    QStringList lines;

    Report(QHash<int, Value> &v, const QString &title) : vars(v), lines{title}
    {
        for (int t = P; t <= S; ++t)
            vars.remove(t);
        for (int t = FactorDf; t <= ErrorMS; ++t)
            vars.remove(t);
    }
    void line(const QString &text) { lines << QLatin1Char(' ') + text; }
    void set(int token, long double v) { vars[token] = Value::real(fromLd(v)); }
    void show(const QString &name, long double v)
    {
        line(name + QLatin1Char('=') + fitted(v, 13 - int(name.size())));
    }
    void put(const QString &name, int token, long double v)
    {
        set(token, v);
        show(name, v);
    }
    void hypothesis(const QString &left, int alternative, const QString &right)
    {
        static const QString signs[] = {QStringLiteral("<"), QStringLiteral("\u2260"),
                                        QStringLiteral(">")};
        line(left + signs[alternative + 1] + right);
    }
    void interval(long double lo, long double hi)
    {
        set(Lower, lo);
        set(Upper, hi);
        line(QLatin1Char('(') + fitted(lo, 6) + QLatin1Char(',') + fitted(hi, 6) +
             QLatin1Char(')'));
    }
    // x̄, Sx and n of one sample (Sx only when worked out from data).
    void sample(const Sample &s, bool showSx)
    {
        put(QStringLiteral("x\u0304"), MeanX, s.mean);
        if (showSx)
            put(QStringLiteral("Sx"), SX, s.sx);
        put(QStringLiteral("n"), N, s.n);
    }
    // One value of each of two samples, as name₁ and name₂.
    void pair(const QString &name, int first, long double a, int second, long double b)
    {
        put(name + QChar(0x2081), first, a);
        put(name + QChar(0x2082), second, b);
    }
};

QString numberText(long double v)
{
    return fromLd(v).display();
}

bool numbersAt(const Value *args, int n, int i)
{
    return i < n && !isList(args[i]);
}

// A sample typed in: x̄ (but for fields 1), Sx (but for fields 2) and n.
Sample typedSample(const Value *args, int at, int fields)
{
    Sample s;
    if (fields != 1)
        s.mean = ld(args[at++]);
    if (fields != 2)
        s.sx = positive(args[at++]);
    s.n = count(args[at]);
    return s;
}

// How many numbers a typed sample takes.
int widthOf(int fields)
{
    return fields == 1 ? 2 : fields;
}

// Two samples: from lists (L₁ and L₂ when none are given) and a pair of
// frequency lists, or from numbers: x̄ and n (fields 2), x̄, Sx and n
// (fields 3), or Sx and n (fields 1) of each.
struct Two {
    Sample a, b;
    int next = 0; // the first argument after the samples
};

// The pooled or unpooled standard error and degrees of freedom of a
// difference of two means.
void spread(const Sample &a, const Sample &b, bool pooled, long double *se, long double *df,
            long double *sp)
{
    const long double va = a.sx * a.sx / a.n, vb = b.sx * b.sx / b.n;
    if (pooled) {
        *df = a.n + b.n - 2;
        if (*df <= 0)
            raise(Error::Domain);
        *sp = std::sqrt(((a.n - 1) * a.sx * a.sx + (b.n - 1) * b.sx * b.sx) / *df);
        *se = *sp * std::sqrt(1 / a.n + 1 / b.n);
        return;
    }
    if (a.n < 2 || b.n < 2)
        raise(Error::Domain);
    *se = std::sqrt(va + vb);
    *df = (va + vb) * (va + vb) / (va * va / (a.n - 1) + vb * vb / (b.n - 1));
}

// The distribution a test draws instead of its screen when draw? is set.
struct Drawing {
    bool on = false;
    long double stat = 0, p = 0, d1 = 0, d2 = 0;
    int alternative = 0;
    QString name;
};

QString titleOf(int fn)
{
    return fn == tok::Anova ? QStringLiteral("One-way ANOVA")
                            : calc::tokens::displayString(fn).trimmed().remove(QLatin1Char('('));
}

// One test's run: its arguments, its report and what it may draw.
struct Run : Report {
    Calculator &c;
    int fn;
    const Value *args;
    int n;
    Drawing drawn;

    Run(Calculator &calc, int f, const Value *a, int count)
        : Report(calc.maths(), titleOf(f)), c(calc), fn(f), args(a), n(count)
    {
    }

    bool flag(int at) const { return at < n && !realOf(args[at]).isZero(); }

    // One sample from a list (L₁ when none is given) and its frequencies,
    // or typed in; *next is the first argument after it.
    Sample oneSample(int at, int fields, int *next)
    {
        if (numbersAt(args, n, at)) {
            if (n < at + fields)
                raise(Error::Argument);
            *next = at + fields;
            return typedSample(args, at, fields);
        }
        const bool freq = n > at + 1 && isList(args[at + 1]);
        *next = at + (n > at ? 1 : 0) + (freq ? 1 : 0);
        return sampleOf(n > at ? args[at] : c.var(tok::List0), freq ? &args[at + 1] : nullptr);
    }

    Two twoSamples(int from, int fields)
    {
        Two t;
        if (numbersAt(args, n, from)) {
            const int width = widthOf(fields);
            if (n < from + 2 * width)
                raise(Error::Argument);
            t.a = typedSample(args, from, fields);
            t.b = typedSample(args, from + width, fields);
            t.next = from + 2 * width;
            return t;
        }
        const Value &x1 = n > from ? args[from] : c.var(tok::List0);
        const Value &x2 = n > from + 1 ? args[from + 1] : c.var(tok::List0 + 1);
        const bool freq = n > from + 3 && isList(args[from + 2]) && isList(args[from + 3]);
        t.a = sampleOf(x1, freq ? &args[from + 2] : nullptr);
        t.b = sampleOf(x2, freq ? &args[from + 3] : nullptr);
        t.next = from + (freq ? 4 : std::min(n - from, 2));
        return t;
    }

    // The statistic and its p-value; draw? at argument `at` draws them.
    void result(const QString &name, int token, long double stat, long double p, int alternative,
                int at, long double d1 = 0, long double d2 = 0)
    {
        put(name, token, stat);
        put(QStringLiteral("p"), P, p);
        drawn = {flag(at), stat, p, d1, d2, alternative, name};
    }
    void z(long double stat, int alternative, int at)
    {
        result(QStringLiteral("z"), Z, stat,
               pValue(alternative, normalBelow(-stat), normalBelow(stat)), alternative, at);
    }
    void t(long double stat, long double df, int alternative, int at)
    {
        result(QStringLiteral("t"), T, stat,
               pValue(alternative, tAbove(stat, df), tAbove(-stat, df)), alternative, at, df);
    }
};

// Z-Test and T-Test: one mean against μ₀, with σ known or not.
void meanTest(Run &r)
{
    const bool z = r.fn == tok::ZTest;
    const long double mu0 = ld(r.args[0]);
    const long double sigma = z ? positive(r.args[1]) : 0;
    int rest;
    const Sample s = r.oneSample(z ? 2 : 1, z ? 2 : 3, &rest);
    const int alt = alternativeOf(r.args, r.n, rest);
    r.hypothesis(QStringLiteral("\u03BC"), alt, numberText(mu0));
    if (z) {
        r.z((s.mean - mu0) / (sigma / std::sqrt(s.n)), alt, rest + 1);
    } else {
        if (s.n < 2 || s.sx == 0)
            raise(Error::Domain);
        const long double df = s.n - 1;
        r.t((s.mean - mu0) / (s.sx / std::sqrt(s.n)), df, alt, rest + 1);
        r.set(Df, df);
    }
    r.sample(s, !z || s.data);
}

// ZInterval and TInterval: where one mean lies.
void meanInterval(Run &r)
{
    const bool z = r.fn == tok::ZInterval;
    const long double sigma = z ? positive(r.args[0]) : 0;
    int rest;
    const Sample s = r.oneSample(z ? 1 : 0, z ? 2 : 3, &rest);
    const long double c = levelOf(r.args, r.n, rest);
    if (z) {
        const long double half = normalQuantile((1 + c) / 2) * sigma / std::sqrt(s.n);
        r.interval(s.mean - half, s.mean + half);
    } else {
        if (s.n < 2)
            raise(Error::Domain);
        const long double half = tQuantile((1 + c) / 2, s.n - 1) * s.sx / std::sqrt(s.n);
        r.interval(s.mean - half, s.mean + half);
        r.set(Df, s.n - 1);
    }
    r.sample(s, !z || s.data);
}

// 2-SampZTest and 2-SampZInt: two means, both σ known.
void twoMeansKnown(Run &r)
{
    const long double s1 = positive(r.args[0]), s2 = positive(r.args[1]);
    const Two t = r.twoSamples(2, 2);
    const long double se = std::sqrt(s1 * s1 / t.a.n + s2 * s2 / t.b.n);
    const long double diff = t.a.mean - t.b.mean;
    if (r.fn == tok::TwoSampZTest) {
        const int alt = alternativeOf(r.args, r.n, t.next);
        r.hypothesis(QStringLiteral("\u03BC\u2081"), alt, QStringLiteral("\u03BC\u2082"));
        r.z(diff / se, alt, t.next + 1);
    } else {
        const long double half = normalQuantile((1 + levelOf(r.args, r.n, t.next)) / 2) * se;
        r.interval(diff - half, diff + half);
    }
    r.pair(QStringLiteral("x\u0304"), Mean1, t.a.mean, Mean2, t.b.mean);
    if (t.a.data)
        r.pair(QStringLiteral("Sx"), Sx1, t.a.sx, Sx2, t.b.sx);
    r.pair(QStringLiteral("n"), N1, t.a.n, N2, t.b.n);
}

// 2-SampTTest and 2-SampTInt: two means, pooled or not.
void twoMeans(Run &r)
{
    const Two t = r.twoSamples(0, 3);
    const bool test = r.fn == tok::TwoSampTTest;
    const int alt = test ? alternativeOf(r.args, r.n, t.next) : 0;
    const bool pooled = r.flag(t.next + 1);
    long double se, df, sp = 0;
    spread(t.a, t.b, pooled, &se, &df, &sp);
    const long double diff = t.a.mean - t.b.mean;
    if (test) {
        r.hypothesis(QStringLiteral("\u03BC\u2081"), alt, QStringLiteral("\u03BC\u2082"));
        r.t(diff / se, df, alt, t.next + 2);
    } else {
        const long double half = tQuantile((1 + levelOf(r.args, r.n, t.next)) / 2, df) * se;
        r.interval(diff - half, diff + half);
    }
    r.put(QStringLiteral("df"), Df, df);
    r.pair(QStringLiteral("x\u0304"), Mean1, t.a.mean, Mean2, t.b.mean);
    r.pair(QStringLiteral("Sx"), Sx1, t.a.sx, Sx2, t.b.sx);
    if (pooled)
        r.put(QStringLiteral("Sxp"), Sxp, sp);
    r.pair(QStringLiteral("n"), N1, t.a.n, N2, t.b.n);
}

// 2-SampFTest: two spreads.
void twoSpreads(Run &r)
{
    const Two t = r.twoSamples(0, 1);
    if (t.a.n < 2 || t.b.n < 2 || t.b.sx == 0)
        raise(Error::Domain);
    const int alt = alternativeOf(r.args, r.n, t.next);
    r.hypothesis(QStringLiteral("\u03C3\u2081"), alt, QStringLiteral("\u03C3\u2082"));
    const long double stat = t.a.sx * t.a.sx / (t.b.sx * t.b.sx);
    const long double d1 = t.a.n - 1, d2 = t.b.n - 1;
    const long double above = fAbove(stat, d1, d2);
    r.result(QStringLiteral("F"), F, stat, pValue(alt, above, 1 - above), alt, t.next + 1, d1, d2);
    r.pair(QStringLiteral("Sx"), Sx1, t.a.sx, Sx2, t.b.sx);
    if (t.a.data)
        r.pair(QStringLiteral("x\u0304"), Mean1, t.a.mean, Mean2, t.b.mean);
    r.pair(QStringLiteral("n"), N1, t.a.n, N2, t.b.n);
}

// 1-PropZTest and 1-PropZInt: x successes in n against p₀.
void oneProportion(Run &r)
{
    const bool test = r.fn == tok::OnePropZTest;
    const int at = test ? 1 : 0;
    const long double p0 = test ? ld(r.args[0]) : 0;
    const long double x = ld(r.args[at]), size = count(r.args[at + 1]);
    if ((test && !(p0 > 0 && p0 < 1)) || x < 0 || x > size || !realOf(r.args[at]).isInteger())
        raise(Error::Domain);
    const long double ph = x / size;
    if (test) {
        const int alt = alternativeOf(r.args, r.n, 3);
        r.hypothesis(QStringLiteral("prop"), alt, numberText(p0));
        r.z((ph - p0) / std::sqrt(p0 * (1 - p0) / size), alt, 4);
    } else {
        const long double half =
            normalQuantile((1 + levelOf(r.args, r.n, 2)) / 2) * std::sqrt(ph * (1 - ph) / size);
        r.interval(ph - half, ph + half);
    }
    r.put(QStringLiteral("p\u0302"), PHat, ph);
    r.put(QStringLiteral("n"), N, size);
}

// 2-PropZTest and 2-PropZInt: two proportions.
void twoProportions(Run &r)
{
    const Value *args = r.args;
    const long double x1 = ld(args[0]), n1 = count(args[1]), x2 = ld(args[2]), n2 = count(args[3]);
    if (!realOf(args[0]).isInteger() || !realOf(args[2]).isInteger() || x1 < 0 || x2 < 0 ||
        x1 > n1 || x2 > n2)
        raise(Error::Domain);
    const long double p1 = x1 / n1, p2 = x2 / n2;
    if (r.fn == tok::TwoPropZTest) {
        const int alt = alternativeOf(args, r.n, 4);
        r.hypothesis(QStringLiteral("p\u2081"), alt, QStringLiteral("p\u2082"));
        const long double ph = (x1 + x2) / (n1 + n2);
        const long double se = std::sqrt(ph * (1 - ph) * (1 / n1 + 1 / n2));
        if (se == 0)
            raise(Error::DivideBy0);
        r.z((p1 - p2) / se, alt, 5);
        r.pair(QStringLiteral("p\u0302"), PHat1, p1, PHat2, p2);
        r.put(QStringLiteral("p\u0302"), PHat, ph);
    } else {
        const long double se = std::sqrt(p1 * (1 - p1) / n1 + p2 * (1 - p2) / n2);
        const long double half = normalQuantile((1 + levelOf(args, r.n, 4)) / 2) * se;
        r.interval(p1 - p2 - half, p1 - p2 + half);
        r.pair(QStringLiteral("p\u0302"), PHat1, p1, PHat2, p2);
    }
    r.pair(QStringLiteral("n"), N1, n1, N2, n2);
}

// χ²-Test: the observed matrix ([A] when left out); the expected counts go
// to the matrix named second ([B] when left out).
void independence(Run &r)
{
    const int expected = r.n > 1 ? int(ld(r.args[1])) : tok::Matrix0 + 1;
    const Value obs = r.n > 0 ? r.args[0] : r.c.var(tok::Matrix0);
    if (obs.kind != Value::Matrix)
        raise(Error::DataType);
    if (obs.rows < 2 || obs.cols < 2)
        raise(Error::InvalidDim);
    std::vector<long double> rowSum(obs.rows), colSum(obs.cols);
    long double total = 0;
    for (int i = 0; i < obs.rows; ++i)
        for (int j = 0; j < obs.cols; ++j) {
            const long double o = obs.items[i * obs.cols + j].toLongDouble();
            if (o < 0)
                raise(Error::Domain);
            rowSum[i] += o;
            colSum[j] += o;
            total += o;
        }
    Value e = obs;
    long double chi = 0;
    for (int i = 0; i < obs.rows; ++i)
        for (int j = 0; j < obs.cols; ++j) {
            const long double ex = rowSum[i] * colSum[j] / total;
            if (!(ex > 0))
                raise(Error::Domain);
            const long double d = obs.items[i * obs.cols + j].toLongDouble() - ex;
            chi += d * d / ex;
            e.items[i * obs.cols + j] = fromLd(ex);
        }
    r.c.store(TVar, expected, e, QString());
    const long double df = (obs.rows - 1) * (obs.cols - 1);
    r.result(QStringLiteral("\u03C7\u00B2"), Chi2, chi, chiAbove(chi, df), 1, 2, df);
    r.put(QStringLiteral("df"), Df, df);
}

// χ²GOF-Test: observed counts against expected ones.
void goodnessOfFit(Run &r)
{
    const QVector<Number> &o = listOf(r.args[0]), &e = listOf(r.args[1]);
    if (o.size() != e.size())
        raise(Error::DimMismatch);
    const Number &dfArg = realOf(r.args[2]);
    if (o.size() < 2 || !dfArg.isInteger() || dfArg.toLongDouble() < 1)
        raise(Error::Domain);
    long double chi = 0;
    QVector<Number> contributions; // each category's share of χ², to ʟCNTRB
    for (int i = 0; i < o.size(); ++i) {
        const long double ex = e[i].toLongDouble();
        if (!(ex > 0))
            raise(Error::Domain);
        const long double d = o[i].toLongDouble() - ex;
        chi += d * d / ex;
        contributions << fromLd(d * d / ex);
    }
    r.c.namedLists()[QStringLiteral("CNTRB")] = Value::list(contributions);
    const long double df = dfArg.toLongDouble();
    r.put(QStringLiteral("\u03C7\u00B2"), Chi2, chi);
    r.put(QStringLiteral("p"), P, chiAbove(chi, df));
    r.put(QStringLiteral("df"), Df, df);
}

// ANOVA(: the means of two or more lists.
void anova(Run &r)
{
    if (r.n < 2)
        raise(Error::Argument);
    long double total = 0, count = 0, within = 0;
    std::vector<Sample> groups;
    for (int i = 0; i < r.n; ++i) {
        if (!isList(r.args[i]))
            raise(Error::Syntax);
        if (listOf(r.args[i]).isEmpty())
            raise(Error::Argument);
        groups.push_back(sampleOf(r.args[i], nullptr));
        total += groups.back().mean * groups.back().n;
        count += groups.back().n;
        within += (groups.back().n - 1) * groups.back().sx * groups.back().sx;
    }
    const long double grand = total / count;
    long double between = 0;
    for (const Sample &g : groups)
        between += g.n * (g.mean - grand) * (g.mean - grand);
    const long double dfFactor = r.n - 1, dfError = count - r.n;
    if (dfError <= 0)
        raise(Error::DivideBy0);
    const long double msFactor = between / dfFactor, msError = within / dfError;
    const long double stat = msFactor / msError;
    r.put(QStringLiteral("F"), F, stat);
    r.put(QStringLiteral("p"), P, fAbove(stat, dfFactor, dfError));
    r.line(QStringLiteral("Factor"));
    r.put(QStringLiteral(" df"), FactorDf, dfFactor);
    r.put(QStringLiteral(" SS"), FactorSS, between);
    r.put(QStringLiteral(" MS"), FactorMS, msFactor);
    r.line(QStringLiteral("Error"));
    r.put(QStringLiteral(" df"), ErrorDf, dfError);
    r.put(QStringLiteral(" SS"), ErrorSS, within);
    r.put(QStringLiteral(" MS"), ErrorMS, msError);
    r.put(QStringLiteral("Sxp"), Sxp, std::sqrt(msError));
}

// Each test's family and the arguments it cannot go without.
struct Family {
    int fn;
    int least;
    void (*run)(Run &);
};

const Family kFamilies[] = {
    {tok::ZTest, 2, meanTest},
    {tok::TTest, 1, meanTest},
    {tok::ZInterval, 1, meanInterval},
    {tok::TInterval, 0, meanInterval},
    {tok::TwoSampZTest, 2, twoMeansKnown},
    {tok::TwoSampZInt, 2, twoMeansKnown},
    {tok::TwoSampTTest, 0, twoMeans},
    {tok::TwoSampTInt, 0, twoMeans},
    {tok::TwoSampFTest, 0, twoSpreads},
    {tok::OnePropZTest, 3, oneProportion},
    {tok::OnePropZInt, 2, oneProportion},
    {tok::TwoPropZTest, 4, twoProportions},
    {tok::TwoPropZInt, 4, twoProportions},
    {tok::ChiTest, 0, independence},
    {tok::ChiGofTest, 3, goodnessOfFit},
    {tok::Anova, 0, anova},
};

} // namespace

// −1, 0 or 1 from any real: its sign.
int alternativeOf(const Value *args, int n, int i)
{
    if (i >= n)
        return 0;
    const Number &a = realOf(args[i]);
    return a.isZero() ? 0 : a.isNegative() ? -1 : 1;
}

// C-Level as a fraction: 95 and .95 both mean 95 %.
long double levelOf(const Value *args, int n, int i)
{
    if (i >= n)
        return 0.95L;
    long double c = ld(args[i]);
    if (c >= 1)
        c /= 100;
    if (!(c > 0 && c < 1))
        raise(Error::Domain);
    return c;
}

// Fewer digits until the number fits what is left of the 16 columns.
QString statFitted(long double v, int room)
{
    QString s = fromLd(v).display();
    for (int digits = 9; s.size() > room && digits > 1; --digits) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*Le", digits - 1, v);
        s = fromLd(std::strtold(buf, nullptr)).display();
    }
    return s;
}

bool isStatTest(int t)
{
    return (t >= tok::ZTest && t <= tok::TwoSampTInt && t != 0xBB45) || t == tok::Anova ||
           t == tok::ChiGofTest;
}

// A test's last argument says whether its results screen is what the
// program ends on.
Value statTest(Calculator &c_, int fn, Value *args, int n)
{
    const bool shown = !realOf(args[n - 1]).isZero();
    --n;
    const Family *family = std::find_if(std::begin(kFamilies), std::end(kFamilies),
                                        [fn](const Family &f) { return f.fn == fn; });
    if (family == std::end(kFamilies))
        raise(Error::Unsupported, calc::tokens::displayString(fn));
    if (n < family->least)
        raise(Error::Argument);
    Run r(c_, fn, args, n);
    family->run(r);
    if (r.drawn.on)
        drawTest(c_, fn, r.drawn.stat, r.drawn.alternative, r.drawn.d1, r.drawn.d2, r.drawn.name,
                 r.drawn.p);
    else if (shown)
        showResults(c_, r.lines);
    return Value();
}

namespace
{
const Builtin kStatisticsTests[] = {
    {tok::ZTest, "ZTest", Builtin::Read, -1, -1, statTest},
    {tok::TTest, "TTest", Builtin::Read, -1, -1, statTest},
    {tok::TwoSampZTest, "TwoSampZTest", Builtin::Read, -1, -1, statTest},
    {tok::OnePropZTest, "OnePropZTest", Builtin::Read, -1, -1, statTest},
    {tok::TwoPropZTest, "TwoPropZTest", Builtin::Read, -1, -1, statTest},
    {tok::ChiTest, "ChiTest", Builtin::Read, -1, -1, statTest},
    {tok::ZInterval, "ZInterval", Builtin::Read, -1, -1, statTest},
    {tok::TwoSampZInt, "TwoSampZInt", Builtin::Read, -1, -1, statTest},
    {tok::OnePropZInt, "OnePropZInt", Builtin::Read, -1, -1, statTest},
    {tok::TwoPropZInt, "TwoPropZInt", Builtin::Read, -1, -1, statTest},
    {tok::TwoSampTTest, "TwoSampTTest", Builtin::Read, -1, -1, statTest},
    {tok::TwoSampFTest, "TwoSampFTest", Builtin::Read, -1, -1, statTest},
    {tok::TInterval, "TInterval", Builtin::Read, -1, -1, statTest},
    {tok::TwoSampTInt, "TwoSampTInt", Builtin::Read, -1, -1, statTest},
    {tok::Anova, "Anova", Builtin::Read, -1, -1, statTest},
    {tok::ChiGofTest, "ChiGofTest", Builtin::Read, -1, -1, statTest},
};
} // namespace

const Library statisticsTestsLibrary{"statistics tests", kStatisticsTests,
                                     int(std::size(kStatisticsTests))};

} // namespace calc::basic
