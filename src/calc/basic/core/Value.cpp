// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/Value.h"

#include "calc/TokenCodes.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/core/NumberFormat.h"
#include "calc/basic/screens/ScreenText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace calc::basic
{

QString stringText(const QVector<int> &tokens)
{
    QString s;
    for (int t : tokens)
        s += screenText(t);
    return s;
}

// ►Frac: the fraction whose denominator stays below 10000 and that matches
// the value to the digits kept; otherwise the value as it is.
QString fractionOf(const Number &x)
{
    const long double v = x.abs().toLongDouble();
    if (x.isInteger() || v >= 1e12L)
        return x.display();
    long double h0 = 1, h1 = std::floor(v), k0 = 0, k1 = 1, rest = v - h1;
    while (std::fabs(h1 / k1 - v) > 5e-13L * std::max<long double>(v, 1)) {
        if (rest < 1e-15L)
            return x.display();
        const long double r = 1 / rest, a = std::floor(r);
        rest = r - a;
        const long double h = a * h1 + h0, k = a * k1 + k0;
        h0 = h1;
        k0 = k1;
        h1 = h;
        k1 = k;
        if (k1 >= 10000)
            return x.display();
    }
    const QString sign = x.isNegative() ? QStringLiteral("\u207B") : QString();
    return sign + QString::number(qint64(h1)) + QLatin1Char('/') + QString::number(qint64(k1));
}

namespace
{

QString fractionText(const Value &v)
{
    if (v.kind == Value::Real)
        return fractionOf(v.num);
    if (v.kind == Value::Complex)
        return complexText(v, NumberFormat());
    Value plain = v;
    plain.fraction = false;
    if (v.kind == Value::Matrix)
        return matrixLines(v).join(QString());
    if (v.kind != Value::List)
        return displayText(plain);
    QStringList parts;
    for (const Number &n : v.items)
        parts << fractionOf(n);
    return QLatin1Char('{') + parts.join(QLatin1Char(' ')) + QLatin1Char('}');
}

} // namespace

QString displayText(const Value &v)
{
    if (Q_UNLIKELY(v.form != Value::Plain))
        return formText(v, NumberFormat());
    if (v.fraction)
        return fractionText(v);
    switch (v.kind) {
    case Value::Real:
        return v.num.display();
    case Value::String:
        return stringText(v.text);
    case Value::List: {
        QStringList parts;
        for (const Number &n : v.items)
            parts << n.display();
        return QLatin1Char('{') + parts.join(QLatin1Char(' ')) + QLatin1Char('}');
    }
    case Value::Matrix:
        return matrixLines(v).join(QString());
    case Value::Complex:
        return complexText(v, NumberFormat());
    case Value::ComplexList:
        return complexListText(v, NumberFormat());
    }
    return QString();
}

QStringList matrixLines(const Value &v)
{
    QStringList lines;
    for (int r = 0; r < v.rows; ++r) {
        QStringList parts;
        for (int c = 0; c < v.cols; ++c)
            parts << (v.fraction ? fractionOf(v.items[r * v.cols + c])
                                 : v.items[r * v.cols + c].display());
        QString line = (r == 0 ? QStringLiteral("[[") : QStringLiteral(" [")) +
                       parts.join(QLatin1Char(' ')) + QLatin1Char(']');
        if (r == v.rows - 1)
            line += QLatin1Char(']');
        lines << line;
    }
    return lines;
}

// A complex number whose imaginary part is 0 passes for a real.
bool truth(const Value &v)
{
    return !realOf(v).isZero();
}

const Number &realOf(const Value &v)
{
    if (v.kind != Value::Real && (v.kind != Value::Complex || !v.items[0].isZero()))
        raise(Error::DataType);
    return v.num;
}

long long intOf(const Value &v, Error e)
{
    std::int64_t i;
    if (!realOf(v).toInt(&i))
        raise(e);
    return i;
}

QByteArray bytesOf(const QVector<int> &tokens)
{
    QByteArray b;
    for (int t : tokens)
        b += calc::tokens::tokenBytes(t);
    return b;
}

Value binary(int op, const Value &a, const Value &b)
{
    using K = Value::Kind;
    if (a.kind == K::Real && b.kind == K::Real)
        return Value::real(realBinary(op, a.num, b.num));
    if (a.kind == K::ComplexList || b.kind == K::ComplexList ||
        ((a.kind == K::Complex || b.kind == K::Complex) &&
         (a.kind == K::List || b.kind == K::List)))
        return complexListBinary(op, a, b);
    if (a.kind == K::Complex || b.kind == K::Complex)
        return complexBinary(op, a, b);
    if (a.kind == K::String || b.kind == K::String) {
        if (a.kind != b.kind)
            raise(Error::DataType);
        if (op == tok::Plus) {
            Value v = a;
            v.text += b.text;
            v.wideTokens = a.wideTokens < 0 || b.wideTokens < 0 ? -1 : a.wideTokens + b.wideTokens;
            return v;
        }
        if (op == tok::Eq || op == tok::Ne)
            return Value::real(num((a.text == b.text) == (op == tok::Eq)));
        raise(Error::DataType);
    }
    if (a.kind == K::Matrix || b.kind == K::Matrix) {
        if (op == tok::Times && a.kind == K::Matrix && b.kind == K::Matrix) {
            if (a.cols != b.rows)
                raise(Error::DimMismatch);
            Value m = a;
            m.cols = b.cols;
            m.items.fill(Number(), a.rows * b.cols);
            // Each cell sums its products in the same order as a row times a
            // column would; a zero factor adds nothing, so powers of sparse
            // matrices (identity(99)^255) skip most of the work.
            for (int r = 0; r < a.rows; ++r) {
                checkStop(); // a row of 99×99 takes a few milliseconds
                Number *out = m.items.data() + r * m.cols;
                for (int k = 0; k < a.cols; ++k) {
                    const Number x = a.items[r * a.cols + k];
                    if (x.isZero())
                        continue;
                    const Number *row = b.items.constData() + k * b.cols;
                    for (int c = 0; c < b.cols; ++c)
                        out[c] = add(out[c], mul(x, row[c]));
                }
            }
            return m;
        }
        if (op == tok::Times && (a.kind == K::Real || b.kind == K::Real)) {
            Value m = a.kind == K::Matrix ? a : b;
            const Number k = a.kind == K::Real ? a.num : b.num;
            for (Number &x : m.items)
                x = mul(x, k);
            return m;
        }
        if (op == tok::Power && a.kind == K::Matrix && b.kind == K::Real)
            return matrixPower(a, b.num);
        if ((op == tok::Eq || op == tok::Ne) && a.kind == b.kind)
            return Value::real(num(sameMatrix(a, b) == (op == tok::Eq)));
        if ((op == tok::Plus || op == tok::Minus) && a.kind == b.kind) {
            if (a.rows != b.rows || a.cols != b.cols)
                raise(Error::DimMismatch);
            Value m = a;
            for (int i = 0; i < m.items.size(); ++i)
                m.items[i] = realBinary(op, a.items[i], b.items[i]);
            return m;
        }
        raise(Error::DataType);
    }
    // Lists, element by element; a real goes with every element.
    if (a.kind == K::List && b.kind == K::List && a.items.size() != b.items.size())
        raise(Error::DimMismatch);
    Value out = a.kind == K::List ? a : b;
    for (int i = 0; i < out.items.size(); ++i)
        out.items[i] = realBinary(op, a.kind == K::List ? a.items[i] : a.num,
                                  b.kind == K::List ? b.items[i] : b.num);
    return out;
}

const QVector<Number> &listOf(const Value &v)
{
    if (v.kind != Value::List)
        raise(Error::DataType);
    return v.items;
}

// An index into a list or string: a whole number from 1 to `size`.
int indexOf(const Value &v, int size)
{
    std::int64_t i;
    if (!realOf(v).toInt(&i) || i < 1 || i > size)
        raise(Error::InvalidDim);
    return int(i);
}

int listSize(const Value &v)
{
    std::int64_t n;
    if (!realOf(v).toInt(&n) || n < 1 || n > 999)
        raise(Error::Domain);
    return int(n);
}

} // namespace calc::basic
