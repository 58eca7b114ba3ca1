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
    void sample(const Sample &s, const QString &index, int mean, int sx, int n, bool showSx)
    {
        put(QStringLiteral("x\u0304") + index, mean, s.mean);
        if (showSx)
            put(QStringLiteral("Sx") + index, sx, s.sx);
        put(QStringLiteral("n") + index, n, s.n);
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

// Two samples: from lists (L₁ and L₂ when none are given) and a pair of
// frequency lists, or from numbers: x̄ and n (fields 2), x̄, Sx and n
// (fields 3), or Sx and n (fields 1) of each.
struct Two {
    Sample a, b;
    int next = 0; // the first argument after the samples
};

Two twoSamples(const Value *args, int n, int from, int fields, const Value &l1, const Value &l2)
{
    Two t;
    if (numbersAt(args, n, from)) {
        const int width = fields == 1 ? 2 : fields;
        if (n < from + 2 * width)
            raise(Error::Argument);
        auto one = [&](int at) {
            Sample s;
            if (fields != 1)
                s.mean = ld(args[at++]);
            if (fields != 2)
                s.sx = positive(args[at++]);
            s.n = count(args[at]);
            return s;
        };
        t.a = one(from);
        t.b = one(from + width);
        t.next = from + 2 * width;
        return t;
    }
    const Value &x1 = n > from ? args[from] : l1;
    const Value &x2 = n > from + 1 ? args[from + 1] : l2;
    const bool freq = n > from + 3 && isList(args[from + 2]) && isList(args[from + 3]);
    t.a = sampleOf(x1, freq ? &args[from + 2] : nullptr);
    t.b = sampleOf(x2, freq ? &args[from + 3] : nullptr);
    t.next = from + (freq ? 4 : std::min(n - from, 2));
    return t;
}

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

} // namespace

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

// A test's last argument says whether its results screen is what the
// program ends on.
Value statTest(Calculator &c_, int fn, Value *args, int n)
{
    statTestCommand(c_, fn, args, n - 1, !realOf(args[n - 1]).isZero());
    return Value();
}

bool isStatTest(int t)
{
    return (t >= tok::ZTest && t <= tok::TwoSampTInt && t != 0xBB45) || t == tok::Anova ||
           t == tok::ChiGofTest;
}

// The arguments a test or interval cannot go without.
static int leastArguments(int fn)
{
    switch (fn) {
    case tok::ZTest:
    case tok::TwoSampZTest:
    case tok::TwoSampZInt:
    case tok::OnePropZInt:
        return 2;
    case tok::TTest:
    case tok::ZInterval:
        return 1;
    case tok::OnePropZTest:
    case tok::ChiGofTest:
        return 3;
    case tok::TwoPropZTest:
    case tok::TwoPropZInt:
        return 4;
    default:
        return 0;
    }
}

