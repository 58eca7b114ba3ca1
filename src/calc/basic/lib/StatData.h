// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What Statistics.cpp lends the regressions of Regressions.cpp: points
// with their frequencies, the 2-Var Stats every regression sets, and the
// equation as RegEQ holds it; and what the tests share with LinRegTTest
// and LinRegTInt.
#include "calc/basic/core/Value.h"

#include <QHash>

#include <vector>

namespace calc::basic
{

// Points with positive frequency; a frequency of 0 leaves its point out.
struct StatData {
    std::vector<long double> x, y, w;
    long double n = 0; // Σ of the frequencies
    bool wholeWeights = true;
};

StatData statData(const Value &xs, const Value *ys, const Value *freq);
// Clears the earlier results and sets the 2-Var Stats of the points.
void statDescribe(QHash<int, Value> &out, const StatData &d);
void statEquation(QHash<int, Value> &out, const QString &equation);
// A coefficient as an equation writes it: every digit, ⁻ for minus.
QString statNumber(const Number &x);
// A result as its screen writes it, in `room` columns.
QString statFitted(long double v, int room);
// A test's alternative (−1, 0 or 1: the sign of argument i; 0 when left
// out) and its C-Level as a fraction (95 and .95 both mean 95 %).
int alternativeOf(const Value *args, int n, int i);
long double levelOf(const Value *args, int n, int i);

} // namespace calc::basic
