// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Seq mode: u, v and w as terms in n with their initial values, the
// variables kept beside the window, and the graph in Time, Web and the
// axes formats.
#include "calc/basic/graph/Graph.h"
#include "calc/basic/graph/GraphDraw.h"
#include "calc/basic/lib/Libraries.h"

#include <QSet>

namespace calc::basic
{

struct Terms {
    QHash<qint64, Number> done; // by n·3 + sequence
    QSet<qint64> busy;          // being computed: a term that needs itself
};

namespace
{

constexpr std::int64_t kMostTerms = 1000000;

std::int64_t whole(const Number &x)
{
    std::int64_t k = 0;
    x.toInt(&k);
    return k;
}

// Whether the equation names a sequence: then its terms need the ones before.
bool recursive(const QVector<int> &eq)
{
    for (int t : eq) {
        if (t >= tok::SeqU && t <= tok::SeqW)
            return true;
    }
    return false;
}

// The terms stay for the outermost evaluation (or graph) only: they depend
// on every other variable.
struct TermScope {
    GraphState &gs;
    Terms local;
    bool owner;
    explicit TermScope(GraphState &g) : gs(g), owner(!g.terms)
    {
        if (owner)
            gs.terms = &local;
    }
    ~TermScope()
    {
        if (owner)
            gs.terms = nullptr;
    }
};

} // namespace

Value sequenceAt(Calculator &c_, int s, const Value *at)
{
    GraphState &gs = c_.graphing();
    if (gs.webSequence >= 0) {
        // Web's y=f(x): only the sequence's own term before may appear.
        if (s != gs.webSequence || !at || at->kind != Value::Real || at->num != sub(gs.n, num(1)))
            raise(Error::Invalid);
        return Value::real(gs.webX);
    }
    TermScope scope(gs);
    const bool nested = !scope.owner;
    const Value where = at ? *at : Value::real(gs.n);
    if (where.kind == Value::List) {
        QVector<Number> out;
        for (const Number &x : where.items)
            out << sequenceTerm(c_, s, x, nested);
        return Value::list(out);
    }
    return Value::real(sequenceTerm(c_, s, realOf(where), nested));
}

// u(k): an initial value from nMin up, else the equation at n=k. The
// terms before a recursive one are computed first, lowest up, so that
// u(n-1) finds them done instead of nesting a hundred evaluations deep.
Number sequenceTerm(Calculator &c_, int s, const Number &x, bool nested)
{
    GraphState &gs = c_.graphing();
    std::int64_t k;
    if (!x.toInt(&k) || k < 0)
        raise(Error::Domain);
    const std::int64_t nMin = whole(gs.vars[NMin]);
    const auto eq = gs.equations.constFind(tok::SeqU + s);
    const auto &start = gs.start[s];
    const std::int64_t given = !start ? 0 : start->kind == Value::List ? start->items.size() : 1;
    if (!gs.terms->done.contains(k * 3 + s) && eq != gs.equations.constEnd() && recursive(*eq)) {
        // Kept terms take memory the calculator would not have either.
        if (k - nMin > kMostTerms)
            raise(Error::Memory);
        for (std::int64_t j = nMin + given; j < k; ++j) {
            if (!gs.terms->done.contains(j * 3 + s))
                termAt(c_, s, j, true);
        }
    }
    return termAt(c_, s, k, nested);
}

Number termAt(Calculator &c_, int s, std::int64_t k, bool nested)
{
    GraphState &gs = c_.graphing();
    Terms &terms = *gs.terms;
    const qint64 slot = k * 3 + s;
    const auto done = terms.done.constFind(slot);
    if (done != terms.done.constEnd())
        return *done;
    const std::int64_t nMin = whole(gs.vars[NMin]);
    const auto &start = gs.start[s];
    const std::int64_t given = !start ? 0 : start->kind == Value::List ? start->items.size() : 1;
    Number value;
    if (k >= nMin && k < nMin + given) {
        // A list gives the later terms first: {u(nMin+1),u(nMin)}.
        value = start->kind == Value::List ? start->items[int(given - 1 - (k - nMin))] : start->num;
    } else {
        // Below nMin only the outermost term is asked for by the equation.
        const auto eq = gs.equations.constFind(tok::SeqU + s);
        if ((nested && k < nMin) || terms.busy.contains(slot) || eq == gs.equations.constEnd())
            raise(Error::Invalid);
        auto code = gs.compiled.value(tok::SeqU + s);
        if (!code) {
            code = c_.evaluator().compiled(bytesOf(*eq));
            gs.compiled.insert(tok::SeqU + s, code);
        }
        struct Restore {
            Terms &terms;
            qint64 slot;
            Number &n;
            Number saved;
            ~Restore()
            {
                terms.busy.remove(slot);
                n = saved;
            }
        } restore{terms, slot, gs.n, gs.n};
        terms.busy.insert(slot);
        // SEQ(𝑛+1) and SEQ(𝑛+2): the equation gives the term one or two on.
        const int shift = c_.settings().modes.value(tok::SeqTypeN, tok::SeqTypeN) - tok::SeqTypeN;
        if (k - shift < 0)
            raise(Error::Invalid);
        gs.n = num(k - shift);
        value = realOf(c_.evaluator().evaluate(code));
    }
    terms.done.insert(slot, value);
    return value;
}

Value sequenceValue(Calculator &c_, int t)
{
    GraphState &gs = c_.graphing();
    const std::optional<Value> *slot = nullptr;
    switch (t) {
    case tok::SeqN:
        return Value::real(gs.n);
    case tok::UnMin:
    case tok::VnMin:
        slot = &gs.start[t - tok::UnMin];
        break;
    case tok::WnMin:
        slot = &gs.start[2];
        break;
    case tok::ZUnMin:
    case tok::ZVnMin:
        slot = &gs.zoomedStart[t - tok::ZUnMin];
        break;
    case tok::ZWnMin:
        slot = &gs.zoomedStart[2];
        break;
    default:
        slot = &gs.tableInput;
        break;
    }
    if (!*slot)
        raise(Error::Undefined);
    return **slot;
}

void storeSequenceValue(Calculator &c_, int t, const Value &v)
{
    GraphState &gs = c_.graphing();
    if (t == tok::SeqN) {
        std::int64_t k;
        if (!realOf(v).toInt(&k) || k < 0)
            raise(Error::Domain);
        gs.n = v.num;
        return;
    }
    if (v.kind != Value::Real && v.kind != Value::List)
        raise(Error::DataType);
    if (v.kind == Value::List && v.items.isEmpty())
        raise(Error::InvalidDim);
    switch (t) {
    case tok::UnMin:
    case tok::VnMin:
    case tok::WnMin:
        gs.start[t == tok::WnMin ? 2 : t - tok::UnMin] = v;
        c_.graph().invalidate();
        break;
    case tok::ZUnMin:
    case tok::ZVnMin:
    case tok::ZWnMin:
        gs.zoomedStart[t == tok::ZWnMin ? 2 : t - tok::ZUnMin] = v;
        break;
    default: // TblInput: the table's seven values of X
        if (v.kind == Value::List && v.items.size() > 7)
            raise(Error::InvalidDim);
        gs.tableInput = v;
        break;
    }
}

void storeGraphVar(Calculator &c_, int k, const Value &v)
{
    const Number x = realOf(v);
    if (!graphVarFits(k, x))
        raise(Error::Domain);
    c_.graphing().vars[k] = x;
    if (k < kZoomed)
        c_.graph().invalidate();
}

} // namespace calc::basic

