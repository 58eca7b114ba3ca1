// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Lists that hold complex numbers: {1,𝑖}, L₁(2) stored a complex number,
// arithmetic element by element. Their items are each element's real and
// imaginary parts in turn; a list whose parts are all real is a plain list
// again.
#include "calc/basic/core/Maths.h"

#include <QStringList>

namespace calc::basic
{

Value listOfValues(const QVector<Value> &elements)
{
    bool complex = false;
    for (const Value &e : elements) {
        if (e.kind == Value::Complex && !e.items[0].isZero())
            complex = true;
        else
            realOf(e);
    }
    QVector<Number> items;
    items.reserve(elements.size() * (complex ? 2 : 1));
    for (const Value &e : elements) {
        items << e.num;
        if (complex)
            items << (e.kind == Value::Complex ? e.items[0] : Number());
    }
    Value v = Value::list(items);
    if (complex)
        v.kind = Value::ComplexList;
    return v;
}

int elementCount(const Value &list)
{
    return list.kind == Value::ComplexList ? int(list.items.size() / 2) : int(list.items.size());
}

Value elementOf(const Value &list, int i)
{
    if (list.kind == Value::ComplexList)
        return complexValue(list.items[2 * i], list.items[2 * i + 1]);
    if (list.kind == Value::List)
        return Value::real(list.items[i]);
    return list;
}

Value withElement(const Value &list, int i, const Value &x)
{
    QVector<Value> elements;
    const int n = elementCount(list);
    for (int k = 0; k < n; ++k)
        elements << (k == i ? x : elementOf(list, k));
    if (i == n)
        elements << x;
    return listOfValues(elements);
}

Value complexListBinary(int op, const Value &a, const Value &b)
{
    const bool la = a.kind == Value::List || a.kind == Value::ComplexList;
    const bool lb = b.kind == Value::List || b.kind == Value::ComplexList;
    if ((!la && a.kind != Value::Real && a.kind != Value::Complex) ||
        (!lb && b.kind != Value::Real && b.kind != Value::Complex))
        raise(Error::DataType);
    if (la && lb && elementCount(a) != elementCount(b))
        raise(Error::DimMismatch);
    const int n = la ? elementCount(a) : elementCount(b);
    QVector<Value> out;
    for (int i = 0; i < n; ++i)
        out << binary(op, elementOf(a, i), elementOf(b, i));
    return listOfValues(out);
}

QString complexListText(const Value &v, const NumberFormat &f)
{
    QStringList parts;
    for (int i = 0; i < elementCount(v); ++i)
        parts << complexText(elementOf(v, i), f);
    return QLatin1Char('{') + parts.join(QLatin1Char(' ')) + QLatin1Char('}');
}

} // namespace calc::basic
