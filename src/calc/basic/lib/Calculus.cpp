// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// solve(, fnInt(, nDeriv(, fMin(, fMax( and Σ(: the expression is evaluated
// with its variable set to each value tried; the variable keeps its own
// value afterwards. The searches work in long double and give back a
// number of the calculator's 14 digits.
#include "calc/basic/core/NumberTokens.h"
#include "calc/basic/lib/Libraries.h"

#include <cmath>
#include <functional>

namespace calc::basic
{

namespace
{

long double ld(const Number &x)
{
    return x.toLongDouble();
}

// Which command is being evaluated, against nesting it in itself; nDeriv(
// may hold one nDeriv( (two bits of depth).
unsigned nestBit(int fn)
{
    switch (fn) {
    case tok::Solve:
        return 1;
    case tok::FnInt:
        return 2;
    case tok::FMin:
    case tok::FMax:
        return 4;
    case tok::Summation:
        return 8;
    default:
        return 16; // nDeriv(: 16, then 32 for the one inside
    }
}

// Gauss–Kronrod 7–15: the nodes on [0, 1] of the half interval, Kronrod
// weights, and the Gauss weights of the odd nodes and the centre.
constexpr long double kNodes[8] = {
    0.991455371120812639206854697526329L, 0.949107912342758524526189684047851L,
    0.864864423359769072789712788640926L, 0.741531185599394439863864773280788L,
    0.586087235467691130294144845693013L, 0.405845151377397166906606412076961L,
    0.207784955007898467600689403773245L, 0.0L};
constexpr long double kKronrod[8] = {
    0.022935322010529224963732008058970L, 0.063092092629978553290700663189204L,
    0.104790010322250183839876322541518L, 0.140653259715525918745189590510238L,
    0.169004726639267902826583426598550L, 0.190350578064785409913256402421014L,
    0.204432940075298892414161999234649L, 0.209482141084727828012999174891714L};
constexpr long double kGauss[4] = {
    0.129484966168869693270611432679082L, 0.279705391489276667901467771423780L,
    0.381830050505118944950369775488975L, 0.417959183673469387755102040816327L};

template <typename F>
long double integrate(F &f, long double a, long double b, long double tol, int depth,
                      int *intervals)
{
    if (++*intervals > 4000 || depth > 60)
        raise(Error::TolNotMet);
    const long double c = (a + b) / 2, h = (b - a) / 2;
    const long double fc = f(c);
    long double k = fc * kKronrod[7], g = fc * kGauss[3];
    for (int j = 0; j < 7; ++j) {
        const long double x = h * kNodes[j], s = f(c - x) + f(c + x);
        k += kKronrod[j] * s;
        if (j % 2 == 1)
            g += kGauss[j / 2] * s;
    }
    k *= h;
    g *= h;
    // Each half must meet the whole tolerance on its own.
    if (std::fabs(k - g) <= tol)
        return k;
    return integrate(f, a, c, tol, depth + 1, intervals) +
           integrate(f, c, b, tol, depth + 1, intervals);
}

// Brent's search for the smallest value of f on [a, b].
template <typename F> long double minimum(F &f, long double a, long double b, long double tol)
{
    const long double golden = (3 - std::sqrt(5.0L)) / 2, eps = 1e-7L;
    long double x = a + golden * (b - a), w = x, v = x, e = 0, d = 0;
    long double fx = f(x), fw = fx, fv = fx;
    for (int i = 0; i < 500; ++i) {
        const long double m = (a + b) / 2, tol1 = eps * std::fabs(x) + tol / 3, tol2 = 2 * tol1;
        if (std::fabs(x - m) <= tol2 - (b - a) / 2)
            return x;
        bool goldenStep = true;
        if (std::fabs(e) > tol1) {
            long double r = (x - w) * (fx - fv), q = (x - v) * (fx - fw),
                        p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0)
                p = -p;
            q = std::fabs(q);
            const long double last = e;
            e = d;
            if (std::fabs(p) < std::fabs(q * last / 2) && p > q * (a - x) && p < q * (b - x)) {
                d = p / q;
                const long double u = x + d;
                if (u - a < tol2 || b - u < tol2)
                    d = m >= x ? tol1 : -tol1;
                goldenStep = false;
            }
        }
        if (goldenStep) {
            e = x < m ? b - x : a - x;
            d = golden * e;
        }
        const long double u = std::fabs(d) >= tol1 ? x + d : x + (d > 0 ? tol1 : -tol1);
        const long double fu = f(u);
        if (fu <= fx) {
            (u < x ? b : a) = x;
            v = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw, w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
    raise(Error::TolNotMet);
}

// Brent's root finder on [a, b], where f changes sign.
template <typename F>
long double root(F &f, long double a, long double b, long double fa, long double fb)
{
    long double c = a, fc = fa, d = b - a, e = d;
    for (int i = 0; i < 300; ++i) {
        if ((fb > 0) == (fc > 0)) {
            c = a, fc = fa, d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b, b = c, c = a;
            fa = fb, fb = fc, fc = fa;
        }
        const long double tol = 2e-15L * std::fabs(b) + 1e-300L, m = (c - b) / 2;
        if (std::fabs(m) <= tol || fb == 0)
            return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            long double p, q, s = fb / fa;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const long double r = fb / fc;
                q = fa / fc;
                p = s * (2 * m * q * (q - r) - (b - a) * (r - 1));
                q = (q - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = m;
            }
        } else {
            d = e = m;
        }
        a = b, fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
    }
    return b;
}

// The expression of a command and the variable it sets to each value tried.
struct Trial {
    Calculator &c;
    int var;
    std::function<Value()> expression;

