// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The zoom commands: each sets the window as the calculator computes it.
#include "calc/basic/graph/Graph.h"
#include "calc/basic/lib/Libraries.h"

#include <cmath>

namespace calc::basic
{

namespace
{

using W = GraphScreen;

Number dec(long double v)
{
    // Rounded to the calculator's 14 figures: -47/24π and the like.
    Number n;
    if (!Number::fromLongDouble(v, &n))
        raise(Error::Overflow);
    return n;
}

long double at(const W::Windows &w, W::Window k)
{
    return w[k].toLongDouble();
}

void around(W::Windows &w, long double cx, long double halfX, long double cy, long double halfY)
{
    w[W::Xmin] = dec(cx - halfX);
    w[W::Xmax] = dec(cx + halfX);
    w[W::Ymin] = dec(cy - halfY);
    w[W::Ymax] = dec(cy + halfY);
}

// The screen's pixels from edge to edge: 94 by 62 on the monochrome models,
// 264 by 164 on the colour ones; ΔX and ΔY divide the window by these.
struct Span {
    int across, down;
};

// ZSquare: the axis whose pixels are closer apart widens to match the other.
void square(W::Windows &w, Span px)
{
    const long double dx = (at(w, W::Xmax) - at(w, W::Xmin)) / px.across;
    const long double dy = (at(w, W::Ymax) - at(w, W::Ymin)) / px.down;
    const long double cx = (at(w, W::Xmax) + at(w, W::Xmin)) / 2;
    const long double cy = (at(w, W::Ymax) + at(w, W::Ymin)) / 2;
    const long double d = std::max(dx, dy);
    around(w, cx, px.across / 2 * d, cy, px.down / 2 * d);
}

// ZFrac1/n: pixels 1/n apart around the origin.
bool fraction(int t, W::Windows &w, Span px)
{
    if (t < tok::ZQuadrant1 + 1 || t > tok::ZFrac10)
        return false;
    static const int kParts[] = {2, 3, 4, 5, 8, 10};
    const long double d = 1.0L / kParts[t - tok::ZQuadrant1 - 1];
    around(w, 0, px.across / 2 * d, 0, px.down / 2 * d);
    w[W::Xscl] = w[W::Yscl] = num(1);
    return true;
}

// ZBox, Zoom In, Zoom Out and Trace: the user picks the place and presses
// ENTER, on the graph as it is. False when the window stays.
bool pickedZoom(Calculator &c_, int t, W::Windows *w)
{
    Settings &s = c_.settings();
    if (t == tok::Trace && s.modes.value(tok::Func, tok::Func) == tok::Func) {
        traceCursor(c_);
        return false;
    }
    c_.showGraph(true);
    showGraph(c_);
    if (t == tok::Trace && s.modes.value(tok::Func) == tok::SeqMode &&
        s.modes.value(tok::Time) == tok::Web)
        traceWeb(c_);
    if (c_.host().pause && !c_.host().pause())
        raise(Error::Break);
    if (t == tok::Trace || t == tok::ZBox)
        return false; // the place picked is the window's own centre
    const Number *v = c_.graphing().vars;
    long double fx = v[XFact].toLongDouble(), fy = v[YFact].toLongDouble();
    if (t == tok::ZoomIn) {
        fx = 1 / fx;
        fy = 1 / fy;
    }
    around(*w, (at(*w, W::Xmin) + at(*w, W::Xmax)) / 2,
           (at(*w, W::Xmax) - at(*w, W::Xmin)) / 2 * fx, (at(*w, W::Ymin) + at(*w, W::Ymax)) / 2,
           (at(*w, W::Ymax) - at(*w, W::Ymin)) / 2 * fy);
    return true;
}

} // namespace

void zoom(Calculator &c_, int t)
{
    GraphScreen &g = c_.graph();
    Settings &s = c_.settings();
    W::Windows w = g.windows();
    const W::Windows before = w;
    const long double pi = 3.14159265358979323846L;
    const int screen = s.modes.value(tok::Full, tok::Full);
    const Span px{c_.screen().columns() - 1, c_.screen().rows() - 1};
    switch (t) {
    case tok::ZTrig: {
        const long double x = c_.degrees() ? 352.5L : 47 * pi / 24;
        around(w, 0, x, 0, 4);
        w[W::Xscl] = dec(c_.degrees() ? 90 : pi / 2);
        w[W::Yscl] = num(1);
        break;
    }
    case tok::ZDecimal: {
        // A tenth a pixel; the colour models' whole screen a twentieth.
        const bool gt = screen == tok::GT;
        if (c_.colour())
            around(w, 0, 6.6L, 0, 4.1L);
        else
            around(w, 0, gt ? 2.3L : 4.7L, 0, gt ? 2.5L : screen == tok::Horiz ? 1.5L : 3.1L);
        w[W::Xscl] = w[W::Yscl] = num(1);
        break;
    }
    case tok::ZInteger: {
        const long double cx = std::round((at(w, W::Xmin) + at(w, W::Xmax)) / 2);
        const long double cy = std::round((at(w, W::Ymin) + at(w, W::Ymax)) / 2);
        around(w, cx, px.across / 2, cy, px.down / 2);
        w[W::Xscl] = w[W::Yscl] = num(10);
        break;
    }
    case tok::ZSquare:
        square(w, px);
        break;
    case tok::ZQuadrant1:
        w[W::Xmin] = w[W::Ymin] = num(0);
        w[W::Xmax] = w[W::Ymax] = dec(9.4L);
        w[W::Xscl] = w[W::Yscl] = num(1);
        s.xres = num(1);
        break;
    case tok::ZoomSto:
    case tok::ZoomRcl:
        // ZXmin..ZYscl, ZXres, ZTmin..ZPlotStep and Zu(nMin)..Zw(nMin): the
        // memory is those variables.
        zoomMemory(c_, t == tok::ZoomSto, &w);
        if (t == tok::ZoomSto)
            return;
        break;
    case tok::ZPrevious:
        if (s.previous)
            w = *s.previous;
        break;
    case tok::ZBox:
    case tok::ZoomIn:
    case tok::ZoomOut:
    case tok::Trace:
        if (!pickedZoom(c_, t, &w))
            return;
        break;
    case tok::ZoomStat:
        if (!statWindow(c_, &w))
            return; // no plot on: the window stays
        break;
    case tok::ZoomFit:
        if (!fitWindow(c_, &w))
            return;
        break;
    default:
        if (fraction(t, w, px))
            break;
        return;
    }
    if (!g.setWindows(w))
        raise(Error::WindowRange);
    s.previous = before;
}

} // namespace calc::basic

namespace calc::basic
{

void zoomMemory(Calculator &c_, bool store, GraphScreen::Windows *w)
{
    GraphState &gs = c_.graphing();
    Number *v = gs.vars;
    for (int k = 0; k < GraphScreen::kWindowVars; ++k)
        store ? void(v[ZXmin + k] = (*w)[k]) : void((*w)[k] = v[ZXmin + k]);
    for (int k = 0; k < kZoomed; ++k)
        store ? void(v[kZoomed + k] = v[k]) : void(v[k] = v[kZoomed + k]);
    for (int k = 0; k < 3; ++k)
        store ? void(gs.zoomedStart[k] = gs.start[k]) : void(gs.start[k] = gs.zoomedStart[k]);
    Number &xres = c_.settings().xres;
    store ? void(v[ZXres] = xres) : void(xres = v[ZXres]);
    if (!store)
        c_.graph().invalidate();
}

} // namespace calc::basic
