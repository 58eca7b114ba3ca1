// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Matrix algebra, statistics and the finance solver: their tokens and what
// the compiler and the arithmetic of Value.cpp ask of them. The work itself
// is in Matrices.cpp, Statistics.cpp and Finance.cpp.
#include "calc/basic/Value.h"

namespace calc::tok
{
enum : int {
    RowSwap = 0x15,
    RowPlus = 0x16,
    TimesRow = 0x17,
    TimesRowPlus = 0x18,
    RandM = 0x20,
    Det = 0xB3,
    Identity = 0xB4,
    OneVarStats = 0xF2,
    LinRegABx = 0xF4,
    ExpReg = 0xF5,
    QuadReg = 0xF9,
    LinRegAxB = 0xFF,
    Npv = 0xBB00,
    Irr = 0xBB01,
    ToNom = 0xBB05,
    ToEff = 0xBB06,
    StdDev = 0xBB0D,
    Variance = 0xBB0E,
    NormalCdf = 0xBB10,
    InvNorm = 0xBB11,
    BinomPdf = 0xBB15,
    BinomCdf = 0xBB16,
    PoissonPdf = 0xBB17,
    PoissonCdf = 0xBB18,
    NormalPdf = 0xBB1B,
    RandNorm = 0xBB1F,
    TvmPmt = 0xBB20,
    TvmFV = 0xBB24,
    Ref = 0xBB2D,
    Rref = 0xBB2E,
    PmtEnd = 0xBB4B,
    Conj = 0xBB25,
    RealPart = 0xBB26,
    ImagPart = 0xBB27,
    Angle = 0xBB28,
    PmtBgn = 0xBB4C,
    // Statistics results: RegEQ, n, x̄ … and the regression's a, b, c, r, r², R².
    RegEQ = 0x6201,
    StatN = 0x6202,
    StatLast = 0x6215, // Q₃
    RegA = 0x6216,
    RegC = 0x6218,
    RegR = 0x6212,
    RegR2 = 0x6235,
    RegBigR2 = 0x6236,
    // The finance solver's N, I%, PV, PMT, FV, P/Y, C/Y.
    FinN = 0x632B,
    FinCY = 0x6331,
};
} // namespace calc::tok

namespace calc::basic
{
struct NumberFormat;

// Complex numbers (Complex.cpp): a value of its parts, the arithmetic of
// two values one of which is complex, and how the home screen writes one.
Value complexValue(Number re, Number im);
Value complexBinary(int op, const Value &a, const Value &b);
QString complexText(const Value &v, const NumberFormat &f);
// Lists of complex numbers (ComplexLists.cpp): one of values, real or
// complex; the number of elements and one of them, real or complex; the
// list with element i (0-based, or one past the end) replaced; arithmetic
// of a list with a complex number or of a complex list; the screen's text.
Value listOfValues(const QVector<Value> &elements);
int elementCount(const Value &list);
Value elementOf(const Value &list, int i);
Value withElement(const Value &list, int i, const Value &x);
Value complexListBinary(int op, const Value &a, const Value &b);
QString complexListText(const Value &v, const NumberFormat &f);

// [A]^n: whole powers 0 to 255 of a square matrix.
Value matrixPower(const Value &m, const Number &n);
// cumSum( of a matrix: each column's running sums.
Value columnSums(const Value &m);
// Whether two matrices hold the same elements ([A]=[B]).
bool sameMatrix(const Value &a, const Value &b);
// Variables read like reals: the statistics results and the finance solver's.
bool isMathVariable(int t);
// Of those, the ones a program stores to: the finance solver's.
bool isStoredMathVariable(int t);
// Statements that set the statistics variables, and tvm_ functions whose
// arguments are optional.
bool isStatCommand(int t);
bool isTvmFunction(int t);

} // namespace calc::basic
