// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The continuous distributions behind the DISTR functions, the tests and
// the intervals: densities, areas between two bounds (each tail worked
// from its own side, so small areas keep their digits) and quantiles.
// Plain long double; the callers check their arguments.

namespace calc::basic::prob
{
long double normalBelow(long double z); // Φ(z)
long double normalQuantile(long double p);

long double tDensity(long double t, long double df);
long double tAbove(long double t, long double df);
long double tBetween(long double lo, long double hi, long double df);
long double tQuantile(long double p, long double df);

long double chiDensity(long double x, long double df);
long double chiAbove(long double x, long double df);
long double chiBetween(long double lo, long double hi, long double df);

long double fDensity(long double x, long double d1, long double d2);
long double fAbove(long double x, long double d1, long double d2);
long double fBetween(long double lo, long double hi, long double d1, long double d2);

// The discrete distributions. Their cumulative areas add the terms while
// there are at most kTermsAdded of them, as the calculator does; past that
// they come from the incomplete beta and gamma functions, so a billion
// trials take a moment, not hours.
constexpr long double kTermsAdded = 1000;
long double binomialTerm(long double trials, long double p, long double k);
long double binomialBelow(long double trials, long double p, long double k); // P(X ≤ k)
// The fewest successes whose P(X ≤ k) reaches `target`.
long double binomialQuantile(long double target, long double trials, long double p);
long double poissonTerm(long double mu, long double k);
long double poissonBelow(long double mu, long double k); // P(X ≤ k)

// The p-value of a statistic for the alternative −1 (below), 1 (above) or
// 0 (either side), given the area above it and the area below it.
long double pValue(int alternative, long double above, long double below);
} // namespace calc::basic::prob
