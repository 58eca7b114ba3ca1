// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/ChecksImpl.h"

#include "calc/Tokens.h"

#include <algorithm>

namespace calc::checks::detail
{

namespace tok = calc::tok;
using calc::basic::Error;

namespace
{

// The statement token k stands in, -1 for none.
int statementOf(const Program &p, int k)
{
    const auto &sts = p.parsed.statements;
    const auto it =
        std::upper_bound(sts.begin(), sts.end(), k,
                         [](int t, const calc::basic::Statement &s) { return t < s.first; });
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
    // An If-Then around one statement becomes a lone If by its own hint.
    const int then = nextStatement(p, first);
    return then < 0 || p.head(then) != tok::Then ||
           (p.parsed.blockEnd[then] == then + 2 && p.parsed.thenElse[then] < 0);
}

QString closersNamed(const Program &p, int first, int last)
{
    QStringList names;
    for (int k = first; k < last; ++k) {
        const int t = p.token(k).t;
        const QString name = t == tok::RParen     ? QStringLiteral("parenthesis")
                             : t == tok::RBracket ? QStringLiteral("bracket")
                             : t == tok::RBrace   ? QStringLiteral("brace")
                                                  : QStringLiteral("quote");
        if (!names.contains(name))
            names << name;
    }
    if (names.size() > 1)
        return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
               names.last();
    return names.value(0);
}

void lowercaseInStrings(Program &p)
{
    for (int k = 0; k < int(p.parsed.tokens.size()); ++k) {
        const auto &t = p.token(k);
        if (t.t != tok::String)
            continue;
        int lower = 0;
        for (const int v : calc::basic::tokenValues(p.text.bytes.mid(t.from, t.to - t.from))) {
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

namespace calc::checks::detail
{

namespace
{

QStringList firstShape(const QString &snippet)
{
    const Text t = tokenized(snippet);
    const calc::basic::Parsed p = calc::basic::parse(t.bytes);
    return p.statements.empty() ? QStringList() : p.statements.front().shape;
}

// The code words `before` and `after` differ in, with what they share cut off.
std::pair<QStringList, QStringList> difference(const QString &before, const QString &after)
{
    QStringList a = firstShape(before), b = firstShape(after);
    while (!a.isEmpty() && !b.isEmpty() && a.first() == b.first()) {
        a.removeFirst();
        b.removeFirst();
    }
    while (!a.isEmpty() && !b.isEmpty() && a.last() == b.last()) {
        a.removeLast();
        b.removeLast();
    }
    return {a, b};
}

// Whether `after` is `before` with one run of `from` made `to`.
bool swapped(const QStringList &before, const QStringList &after, const QStringList &from,
             const QStringList &to)
{
    if (from.isEmpty() || before.size() - from.size() != after.size() - to.size())
        return false;
    for (int at = 0; at + from.size() <= before.size(); ++at) {
        if (before.mid(at, from.size()) == from &&
            before.mid(0, at) + to + before.mid(at + from.size()) == after)
            return true;
    }
    return false;
}

// Proof that an edit inside one line keeps the program: the new text gives
// the old tokens with the edited ones replaced by the replacement's own, and
// the engine reads the same statements but one, whose code differs only by
// the code `before` compiles to becoming the code of `after`.
bool provenSwap(QStringView window, int start, int length, const QString &replacement,
                const QString &before, const QString &after, int *saves)
{
    const Text old = tokenized(window);
    QString edited = window.toString();
    edited.replace(start, length, replacement);
    const Text now = tokenized(edited);
    const Text middle = tokenized(replacement);
    if (!old.refused.isEmpty() || !now.refused.isEmpty() || !middle.refused.isEmpty())
        return false;
    QByteArray expected;
    bool put = false;
    for (int i = 0; i < old.bytes.size(); ++i) {
        const int at = old.at[i];
        if (at >= start && at < start + length) {
            if (at + old.len[i] > start + length)
                return false; // a token the edit cuts
            if (!put)
                expected += middle.bytes;
            put = true;
            continue;
        }
        if (at < start && at + old.len[i] > start)
            return false;
        expected += old.bytes[i];
    }
    if (now.bytes != expected || now.bytes.size() >= old.bytes.size())
        return false;
    *saves = int(old.bytes.size() - now.bytes.size());
    const calc::basic::Parsed a = calc::basic::parse(old.bytes);
    const calc::basic::Parsed b = calc::basic::parse(now.bytes);
    if (a.names != b.names || a.statements.size() != b.statements.size())
        return false;
    const auto [from, to] = difference(before, after);
    int changed = 0;
    for (size_t i = 0; i < a.statements.size(); ++i) {
        const QStringList &x = a.statements[i].shape, &y = b.statements[i].shape;
        if (x == y)
            continue;
        if (++changed > 1 || !swapped(x, y, from, to))
            return false;
    }
    return true;
}

// The swap is proven on the `lines` lines that the tokens start on.
void swapHint(Program &p, int first, int last, const QString &replacement, const QString &before,
              const QString &after, const QString &message, int lines = 1)
{
    const auto r = p.range(first, last);
    if (!p.compiles(r.first, r.second))
        return;
    const int line = p.lineOf(p.token(first).from);
    const int wStart = p.text.lineStart[line];
    int wEnd = line + lines < p.text.lineStart.size() ? p.text.lineStart[line + lines]
                                                      : int(p.model.size());
    while (wEnd > r.first + r.second &&
           (p.model.at(wEnd - 1) == u'\r' || p.model.at(wEnd - 1) == u'\n'))
        --wEnd;
    int saves = 0;
    if (!provenSwap(p.model.mid(wStart, wEnd - wStart), r.first - wStart, r.second, replacement,
                    before, after, &saves))
        return;
    Problem &pr = p.add(r.first, r.second, Severity::Hint,
                        message + QStringLiteral(" (saves %1 byte%2)")
                                      .arg(saves)
                                      .arg(saves == 1 ? QString() : QStringLiteral("s")));
    pr.saves = saves;
    pr.editStart = r.first;
    pr.editLength = r.second;
    pr.replacement = replacement;
}

QString spelled(const Program &p, int first, int last)
{
    const auto r = p.range(first, last);
    return p.model.mid(r.first, r.second).toString();
}

bool isVariable(int t)
{
    return (t >= tok::A && t <= tok::Theta);
}

// 50000 is 5ᴇ4: digits ending in zeros, shorter with an exponent.
QString shorterNumber(const QString &digits)
{
    for (const QChar c : digits) {
        if (!c.isDigit())
            return QString();
    }
    int zeros = 0;
    while (zeros < digits.size() && digits.at(digits.size() - 1 - zeros) == u'0')
        ++zeros;
    const QString mantissa = digits.left(digits.size() - zeros);
    const QString exponent = QString::number(zeros);
    if (mantissa.isEmpty() || mantissa.size() + 1 + exponent.size() >= digits.size())
        return QString();
    return mantissa + calc::tokens::modelSpelling(tok::Exp) + exponent;
}

bool isComparison(int t)
{
    return t == tok::Eq || t == tok::Ne || t == tok::Lt || t == tok::Gt || t == tok::Le ||
           t == tok::Ge;
}

// Whether tokens [first, last) are one value that is only 0 or 1: a
// comparison in parentheses, or not(...); `open` allows the last ) left out.
bool truthValue(const Program &p, int first, int last, bool open)
{
    if (last - first < 2)
        return false;
    const int t = p.token(first).t;
    if (t != tok::LParen && t != tok::Not)
        return false;
    int depth = 0;
    bool compares = t == tok::Not;
    for (int k = first; k < last; ++k) {
        const int u = p.token(k).t;
        if (u == tok::LParen || u == tok::LBrace || u == tok::LBracket ||
            calc::tokens::displayString(u).endsWith(QLatin1Char('(')))
            ++depth;
        else if (u == tok::RParen || u == tok::RBrace || u == tok::RBracket)
            --depth;
        else if (depth == 1 && isComparison(u))
            compares = true;
        if (depth == 0 && k + 1 < last)
            return false; // closed before the end: more than one value
    }
    return compares && (depth == 0 || (open && depth == 1));
}

// If (A=1) and (B=2) is If (A=1)(B=2): both are 0 or 1.
void andHint(Program &p, int s)
{
    const auto &st = p.parsed.statements[s];
    int at = -1, depth = 0;
    for (int k = st.first + 1; k < st.last; ++k) {
        const int u = p.token(k).t;
        if (u == tok::LParen || calc::tokens::displayString(u).endsWith(QLatin1Char('(')))
            ++depth;
        else if (u == tok::RParen)
            --depth;
        else if (depth == 0 && (u == tok::Or || u == tok::Xor || (u == tok::And && at >= 0)))
            return;
        else if (depth == 0 && u == tok::And)
            at = k;
    }
    if (at < 0 || !truthValue(p, st.first + 1, at, false) || !truthValue(p, at + 1, st.last, true))
        return;
    swapHint(p, at, at + 1, QString(), QStringLiteral("(A=1) and (B=1)"),
             QStringLiteral("(A=1)(B=1)"),
             QStringLiteral("and of two truth values is their product"));
}

// The shape with its jumps to statements mapped; false when one lands on a
// statement that goes.
bool mapJumps(QStringList &shape, int then)
{
    for (QString &w : shape) {
        if (!w.startsWith(QLatin1Char('@')))
            continue;
        const int t = w.mid(1).toInt();
        if (t == then || t == then + 2)
            return false;
        if (t > then)
            w = QLatin1Char('@') + QString::number(t > then + 2 ? t - 2 : t - 1);
    }
    return true;
}

// Proof that If c, Then, one statement, End (the If's first byte at `ifByte`
// in the window) runs as If c and that statement.
bool provenPlainIf(QStringView window, int start, int length, const QString &body, int ifByte,
                   int *saves)
{
    QString edited = window.toString();
    edited.replace(start, length, body);
    const Text old = tokenized(window), now = tokenized(edited);
    if (!old.refused.isEmpty() || !now.refused.isEmpty() || now.bytes.size() >= old.bytes.size())
        return false;
    const calc::basic::Parsed a = calc::basic::parse(old.bytes), b = calc::basic::parse(now.bytes);
    const int n = int(a.statements.size());
    int i = 0;
    while (i < n && (a.statements[i].first == a.statements[i].last ||
                     a.tokens[a.statements[i].first].from != ifByte))
        ++i;
    // The Then's error message leaves the names; the others keep their own.
    for (const QString &name : b.names) {
        if (!a.names.contains(name))
            return false;
    }
    if (int(b.statements.size()) != n - 2 || i + 3 >= n)
        return false;
    for (int j = 0; j < n; ++j) {
        if (j == i || j == i + 1 || j == i + 3)
            continue;
        QStringList shape = a.statements[j].shape;
        if (!mapJumps(shape, i + 1) ||
            shape != b.statements[j > i + 3 ? j - 2 : (j > i ? j - 1 : j)].shape)
            return false;
    }
    // The If keeps its condition and skips the one statement.
    const QStringList &x = a.statements[i].shape, &y = b.statements[i].shape;
    const int cx = int(x.indexOf(QString::number(calc::basic::OpIfThen)));
    const int cy = int(y.indexOf(QString::number(calc::basic::OpIfFalse)));
    if (cx < 0 || cy < 0 || x.mid(0, cx) != y.mid(0, cy) ||
        y.mid(cy) != QStringList{QString::number(calc::basic::OpIfFalse),
                                 QLatin1Char('@') + QString::number(i + 2)})
        return false;
    *saves = int(old.bytes.size() - now.bytes.size());
    return true;
}

bool single(const Program &p, int s, int t)
{
    const auto &st = p.parsed.statements[s];
    return st.last - st.first == 1 && p.token(st.first).t == t;
}

// If c / Then / one statement / End is If c / that statement.
void plainIf(Program &p, int s)
{
    const int n = p.count();
    if (s + 3 >= n || !single(p, s + 1, tok::Then) || !single(p, s + 3, tok::End) ||
        p.parsed.blockEnd[s + 1] != s + 3 || p.parsed.thenElse[s + 1] >= 0 ||
        p.parsed.statements[s].error != Error::None)
        return;
    const int body = p.head(s + 2);
    if (body < 0 || body == tok::Lbl || body == tok::End || body == tok::Else ||
        body == tok::Then || body == tok::For || body == tok::While || body == tok::Repeat ||
        body == tok::If || body == tok::IsGt || body == tok::DsLt)
        return;
    const int prev = s > 0 ? p.head(s - 1) : -1;
    if (prev == tok::If || prev == tok::IsGt || prev == tok::DsLt)
        return;
    // A lone If first in a For( loop that lacks its ")" makes the loop slow.
    if (prev == tok::For) {
        const auto &f = p.parsed.statements[s - 1];
        if (p.token(f.last - 1).t != tok::RParen)
            return;
    }
    const auto &th = p.parsed.statements[s + 1], &bd = p.parsed.statements[s + 2],
               &en = p.parsed.statements[s + 3];
    const int start = p.range(th.first, th.last).first;
    const auto e = p.range(en.first, en.last);
    const auto b = p.range(bd.first, bd.last);
    const int fromLine = std::max(0, p.lineOf(p.token(p.parsed.statements[s].first).from) - 1);
    const int wStart = p.text.lineStart[fromLine];
    const int ifByte = p.token(p.parsed.statements[s].first).from - p.text.lineByte[fromLine];
    const int wEnd = e.first + e.second;
    int saves = 0;
    const QString text = p.model.mid(b.first, b.second).toString();
    if (!provenPlainIf(p.model.mid(wStart, wEnd - wStart), start - wStart, wEnd - start, text,
                       ifByte, &saves))
        return;
    Problem &pr = p.add(
        start, wEnd - start, Severity::Hint,
        QStringLiteral("Then and End around one statement can go (saves %1 bytes)").arg(saves));
    pr.saves = saves;
    pr.editStart = start;
    pr.editLength = wEnd - start;
    pr.replacement = text;
}

// Whether the program reads Ans, or counts V with IS>( or DS<( (a deleted
// variable is undefined there): then 0→V stays.
bool delVarUnsafe(const Program &p, int v)
{
    const auto &t = p.parsed.tokens;
    for (size_t k = 0; k < t.size(); ++k) {
        if (t[k].t == tok::Ans)
            return true;
        if ((t[k].t == tok::IsGt || t[k].t == tok::DsLt) && k + 1 < t.size() && t[k + 1].t == v)
            return true;
    }
    return false;
}

// A line 0→V before another line is DelVar V joined to it: DelVar needs no
// line break after it.
void delVarHint(Program &p, int s)
{
    const auto &st = p.parsed.statements[s];
    const int nt = int(p.parsed.tokens.size());
    if (st.last - st.first != 3 || spelled(p, st.first, st.first + 1) != QLatin1String("0") ||
        p.token(st.first + 1).t != tok::Store || !isVariable(p.token(st.first + 2).t) ||
        st.last >= nt || p.token(st.last).t != tok::Newline ||
        (st.first > 0 && p.token(st.first - 1).t != tok::Newline) || s + 1 >= p.count())
        return;
    const int next = p.head(s + 1);
    const int prev = s > 0 ? p.head(s - 1) : -1;
    if (next < 0 || next == tok::Lbl || prev == tok::If || prev == tok::IsGt || prev == tok::DsLt ||
        delVarUnsafe(p, p.token(st.first + 2).t))
        return;
    const QString v = spelled(p, st.first + 2, st.first + 3);
    const QString delVar = calc::tokens::modelSpelling(tok::DelVar) + v;
    // With its line break, proven on its line and the next.
    swapHint(p, st.first, st.last + 1, delVar, QStringLiteral("0→") + v, delVar,
             QStringLiteral("0→%1 is DelVar %1, which needs no line break after it").arg(v), 2);
}

} // namespace

void replacingHints(Program &p)
{
    const int nt = int(p.parsed.tokens.size());
    const QString square = calc::tokens::modelSpelling(tok::Square);
    const QString inverse = calc::tokens::modelSpelling(tok::Inverse);
    for (int k = 0; k < nt; ++k) {
        const int t = p.token(k).t;
        const bool two = k + 1 < nt && p.token(k + 1).t == tok::Number &&
                         spelled(p, k + 1, k + 2) == QLatin1String("2");
        if (t == tok::Power && two)
            swapHint(p, k, k + 2, square, QStringLiteral("A^2"), QStringLiteral("A") + square,
                     QStringLiteral("^2 is ²"));
        if (t == tok::Number && spelled(p, k, k + 1) == QLatin1String("1") && k + 2 < nt &&
            p.token(k + 1).t == tok::Divide && isVariable(p.token(k + 2).t)) {
            const QString x = spelled(p, k + 2, k + 3);
            swapHint(p, k, k + 3, x + inverse, QStringLiteral("1/") + x, x + inverse,
                     QStringLiteral("1/%1 is %1⁻¹").arg(x));
        }
        if (t == tok::Number) {
            const QString shorter = shorterNumber(spelled(p, k, k + 1));
            if (!shorter.isEmpty())
                swapHint(p, k, k + 1, shorter, QStringLiteral("1"), QStringLiteral("1"),
                         QStringLiteral("a number with an exponent is shorter"));
        }
    }
    // A condition that is X=0 alone is not(X.
    for (int s = 0; s < p.count(); ++s) {
        const auto &st = p.parsed.statements[s];
        const int h = p.head(s);
        if (h == tok::If || h == tok::While || h == tok::Repeat)
            andHint(p, s);
        if (h == tok::If)
            plainIf(p, s);
        delVarHint(p, s);
        if ((h != tok::If && h != tok::While && h != tok::Repeat) || st.last - st.first != 4 ||
            !isVariable(p.token(st.first + 1).t) || p.token(st.first + 2).t != tok::Eq ||
            spelled(p, st.first + 3, st.last) != QLatin1String("0") ||
            (st.last < nt && p.token(st.last).t != tok::Newline))
            continue;
        const QString x = spelled(p, st.first + 1, st.first + 2);
        const QString n = calc::tokens::modelSpelling(tok::Not) + x;
        swapHint(p, st.first + 1, st.last, n, x + QStringLiteral("=0"), n,
                 QStringLiteral("%1=0 is not(%1").arg(x));
    }
}

} // namespace calc::checks::detail
