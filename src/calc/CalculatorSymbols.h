// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the calculator shows for the codes 128..255 of a program, and the way
// text crosses between the program (model text, calc/ModelText.h) and the
// rest of the world (Unicode: clipboard, drops, web pages, documentation).
#include <QString>
#include <QStringView>

namespace calc::calcsymbols
{

// The symbol code `byte` (128..255) draws, in Unicode. Codes whose symbol is
// plain ASCII give that character; the one code without a glyph gives a
// private-use character so that it still survives a round trip.
QString symbolOf(int byte);

// Model text with every code 128..255 replaced by its symbol. Everything
// else, line breaks included, is left as it is.
QString toUnicode(QStringView model);

// Text arriving from outside (typing, paste, drop) as model text:
// - a symbol the table lists becomes its code (the preferred code where
//   several draw it; ASCII stays ASCII);
// - typographic quotes and dashes become their ASCII forms, a no-break
//   space a plain one; the ellipsis is the calculator's own symbol;
// - characters above U+00FF that token spellings use (∆, ►, the escape
//   brackets ⟦ ⟧) stay themselves;
// - any other character is left out and named in `refused` (each once, in
//   order of appearance): ß, €, ω.
struct Incoming {
    QString text;
    QString refused;
};
Incoming fromUnicode(QStringView text);

// The code a Unicode symbol is written as, or -1 when the table has none.
int byteFor(QStringView symbol);

} // namespace calc::calcsymbols
