// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/graph/Graph.h"
#include "calc/basic/lib/Libraries.h"

#include "calc/Tokens.h"

#include <cmath>

namespace calc::basic
{

// A pixel place from two values: rows 0-62, columns 0-94 on the small
// screen, or ERR:DOMAIN.
void pixelPlace(const Value &row, const Value &col, int *r, int *c, int rows, int columns)
{
    std::int64_t a, b;
    if (!realOf(row).toInt(&a) || !realOf(col).toInt(&b) || a < 0 || a >= rows || b < 0 ||
        b >= columns)
        raise(Error::Domain);
    *r = int(a);
    *c = int(b);
}

double coord(const Value &v)
{
    return double(realOf(v).toLongDouble());
}

namespace
{

// The black-and-white models' commands.
void monochromeDraw(Calculator &c_, GraphScreen &g, int cmd, const Value *args, int n)
{
    switch (cmd) {
    case tok::PxlOn:
    case tok::PxlOff:
    case tok::PxlChange: {
        int r, c;
        pixelPlace(args[0], args[1], &r, &c);
        g.set(r, c, GraphScreen::Mode(cmd == tok::PxlOn ? 1 : cmd == tok::PxlOff ? 0 : 2));
        break;
    }
    case tok::PtOn:
    case tok::PtOff:
    case tok::PtChange: {
        // 2 and 6 a box, 3 and 7 a cross, any other mark a dot.
        std::int64_t m = 1;
        const bool whole = n == 3 && realOf(args[2]).toInt(&m);
        const int mark = whole && (m == 2 || m == 6) ? 2 : whole && (m == 3 || m == 7) ? 3 : 1;
        const auto mode = GraphScreen::Mode(cmd == tok::PtOn ? 1 : cmd == tok::PtOff ? 0 : 2);
        g.point(coord(args[0]), coord(args[1]), mode, cmd == tok::PtChange ? 1 : mark);
        break;
    }
    case tok::Line: {
        bool on = true;
        if (n == 5)
            on = !realOf(args[4]).isZero();
        g.line(coord(args[0]), coord(args[1]), coord(args[2]), coord(args[3]),
               on ? GraphScreen::On : GraphScreen::Off);
        break;
    }
    case tok::Horizontal:
        g.horizontal(coord(args[0]), GraphScreen::On);
        break;
    case tok::Vertical:
        g.vertical(coord(args[0]), GraphScreen::On);
        break;
    case tok::Circle:
        g.circle(coord(args[0]), coord(args[1]), coord(args[2]));
        break;
    case tok::Text: {
        if (n >= 3 && args[0].kind == Value::Real && args[0].num == num(-1)) {
            largeText(c_, args + 1, n - 1);
            break;
        }
        // The small font's letters are 6 rows tall: row 57 is the lowest.
        int r, c;
        pixelPlace(args[0], args[1], &r, &c, GraphScreen::kHeight - 6);
        const QString text = joinedText(args + 2, n - 2);
        if (c_.host().drawText)
            c_.host().drawText(g, r, c, text);
        break;
    }
    default:
        raise(Error::Unsupported, calc::tokens::displayString(cmd));
    }
}

} // namespace

void draw(Calculator &c_, int cmd, const Value *args, int n)
{
    GraphScreen &w = c_.graph(); // the window and the axes, for both sizes
    switch (cmd) {
    case tok::AxesOn:
    case tok::AxesOff:
        w.setAxes(cmd == tok::AxesOn);
        return; // a setting: the screen stays as it is
    case tok::ZStandard:
        w.standard();
        standardGraphVars(c_);
        return;
    default:
        break;
    }
    showGraph(c_);
    c_.showGraph(true);
    if (cmd == tok::ClrDraw) {
        // The drawings go; axes, grid and the selected functions come back.
        c_.screen().invalidate();
        showGraph(c_);
        return;
    }
    if (cmd == tok::DispGraph)
        return;
    // The colour models' commands take colours and styles.
    if (c_.colour()) {
        colourDraw(c_, cmd, args, n);
        return;
    }
    monochromeDraw(c_, w, cmd, args, n);
}

// Text(⁻1,row,col,…): the large font, its lowest row one above the small's.
void largeText(Calculator &c_, const Value *args, int n)
{
    int r, c;
    pixelPlace(args[0], args[1], &r, &c, GraphScreen::kHeight - 7);
    QString text;
    for (int i = 2; i < n; ++i) {
        if (args[i].kind == Value::Matrix)
            raise(Error::DataType);
        text += displayText(args[i]);
    }
    if (c_.host().drawLargeText && !text.isEmpty())
        c_.host().drawLargeText(c_.graph(), r, c, text);
}

} // namespace calc::basic
