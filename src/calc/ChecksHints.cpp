// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/ChecksImpl.h"

#include "calc/Tokens.h"

#include <algorithm>

namespace calc::checks::detail
{

namespace tok = calc::run::tok;

namespace
{

// The statement token k stands in, -1 for none.
int statementOf(const Program &p, int k)
{
    const auto &sts = p.parsed.statements;
    const auto it =
        std::upper_bound(sts.begin(), sts.end(), k,
                         [](int t, const calc::run::Statement &s) { return t < s.first; });
    if (it == sts.begin())
        return -1;
    const int s = int(it - sts.begin()) - 1;
    return k < sts[s].last ? s : -1;
}

int nextStatement(const Program &p, int s)
{
    for (int j = s + 1; j < p.count(); ++j) {
        if (p.head(j) >= 0)
            return j;
    }
    return -1;
}

} // namespace

bool forParenKeepsSpeed(const Program &p, int k)
{
    // Without its ")" For( makes the calculator look for a first statement
    // that is a lone If or IS>( / DS<( much more slowly.
    const int s = k > 0 ? statementOf(p, k - 1) : -1;
    if (s < 0 || p.head(s) != tok::For)
        return false;
    const int first = nextStatement(p, s);
    if (first < 0)
        return false;
    const int h = p.head(first);
    if (h == tok::IsGt || h == tok::DsLt)
        return true;
    if (h != tok::If)
        return false;
    const int then = nextStatement(p, first);
    return then < 0 || p.head(then) != tok::Then;
}

void lowercaseInStrings(Program &p)
{
    for (int k = 0; k < int(p.parsed.tokens.size()); ++k) {
        const auto &t = p.token(k);
        if (t.t != tok::String)
            continue;
        int lower = 0;
        for (const int v : calc::run::tokenValues(p.text.bytes.mid(t.from, t.to - t.from))) {
            const QString d = calc::tokens::displayString(v);
            lower += v > 0xFF && d.size() == 1 && d.at(0) >= u'a' && d.at(0) <= u'z';
        }
        if (lower == 0)
            continue;
        // No edit: capitals change what the program shows.
        Problem &pr = p.addTokens(k, k + 1, Severity::Hint,
                                  QStringLiteral("lowercase letters take two bytes each: in "
                                                 "capitals this text is smaller (saves %1 byte%2)")
                                      .arg(lower)
                                      .arg(lower == 1 ? QString() : QStringLiteral("s")));
        pr.saves = lower;
    }
}

} // namespace calc::checks::detail