    // Each value tried counts as a step, so a run away search still stops.
    Value at(const Number &x)
    {
        c.evaluator().step();
        c.reals()[var] = x;
        return expression();
    }
    long double operator()(long double x) { return ld(realOf(at(fromLd(x)))); }
};

long double tolerance(const Value *args, int n, int i)
{
    if (n <= i)
        return 1e-5L;
    const Number t = realOf(args[i]);
    if (t.isZero() || t.isNegative())
        raise(Error::Domain);
    return ld(t);
}

// nDeriv(: (f(x+h)−f(x−h))/2h in the calculator's own arithmetic, at each
// value of a list too.
Value derivative(Trial &f, const Value *args, int n)
{
    Number h;
    Number::fromDigits("1", 0, -2, &h); // .001
    if (n == 2)
        h = realOf(args[1]);
    if (h.isZero())
        raise(Error::Domain);
    return mapReal(args[0], [&](const Number &x) {
        const Number up = realOf(f.at(add(x, h)));
        const Number down = realOf(f.at(sub(x, h)));
        return divide(sub(up, down), mul(num(2), h));
    });
}

Value integral(Trial &f, const Value *args, int n)
{
    const long double a = ld(realOf(args[0])), b = ld(realOf(args[1])), tol = tolerance(args, n, 2);
    int intervals = 0;
    return Value::real(a == b ? Number() : fromLd(integrate(f, a, b, tol, 0, &intervals)));
}

// fMin( and fMax(: fMax( is the smallest of −f.
Value extremum(Trial &f, const Value *args, int n, bool largest)
{
    const long double a = ld(realOf(args[0])), b = ld(realOf(args[1])), tol = tolerance(args, n, 2);
    if (a > b)
        raise(Error::Bound);
    auto g = [&](long double x) { return largest ? -f(x) : f(x); };
    return Value::real(a == b ? realOf(args[0]) : fromLd(minimum(g, a, b, tol)));
}

// f at x, or false where f is undefined there; running out of steps or a
// break still ends the search.
bool tried(Trial &f, long double x, long double *fx)
{
    try {
        *fx = f(x);
        return true;
    } catch (const RunError &e) {
        if (e.error == Error::Steps || e.error == Error::Break)
            throw;
        return false;
    }
}

// Outwards from the guess on both sides, each step twice the last, until
// the sign changes; points where f is undefined are passed by. The change
// lies between a and b.
bool bracket(Trial &f, long double guess, long double fg, long double lo, long double hi,
             long double *a, long double *b, long double *fa, long double *fb)
{
    long double step = std::max(std::fabs(guess), 1.0L) * 1e-3L;
    long double lx = guess, lf = fg, rx = guess, rf = fg;
    for (int i = 0; i < 400 && (lx > lo || rx < hi); ++i, step *= 2) {
        for (int side : {1, -1}) {
            long double &px = side > 0 ? rx : lx, &pf = side > 0 ? rf : lf;
            const long double x =
                side > 0 ? std::min(guess + step, hi) : std::max(guess - step, lo);
            long double fx;
            if (x == px || !tried(f, x, &fx))
                continue;
            if (fx == 0 || (fx > 0) != (pf > 0)) {
                *a = px, *fa = pf, *b = x, *fb = fx;
                return true;
            }
            px = x;
            pf = fx;
        }
    }
    return false;
}

// solve(: a root near the guess, within the bounds when given.
Value solveFor(Trial &f, const Value *args, int n)
{
    long double lo = -1e99L, hi = 1e99L;
    if (n == 2) {
        const QVector<Number> &bounds = listOf(args[1]);
        if (bounds.size() != 2)
            raise(Error::InvalidDim);
        lo = ld(bounds[0]);
        hi = ld(bounds[1]);
    }
    const long double guess = ld(realOf(args[0]));
    if (guess < lo || guess > hi || lo > hi)
        raise(Error::BadGuess);
    long double fg;
    if (!tried(f, guess, &fg))
        raise(Error::BadGuess);
    if (fg == 0)
        return Value::real(realOf(args[0]));
    long double a = 0, b = 0, fa = 0, fb = 0;
    if (!bracket(f, guess, fg, lo, hi, &a, &b, &fa, &fb))
        raise(Error::NoSignChng);
    return Value::real(fb == 0 ? fromLd(b) : fromLd(root(f, a, b, fa, fb)));
}

Value summation(Trial &f, const Value *args)
{
    std::int64_t first, last;
    if (!realOf(args[0]).toInt(&first) || !realOf(args[1]).toInt(&last))
        raise(Error::Domain);
    Value result = Value::real(Number());
    for (std::int64_t k = first; k <= last; ++k)
        result = binary(tok::Plus, result, f.at(num(k)));
    return result;
}

} // namespace

Value calculus(Calculator &c_, int fn, const Value *args, int n, int body, int var,
               const Chunk *prog)
{
    unsigned bit = nestBit(fn);
    if (fn == tok::NDeriv && (c_.calculusNest() & bit))
        bit = 32;
    if (c_.calculusNest() & bit)
        raise(Error::IllegalNest);
    // The variable takes real values while the command runs, and its own
    // value, complex or not, back afterwards.
    struct Restore {
        Calculator &c;
        unsigned bit;
        int var;
        Number saved;
        unsigned complex;
        ~Restore()
        {
            c.calculusNest() &= ~bit;
            c.reals()[var] = saved;
            c.complexReals() |= complex;
        }
    } restore{c_, bit, var, c_.reals()[var], c_.complexReals() & (1u << var)};
    c_.complexReals() &= ~(1u << var);
    c_.calculusNest() |= bit;
    Trial f{c_, var, c_.expression(prog->names[body])};
    switch (fn) {
    case tok::NDeriv:
        return derivative(f, args, n);
    case tok::FnInt:
        return integral(f, args, n);
    case tok::FMin:
    case tok::FMax:
        return extremum(f, args, n, fn == tok::FMax);
    case tok::Solve:
        return solveFor(f, args, n);
    case tok::Summation:
        return summation(f, args);
    default:
        raise(Error::Syntax);
    }
}

} // namespace calc::basic
