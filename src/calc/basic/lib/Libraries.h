// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The libraries of built-ins: plain functions of the calculator's state
// and their arguments, one family of tokens each. The loop reaches them
// through the libraries' tables (Library.h); they call each other where one
// family lends another its work.
#include "calc/TokenCodes.h"
#include "calc/basic/core/Bytecode.h"
#include "calc/basic/core/Number.h"
#include "calc/basic/core/Value.h"
#include "calc/basic/state/Calculator.h"

#include <QStringList>

#include <array>
#include <functional>
#include <utility>
#include <vector>

namespace calc::basic
{

struct Chunk;

Value unary(Calculator &c_, int op, const Value &v);
Value realFunction(Calculator &c_, int fn, Value *args, int n);
Value listStatistic(Calculator &c_, int fn, Value *args, int n);
Value listShape(Calculator &c_, int fn, Value *args, int n);
Value trigFunction(Calculator &c_, int fn, Value *args, int n);
// rand(, randInt(, randNorm( and randBin(: one draw, or a list of count.
Value draws(const Value *count, const std::function<Number()> &draw);
Value integerFunction(Calculator &c_, int fn, Value *args, int n);
Value stringFunction(Calculator &c_, int fn, Value *args, int n);
// What published programs use besides (Lists.cpp).
Value moreFunction(Calculator &c_, int fn, Value *args, int n);
Value shownAs(Calculator &c_, const Value &v, bool fraction);
// SortA(keys,dependent…): lists are (kind, key) of the dependent lists.
void sortAlong(Calculator &c_, std::vector<std::pair<int, int>> lists, int kind, int key, bool up,
               const Chunk *prog);
// Matrices.cpp, Statistics.cpp and Finance.cpp: each passes what it
// does not know on to the next.
Value matrixUnary(Calculator &c_, int op, const Value &v);
Value matrixFunction(Calculator &c_, int fn, Value *args, int n);
Value statFunction(Calculator &c_, int fn, Value *args, int n);
void regression(Calculator &c_, int fn, Value *args, int n);
Value statVariable(Calculator &c_, int t);
Value financeFunction(Calculator &c_, int fn, Value *args, int n);
// Distributions.cpp, StatisticsTests.cpp, Regressions.cpp: the rest of the
// statistics; a command's last argument says whether its results
// screen is what the program ends on.
Value distribution(Calculator &c_, int fn, Value *args, int n);
Value statTest(Calculator &c_, int fn, Value *args, int n);
Value regressionCommand(Calculator &c_, int fn, Value *args, int n);
Value shadeCommand(Calculator &c_, int fn, Value *args, int n);
Value clock(Calculator &c_, int fn, Value *args, int n);
void regressionScreen(Calculator &c_, int fn, bool shown, int alternative = 0);
void showResults(Calculator &c_, const QStringList &lines);
void storeResiduals(Calculator &c_, const Value &xs, const Value &ys);
void shadeDistribution(Calculator &c_, int fn, Value *args, int n);
void shadeDensity(Calculator &c_, const std::function<long double(long double)> &density,
                  long double lo, long double hi, long double lo2 = 0, long double hi2 = 0);
void writeArea(Calculator &c_, const QString &first, const QString &second);
void drawTest(Calculator &c_, int fn, long double stat, int alternative, long double d1,
              long double d2, const QString &name, long double p);
Value tvm(Calculator &c_, int fn, Value *args, int n);
Number finance(Calculator &c_, int t);
Value mathVariable(Calculator &c_, int t);
void storeMathVariable(Calculator &c_, int t, const Value &v);
Value complexUnary(Calculator &c_, int op, const Value &v);
bool complexMode(Calculator &c_);
bool wantsComplex(Calculator &c_, int fn, const Value &a);
Value complexFunction(Calculator &c_, int fn, const Value &a);
Value partFunction(Calculator &c_, int fn, Value *args, int n);
Number trig(Calculator &c_, int fn, Number x);
// Colour.cpp: the colour models' screen and commands.
void colourDraw(Calculator &c_, int cmd, const Value *args, int n);
QString joinedText(const Value *args, int n);
void colourCommand(Calculator &c_, int cmd, const Value *args, int n);
void wait(Calculator &c_, const Value &seconds);
void timedPause(Calculator &c_, const Value &shown, const Value &seconds);
Value colourFunction(Calculator &c_, int fn, Value *args, int n);
Value calculus(Calculator &c_, int fn, const Value *args, int n, int body, int var,
               const Chunk *prog);
// Conversions.cpp: conversions, fractions, the finance leftovers.
Value numberFunction(Calculator &c_, int fn, Value *args, int n);
// System.cpp: the TI-84 Plus's clock as setDate( and setTime( left it,
// its other commands, timeCnv( and pieceWise(.
void systemCommand(Calculator &c_, int cmd, const Value *args, int n);
Value systemFunction(Calculator &c_, int fn, Value *args, int n);

} // namespace calc::basic
