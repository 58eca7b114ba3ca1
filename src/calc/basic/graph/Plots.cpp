// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The graph screen's other half: Y= styles, the three stat plots drawn with
// the graph, ZoomStat's window, the axes' labels, Input's free cursor,
// Select( and the table screen.
#include "calc/Tokens.h"
#include "calc/basic/graph/Graph.h"
#include "calc/basic/graph/GraphDraw.h"
#include "calc/basic/lib/Libraries.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace calc::basic
{

namespace
{

using W = GraphScreen;

double dbl(const Number &n)
{
    return double(n.toLongDouble());
}

// The standard normal's quantile (Acklam's rational approximation, good to
// about 1ᴇ-9: far finer than a pixel).
double normalQuantile(double p)
{
    static const double a[] = {-39.69683028665376, 220.9460984245205,  -275.9285104469687,
                               138.3577518672690,  -30.66479806614716, 2.506628277459239};
    static const double b[] = {-54.47609879822406, 161.5858368580409, -155.6989798598866,
                               66.80131188771972, -13.28068155288572};
    static const double c[] = {-0.007784894002430293, -0.3223964580411365, -2.400758277161838,
                               -2.549732539343734,    4.374664141464968,   2.938163982698783};
    static const double d[] = {0.007784695709041462, 0.3224671290700398, 2.445134137142996,
                               3.754408661907416};
    auto tail = [&](double q) {
        return (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
               ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    };
    if (p < 0.02425)
        return tail(std::sqrt(-2 * std::log(p)));
    if (p > 1 - 0.02425)
        return -tail(std::sqrt(-2 * std::log(1 - p)));
    const double q = p - 0.5, r = q * q;
    return (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
           (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
}

double medianOf(const std::vector<double> &v, size_t from, size_t to)
{
    const size_t n = to - from, mid = from + n / 2;
    return n % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

// Minimum, Q₁, median, Q₃, maximum as 1-Var Stats finds them: the
// quartiles are the medians of the halves below and above the median.
struct Summary {
    double min, q1, med, q3, max;
};

Summary summarise(const std::vector<double> &v)
{
    const size_t n = v.size();
    Summary s{v.front(), v.front(), medianOf(v, 0, n), v.back(), v.back()};
    if (n > 1) {
        s.q1 = medianOf(v, 0, n / 2);
        s.q3 = medianOf(v, (n + 1) / 2, n);
    }
    return s;
}

int markOf(int token)
{
    return token == tok::MarkBox ? 2 : token == tok::MarkBox + 1 ? 3 : 1;
}

} // namespace

int graphStyle(Calculator &c_, int number)
{
    const int mode = c_.settings().modes.value(tok::Func, tok::Func);
    const auto it = c_.graphing().styles.constFind(mode * 16 + number);
    if (it != c_.graphing().styles.constEnd())
        return *it;
    // Dot makes every equation dotted; sequences are dotted from the start.
    if (mode == tok::SeqMode ||
        c_.settings().modes.value(tok::Connected, tok::Connected) != tok::Connected)
        return StyleDotted;
    return StyleLine;
}

// Styles 3 and 4: the column above or below the curve, in the pattern's
// lines: vertical, horizontal, then falling and rising diagonals.
void shadeColumn(Calculator &c_, int c, double row, bool above, int pattern, int width,
                 std::uint32_t rgb)
{
    static const PixelScreen::Hatch kHatch[] = {PixelScreen::Vertical, PixelScreen::Horizontal,
                                                PixelScreen::Falling, PixelScreen::Rising};
    PixelScreen &g = c_.screen();
    const int edge = int(std::round(std::clamp(row, -1.0, double(g.rows()))));
    const int from = above ? 0 : edge + 1, to = above ? edge - 1 : g.rows() - 1;
    for (int cc = c; cc < std::min(c + width, g.columns()); ++cc)
        g.shadeColumn(cc, from, to, kHatch[pattern], pattern < 2 ? 2 : 3, 0, PixelScreen::On, rgb);
}

namespace
{

void scatter(PixelScreen &g, const GraphState::Plot &p, const QVector<Number> &first,
             const QVector<Number> &second, int mark, std::uint32_t rgb)
{
    Tracer t{g, true};
    t.rgb = rgb;
    for (int i = 0; i < first.size(); ++i) {
        const double x = dbl(first[i]), y = dbl(second[i]);
        g.point(x, y, W::On, mark, rgb);
        if (p.type == tok::XyLine)
            t.to(g.rowOf(y), g.columnOf(x));
    }
}

// The values, each as often as its frequency, in order.
std::vector<double> plotValues(const QVector<Number> &first, const QVector<Number> &second)
{
    std::vector<double> values;
    for (int i = 0; i < first.size(); ++i) {
        std::int64_t f = 1;
        if (!second.isEmpty() && (!second[i].toInt(&f) || f < 0))
            raise(Error::Domain);
        for (std::int64_t k = 0; k < f && values.size() < 100000; ++k)
            values.push_back(dbl(first[i]));
    }
    if (values.empty())
        raise(Error::Stat);
    std::sort(values.begin(), values.end());
    return values;
}

void histogram(PixelScreen &g, const std::vector<double> &values, std::uint32_t rgb)
{
    const double x0 = dbl(g.window(W::Xmin)), x1 = dbl(g.window(W::Xmax));
    const double w = dbl(g.window(W::Xscl));
    if (w <= 0 || (x1 - x0) / w > 47)
        raise(Error::Stat);
    const int bars = int(std::ceil((x1 - x0) / w));
    std::vector<double> count(size_t(bars), 0);
    for (double v : values) {
        if (v >= x0 && v < x1)
            ++count[size_t((v - x0) / w)];
    }
    for (int i = 0; i < bars; ++i) {
        if (count[size_t(i)] == 0)
            continue;
        const double l = x0 + i * w, r = l + w, h = count[size_t(i)];
        g.line(l, 0, l, h, W::On, rgb);
        g.line(l, h, r, h, W::On, rgb);
        g.line(r, h, r, 0, W::On, rgb);
    }
}

void normalProbability(PixelScreen &g, const GraphState::Plot &p, const std::vector<double> &values,
                       int mark, std::uint32_t rgb)
{
    const double n = double(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        const double z = normalQuantile((double(i) + 1 - 0.375) / (n + 0.25));
        const double x = p.yAxis ? z : values[i], y = p.yAxis ? values[i] : z;
        g.point(x, y, W::On, mark, rgb);
    }
}

// Box plots: a third of the screen each, from the top, whatever Y's window.
void boxPlot(PixelScreen &g, const GraphState::Plot &p, const std::vector<double> &values, int mark,
             int box, std::uint32_t rgb)
{
    const Summary s = summarise(values);
    const int top = g.rows() / 3 * (box % 3) + 5, bottom = top + 10, middle = top + 5;
    double lo = s.min, hi = s.max;
    if (p.type == tok::ModBoxPlot) {
        const double reach = 1.5 * (s.q3 - s.q1);
        lo = *std::find_if(values.begin(), values.end(),
                           [&](double v) { return v >= s.q1 - reach; });
        hi = *std::find_if(values.rbegin(), values.rend(),
                           [&](double v) { return v <= s.q3 + reach; });
        for (double v : values) {
            // An outlier far off the screen is no int column.
            const double c = std::round(g.columnOf(v));
            if ((v < lo || v > hi) && c >= 0 && c < g.columns())
                g.pointAt(middle, int(c), W::On, mark, rgb);
        }
    }
    const double c1 = g.columnOf(s.q1), c3 = g.columnOf(s.q3), cm = g.columnOf(s.med);
    g.pixelLine(middle, g.columnOf(lo), middle, c1, W::On, rgb);
    g.pixelLine(middle, c3, middle, g.columnOf(hi), W::On, rgb);
    g.pixelLine(top, c1, top, c3, W::On, rgb);
    g.pixelLine(bottom, c1, bottom, c3, W::On, rgb);
    g.pixelLine(top, c1, bottom, c1, W::On, rgb);
    g.pixelLine(top, c3, bottom, c3, W::On, rgb);
    g.pixelLine(top, cm, bottom, cm, W::On, rgb);
}

} // namespace

void drawPlots(Calculator &c_)
{
    GraphState &gs = c_.graphing();
    PixelScreen &g = c_.screen();
    auto data = [&](const GraphState::PlotList &l) -> QVector<Number> {
        return listOf(l.token ? c_.var(l.token) : c_.named(l.name));
    };
    int boxes = 0;
    for (const GraphState::Plot &p : gs.plots) {
        if (!p.on || !p.type)
            continue;
        // Plot1 blue, Plot2 red, Plot3 black, as the colour models set them.
        const std::uint32_t rgb = !c_.colour() ? PixelScreen::kPen
                                  : p.colour   ? colourRgb(p.colour)
                                               : colourRgb(Blue + int(&p - gs.plots));
        const int mark = markOf(p.mark);
        const QVector<Number> first = data(p.lists.value(0));
        // Frequencies, whole numbers, one per value; none is all 1.
        QVector<Number> second;
        const bool paired = p.lists.size() > 1 && (p.lists[1].token || !p.lists[1].name.isEmpty());
        if (paired)
            second = data(p.lists[1]);
        if (paired && second.size() != first.size())
            raise(Error::DimMismatch);
        if (p.type == tok::Scatter || p.type == tok::XyLine) {
            if (!paired)
                raise(Error::DataType);
            scatter(g, p, first, second, mark, rgb);
            continue;
        }
        const std::vector<double> values = plotValues(first, second);
        if (p.type == tok::Histogram)
            histogram(g, values, rgb);
        else if (p.type == tok::NormProbPlot)
            normalProbability(g, p, values, mark, rgb);
        else
            boxPlot(g, p, values, mark, boxes++, rgb);
    }
}

// ZoomStat: the window around the data of every plot that is on, a tenth
// wider on each side; box plots and histograms keep Y or set it to the bars.
bool statWindow(Calculator &c_, GraphScreen::Windows *w)
{
    GraphState &gs = c_.graphing();
    double x0 = HUGE_VAL, x1 = -HUGE_VAL, y0 = HUGE_VAL, y1 = -HUGE_VAL;
    bool any = false, ys = false;
    for (const GraphState::Plot &p : gs.plots) {
        if (!p.on || !p.type)
            continue;
        const QVector<Number> &xs =
            listOf(p.lists[0].token ? c_.var(p.lists[0].token) : c_.named(p.lists[0].name));
        for (const Number &x : xs) {
            x0 = std::min(x0, dbl(x));
            x1 = std::max(x1, dbl(x));
            any = true;
        }
        if ((p.type == tok::Scatter || p.type == tok::XyLine) && p.lists.size() > 1) {
            for (const Number &y :
                 listOf(p.lists[1].token ? c_.var(p.lists[1].token) : c_.named(p.lists[1].name))) {
                y0 = std::min(y0, dbl(y));
                y1 = std::max(y1, dbl(y));
                ys = true;
            }
        }
    }
    if (!any)
        return false;
    auto widen = [](double lo, double hi, Number *a, Number *b) {
        const double m = hi > lo ? (hi - lo) / 10 : 1;
        return Number::fromLongDouble(lo - m, a) && Number::fromLongDouble(hi + m, b);
    };
    if (!widen(x0, x1, &(*w)[W::Xmin], &(*w)[W::Xmax]) ||
        (ys && !widen(y0, y1, &(*w)[W::Ymin], &(*w)[W::Ymax])))
        raise(Error::Overflow);
    return true;
}

// LabelOn: "x" a little above the bottom right corner and "y" a little below
// the top left, wherever the axes are, as the calculator puts them.
void drawLabels(Calculator &c_)
{
    if (c_.settings().modes.value(tok::LabelOn) != tok::LabelOn || !c_.graph().axes())
        return;
    ColourScreen *colour = c_.colour();
    if (!colour) {
        if (!c_.host().drawText)
            return;
        c_.host().drawText(c_.graph(), W::kRows - 9, W::kColumns - 5, QStringLiteral("x"));
        c_.host().drawText(c_.graph(), 1, 1, QStringLiteral("y"));
        return;
    }
    // The colour models' letters are 12 rows by 8, in the axes' colour.
    if (!c_.host().drawColourText)
        return;
    const int saved = colour->textColour;
    colour->textColour = colour->axesColour;
    c_.host().drawColourText(*colour, colour->rows() - 18, colour->columns() - 10,
                             QStringLiteral("x"), false);
    c_.host().drawColourText(*colour, 2, 2, QStringLiteral("y"), false);
    colour->textColour = saved;
}

// StorePic leaves the labels out: their pixels, drawn alone, are cleared
// (a graph pixel under a label goes with it).
void withoutLabels(Calculator &c_, QByteArray &bits)
{
    if (c_.colour() || c_.settings().modes.value(tok::LabelOn) != tok::LabelOn ||
        !c_.graph().axes() || !c_.host().drawText)
        return;
    GraphScreen alone; // nothing drawn on it yet
    c_.host().drawText(alone, W::kRows - 9, W::kColumns - 5, QStringLiteral("x"));
    c_.host().drawText(alone, 1, 1, QStringLiteral("y"));
    for (int r = 0; r < W::kRows; ++r)
        for (int c = 0; c < W::kWidth; ++c)
            if (alone.pixel(r, c))
                bits[r * W::kWidth + c] = 0;
}

namespace
{

// The centre pixel of the screen shown: (47,31) of 95x63, (132,82) of 265x165.
std::pair<Number, Number> centre(const PixelScreen &g)
{
    const int across = g.columns() - 1, down = g.rows() - 1;
    const Number dx = divide(sub(g.window(W::Xmax), g.window(W::Xmin)), num(across));
    const Number dy = divide(sub(g.window(W::Ymax), g.window(W::Ymin)), num(down));
    return {add(g.window(W::Xmin), mul(num(across / 2), dx)),
            add(g.window(W::Ymin), mul(num(down / 2), dy))};
}

// The graph until ENTER with the cursor, a + whose middle shows what is
// under it, over (x, y) when that is on the screen; the cursor goes after.
void pauseWithCursor(Calculator &c_, double x, double y)
{
    showGraph(c_);
    c_.showGraph(true);
    PixelScreen &g = c_.screen();
    std::vector<std::uint32_t> under = g.drawing();
    const double r = std::round(g.rowOf(y)), c = std::round(g.columnOf(x));
    const int arm = c_.colour() ? 4 : 2;
    if (std::isfinite(r) && std::isfinite(c) && g.reachable(int(r), int(c))) {
        for (int k = 1; k <= arm; ++k)
            for (const auto &[dr, dc] : {std::pair{-k, 0}, {k, 0}, {0, -k}, {0, k}})
                g.set(int(r) + dr, int(c) + dc, PixelScreen::On, PixelScreen::kBlack);
    }
    const bool go = !c_.host().pause || c_.host().pause();
    g.restore(std::move(under));
    if (!go)
        raise(Error::Break);
}

void storeXY(Calculator &c_, const Number &x, const Number &y)
{
    c_.reals()['X' - 'A'] = x;
    c_.reals()['Y' - 'A'] = y;
}

} // namespace

// Input alone: the graph with a free cursor at the screen's centre until
// ENTER; its place goes to X and Y (R and θ with PolarGC).
void freeCursor(Calculator &c_)
{
    const auto [x, y] = centre(c_.screen());
    pauseWithCursor(c_, dbl(x), dbl(y));
    storeXY(c_, x, y);
    if (c_.settings().modes.value(tok::Sequential + 2) == tok::Sequential + 2) { // PolarGC
        const double fx = dbl(x), fy = dbl(y);
        double t = std::atan2(fy, fx);
        if (c_.degrees())
            t = qRadiansToDegrees(t);
        Number::fromLongDouble(std::hypot(fx, fy), &c_.reals()['R' - 'A']);
        Number::fromLongDouble(t, &c_.reals()[26]);
    }
}

// Trace in Func mode: the cursor starts on the first selected function at
// the middle column and, with nobody at the keys, stays there; that point
// goes to X and Y. With no function, or none defined there, it is the free
// cursor at the centre.
void traceCursor(Calculator &c_)
{
    const auto [x, middle] = centre(c_.screen());
    GraphState &gs = c_.graphing();
    Number y = middle;
    bool onCurve = false;
    for (int key = tok::Y1; key <= tok::Y0 && !onCurve; ++key) {
        if (!gs.equations.contains(key) || (c_.settings().functionsOff >> equationNumber(key) & 1))
            continue;
        const Value at = Value::real(x);
        try {
            const Value v = equation(c_, key, &at);
            if (v.kind == Value::Real) {
                y = v.num;
                onCurve = true;
            }
        } catch (const RunError &e) {
            if (!skipped(e.error))
                throw; // Stop, or a fault of the equation itself, ends the run
        }
        break; // the first selected one is traced, defined there or not
    }
    pauseWithCursor(c_, dbl(x), dbl(y));
    storeXY(c_, x, y);
}

// DispTable: the table screen, X from TblStart by ΔTbl beside the first two
// selected Y= functions, until ENTER; then the home screen as it was.
void showTable(Calculator &c_)
{
    GraphState &gs = c_.graphing();
    HomeScreen &home = c_.home();
    const HomeScreen saved = home;
    QVector<int> shown;
    for (int key = tok::Y1; key <= tok::Y0 && shown.size() < 2; ++key) {
        if (gs.equations.contains(key) && !(c_.settings().functionsOff >> equationNumber(key) & 1))
            shown << key;
    }
    // The columns share the screen's width, the first ones a character wider.
    const int columns = 1 + int(shown.size()), room = home.columns() - (columns - 1);
    auto cell = [&](int i, const QString &s) {
        const int w = room / columns + (i < room % columns ? 1 : 0);
        return (i ? QStringLiteral(" ") : QString()) + s.left(w).leftJustified(w);
    };
    home.clear();
    QString head = cell(0, QStringLiteral("X"));
    for (int i = 0; i < shown.size(); ++i)
        head += cell(i + 1, calc::tokens::displayString(shown[i]));
    home.output(1, 1, head);
    Number &X = c_.reals()['X' - 'A'];
    const Number savedX = X;
    // A row a value between the heading and the X= line.
    for (int i = 0; i < home.rows() - 2; ++i) {
        const Number x = add(gs.vars[TblStart], mul(num(i), gs.vars[DeltaTbl]));
        QString row = cell(0, x.display());
        for (int j = 0; j < shown.size(); ++j) {
            const int key = shown[j];
            X = x;
            QString v;
            try {
                v = realOf(equation(c_, key, nullptr)).display();
            } catch (const RunError &e) {
                if (!skipped(e.error)) {
                    X = savedX;
                    throw;
                }
                v = QStringLiteral("ERROR");
            }
            row += cell(j + 1, v);
        }
        home.output(i + 2, 1, row);
    }
    X = savedX;
    home.output(home.rows(), 1, QStringLiteral("X=") + gs.vars[TblStart].display());
    c_.showGraph(false);
    const bool go = !c_.host().pause || c_.host().pause();
    home.restore(saved);
    if (!go)
        raise(Error::Break);
}

namespace
{

// A list argument: a token, or the index of a named list's name.
GraphState::PlotList plotList(const Value *args, int i, const Chunk *prog)
{
    const std::int64_t k = intOf(args[i]);
    GraphState::PlotList l;
    if (k >= 0)
        l.token = int(k);
    else
        l.name = prog->names[int(-1 - k)];
    return l;
}

void graphStyleCommand(Calculator &c_, const Value *args)
{
    const int mode = c_.settings().modes.value(tok::Func, tok::Func);
    std::int64_t k, style;
    const int least = mode == tok::Func ? 0 : 1;
    const int most = mode == tok::Func ? 9 : mode == tok::SeqMode ? 3 : 6;
    if (!realOf(args[0]).toInt(&k) || k < least || k > most || !realOf(args[1]).toInt(&style) ||
        style < 1 || style > 7)
        raise(Error::Domain);
    if (((style == StyleAbove || style == StyleBelow) && mode != tok::Func) ||
        ((style == StylePath || style == StyleAnimate) && mode == tok::SeqMode))
        raise(Error::Invalid);
    c_.graphing().styles.insert(mode * 16 + int(k), int(style));
    c_.graph().invalidate();
}

// Select(: without a user to pick the bounds, the whole of the first
// Scatter or xyLine plot that is on is selected.
void selectCommand(Calculator &c_, const Value *args, const Chunk *prog)
{
    GraphState &gs = c_.graphing();
    auto p = std::find_if(std::begin(gs.plots), std::end(gs.plots), [](const auto &p) {
        return p.on && (p.type == tok::Scatter || p.type == tok::XyLine);
    });
    if (p == std::end(gs.plots))
        raise(Error::Invalid);
    showGraph(c_);
    c_.showGraph(true);
    if (c_.host().pause && !c_.host().pause())
        raise(Error::Break);
    for (int i = 0; i < 2; ++i) {
        const GraphState::PlotList from = p->lists.value(i), to = plotList(args, i, prog);
        const Value v = from.token ? c_.var(from.token) : c_.named(from.name);
        c_.store(to.token ? TVar : TNamed, to.token, v, to.name);
        p->lists[i] = to;
    }
    c_.graph().invalidate();
}

// Plot1( .. Plot3(: the type, its lists, the axis and the mark.
void plotDefinition(Calculator &c_, int cmd, const Value *args, int n, const Chunk *prog)
{
    GraphState::Plot &p = c_.graphing().plots[cmd - tok::Plot1];
    if (n > 0) {
        GraphState::Plot d;
        d.type = int(intOf(args[0]));
        d.mark = tok::MarkBox;
        const bool pair = d.type == tok::Scatter || d.type == tok::XyLine;
        const int lists = pair ? 2 : d.type == tok::NormProbPlot ? 1 : 2;
        for (int i = 1; i < n; ++i) {
            const std::int64_t k = intOf(args[i]);
            if (i <= lists && d.type == tok::NormProbPlot)
                d.lists << plotList(args, i, prog);
            else if (i <= lists && !(k >= tok::MarkBox && k <= tok::MarkDot))
                d.lists << plotList(args, i, prog);
            else if (k == tok::A + ('X' - 'A') || k == tok::A + ('Y' - 'A'))
                d.yAxis = k == tok::A + ('Y' - 'A');
            else if (k >= tok::MarkBox && k <= tok::MarkDot)
                d.mark = int(k);
            else if (c_.colour() && isColourNumber(k))
                d.colour = int(k);
        }
        if (pair && d.lists.size() < 2)
            raise(Error::Argument);
        p = d;
    }
    p.on = true;
    c_.graph().invalidate();
}

} // namespace

void plotCommand(Calculator &c_, int cmd, const Value *args, int n, const Chunk *prog)
{
    switch (cmd) {
    case tok::GraphStyle:
        graphStyleCommand(c_, args);
        break;
    case tok::Select:
        selectCommand(c_, args, prog);
        break;
    case tok::DispTable:
        showTable(c_);
        break;
    case tok::PrintScreen: // the TI-82's; a token without a command since
        raise(Error::Invalid);
    case tok::Input:
        freeCursor(c_);
        break;
    case tok::QuickPlotFit: {
        // The user would place points and fit a line; alone, the graph waits.
        showGraph(c_);
        c_.showGraph(true);
        if (c_.host().pause && !c_.host().pause())
            raise(Error::Break);
        break;
    }
    default:
        plotDefinition(c_, cmd, args, n, prog);
        break;
    }
}

} // namespace calc::basic
