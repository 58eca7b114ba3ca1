// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The colour models' graph commands, colour settings, Wait and the timed
// Pause. Reached only when the engine runs for a colour model.
#include "calc/Tokens.h"
#include "calc/basic/core/Scanner.h"
#include "calc/basic/graph/Graph.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"
#include "calc/basic/screens/ColourCodes.h"
#include "calc/basic/state/Pace.h"

#include <cmath>
#include <iterator>

namespace calc::basic
{

namespace
{

// A colour argument: a whole number 10-24, else ERR:DOMAIN.
int colourArg(const Value &v)
{
    std::int64_t c;
    if (!realOf(v).toInt(&c) || !isColourNumber(c))
        raise(Error::Domain);
    return int(c);
}

// A line style: 1-4.
int styleArg(const Value &v)
{
    std::int64_t s;
    if (!realOf(v).toInt(&s) || s < 1 || s > 4)
        raise(Error::Domain);
    return int(s);
}

// Marks 1-3; the monochrome models' 6 and 7 are ERR:DOMAIN here, any
// other number a dot. Pt-On( alone takes a colour after it.
void colourPoint(PixelScreen &s, int cmd, const Value *args, int n)
{
    int mark = 1;
    if (n >= 3 && cmd != tok::PtChange) {
        std::int64_t m = 1;
        if (realOf(args[2]).toInt(&m) && (m == 6 || m == 7))
            raise(Error::Domain);
        mark = m == 2 || m == 3 ? int(m) : 1;
    }
    if (n == 4 && cmd != tok::PtOn)
        raise(Error::Argument);
    if (n >= 3 && cmd == tok::PtChange)
        raise(Error::Argument);
    const auto mode = cmd == tok::PtOn    ? PixelScreen::On
                      : cmd == tok::PtOff ? PixelScreen::Off
                                          : PixelScreen::Change;
    s.point(coord(args[0]), coord(args[1]), mode, mark,
            n == 4 ? colourRgb(colourArg(args[3])) : PixelScreen::kPen);
}

// Line(X1,Y1,X2,Y2[,erase][,colour[,style]]): 0 erases, 1 draws; a colour
// (10-24) in the fifth place stands for both.
void colourLine(PixelScreen &s, const Value *args, int n)
{
    bool erase = false;
    int k = 4;
    if (k < n && !isColourNumber(intOf(args[k]))) {
        const long long e = intOf(args[k]);
        if (e != 0 && e != 1)
            raise(Error::Domain);
        erase = e == 0;
        ++k;
    }
    const std::uint32_t rgb = k < n ? colourRgb(colourArg(args[k++])) : PixelScreen::kPen;
    const int style = k < n ? styleArg(args[k++]) : 1;
    if (k < n)
        raise(Error::Argument);
    s.line(coord(args[0]), coord(args[1]), coord(args[2]), coord(args[3]),
           erase ? PixelScreen::Off : PixelScreen::On, rgb, style);
}

// Text( takes no colour: TextColor( chose it.
void colourText(Calculator &c_, const Value *args, int n)
{
    const bool large = n >= 3 && args[0].kind == Value::Real && args[0].num == num(-1);
    const Value *a = large ? args + 1 : args;
    const int m = large ? n - 1 : n;
    int r, c;
    pixelPlace(a[0], a[1], &r, &c, c_.screen().rows(), c_.screen().columns());
    const QString text = joinedText(a + 2, m - 2);
    if (c_.host().drawColourText && !text.isEmpty())
        c_.host().drawColourText(*c_.colour(), r, c, text, large);
}

} // namespace

// Text('s values as one text; a matrix has no text.
QString joinedText(const Value *args, int n)
{
    QString text;
    for (int i = 0; i < n; ++i) {
        if (args[i].kind == Value::Matrix)
            raise(Error::DataType);
        text += displayText(args[i]);
    }
    return text;
}

void colourDraw(Calculator &c_, int cmd, const Value *args, int n)
{
    PixelScreen &s = c_.screen();
    const std::uint32_t pen = PixelScreen::kPen;
    switch (cmd) {
    case tok::PxlOn:
    case tok::PxlOff:
    case tok::PxlChange: {
        if (n == 3 && cmd != tok::PxlOn)
            raise(Error::Argument);
        int r, c;
        pixelPlace(args[0], args[1], &r, &c, s.rows(), s.columns());
        const auto mode = cmd == tok::PxlOn    ? PixelScreen::On
                          : cmd == tok::PxlOff ? PixelScreen::Off
                                               : PixelScreen::Change;
        s.set(r, c, mode, n == 3 ? colourRgb(colourArg(args[2])) : pen);
        break;
    }
    case tok::PtOn:
    case tok::PtOff:
    case tok::PtChange:
        colourPoint(s, cmd, args, n);
        break;
    case tok::Line:
        colourLine(s, args, n);
        break;
    case tok::Horizontal:
    case tok::Vertical: {
        const std::uint32_t rgb = n >= 2 ? colourRgb(colourArg(args[1])) : pen;
        const int style = n >= 3 ? styleArg(args[2]) : 1;
        if (cmd == tok::Horizontal)
            s.horizontal(coord(args[0]), PixelScreen::On, rgb, style);
        else
            s.vertical(coord(args[0]), PixelScreen::On, rgb, style);
        break;
    }
    case tok::Circle: {
        const std::uint32_t rgb = n >= 4 ? colourRgb(colourArg(args[3])) : pen;
        if (n == 5)
            styleArg(args[4]);
        s.circle(coord(args[0]), coord(args[1]), coord(args[2]), PixelScreen::On, rgb);
        break;
    }
    case tok::Text:
        colourText(c_, args, n);
        break;
    default:
        raise(Error::Unsupported, calc::tokens::displayString(cmd));
    }
}

void colourCommand(Calculator &c_, int cmd, const Value *args, int n)
{
    ColourScreen *s = c_.colour();
    // The commands exist only on the colour models.
    if (!s)
        raise(Error::Unsupported, calc::tokens::displayString(cmd));
    switch (cmd) {
    case ctok::TextColor:
        s->textColour = colourArg(args[0]);
        break;
    case tok::AxesOn: // AxesOn BLACK: the axes on, in that colour
        s->axesColour = colourArg(args[0]);
        c_.graph().setAxes(true);
        s->invalidate();
        break;
    case ctok::BackgroundOn: {
        std::int64_t k;
        if (!realOf(args[0]).toInt(&k) || k < 0 || k > DarkGray)
            raise(Error::Domain);
        if (k >= Blue) {
            s->setBackground(colourRgb(int(k)));
        } else {
            auto it = c_.images().constFind(int(k));
            ColourScreen::Image found;
            if (it == c_.images().constEnd() && c_.host().findImage &&
                c_.host().findImage(int(k), &found))
                it = c_.images().insert(int(k), found);
            if (it == c_.images().constEnd())
                raise(Error::Undefined, QStringLiteral("Image%1").arg(k));
            s->setBackgroundImage(*it);
        }
        showGraph(c_);
        c_.showGraph(true);
        break;
    }
    case ctok::BackgroundOff:
        s->setBackground(colourRgb(White));
        break;
    case ctok::BorderColor: {
        std::int64_t k;
        if (!realOf(args[0]).toInt(&k) || k < 1 || k > 4)
            raise(Error::Domain);
        s->borderColour = int(k);
        break;
    }
    case tok::GridOn:
    case ctok::GridLine: {
        // GridDot and GridLine are grid settings with GridOff; a colour
        // given becomes GridColor for both.
        if (n)
            s->gridColour = colourArg(args[0]);
        c_.settings().modes.insert(tok::GridOn, cmd);
        break;
    }
    case ctok::Thin:
    case ctok::DotThin:
        // The Thick and Dot-Thick modes (Connected, Dot) drawn one pixel
        // wide; like them, they set every equation's style back.
        s->thin = true;
        c_.settings().modes.insert(tok::Connected,
                                   cmd == ctok::Thin ? int(tok::Connected) : int(tok::Dot));
        c_.graphing().styles.clear();
        s->invalidate();
        break;
    case ctok::DetectAsymOn:
    case ctok::DetectAsymOff:
        s->detectAsymptotes = cmd == ctok::DetectAsymOn;
        break;
    case ctok::GraphColor: {
        // The numbers GraphStyle( takes in the current mode.
        const int mode = c_.settings().modes.value(tok::Func, tok::Func);
        const int least = mode == tok::Func ? 0 : 1;
        const int most = mode == tok::Func ? 9 : mode == tok::SeqMode ? 3 : 6;
        std::int64_t f;
        if (!realOf(args[0]).toInt(&f) || f < least || f > most)
            raise(Error::Domain);
        s->graphColours.insert(mode * 16 + int(f), colourArg(args[1]));
        s->invalidate();
        break;
    }
    case ctok::Wait:
        wait(c_, args[0]);
        break;
    default:
        raise(Error::Unsupported, calc::tokens::displayString(cmd));
    }
}

// Wait and Pause's time: the calculator's clock moves on; the program
// waits only where the clock keeps the calculator's pace.
void wait(Calculator &c_, const Value &seconds)
{
    const Number &t = realOf(seconds);
    if (t.isNegative())
        raise(Error::Domain);
    if (c_.pace())
        c_.pace()->charge((long long)std::llround(t.toLongDouble() * 1e6L));
}

// Pause value,seconds: the value shows on the home screen (an empty string
// shows nothing) and the program goes on when the time is up.
void timedPause(Calculator &c_, const Value &shown, const Value &seconds)
{
    c_.showGraph(false);
    if (!(shown.kind == Value::String && shown.text.isEmpty()))
        c_.display(shown);
    wait(c_, seconds);
}

Value colourFunction(Calculator &c_, int fn, Value *args, int)
{
    const Value &a = args[0];
    if (fn == ctok::Eval) {
        // eval( takes only reals and ignores the display mode.
        if (a.kind != Value::Real)
            raise(Error::DataType);
        return Value::string(tokenValues(calc::tokens::tokenize(displayText(a)).bytes));
    }
    if (a.kind == Value::String)
        raise(Error::DataType);
    // Lists and matrices written as a program writes them: {1,2,3}.
    const auto number = [&](Number x) { return displayText(Value::real(x), c_.settings().format); };
    QString text;
    if (a.kind == Value::Real) {
        text = number(a.num);
    } else if (a.kind == Value::List) {
        QStringList items;
        for (const Number &x : a.items)
            items << number(x);
        text = QLatin1Char('{') + items.join(QLatin1Char(',')) + QLatin1Char('}');
    } else {
        text = QStringLiteral("[");
        for (int r = 0; r < a.rows; ++r) {
            QStringList items;
            for (int c = 0; c < a.cols; ++c)
                items << number(a.items[r * a.cols + c]);
            text += QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']');
        }
        text += QLatin1Char(']');
    }
    return Value::string(tokenValues(calc::tokens::tokenize(text).bytes));
}

namespace
{
const Builtin kColour[] = {
    {ctok::ToString, "ToString", Builtin::Read, 1, 1, colourFunction},
    {ctok::Eval, "Eval", Builtin::Read, 1, 1, colourFunction},
};
} // namespace

const Library colourLibrary{"colour", kColour, int(std::size(kColour))};

} // namespace calc::basic
