// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The smaller functions and list commands that published programs lean on:
// remainder(, logBASE(, randBin(, ΔList(, ►Frac, ►Dec, List►matr(,
// Matr►list( and SortA(/SortD( with lists sorted along.
#include "calc/Tokens.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"
#include "calc/basic/lib/Probability.h"
#include "calc/basic/screens/ColourCodes.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>

namespace calc::basic
{

namespace
{

// remainder( takes whole numbers from 0 to 1ᴇ12 only.
std::int64_t remainderOperand(const Number &x)
{
    std::int64_t v;
    if (!x.toInt(&v) || v < 0 || v > 1000000000000LL)
        raise(Error::Domain);
    return v;
}

Number remainderOf(const Number &a, const Number &b)
{
    const std::int64_t p = remainderOperand(a);
    if (b.isZero())
        raise(Error::DivideBy0);
    return num(p % remainderOperand(b));
}

Number logOf(const Number &x)
{
    if (x.isZero())
        raise(Error::Domain);
    if (x.isNegative())
        raise(Error::NonrealAns);
    return fromLd(std::log(x.toLongDouble()));
}

} // namespace

Value moreFunction(Calculator &c_, int fn, Value *args, int n)
{
    switch (fn) {
    case tok::Remainder:
        return mapRealPairs(args[0], args[1], remainderOf);
    case tok::LogBase:
        return mapRealPairs(args[0], args[1], [](Number x, Number base) {
            const Number d = logOf(base);
            if (d.isZero())
                raise(Error::DivideBy0);
            return divide(logOf(x), d);
        });
    case tok::RandBin: {
        // Up to a thousand trials the count of P>rand over N draws, so a seed
        // gives what sum(P>rand(N)) gives.
        std::int64_t trials;
        const Number p = realOf(args[1]);
        if (!realOf(args[0]).toInt(&trials) || trials < 1 || p.isNegative() || num(1) < p)
            raise(Error::Domain);
        auto one = [&] {
            // Past a thousand trials one draw picks the count from the
            // binomial distribution itself: randBin(1ᴇ12,…) in a moment.
            if (trials > prob::kTermsAdded)
                return fromLd(prob::binomialQuantile(c_.random().next().toLongDouble(),
                                                     (long double)trials, p.toLongDouble()));
            long long hits = 0;
            for (std::int64_t i = 0; i < trials; ++i) {
                // randBin(1ᴇ12,…) draws for hours: every 16 draws, about a
                // statement's work, count as a step, so the step limit and
                // Stop reach them.
                if ((i & 15) == 15)
                    c_.evaluator().step();
                hits += c_.random().next() < p;
            }
            return num(hits);
        };
        return draws(n == 3 ? &args[2] : nullptr, one);
    }
    case tok::DeltaList: {
        const QVector<Number> &l = listOf(args[0]);
        if (l.size() < 2)
            raise(Error::InvalidDim);
        QVector<Number> d(l.size() - 1);
        for (int i = 1; i < l.size(); ++i)
            d[i - 1] = sub(l[i], l[i - 1]);
        return Value::list(d);
    }
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

// ►Frac and ►Dec change how a value is shown, not the value.
Value shownAs(Calculator &, const Value &v, bool fraction)
{
    if (v.kind != Value::Real && v.kind != Value::List && v.kind != Value::Matrix)
        raise(Error::DataType);
    Value out = v;
    out.fraction = fraction;
    return out;
}

// SortA(keys,dependent…): the dependent lists take the keys' new order.
void sortAlong(Calculator &c_, std::vector<std::pair<int, int>> lists, int kind, int key, bool up,
               const Chunk *prog)
{
    lists.insert(lists.begin(), {kind, key});
    auto resolve = [&](const std::pair<int, int> &l) {
        return l.first == TNamed ? &c_.named(prog->names[l.second]) : &c_.var(l.second);
    };
    // Looked up twice: L₁..L₆ made on the first pass would move the others.
    for (const auto &l : lists)
        resolve(l);
    std::vector<Value *> along;
    for (const auto &l : lists)
        along.push_back(resolve(l));
    Value &keys = *along.front();
    along.erase(along.begin());
    for (const Value *l : along) {
        if (l->items.size() != keys.items.size())
            raise(Error::DimMismatch);
    }
    std::vector<int> order(keys.items.size());
    std::iota(order.begin(), order.end(), 0);
    const QVector<Number> k = keys.items;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return up ? k[a] < k[b] : k[b] < k[a]; });
    auto permute = [&order](Value *l) {
        const QVector<Number> old = l->items;
        for (int i = 0; i < int(order.size()); ++i)
            l->items[i] = old[order[i]];
    };
    permute(&keys);
    for (Value *l : along)
        permute(l);
}

namespace
{
const Builtin kLists[] = {
    {tok::Remainder, "Remainder", Builtin::Parsed, 2, 2, moreFunction},
    {tok::LogBase, "LogBase", Builtin::Parsed, 2, 2, moreFunction},
    {tok::RandBin, "RandBin", Builtin::Parsed, 2, 3, moreFunction},
    {tok::DeltaList, "DeltaList", Builtin::Parsed, 1, 1, moreFunction},
};
} // namespace

const Library listsLibrary{"lists", kLists, int(std::size(kLists))};

} // namespace calc::basic
