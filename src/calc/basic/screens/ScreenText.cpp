// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/screens/ScreenText.h"

#include "calc/Tokens.h"

#include <algorithm>
#include <iterator>

namespace calc::basic
{

namespace
{

struct Shown {
    int token;
    const char16_t *text;
};

// The calculator's display of the tokens the sheet spells otherwise (the
// TI-Toolkit token list gives each one's characters in the calculator's
// font). In token order, for the binary search.
constexpr Shown kShown[] = {
    {0x0C, u"\u207B\u00B9"},      // ⁻¹
    {0x2C, u"\U0001D456"},        // 𝑖
    {0xCB, u"cosh\u207B\u00B9("}, // the sheet's display has a slip
    {0x5E80, u"u"},               // the sequences u, v, w
    {0x5E81, u"v"},
    {0x5E82, u"w"},
    {0x6201, u"RegEQ"},
    {0x6202, u"n"},
    {0x6206, u"Sx"},
    {0x6208, u"minX"},
    {0x6209, u"maxX"},
    {0x620A, u"minY"},
    {0x620B, u"maxY"},
    {0x620F, u"Sy"},
    {0x6212, u"r"},
    {0x6213, u"Med"},
    {0x6214, u"Q\u2081"},
    {0x6215, u"Q\u2083"},
    {0x6216, u"a"}, // the regression coefficients a-e
    {0x6217, u"b"},
    {0x6218, u"c"},
    {0x6219, u"d"},
    {0x621A, u"e"},
    {0x6221, u"\U0001D45B"}, // the sequence mode's 𝑛
    {0x6222, u"p"},
    {0x6223, u"z"},
    {0x6224, u"t"},
    {0x6226, u"\U0001D405"}, // the F statistic
    {0x6227, u"df"},
    {0x6228, u"p\u0302"},
    {0x6231, u"Sxp"},
    {0x6232, u"lower"},
    {0x6233, u"upper"},
    {0x6234, u"s"},
    {0x6237, u"df"},
    {0x6238, u"SS"},
    {0x6239, u"MS"},
    {0x623A, u"df"},
    {0x623B, u"SS"},
    {0x623C, u"MS"},
    {0x632B, u"N"}, // the finance solver's N
    {0x6330, u"P/Y"},
    {0x6331, u"C/Y"},
    {0xBB2C, u"\u0394List("},
    {0xBB31, u"\u212F"},
    {0xBB38, u"Shade\U0001D405("},
    {0xBB9B, u"`"},
    {0xBBA7, u"\u03C0"},
    {0xBBAF, u"\U0001D405"},
    {0xBBCF, u"~"},
    {0xBBF2, u"\u2B06"},
    {0xBBF3, u"\u2B07"},
    {0xBBF5, u"\u2338"},
    {0xEF07, u"getDtStr("},
    {0xEF1E, u"\u2B1A"},
    {0xEF37, u"MATHPRINT"},
    {0xEF38, u"CLASSIC"},
    {0xEF3B, u"AUTO"},
    {0xEF3C, u"DEC"},
    {0xEF3D, u"FRAC-APPROX"},
    {0xEF73, u"."},
};

constexpr bool inOrder()
{
    for (size_t i = 1; i < std::size(kShown); ++i)
        if (kShown[i - 1].token >= kShown[i].token)
            return false;
    return true;
}
static_assert(inOrder(), "kShown is searched by token");

const Shown *find(int token)
{
    const auto less = [](const Shown &s, int t) { return s.token < t; };
    const Shown *it = std::lower_bound(std::begin(kShown), std::end(kShown), token, less);
    return it != std::end(kShown) && it->token == token ? it : nullptr;
}

} // namespace

QString screenText(int token)
{
    if (const Shown *s = find(token))
        return QString::fromUtf16(s->text);
    return calc::tokens::displayString(token);
}

bool shownDifferently(int token)
{
    const Shown *s = find(token);
    return s && calc::tokens::displayString(token) != QString::fromUtf16(s->text);
}

} // namespace calc::basic
