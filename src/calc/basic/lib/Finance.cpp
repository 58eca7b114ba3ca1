// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The finance solver: its variables N, I%, PV, PMT, FV, P/Y and C/Y, the
// tvm_ functions, npv(, irr(, ►Eff( and ►Nom(. Payments fall at the end of
// each period unless Pmt_Bgn is set.
#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"

#include <cmath>
#include <functional>
#include <iterator>

namespace calc::basic
{

namespace
{

enum Fin : int { FN = tok::FinN, FI, FPV, FPMT, FFV, FPY, FCY };

// Which of the solver's variables each tvm_ function's arguments replace,
// in order; the one solved for is left out.
const int kTvmArgs[5][6] = {
    {FN, FI, FPV, FFV, FPY, FCY},   // tvm_Pmt
    {FN, FPV, FPMT, FFV, FPY, FCY}, // tvm_I%
    {FN, FI, FPMT, FFV, FPY, FCY},  // tvm_PV
    {FI, FPV, FPMT, FFV, FPY, FCY}, // tvm_N
    {FN, FI, FPV, FPMT, FPY, FCY},  // tvm_FV
};

long double ld(const Number &x)
{
    return x.toLongDouble();
}

// The rate per payment period from I% compounded C/Y times a year.
long double periodRate(long double iPct, long double py, long double cy)
{
    return std::exp(cy / py * std::log1p(iPct / (100 * cy))) - 1;
}

// The cash flows with their frequencies, one after another.
std::vector<long double> flowsOf(const Value &cf0, const Value &list, const Value *freq)
{
    std::vector<long double> flows{ld(realOf(cf0))};
    const QVector<Number> &l = listOf(list);
    if (freq && listOf(*freq).size() != l.size())
        raise(Error::DimMismatch);
    for (int i = 0; i < l.size(); ++i) {
        std::int64_t times = 1;
        if (freq && (!freq->items[i].toInt(&times) || times < 0 || times > 10000))
            raise(Error::Domain);
        flows.insert(flows.end(), size_t(times), ld(l[i]));
    }
    return flows;
}

long double npvOf(const std::vector<long double> &flows, long double rate)
{
    long double s = 0, d = 1;
    for (long double f : flows) {
        s += f / d;
        d *= 1 + rate;
    }
    return s;
}

// A root of f between lo and hi, where f changes sign.
long double bisect(const std::function<long double(long double)> &f, long double lo, long double hi)
{
    long double flo = f(lo);
    for (int i = 0; i < 200 && hi - lo > 1e-18L * std::max<long double>(1, std::fabs(hi)); ++i) {
        const long double mid = (lo + hi) / 2, fm = f(mid);
        if ((fm < 0) == (flo < 0)) {
            lo = mid;
            flo = fm;
        } else {
            hi = mid;
        }
    }
    return (lo + hi) / 2;
}

// The first sign change of f over rates from just above -100 % upwards,
// scanning outwards from 0 so the root nearest it wins.
bool bracket(const std::function<long double(long double)> &f, long double *lo, long double *hi)
{
    std::vector<long double> grid;
    for (long double r = 1e-4L; r < 1e5L; r *= 1.25L)
        grid.push_back(r);
    const long double f0 = f(0);
    if (f0 == 0) {
        *lo = *hi = 0;
        return true;
    }
    long double up = 0, down = 0;
    for (long double r : grid) {
        if (r < 1 && (f(-r) < 0) != (f0 < 0)) {
            *lo = -r;
            *hi = down;
            return true;
        }
        if ((f(r) < 0) != (f0 < 0)) {
            *lo = up;
            *hi = r;
            return true;
        }
        up = r;
        if (r < 1)
            down = -r;
    }
    return false;
}

} // namespace

Number finance(Calculator &c_, int t)
{
    const auto it = c_.maths().constFind(t);
    if (it != c_.maths().constEnd())
        return it->num;
    return num(t == FPY || t == FCY ? 1 : 0);
}

Value mathVariable(Calculator &c_, int t)
{
    if (t >= tok::FinN && t <= tok::FinCY)
        return Value::real(finance(c_, t));
    return statVariable(c_, t);
}

void storeMathVariable(Calculator &c_, int t, const Value &v)
{
    c_.maths()[t] = Value::real(realOf(v));
}

Value tvm(Calculator &c_, int fn, Value *args, int n)
{
    const int which = fn - tok::TvmPmt;
    for (int i = 0; i < n; ++i)
        storeMathVariable(c_, kTvmArgs[which][i], args[i]);
    const long double nper = ld(finance(c_, FN)), iPct = ld(finance(c_, FI)),
                      pv = ld(finance(c_, FPV)), pmt = ld(finance(c_, FPMT)),
                      fv = ld(finance(c_, FFV)), py = ld(finance(c_, FPY)),
                      cy = ld(finance(c_, FCY));
    if (py <= 0 || cy <= 0)
        raise(Error::Domain);
    const bool begin = c_.settings().modes.value(tok::PmtEnd, tok::PmtEnd) == tok::PmtBgn;
    // FV + PV·(1+i)^N + PMT·G·((1+i)^N-1)/i = 0, G = 1+i when paid at the start.
    auto balance = [&](long double i, long double periods, long double pValue,
                       long double payment) {
        if (i == 0)
            return pValue + payment * periods;
        const long double grow = std::pow(1 + i, periods), g = begin ? 1 + i : 1;
        return pValue * grow + payment * g * (grow - 1) / i;
    };
    long double r = 0;
    if (which == 1) {
        if (nper <= 0)
            raise(Error::Domain);
        // NO SIGN CHNG when nothing in the flows pulls the other way.
        if ((pv >= 0 && pmt >= 0 && fv >= 0) || (pv <= 0 && pmt <= 0 && fv <= 0))
            raise(Error::NoSignChng);
        auto f = [&](long double i) { return balance(i, nper, pv, pmt) + fv; };
        long double lo, hi;
        if (!bracket(f, &lo, &hi))
            raise(Error::Iterations);
        const long double i = bisect(f, lo, hi);
        r = 100 * cy * (std::exp(py / cy * std::log1p(i)) - 1);
        return Value::real(fromLd(r));
    }
    const long double i = periodRate(iPct, py, cy);
    const long double g = begin ? 1 + i : 1;
    switch (which) {
    case 0: // PMT
        if (nper == 0)
            raise(Error::Domain);
        r = i == 0 ? -(pv + fv) / nper : -i / g * (pv + (pv + fv) / (std::pow(1 + i, nper) - 1));
        break;
    case 2: // PV
        r = i == 0 ? -(fv + pmt * nper) : (pmt * g / i - fv) / std::pow(1 + i, nper) - pmt * g / i;
        break;
    case 3: { // N
        if (i == 0) {
            if (pmt == 0)
                raise(Error::DivideBy0);
            r = -(pv + fv) / pmt;
            break;
        }
        const long double q = (pmt * g - fv * i) / (pmt * g + pv * i);
        if (q <= 0)
            raise(Error::Domain);
        r = std::log(q) / std::log1p(i);
        break;
    }
    default: // FV
        r = -balance(i, nper, pv, pmt);
        break;
    }
    if (!std::isfinite(r))
        raise(Error::DivideBy0);
    return Value::real(fromLd(r));
}

Value financeFunction(Calculator &, int fn, Value *args, int n)
{
    switch (fn) {
    case tok::Npv: {
        const long double rate = ld(realOf(args[0])) / 100;
        const auto flows = flowsOf(args[1], args[2], n == 4 ? &args[3] : nullptr);
        return Value::real(fromLd(npvOf(flows, rate)));
    }
    case tok::Irr: {
        const auto flows = flowsOf(args[0], args[1], n == 3 ? &args[2] : nullptr);
        bool pos = false, neg = false;
        for (long double f : flows) {
            pos = pos || f > 0;
            neg = neg || f < 0;
        }
        if (!pos || !neg)
            raise(Error::NoSignChng);
        auto f = [&](long double r) { return npvOf(flows, r); };
        long double lo, hi;
        if (!bracket(f, &lo, &hi))
            raise(Error::NoSignChng);
        const long double r = lo == hi ? lo : bisect(f, lo, hi);
        return Value::real(fromLd(100 * r));
    }
    case tok::ToEff:
    case tok::ToNom: {
        const long double rate = ld(realOf(args[0])), periods = ld(realOf(args[1]));
        if (periods <= 0)
            raise(Error::Domain);
        if (periods == 1)
            return Value::real(realOf(args[0]));
        if (rate <= -100)
            raise(Error::Domain);
        const long double r = fn == tok::ToEff
                                  ? 100 * (std::pow(1 + rate / (100 * periods), periods) - 1)
                                  : 100 * periods * (std::pow(1 + rate / 100, 1 / periods) - 1);
        return Value::real(fromLd(r));
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

namespace
{
const Builtin kFinance[] = {
    {tok::Npv, "Npv", Builtin::Parsed, 3, 4, financeFunction},
    {tok::Irr, "Irr", Builtin::Parsed, 2, 3, financeFunction},
    {tok::ToEff, "ToEff", Builtin::Parsed, 2, 2, financeFunction},
    {tok::ToNom, "ToNom", Builtin::Parsed, 2, 2, financeFunction},
    {tok::TvmPmt, "tvm_Pmt", Builtin::Read, -1, -1, tvm},
    {tok::TvmPmt + 1, "tvm_I%", Builtin::Read, -1, -1, tvm},
    {tok::TvmPmt + 2, "tvm_PV", Builtin::Read, -1, -1, tvm},
    {tok::TvmPmt + 3, "tvm_N", Builtin::Read, -1, -1, tvm},
    {tok::TvmFV, "tvm_FV", Builtin::Read, -1, -1, tvm},
};
} // namespace

const Library financeLibrary{"finance", kFinance, int(std::size(kFinance))};

} // namespace calc::basic
