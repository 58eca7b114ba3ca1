// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Matrix algebra, statistics and the finance solver: their tokens and what
// the compiler and the arithmetic of Value.cpp ask of them. The work itself
// is in Matrices.cpp, Statistics.cpp and Finance.cpp.
#include "calc/basic/core/Value.h"

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
    RegD = 0x6219,
    RegE = 0x621A,
    RegX1 = 0x621B, // Med-Med's summary points x₁ x₂ x₃ y₁ y₂ y₃
    RegY3 = 0x6220,
    RegR = 0x6212,
    RegR2 = 0x6235,
    RegBigR2 = 0x6236,
    // The rest of the distributions, tests, intervals and regressions.
    CubicReg = 0x2E,
    QuartReg = 0x2F,
    LnReg = 0xF6,
    PwrReg = 0xF7,
    MedMed = 0xF8,
    TCdf = 0xBB12,
    ChiCdf = 0xBB13,
    FCdf = 0xBB14,
    GeometPdf = 0xBB19,
    GeometCdf = 0xBB1A,
    TPdf = 0xBB1C,
    ChiPdf = 0xBB1D,
    FPdf = 0xBB1E,
    SinReg = 0xBB32,
    Logistic = 0xBB33,
    LinRegTTest = 0xBB34,
    ShadeNorm = 0xBB35,
    ShadeT = 0xBB36,
    ShadeChi = 0xBB37,
    ShadeF = 0xBB38,
    ZTest = 0xBB3B,
    TTest = 0xBB3C,
    TwoSampZTest = 0xBB3D,
    OnePropZTest = 0xBB3E,
    TwoPropZTest = 0xBB3F,
    ChiTest = 0xBB40,
    TwoSampZInt = 0xBB42,
    OnePropZInt = 0xBB43,
    TwoPropZInt = 0xBB44,
    TwoSampTTest = 0xBB46,
    TwoSampFTest = 0xBB47,
    TInterval = 0xBB48,
    TwoSampTInt = 0xBB49,
    Anova = 0xBB59,
    InvT = 0xEF13,
    ChiGofTest = 0xEF14,
    LinRegTInt = 0xEF15,
    ManualFit = 0xEF16,
    InvBinom = 0xEF95,
    // The test results: p … upper, s, and ANOVA('s factor and error df, SS, MS.
    TestP = 0x6222,
    TestLast = 0x623C,
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
// Distributions.cpp and StatisticsTests.cpp: the DISTR functions that came
// later, the tests and intervals, and the regressions that came later.
bool isDistribution(int t);
bool isStatTest(int t);
bool inRegressionsLibrary(int t);
bool isTvmFunction(int t);

} // namespace calc::basic
