// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The colour models' commands and operands; compiled only for a colour
// model, so the monochrome models' programs compile as they always did.
#include "calc/basic/core/CompilerImpl.h"
#include "calc/basic/screens/ColourCodes.h"

namespace calc::basic
{
namespace compiling
{

bool Compiler::colourStatement(int t)
{
    int least = 0, most = 0;
    switch (t) {
    case ctok::BackgroundOff:
    case ctok::Thin:
    case ctok::DotThin:
    case ctok::DetectAsymOn:
    case ctok::DetectAsymOff:
        break;
    case tok::GridOn:
        // GridDot RED; alone it is the setting it is on every model.
        if (atEnd())
            return false;
        most = 1;
        break;
    case ctok::GridLine:
        most = 1;
        break;
    case ctok::BackgroundOn:
    case ctok::BorderColor:
    case ctok::Wait:
    case ctok::TextColor:
        least = most = 1;
        break;
    case ctok::GraphColor:
        least = most = 2;
        break;
    default:
        return false;
    }
    const int n = most > 0 && !atEnd() ? expressions() : 0;
    if (t == ctok::TextColor || t == ctok::GraphColor)
        close(tok::RParen);
    endOfStatement();
    if (n < least || n > most)
        fail(Error::Argument);
    put(OpColour, t);
    put(n);
    return true;
}

bool Compiler::colourOperand(int t)
{
    if (t >= ctok::ColourFirst && t <= ctok::ColourLast) {
        put(OpConst, constant(Value::real(Number::fromInt(t - ctok::ColourFirst + 10))));
        return true;
    }
    // Image1..Image9, Image0 name the slots 1..9, 0 (BackgroundOn Image1 is
    // BackgroundOn 1).
    if (t >= ctok::Image1 && t <= ctok::Image0) {
        const int slot = t == ctok::Image0 ? 0 : t - ctok::Image1 + 1;
        put(OpConst, constant(Value::real(Number::fromInt(slot))));
        return true;
    }
    if (t == ctok::ToString || t == ctok::Eval) {
        arguments(t, 1, 1);
        return true;
    }
    if (t == ctok::Piecewise) { // up to five (expression, condition) pieces
        arguments(t, 2, 10);
        return true;
    }
    return false;
}

} // namespace compiling
} // namespace calc::basic