void statTestCommand(Calculator &c_, int fn, Value *args, int n, bool shown)
{
    if (n < leastArguments(fn))
        raise(Error::Argument);
    QHash<int, Value> &vars = c_.maths();
    const QString title = fn == tok::Anova
                              ? QStringLiteral("One-way ANOVA")
                              : calc::tokens::displayString(fn).trimmed().remove(QLatin1Char('('));
    Report r(vars, title);
    // draw?: the distribution with the p-value shaded, instead of the screen.
    struct {
        bool on = false;
        long double stat = 0, p = 0, d1 = 0, d2 = 0;
        int alternative = 0;
        QString name;
    } drawn;
    auto draw = [&](int at, const QString &name, long double stat, long double p, int alternative,
                    long double d1 = 0, long double d2 = 0) {
        drawn.on = at < n && !realOf(args[at]).isZero();
        drawn.name = name;
        drawn.stat = stat;
        drawn.p = p;
        drawn.alternative = alternative;
        drawn.d1 = d1;
        drawn.d2 = d2;
    };
    auto sampleResults = [&](const Sample &s, bool showSx) {
        r.put(QStringLiteral("x\u0304"), MeanX, s.mean);
        if (showSx)
            r.put(QStringLiteral("Sx"), SX, s.sx);
        r.put(QStringLiteral("n"), N, s.n);
    };
    switch (fn) {
    case tok::ZTest:
    case tok::TTest: {
        const bool z = fn == tok::ZTest;
        const long double mu0 = ld(args[0]);
        const int at = z ? 2 : 1;
        const long double sigma = z ? positive(args[1]) : 0;
        Sample s;
        int rest;
        if (numbersAt(args, n, at)) {
            if (n < at + (z ? 2 : 3))
                raise(Error::Argument);
            s.mean = ld(args[at]);
            s.sx = z ? 0 : positive(args[at + 1]);
            s.n = count(args[at + (z ? 1 : 2)]);
            rest = at + (z ? 2 : 3);
        } else {
            const bool freq = n > at + 1 && isList(args[at + 1]);
            s = sampleOf(n > at ? args[at] : c_.var(tok::List0), freq ? &args[at + 1] : nullptr);
            rest = at + (n > at ? 1 : 0) + (freq ? 1 : 0);
        }
        const int alt = alternativeOf(args, n, rest);
        r.hypothesis(QStringLiteral("\u03BC"), alt, numberText(mu0));
        if (z) {
            const long double stat = (s.mean - mu0) / (sigma / std::sqrt(s.n));
            const long double p = pValue(alt, normalBelow(-stat), normalBelow(stat));
            r.put(QStringLiteral("z"), Z, stat);
            r.put(QStringLiteral("p"), P, p);
            draw(rest + 1, QStringLiteral("z"), stat, p, alt);
        } else {
            if (s.n < 2 || s.sx == 0)
                raise(Error::Domain);
            const long double df = s.n - 1;
            const long double stat = (s.mean - mu0) / (s.sx / std::sqrt(s.n));
            const long double p = pValue(alt, tAbove(stat, df), tAbove(-stat, df));
            r.put(QStringLiteral("t"), T, stat);
            r.put(QStringLiteral("p"), P, p);
            r.set(Df, df);
            draw(rest + 1, QStringLiteral("t"), stat, p, alt, df);
        }
        sampleResults(s, !z || s.data);
        break;
    }
    case tok::TwoSampZTest:
    case tok::TwoSampZInt: {
        const long double s1 = positive(args[0]), s2 = positive(args[1]);
        const Two t = twoSamples(args, n, 2, 2, c_.var(tok::List0), c_.var(tok::List0 + 1));
        const long double se = std::sqrt(s1 * s1 / t.a.n + s2 * s2 / t.b.n);
        const long double diff = t.a.mean - t.b.mean;
        if (fn == tok::TwoSampZTest) {
            const int alt = alternativeOf(args, n, t.next);
            r.hypothesis(QStringLiteral("\u03BC\u2081"), alt, QStringLiteral("\u03BC\u2082"));
            const long double stat = diff / se;
            const long double p = pValue(alt, normalBelow(-stat), normalBelow(stat));
            r.put(QStringLiteral("z"), Z, stat);
            r.put(QStringLiteral("p"), P, p);
            draw(t.next + 1, QStringLiteral("z"), stat, p, alt);
        } else {
            const long double half = normalQuantile((1 + levelOf(args, n, t.next)) / 2) * se;
            r.interval(diff - half, diff + half);
        }
        r.put(QStringLiteral("x\u0304\u2081"), Mean1, t.a.mean);
        r.put(QStringLiteral("x\u0304\u2082"), Mean2, t.b.mean);
        if (t.a.data) {
            r.put(QStringLiteral("Sx\u2081"), Sx1, t.a.sx);
            r.put(QStringLiteral("Sx\u2082"), Sx2, t.b.sx);
        }
        r.put(QStringLiteral("n\u2081"), N1, t.a.n);
        r.put(QStringLiteral("n\u2082"), N2, t.b.n);
        break;
    }
    case tok::TwoSampTTest:
    case tok::TwoSampTInt: {
        const Two t = twoSamples(args, n, 0, 3, c_.var(tok::List0), c_.var(tok::List0 + 1));
        const bool test = fn == tok::TwoSampTTest;
        const int alt = test ? alternativeOf(args, n, t.next) : 0;
        const bool pooled = t.next + 1 < n && !realOf(args[t.next + 1]).isZero();
        long double se, df, sp = 0;
        spread(t.a, t.b, pooled, &se, &df, &sp);
        const long double diff = t.a.mean - t.b.mean;
        if (test) {
            r.hypothesis(QStringLiteral("\u03BC\u2081"), alt, QStringLiteral("\u03BC\u2082"));
            const long double stat = diff / se;
            const long double p = pValue(alt, tAbove(stat, df), tAbove(-stat, df));
            r.put(QStringLiteral("t"), T, stat);
            r.put(QStringLiteral("p"), P, p);
            draw(t.next + 2, QStringLiteral("t"), stat, p, alt, df);
        } else {
            const long double half = tQuantile((1 + levelOf(args, n, t.next)) / 2, df) * se;
            r.interval(diff - half, diff + half);
        }
        r.put(QStringLiteral("df"), Df, df);
        r.put(QStringLiteral("x\u0304\u2081"), Mean1, t.a.mean);
        r.put(QStringLiteral("x\u0304\u2082"), Mean2, t.b.mean);
        r.put(QStringLiteral("Sx\u2081"), Sx1, t.a.sx);
        r.put(QStringLiteral("Sx\u2082"), Sx2, t.b.sx);
        if (pooled)
            r.put(QStringLiteral("Sxp"), Sxp, sp);
        r.put(QStringLiteral("n\u2081"), N1, t.a.n);
        r.put(QStringLiteral("n\u2082"), N2, t.b.n);
        break;
    }
    case tok::TwoSampFTest: {
        const Two t = twoSamples(args, n, 0, 1, c_.var(tok::List0), c_.var(tok::List0 + 1));
        if (t.a.n < 2 || t.b.n < 2 || t.b.sx == 0)
            raise(Error::Domain);
        const int alt = alternativeOf(args, n, t.next);
        r.hypothesis(QStringLiteral("\u03C3\u2081"), alt, QStringLiteral("\u03C3\u2082"));
        const long double stat = t.a.sx * t.a.sx / (t.b.sx * t.b.sx);
        const long double d1 = t.a.n - 1, d2 = t.b.n - 1;
        const long double above = fAbove(stat, d1, d2);
        const long double p = pValue(alt, above, 1 - above);
        r.put(QStringLiteral("F"), F, stat);
        r.put(QStringLiteral("p"), P, p);
        draw(t.next + 1, QStringLiteral("F"), stat, p, alt, d1, d2);
        r.put(QStringLiteral("Sx\u2081"), Sx1, t.a.sx);
        r.put(QStringLiteral("Sx\u2082"), Sx2, t.b.sx);
        if (t.a.data) {
            r.put(QStringLiteral("x\u0304\u2081"), Mean1, t.a.mean);
            r.put(QStringLiteral("x\u0304\u2082"), Mean2, t.b.mean);
        }
        r.put(QStringLiteral("n\u2081"), N1, t.a.n);
        r.put(QStringLiteral("n\u2082"), N2, t.b.n);
        break;
    }
    case tok::OnePropZTest:
    case tok::OnePropZInt: {
        const bool test = fn == tok::OnePropZTest;
        const int at = test ? 1 : 0;
        const long double p0 = test ? ld(args[0]) : 0;
        const long double x = ld(args[at]), size = count(args[at + 1]);
        if ((test && !(p0 > 0 && p0 < 1)) || x < 0 || x > size || !realOf(args[at]).isInteger())
            raise(Error::Domain);
        const long double ph = x / size;
        if (test) {
            const int alt = alternativeOf(args, n, 3);
            r.hypothesis(QStringLiteral("prop"), alt, numberText(p0));
            const long double stat = (ph - p0) / std::sqrt(p0 * (1 - p0) / size);
            const long double p = pValue(alt, normalBelow(-stat), normalBelow(stat));
            r.put(QStringLiteral("z"), Z, stat);
            r.put(QStringLiteral("p"), P, p);
            draw(4, QStringLiteral("z"), stat, p, alt);
        } else {
            const long double half =
                normalQuantile((1 + levelOf(args, n, 2)) / 2) * std::sqrt(ph * (1 - ph) / size);
            r.interval(ph - half, ph + half);
        }
        r.put(QStringLiteral("p\u0302"), PHat, ph);
        r.put(QStringLiteral("n"), N, size);
        break;
    }
    case tok::TwoPropZTest:
    case tok::TwoPropZInt: {
        const long double x1 = ld(args[0]), n1 = count(args[1]), x2 = ld(args[2]),
                          n2 = count(args[3]);
        if (!realOf(args[0]).isInteger() || !realOf(args[2]).isInteger() || x1 < 0 || x2 < 0 ||
            x1 > n1 || x2 > n2)
            raise(Error::Domain);
        const long double p1 = x1 / n1, p2 = x2 / n2;
        if (fn == tok::TwoPropZTest) {
            const int alt = alternativeOf(args, n, 4);
            r.hypothesis(QStringLiteral("p\u2081"), alt, QStringLiteral("p\u2082"));
            const long double ph = (x1 + x2) / (n1 + n2);
            const long double se = std::sqrt(ph * (1 - ph) * (1 / n1 + 1 / n2));
            if (se == 0)
                raise(Error::DivideBy0);
            const long double stat = (p1 - p2) / se;
            const long double p = pValue(alt, normalBelow(-stat), normalBelow(stat));
            r.put(QStringLiteral("z"), Z, stat);
            r.put(QStringLiteral("p"), P, p);
            draw(5, QStringLiteral("z"), stat, p, alt);
            r.put(QStringLiteral("p\u0302\u2081"), PHat1, p1);
            r.put(QStringLiteral("p\u0302\u2082"), PHat2, p2);
            r.put(QStringLiteral("p\u0302"), PHat, ph);
        } else {
            const long double se = std::sqrt(p1 * (1 - p1) / n1 + p2 * (1 - p2) / n2);
            const long double half = normalQuantile((1 + levelOf(args, n, 4)) / 2) * se;
            r.interval(p1 - p2 - half, p1 - p2 + half);
            r.put(QStringLiteral("p\u0302\u2081"), PHat1, p1);
            r.put(QStringLiteral("p\u0302\u2082"), PHat2, p2);
        }
        r.put(QStringLiteral("n\u2081"), N1, n1);
        r.put(QStringLiteral("n\u2082"), N2, n2);
        break;
    }
    case tok::ZInterval:
    case tok::TInterval: {
        const bool z = fn == tok::ZInterval;
        const int at = z ? 1 : 0;
        const long double sigma = z ? positive(args[0]) : 0;
        Sample s;
        int rest;
        if (numbersAt(args, n, at)) {
            if (n < at + (z ? 2 : 3))
                raise(Error::Argument);
            s.mean = ld(args[at]);
            s.sx = z ? 0 : positive(args[at + 1]);
            s.n = count(args[at + (z ? 1 : 2)]);
            rest = at + (z ? 2 : 3);
        } else {
            const bool freq = n > at + 1 && isList(args[at + 1]);
            s = sampleOf(n > at ? args[at] : c_.var(tok::List0), freq ? &args[at + 1] : nullptr);
            rest = at + (n > at ? 1 : 0) + (freq ? 1 : 0);
        }
        const long double c = levelOf(args, n, rest);
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
        sampleResults(s, !z || s.data);
        break;
    }
    case tok::ChiTest: {
        // The observed matrix ([A] when left out); the expected counts go to
        // the matrix named second ([B] when left out).
        const int expected = n > 1 ? int(ld(args[1])) : tok::Matrix0 + 1;
        const Value obs = n > 0 ? args[0] : c_.var(tok::Matrix0);
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
        c_.store(TVar, expected, e, QString());
        const long double df = (obs.rows - 1) * (obs.cols - 1);
        r.put(QStringLiteral("\u03C7\u00B2"), Chi2, chi);
        r.put(QStringLiteral("p"), P, chiAbove(chi, df));
        draw(2, QStringLiteral("\u03C7\u00B2"), chi, chiAbove(chi, df), 1, df);
        r.put(QStringLiteral("df"), Df, df);
        break;
    }
    case tok::ChiGofTest: {
        const QVector<Number> &o = listOf(args[0]), &e = listOf(args[1]);
        if (o.size() != e.size())
            raise(Error::DimMismatch);
        const Number &dfArg = realOf(args[2]);
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
        c_.store(TNamed, 0, Value::list(contributions), QStringLiteral("CNTRB"));
        const long double df = dfArg.toLongDouble();
        r.put(QStringLiteral("\u03C7\u00B2"), Chi2, chi);
        r.put(QStringLiteral("p"), P, chiAbove(chi, df));
        r.put(QStringLiteral("df"), Df, df);
        break;
    }
    case tok::Anova: {
        if (n < 2)
            raise(Error::Argument);
        long double total = 0, count = 0, within = 0;
        std::vector<Sample> groups;
        for (int i = 0; i < n; ++i) {
            if (!isList(args[i]))
                raise(Error::Syntax);
            if (listOf(args[i]).isEmpty())
                raise(Error::Argument);
            groups.push_back(sampleOf(args[i], nullptr));
            total += groups.back().mean * groups.back().n;
            count += groups.back().n;
            within += (groups.back().n - 1) * groups.back().sx * groups.back().sx;
        }
        const long double grand = total / count;
        long double between = 0;
        for (const Sample &g : groups)
            between += g.n * (g.mean - grand) * (g.mean - grand);
        const long double dfFactor = n - 1, dfError = count - n;
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
        break;
    }
    default:
        raise(Error::Unsupported, calc::tokens::displayString(fn));
    }
    if (drawn.on)
        drawTest(c_, fn, drawn.stat, drawn.alternative, drawn.d1, drawn.d2, drawn.name, drawn.p);
    else if (shown)
        showResults(c_, r.lines);
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
