// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The graph of the selected equations, as the calculator draws it under
// the drawings when the screen was marked for a redraw, and the commands
// that graph an expression of their own: DrawF, DrawInv, Shade(, Tangent(.
#include "calc/basic/graph/Graph.h"
#include "calc/basic/graph/GraphDraw.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/state/Settings.h"

#include <algorithm>
#include <cmath>

namespace calc::basic
{

namespace
{

double dbl(const Number &n)
{
    return double(n.toLongDouble());
}

// A variable that gets its value back however the block is left.
struct Keep {
    Number &slot;
    Number saved;
    explicit Keep(Number &n) : slot(n), saved(n) {}
    ~Keep() { slot = saved; }
};

// X of each column: Xmin + c·ΔX, in the calculator's arithmetic.
Number columnX(const PixelScreen &g, int c)
{
    const Number dx =
        divide(sub(g.window(PixelScreen::Xmax), g.window(PixelScreen::Xmin)), num(g.columns() - 1));
    return add(g.window(PixelScreen::Xmin), mul(num(c), dx));
}

} // namespace

std::array<int, 8> graphSettings(Calculator &c_)
{
    const Settings &s = c_.settings();
    unsigned defined = 0;
    for (auto it = c_.graphing().equations.cbegin(); it != c_.graphing().equations.cend(); ++it)
        defined |= 1u << equationNumber(it.key());
    return {int(s.functionsOff & defined),      s.modes.value(tok::Func),
            s.modes.value(tok::Sequential),     s.modes.value(tok::Sequential + 2),
            s.modes.value(tok::Sequential + 4), s.modes.value(tok::Connected),
            s.modes.value(tok::GridOn),         s.modes.value(tok::LabelOn)};
}

std::uint32_t colourValue(const Value &v)
{
    std::int64_t k;
    if (!realOf(v).toInt(&k) || !isColourNumber(k))
        raise(Error::Domain);
    return colourRgb(int(k));
}

Tracer tracerFor(Calculator &c_, int style, int number)
{
    const Settings &s = c_.settings();
    Tracer t{c_.screen(), style ? style != StyleDotted
                                : s.modes.value(tok::Connected, tok::Connected) == tok::Connected};
    const ColourScreen *colour = c_.colour();
    if (!colour) {
        t.pen = style == StyleThick ? Tracer::Plus : Tracer::Fine;
        return t;
    }
    // Thick (Connected) and Dot-Thick are the colour models' defaults.
    t.pen = style == StyleThick || !colour->thin ? Tracer::Square : Tracer::Fine;
    if (number >= 0)
        t.rgb = colourRgb(colour->equationColour(s.modes.value(tok::Func, tok::Func), number));
    return t;
}

void showGraph(Calculator &c_)
{
    PixelScreen &g = c_.screen();
    // GridDot (GridOn) and GridLine draw in GridColor on the colour models.
    const ColourScreen *colour = c_.colour();
    const std::uint32_t gridRgb = colour ? colourRgb(colour->gridColour) : PixelScreen::kBlack;
    const int grid = c_.settings().modes.value(tok::GridOn, tok::GridOn + 1);
    g.setGrid(grid == tok::GridOn       ? PixelScreen::GridDots
              : grid == tok::GridOn + 1 ? PixelScreen::NoGrid
                                        : PixelScreen::GridLines,
              gridRgb);
    if (colour)
        g.setAxesRgb(colourRgb(colour->axesColour));
    if (!g.stale())
        return;
    g.clear();
    graphEquations(c_);
    drawPlots(c_);
    drawLabels(c_);
}

void graphEquations(Calculator &c_)
{
    const Settings &s = c_.settings();
    const auto &eqs = c_.graphing().equations;
    if (eqs.isEmpty())
        return;
    auto on = [&](int key) {
        return eqs.contains(key) && !(s.functionsOff >> equationNumber(key) & 1);
    };
    // Simul draws the same pixels as Sequential, only in another order.
    int shaded = 0; // the shading styles' patterns take turns
    switch (s.modes.value(tok::Func, tok::Func)) {
    case tok::Func:
        for (int key = tok::Y1; key <= tok::Y0; ++key) {
            if (!on(key))
                continue;
            const int style = graphStyle(c_, equationNumber(key));
            traceFunction(
                c_, [&, key] { return equation(c_, key, nullptr); }, false, false, style,
                style == StyleAbove || style == StyleBelow ? shaded++ % 4 : 0, equationNumber(key));
        }
        break;
    case tok::Param: {
        static const GraphVar range[] = {Tmin, Tmax, Tstep};
        for (int key = tok::X1T; key < tok::Y6T; key += 2) {
            if (on(key) && eqs.contains(key + 1))
                traceCurve(c_, key, key + 1, range, graphStyle(c_, equationNumber(key)));
        }
        break;
    }
    case tok::PolarMode: {
        static const GraphVar range[] = {ThetaMin, ThetaMax, ThetaStep};
        for (int key = tok::R1; key <= tok::R6; ++key) {
            if (on(key))
                traceCurve(c_, key, -1, range, graphStyle(c_, equationNumber(key)));
        }
        break;
    }
    default:
        graphSequences(c_);
        break;
    }
}

void traceFunction(Calculator &c_, const std::function<Value()> &f, bool inverse, bool keepXY,
                   int style, int pattern, int number, std::uint32_t rgb)
{
    PixelScreen &g = c_.screen();
    Tracer t = tracerFor(c_, style, number);
    if (number < 0)
        t.rgb = rgb;
    std::int64_t step = 1;
    c_.settings().xres.toInt(&step);
    Number &X = c_.reals()['X' - 'A'], &Y = c_.reals()['Y' - 'A'];
    // DrawF and its kin leave X and Y at the last point; the Y= graph does not.
    const Number savedX = X;
    Keep keepX(X);
    for (int c = 0; c < g.columns(); c += int(step)) {
        const Number x = columnX(g, c);
        X = x;
        Value v;
        try {
            v = f();
        } catch (const RunError &e) {
            if (!skipped(e.error))
                throw;
            t.gap();
            continue;
        }
        // What realOf would refuse (ERR:DATA TYPE, a skipped error) is a gap
        // too, without the cost of a throw at every column.
        if (v.kind != Value::Real && (v.kind != Value::Complex || !v.items[0].isZero())) {
            t.gap();
            continue;
        }
        const Number y = realOf(v);
        if (keepXY) {
            keepX.saved = x;
            Y = y;
        }
        if (inverse) {
            t.to(g.rowOf(dbl(x)), g.columnOf(dbl(y)));
            continue;
        }
        const double row = g.rowOf(dbl(y));
        t.to(row, c);
        if (style == StyleAbove || style == StyleBelow)
            shadeColumn(c_, c, row, style == StyleAbove, pattern, int(step), t.rgb);
    }
    if (!keepXY)
        keepX.saved = savedX;
}

// Par (X and Y of T) and Pol (r of θ): from the minimum to the maximum in
// steps, as a For( loop would; `point` gets each (x, y), or NaNs for a gap.
void curvePoints(Calculator &c_, int key, int second, const GraphVar *range,
                 const std::function<void(double, double)> &point)
{
    const Number *v = c_.graphing().vars;
    const Number lo = v[range[0]], hi = v[range[1]], step = v[range[2]];
    if (step.isZero())
        raise(Error::WindowRange);
    const long double count = (hi.toLongDouble() - lo.toLongDouble()) / step.toLongDouble();
    if (count < 0 || count > 100000)
        raise(Error::WindowRange);
    const long double toRad = c_.degrees() ? 3.14159265358979323846L / 180 : 1;
    for (long long i = 0; i <= (long long)(count + 1e-9L); ++i) {
        const Value at = Value::real(add(lo, mul(num(i), step)));
        double x, y;
        try {
            if (second >= 0) {
                x = dbl(realOf(equation(c_, key, &at)));
                y = dbl(realOf(equation(c_, second, &at)));
            } else {
                const long double r = realOf(equation(c_, key, &at)).toLongDouble();
                const long double a = at.num.toLongDouble() * toRad;
                x = double(r * std::cos(a));
                y = double(r * std::sin(a));
            }
        } catch (const RunError &e) {
            if (!skipped(e.error))
                throw;
            x = y = std::nan("");
        }
        point(x, y);
    }
}

void traceCurve(Calculator &c_, int key, int second, const GraphVar *range, int style)
{
    PixelScreen &g = c_.screen();
    Tracer t = tracerFor(c_, style, equationNumber(key));
    curvePoints(c_, key, second, range, [&](double x, double y) {
        if (std::isnan(x))
            t.gap();
        else
            t.to(g.rowOf(y), g.columnOf(x));
    });
}

// ZoomFit: the smallest window that holds every point of the selected
// equations. In Func mode X stays; in Par and Pol both axes fit. Sequences
// and nothing to fit leave the window as it is.
bool fitWindow(Calculator &c_, GraphScreen::Windows *w)
{
    const Settings &s = c_.settings();
    const auto &eqs = c_.graphing().equations;
    auto on = [&](int key) {
        return eqs.contains(key) && !(s.functionsOff >> equationNumber(key) & 1);
    };
    double x0 = HUGE_VAL, x1 = -HUGE_VAL, y0 = HUGE_VAL, y1 = -HUGE_VAL;
    auto take = [&](double x, double y) {
        if (std::isnan(y) || std::isinf(y))
            return;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    };
    const int mode = s.modes.value(tok::Func, tok::Func);
    if (mode == tok::Func) {
        const PixelScreen &g = c_.screen();
        std::int64_t step = 1;
        s.xres.toInt(&step);
        Keep keepX(c_.reals()['X' - 'A']);
        for (int key = tok::Y1; key <= tok::Y0; ++key) {
            if (!on(key))
                continue;
            for (int c = 0; c < g.columns(); c += int(step)) {
                const Number x = columnX(g, c);
                c_.reals()['X' - 'A'] = x;
                try {
                    take(dbl(x), dbl(realOf(equation(c_, key, nullptr))));
                } catch (const RunError &e) {
                    if (!skipped(e.error))
                        throw;
                }
            }
        }
    } else if (mode == tok::Param || mode == tok::PolarMode) {
        static const GraphVar par[] = {Tmin, Tmax, Tstep}, pol[] = {ThetaMin, ThetaMax, ThetaStep};
        const bool isPar = mode == tok::Param;
        for (int key = isPar ? tok::X1T : tok::R1; key <= (isPar ? tok::Y6T : tok::R6);
             key += isPar ? 2 : 1) {
            if (on(key) && (!isPar || eqs.contains(key + 1)))
                curvePoints(c_, key, isPar ? key + 1 : -1, isPar ? par : pol, take);
        }
    }
    if (y0 > y1)
        return false;
    if (y0 == y1 || (mode != tok::Func && x0 == x1))
        raise(Error::WindowRange);
    auto set = [](double v, Number *n) {
        if (!Number::fromLongDouble(v, n))
            raise(Error::Overflow);
    };
    set(y0, &(*w)[GraphScreen::Ymin]);
    set(y1, &(*w)[GraphScreen::Ymax]);
    if (mode != tok::Func) {
        set(x0, &(*w)[GraphScreen::Xmin]);
        set(x1, &(*w)[GraphScreen::Xmax]);
    }
    return true;
}

void graphCommand(Calculator &c_, int cmd, const Value *args, int n, int a, int b,
                  const Chunk *prog)
{
    GraphState &gs = c_.graphing();
    switch (cmd) {
    case tok::StringToEqu:
        storeEquation(c_, a, args[0]);
        break;
    case tok::GraphStyle:
    case tok::Select:
    case tok::DispTable:
    case tok::PrintScreen:
    case tok::Input:
    case tok::QuickPlotFit:
    case tok::Plot1:
    case tok::Plot1 + 1:
    case tok::Plot3:
        plotCommand(c_, cmd, args, n, prog);
        break;
    case tok::EquToString: {
        const auto eq = gs.equations.constFind(a);
        if (eq == gs.equations.constEnd())
            raise(Error::Undefined);
        c_.store(TVar, b, Value::string(*eq), QString());
        break;
    }
    default: {
        if (cmd == tok::DrawInv && c_.settings().modes.value(tok::Func, tok::Func) != tok::Func)
            raise(Error::Mode);
        showGraph(c_);
        c_.showGraph(true);
        const auto f = c_.expression(prog->names[a]);
        if (cmd == tok::Shade)
            shade(c_, f, c_.expression(prog->names[b]), args, n);
        else if (cmd == tok::Tangent)
            tangent(c_, f, args, n);
        else
            traceFunction(c_, f, cmd == tok::DrawInv, true, 0, 0, -1,
                          n ? colourValue(args[0]) : PixelScreen::kPen);
        break;
    }
    }
}

// Shade(lower,upper[,left,right,pattern,resolution]): both curves, and the
// pixels between them wherever lower is below upper. Patterns: 1 vertical,
// 2 horizontal, 3 and 4 diagonal (falling, rising); every resolution-th line.
void shade(Calculator &c_, const std::function<Value()> &lower, const std::function<Value()> &upper,
           const Value *args, int n)
{
    PixelScreen &g = c_.screen();
    const Number left = n >= 1 ? realOf(args[0]) : g.window(PixelScreen::Xmin);
    const Number right = n >= 2 ? realOf(args[1]) : g.window(PixelScreen::Xmax);
    std::int64_t pattern = 1, res = 1;
    if (n >= 3 && (!realOf(args[2]).toInt(&pattern) || pattern < 1 || pattern > 4))
        raise(Error::Domain);
    if (n >= 4 && (!realOf(args[3]).toInt(&res) || res < 1 || res > 8))
        raise(Error::Domain);
    Tracer lo = tracerFor(c_, 0), hi = lo;
    if (n >= 5)
        lo.rgb = hi.rgb = colourValue(args[4]);
    Keep keepX(c_.reals()['X' - 'A']);
    for (int c = 0; c < g.columns(); ++c) {
        const Number x = columnX(g, c);
        c_.reals()['X' - 'A'] = x;
        double yl, yu;
        try {
            yl = dbl(realOf(lower()));
            yu = dbl(realOf(upper()));
        } catch (const RunError &e) {
            if (!skipped(e.error))
                throw;
            lo.gap();
            hi.gap();
            continue;
        }
        lo.to(g.rowOf(yl), c);
        hi.to(g.rowOf(yu), c);
        if (x < left || right < x || !(yl < yu))
            continue;
        // Falling lines keep the phase they have always had.
        static const PixelScreen::Hatch kHatch[] = {PixelScreen::Vertical, PixelScreen::Horizontal,
                                                    PixelScreen::Falling, PixelScreen::Rising};
        // Rows just off the screen at most, so that far bounds fit an int.
        const auto row = [&g](double y) {
            return int(std::fmin(g.rows(), std::fmax(-1.0, std::round(g.rowOf(y)))));
        };
        g.shadeColumn(c, row(yu), row(yl), kHatch[pattern - 1], int(res),
                      pattern == 3 ? 8 * GraphScreen::kColumns : 0, PixelScreen::On, lo.rgb);
    }
}

// Tangent(f,a[,colour,style]): f's graph, then the line through (a, f(a))
// with the slope nDeriv( gives there. Errors at a itself are not skipped.
void tangent(Calculator &c_, const std::function<Value()> &f, const Value *args, int n)
{
    const Value &at = args[0];
    const std::uint32_t rgb = n >= 2 ? colourValue(args[1]) : PixelScreen::kPen;
    std::int64_t style = PixelScreen::Thin;
    if (n >= 3 && (!realOf(args[2]).toInt(&style) || style < 1 || style > 4))
        raise(Error::Domain);
    traceFunction(c_, f, false, true);
    Number &X = c_.reals()['X' - 'A'];
    Keep keepX(X);
    Keep keepY(c_.reals()['Y' - 'A']);
    const Number a = realOf(at);
    const Number h = divide(num(1), num(1000));
    X = a;
    const Number fa = realOf(f());
    X = add(a, h);
    const Number up = realOf(f());
    X = sub(a, h);
    const Number down = realOf(f());
    const Number slope = divide(sub(up, down), mul(num(2), h));
    PixelScreen &g = c_.screen();
    const Number x0 = g.window(PixelScreen::Xmin), x1 = g.window(PixelScreen::Xmax);
    auto yAt = [&](Number x) { return dbl(add(fa, mul(slope, sub(x, a)))); };
    g.line(dbl(x0), yAt(x0), dbl(x1), yAt(x1), PixelScreen::On, rgb, int(style));
}

} // namespace calc::basic
