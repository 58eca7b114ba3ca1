// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What each stretch of a program line is, for colouring, read from the
// line's calculator tokens. Display only: the result never feeds back into
// the text.
#include <QStringView>
#include <QVector>

namespace calc::syntax
{

enum class Category {
    Plain,
    Command,     // a command token that is no keyword: sin(, ClrDraw, prgm
    Keyword,     // tokens the token sheet styles so: If, For(, Goto, Disp, ...
    String,      // from the opening quote up to its end (quotes included)
    Number,      // 12, 3.5, .5
    Store,       // the store arrow
    StoreTarget, // the variable the arrow stores into
    Label,       // Lbl and Goto targets, Menu('s label arguments
    Operator,    // + - * / ^ = < > ( ) , and their calculator symbols
    Error,       // a character no calculator token spells
    Count
};

struct Span {
    int start = 0;
    int length = 0;
    Category category = Category::Plain;
    bool operator==(const Span &o) const
    {
        return start == o.start && length == o.length && category == o.category;
    }
};

// One line of model text (no line break in it) as non-overlapping spans in
// order; stretches of plain text are left out.
QVector<Span> lineSpans(QStringView modelLine);

// The store arrow as held in model text.
inline constexpr char16_t kStoreArrow = 0xFC;

} // namespace calc::syntax
