// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a variable of the calculator holds: a real, a list of reals, a
// string (its tokens, as a program spells them), a matrix or a complex number.
#include "calc/basic/core/Error.h"
#include "calc/basic/core/Number.h"

#include <QString>
#include <QVector>

namespace calc::basic
{

struct Value {
    // ComplexList: a list with a complex element, its items the real and
    // imaginary parts of each in turn (ComplexLists.cpp).
    enum Kind { Real, List, String, Matrix, Complex, ComplexList };
    Kind kind = Real;
    Number num;
    QVector<Number> items; // a list's elements, a matrix's row by row
    QVector<int> text;     // a string's tokens
    // A string's two-byte tokens, counted when its size in RAM is first
    // asked (state/Memory.h); -1 until then. Whoever changes `text` in
    // place keeps it right or sets it back to -1.
    mutable int wideTokens = -1;
    int rows = 0, cols = 0;
    bool fraction = false; // ►Frac: shown as a fraction where one fits
    // ►DMS, ►Rect, ►Polar, a mixed number, or a fraction as typed (3⁄4):
    // how the home screen shows it (Conversions.cpp).
    enum Form : unsigned char { Plain, Dms, Rect, Polar, Mixed, Typed };
    Form form = Plain;

    static Value real(Number n)
    {
        Value v;
        v.num = n;
        return v;
    }
    static Value list(QVector<Number> items)
    {
        Value v;
        v.kind = List;
        v.items = std::move(items);
        return v;
    }
    static Value string(QVector<int> tokens)
    {
        Value v;
        v.kind = String;
        v.text = std::move(tokens);
        v.wideTokens = 0;
        for (int t : v.text)
            v.wideTokens += t > 0xFF;
        return v;
    }
};

// How the home screen writes a value on one line: "{1 2 3}", "⁻5", text.
QString displayText(const Value &v);
// ►Frac's text of one number: "3/4", or the number when no fraction fits.
QString fractionOf(const Number &x);
// A value with a form (Value::Form) or in the FRAC answer mode.
struct NumberFormat;
QString formText(const Value &v, const NumberFormat &f);
// A string's tokens as the screen shows them.
QString stringText(const QVector<int> &tokens);
// A matrix as its lines: "[[1 2]", " [3 4]]".
QStringList matrixLines(const Value &v);

// What the loop asks of a value; a value of the wrong kind raises
// ERR:DATA TYPE.
bool truth(const Value &v);
const Number &realOf(const Value &v);
long long intOf(const Value &v, Error e = Error::Domain);
const QVector<Number> &listOf(const Value &v);
// An index into a list or string: a whole number from 1 to `size`.
int indexOf(const Value &v, int size);
int listSize(const Value &v);
QByteArray bytesOf(const QVector<int> &tokens);
// A binary operator on values, lists element by element; `op` is its token.
Value binary(int op, const Value &a, const Value &b);

template <typename F> Value mapReal(const Value &v, F f)
{
    if (v.kind == Value::Real)
        return Value::real(f(v.num));
    if (v.kind != Value::List)
        raise(Error::DataType);
    Value out = v;
    for (Number &x : out.items)
        x = f(x);
    return out;
}

// f of two reals, element by element over lists of one length or a list and
// a real; anything else (a complex number, which would make a complex list)
// is ERR:DATA TYPE. The result is shown plainly.
template <typename F> Value mapRealPairs(const Value &a, const Value &b, F f)
{
    if ((a.kind != Value::Real && a.kind != Value::List) ||
        (b.kind != Value::Real && b.kind != Value::List))
        raise(Error::DataType);
    if (a.kind == Value::Real && b.kind == Value::Real)
        return Value::real(f(a.num, b.num));
    if (a.kind == Value::List && b.kind == Value::List && a.items.size() != b.items.size())
        raise(Error::DimMismatch);
    Value out = a.kind == Value::List ? a : b;
    out.fraction = false;
    out.form = Value::Plain;
    for (int i = 0; i < out.items.size(); ++i)
        out.items[i] = f(a.kind == Value::List ? a.items[i] : a.num,
                         b.kind == Value::List ? b.items[i] : b.num);
    return out;
}

} // namespace calc::basic