namespace calc::basic
{

// Time: (n, u(n)) from PlotStart by PlotStep up to nMax; uvAxes and its
// kin: (u(n), v(n)) and the other pairs; Web: y=f(x) of each sequence, with
// y=x where the axes are shown (the web itself is drawn by Trace).
void graphSequences(Calculator &c_)
{
    GraphState &gs = c_.graphing();
    const Settings &s = c_.settings();
    PixelScreen &g = c_.screen();
    TermScope scope(gs);
    const int format = s.modes.value(tok::Time, tok::Time);
    auto defined = [&](int i) { return gs.equations.contains(tok::SeqU + i); };
    auto on = [&](int i) { return defined(i) && !(s.functionsOff >> (i + 1) & 1); };
    const std::int64_t nMax = whole(gs.vars[NMax]),
                       step = std::max<std::int64_t>(1, whole(gs.vars[PlotStep]));
    const std::int64_t first = std::max(whole(gs.vars[PlotStart]), whole(gs.vars[NMin]));
    // A term that cannot be computed leaves its point out.
    auto term = [&](int i, std::int64_t k, double *out) {
        try {
            *out = double(sequenceTerm(c_, i, num(k), false).toLongDouble());
        } catch (const RunError &e) {
            if (!skipped(e.error))
                throw;
            return false;
        }
        return true;
    };
    if (format == tok::Time) {
        for (int i = 0; i < 3; ++i) {
            if (!on(i))
                continue;
            Tracer t = tracerFor(c_, graphStyle(c_, i + 1), i + 1);
            for (std::int64_t k = first; k <= nMax; k += step) {
                double y;
                term(i, k, &y) ? t.to(g.rowOf(y), g.columnOf(double(k))) : t.gap();
            }
        }
        return;
    }
    if (format == tok::Web) {
        for (int i = 0; i < 3; ++i) {
            if (on(i))
                graphWeb(c_, i);
        }
        return;
    }
    const int a = format == tok::VwAxes ? 1 : 0, b = format == tok::UvAxes ? 1 : 2;
    if (!defined(a) || !defined(b))
        raise(Error::Invalid);
    Tracer t = tracerFor(c_, graphStyle(c_, a + 1), a + 1);
    for (std::int64_t k = first; k <= nMax; k += step) {
        double x, y;
        term(a, k, &x) && term(b, k, &y) ? t.to(g.rowOf(y), g.columnOf(x)) : t.gap();
    }
}

// Web: the sequence's equation as y=f(x), its term before being x.
void graphWeb(Calculator &c_, int i)
{
    GraphState &gs = c_.graphing();
    PixelScreen &g = c_.screen();
    auto code = gs.compiled.value(tok::SeqU + i);
    if (!code) {
        code = c_.evaluator().compiled(bytesOf(gs.equations.value(tok::SeqU + i)));
        gs.compiled.insert(tok::SeqU + i, code);
    }
    struct Restore {
        GraphState &gs;
        Number n;
        ~Restore()
        {
            gs.webSequence = -1;
            gs.n = n;
        }
    } restore{gs, gs.n};
    const Number nMin = gs.vars[NMin];
    const int style = graphStyle(c_, i + 1);
    traceFunction(
        c_,
        [&, code, nMin, i] {
            gs.n = add(nMin, num(1));
            gs.webX = c_.reals()['X' - 'A'];
            gs.webSequence = i;
            return c_.evaluator().evaluate(code);
        },
        false, false, style == StyleDotted ? StyleLine : style, 0, i + 1);
    gs.webSequence = -1;
    // y=x where both axes' ranges meet.
    const double lo = std::max(g.window(PixelScreen::Xmin).toLongDouble(),
                               g.window(PixelScreen::Ymin).toLongDouble());
    const double hi = std::min(g.window(PixelScreen::Xmax).toLongDouble(),
                               g.window(PixelScreen::Ymax).toLongDouble());
    if (g.axes() && lo < hi)
        g.line(lo, lo, hi, hi, PixelScreen::On);
}

// Trace in Web: the web from u(nMin) on the x-axis, up to the curve, across
// to y=x, as pressing → until nMax draws it.
void traceWeb(Calculator &c_)
{
    GraphState &gs = c_.graphing();
    const Settings &s = c_.settings();
    PixelScreen &g = c_.screen();
    TermScope scope(gs);
    const std::int64_t nMin = whole(gs.vars[NMin]), nMax = whole(gs.vars[NMax]);
    for (int i = 0; i < 3; ++i) {
        if (!gs.equations.contains(tok::SeqU + i) || (s.functionsOff >> (i + 1) & 1))
            continue;
        double x = double(sequenceTerm(c_, i, num(nMin), false).toLongDouble()), y = 0;
        for (std::int64_t k = nMin + 1; k <= nMax; ++k) {
            const double next = double(sequenceTerm(c_, i, num(k), false).toLongDouble());
            g.line(x, y, x, next, PixelScreen::On);
            g.line(x, next, next, next, PixelScreen::On);
            x = y = next;
        }
    }
}

} // namespace calc::basic
