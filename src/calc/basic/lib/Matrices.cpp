// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Matrix algebra: det(, identity(, randM(, the row operations, ref(, rref(,
// ᵀ, ⁻¹, powers and cumSum( of the columns. Elimination runs in long double
// with the largest pivot of each column, as the calculator's does, and
// rounds once at the end; what is left of a cancelled element is zero.
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"

#include <cmath>
#include <iterator>
#include <vector>

namespace calc::basic
{

namespace
{

using Grid = std::vector<std::vector<long double>>;

Value matrixOf(int rows, int cols)
{
    Value m;
    m.kind = Value::Matrix;
    m.rows = rows;
    m.cols = cols;
    m.items.fill(Number(), rows * cols);
    return m;
}

const Value &matrixArg(const Value &v)
{
    if (v.kind != Value::Matrix)
        raise(Error::DataType);
    return v;
}

Grid gridOf(const Value &m)
{
    Grid g(m.rows, std::vector<long double>(m.cols));
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c)
            g[r][c] = m.items[r * m.cols + c].toLongDouble();
    return g;
}

long double largest(const Grid &g)
{
    long double s = 0;
    for (const auto &row : g)
        for (long double x : row)
            s = std::max(s, std::fabs(x));
    return s;
}

// Rounded to the calculator's digits; a remainder of cancellation, far
// below the matrix's own elements, is zero.
Value valueOf(const Grid &g, long double scale)
{
    Value m = matrixOf(int(g.size()), g.empty() ? 0 : int(g[0].size()));
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c) {
            const long double x = g[r][c];
            m.items[r * m.cols + c] = std::fabs(x) < 1e-13L * scale ? Number() : fromLd(x);
        }
    return m;
}

// A row number of `m`: a whole number from 1 to its rows.
int rowOf(const Value &v, const Value &m)
{
    std::int64_t r;
    if (v.kind != Value::Real || !v.num.toInt(&r) || r < 1 || r > m.rows)
        raise(Error::InvalidDim);
    return int(r) - 1;
}

int sizeOf(const Value &v)
{
    std::int64_t n;
    if (!realOf(v).toInt(&n) || n < 1 || n > 99)
        raise(Error::InvalidDim);
    return int(n);
}

// Gaussian elimination in place, each pivot made 1; `reduced` clears above
// the pivots too. A column without a pivot bigger than rounding is passed by.
void eliminate(Grid &g, bool reduced, long double scale)
{
    const int rows = int(g.size()), cols = rows ? int(g[0].size()) : 0;
    int r = 0;
    for (int c = 0; c < cols && r < rows; ++c) {
        int p = r;
        for (int i = r + 1; i < rows; ++i) {
            if (std::fabs(g[i][c]) > std::fabs(g[p][c]))
                p = i;
        }
        if (std::fabs(g[p][c]) <= 1e-13L * scale)
            continue;
        std::swap(g[p], g[r]);
        const long double pivot = g[r][c];
        for (long double &x : g[r])
            x /= pivot;
        g[r][c] = 1;
        for (int i = reduced ? 0 : r + 1; i < rows; ++i) {
            if (i == r || g[i][c] == 0)
                continue;
            const long double k = g[i][c];
            for (int j = c; j < cols; ++j)
                g[i][j] -= k * g[r][j];
            g[i][c] = 0;
        }
        ++r;
    }
}

long double determinant(Grid g)
{
    const int n = int(g.size());
    long double det = 1;
    for (int c = 0; c < n; ++c) {
        int p = c;
        for (int i = c + 1; i < n; ++i) {
            if (std::fabs(g[i][c]) > std::fabs(g[p][c]))
                p = i;
        }
        if (g[p][c] == 0)
            return 0;
        if (p != c) {
            std::swap(g[p], g[c]);
            det = -det;
        }
        det *= g[c][c];
        for (int i = c + 1; i < n; ++i) {
            const long double k = g[i][c] / g[c][c];
            for (int j = c; j < n; ++j)
                g[i][j] -= k * g[c][j];
        }
    }
    return det;
}

Value inverse(const Value &m)
{
    if (m.rows != m.cols)
        raise(Error::InvalidDim);
    const int n = m.rows;
    Grid g = gridOf(m);
    const long double scale = largest(g);
    for (int r = 0; r < n; ++r) {
        g[r].resize(2 * n, 0);
        g[r][n + r] = 1;
    }
    eliminate(g, true, scale);
    // A pivot missing from the left half: no inverse.
    for (int r = 0; r < n; ++r) {
        if (g[r][r] != 1)
            raise(Error::SingularMat);
    }
    Grid out(n);
    for (int r = 0; r < n; ++r)
        out[r].assign(g[r].begin() + n, g[r].end());
    return valueOf(out, largest(out));
}

Value transpose(const Value &m)
{
    Value t = matrixOf(m.cols, m.rows);
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c)
            t.items[c * m.rows + r] = m.items[r * m.cols + c];
    return t;
}

Value identityOf(int n)
{
    Value m = matrixOf(n, n);
    for (int i = 0; i < n; ++i)
        m.items[i * n + i] = num(1);
    return m;
}

} // namespace

Value matrixPower(const Value &m, const Number &n)
{
    std::int64_t k;
    if (!n.toInt(&k) || k < 0 || k > 255)
        raise(Error::Domain);
    if (m.rows != m.cols)
        raise(Error::InvalidDim);
    Value result = identityOf(m.rows), base = m;
    for (; k > 0; k >>= 1) {
        if (k & 1)
            result = binary(tok::Times, result, base);
        if (k > 1)
            base = binary(tok::Times, base, base);
    }
    return result;
}

bool sameMatrix(const Value &a, const Value &b)
{
    if (a.rows != b.rows || a.cols != b.cols)
        raise(Error::DimMismatch);
    return a.items == b.items;
}

Value matrixUnary(Calculator &c_, int op, const Value &v)
{
    const Value &m = matrixArg(v);
    switch (op) {
    case tok::Neg: {
        Value out = m;
        for (Number &x : out.items)
            x = x.negated();
        return out;
    }
    case tok::Transpose:
        return transpose(m);
    case tok::Inverse:
        return inverse(m);
    case tok::Square:
        return matrixPower(m, num(2));
    case tok::Cube:
        return matrixPower(m, num(3));
    case tok::ToFrac:
    case tok::ToDec:
        return shownAs(c_, m, op == tok::ToFrac);
    default:
        raise(Error::DataType);
    }
}

Value matrixFunction(Calculator &c_, int fn, Value *args, int)
{
    switch (fn) {
    case tok::Det: {
        const Value &m = matrixArg(args[0]);
        if (m.rows != m.cols)
            raise(Error::InvalidDim);
        return Value::real(fromLd(determinant(gridOf(m))));
    }
    case tok::Identity:
        return identityOf(sizeOf(args[0]));
    case tok::RandM: {
        const int rows = sizeOf(args[0]), cols = sizeOf(args[1]);
        Value m = matrixOf(rows, cols);
        // randInt(⁻9,9) for each element, from the last one back to the first.
        for (int i = rows * cols - 1; i >= 0; --i)
            m.items[i] = add(num(-9), mul(num(19), c_.random().next()).floor());
        return m;
    }
    case tok::RowSwap:
    case tok::RowPlus: {
        Value m = matrixArg(args[0]);
        const int a = rowOf(args[1], m), b = rowOf(args[2], m);
        for (int c = 0; c < m.cols; ++c) {
            Number &x = m.items[a * m.cols + c], &y = m.items[b * m.cols + c];
            if (fn == tok::RowSwap)
                std::swap(x, y);
            else
                y = add(x, y);
        }
        return m;
    }
    case tok::TimesRow:
    case tok::TimesRowPlus: {
        const Number k = realOf(args[0]);
        Value m = matrixArg(args[1]);
        const int a = rowOf(args[2], m), b = fn == tok::TimesRow ? a : rowOf(args[3], m);
        for (int c = 0; c < m.cols; ++c) {
            const Number x = mul(k, m.items[a * m.cols + c]);
            Number &y = m.items[b * m.cols + c];
            y = fn == tok::TimesRow ? x : add(y, x);
        }
        return m;
    }
    case tok::Ref:
    case tok::Rref: {
        const Value &m = matrixArg(args[0]);
        if (m.rows > m.cols)
            raise(Error::InvalidDim);
        Grid g = gridOf(m);
        const long double scale = largest(g);
        eliminate(g, fn == tok::Rref, scale);
        return valueOf(g, std::max<long double>(largest(g), scale));
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

// cumSum( of a matrix: each column on its own, top to bottom.
Value columnSums(const Value &m)
{
    Value out = m;
    for (int r = 1; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c)
            out.items[r * m.cols + c] =
                add(out.items[(r - 1) * m.cols + c], m.items[r * m.cols + c]);
    return out;
}

namespace
{
const Builtin kMatrices[] = {
    {tok::Det, "Det", Builtin::Parsed, 1, 1, matrixFunction},
    {tok::Identity, "Identity", Builtin::Parsed, 1, 1, matrixFunction},
    {tok::RandM, "RandM", Builtin::Parsed, 2, 2, matrixFunction},
    {tok::RowSwap, "RowSwap", Builtin::Parsed, 3, 3, matrixFunction},
    {tok::RowPlus, "RowPlus", Builtin::Parsed, 3, 3, matrixFunction},
    {tok::TimesRow, "TimesRow", Builtin::Parsed, 3, 3, matrixFunction},
    {tok::TimesRowPlus, "TimesRowPlus", Builtin::Parsed, 4, 4, matrixFunction},
    {tok::Ref, "Ref", Builtin::Parsed, 1, 1, matrixFunction},
    {tok::Rref, "Rref", Builtin::Parsed, 1, 1, matrixFunction},
};
} // namespace

const Library matricesLibrary{"matrices", kMatrices, int(std::size(kMatrices))};

} // namespace calc::basic
