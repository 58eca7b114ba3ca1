// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/ChecksImpl.h"

#include "calc/Tokens.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace calc::checks::detail
{

namespace tok = calc::tok;
using calc::basic::Error;

int Program::head(int s) const
{
    const auto &st = parsed.statements[s];
    return st.first < st.last ? token(st.first).t : -1;
}

std::pair<int, int> Program::range(int first, int last) const
{
    if (last <= first)
        last = first + 1;
    const int a = text.at[token(first).from];
    const int endByte = token(last - 1).to - 1;
    return {a, text.at[endByte] + text.len[endByte] - a};
}

int Program::lineOf(int byte) const
{
    return int(std::upper_bound(text.lineByte.begin(), text.lineByte.end(), byte) -
               text.lineByte.begin()) -
           1;
}

Problem &Program::add(int start, int length, Severity s, const QString &message)
{
    Problem p;
    p.severity = s;
    const auto it = std::upper_bound(text.lineStart.begin(), text.lineStart.end(), start);
    p.line = int(it - text.lineStart.begin());
    // A mark stays on the line it starts on, where the editor underlines it;
    // a fix may still reach past the line break. A mark on the break itself
    // marks the line's text.
    const int begin = text.lineStart[p.line - 1];
    int end = p.line < text.lineStart.size() ? text.lineStart[p.line] : int(model.size());
    while (end > begin && (model.at(end - 1) == u'\r' || model.at(end - 1) == u'\n'))
        --end;
    if (start >= end && end > begin)
        start = begin;
    p.start = start;
    p.length = std::max(1, std::min(length, end - start));
    p.column = start - begin + 1;
    p.message = message;
    out_ << p;
    return out_.last();
}

bool Program::compiles(int start, int length) const
{
    for (const auto &st : parsed.statements) {
        if (st.error == calc::basic::Error::None || st.first >= st.last)
            continue;
        const auto r = range(st.first, st.last);
        if (r.first < start + std::max(length, 1) && start < r.first + r.second)
            return false;
    }
    return true;
}

Problem &Program::addTokens(int first, int last, Severity s, const QString &message)
{
    const auto r = range(first, last);
    return add(r.first, r.second, s, message);
}

QString blockName(const Program &p, int s)
{
    const int h = p.head(s);
    return h == tok::Then ? QStringLiteral("If-Then") : calc::tokens::displayString(h).trimmed();
}

namespace
{

bool opens(int h)
{
    return h == tok::Then || h == tok::For || h == tok::While || h == tok::Repeat;
}

bool leaves(int h)
{
    return h == tok::Stop || h == tok::Return || h == tok::Goto || h == tok::Menu;
}

bool conditional(const Program &p, int s)
{
    int before = s - 1;
    const int h = before >= 0 ? p.head(before) : -1;
    return h == tok::If || h == tok::IsGt || h == tok::DsLt;
}

struct Blocks {
    QSet<int> ends, elses;
    std::vector<int> parent; // the innermost block each statement stands in, -1: none
};

Blocks matched(const Program &p)
{
    Blocks b;
    const int n = p.count();
    b.parent.assign(n, -1);
    std::vector<int> open;
    for (int i = 0; i < n; ++i) {
        if (p.parsed.blockEnd[i] < n)
            b.ends.insert(p.parsed.blockEnd[i]);
        if (p.parsed.thenElse[i] >= 0)
            b.elses.insert(p.parsed.thenElse[i]);
        while (!open.empty() && p.parsed.blockEnd[open.back()] <= i)
            open.pop_back();
        b.parent[i] = open.empty() ? -1 : open.back();
        if (opens(p.head(i)))
            open.push_back(i);
    }
    return b;
}

// A loop only a jump leaves: While with a constant other than 0, Repeat 0.
bool endless(const Program &p, int o)
{
    const auto &st = p.parsed.statements[o];
    const int h = p.head(o);
    if ((h != tok::While && h != tok::Repeat) || st.last - st.first != 2 ||
        p.token(st.first + 1).t != tok::Number)
        return false;
    const auto &n = p.token(st.first + 1);
    bool zero = true;
    for (int i = n.from; i < n.to; ++i) {
        const char c = p.text.bytes[i];
        if ((c < '0' || c > '9') && c != '.')
            return false; // an exponent or a sign: not worth reading
        zero = zero && (c == '0' || c == '.');
    }
    return h == tok::While ? !zero : zero;
}

// The opener of the block End `e` closes, -1 when none.
int openerOf(const Program &p, int e)
{
    for (int o = e - 1; o >= 0; --o) {
        if (p.parsed.blockEnd[o] == e)
            return o;
    }
    return -1;
}

// Whether a Goto or Menu( names the label that statement `lbl` defines.
bool jumpedTo(const Program &p, int lbl)
{
    for (const auto &def : p.parsed.labels) {
        if (!def.definition || def.statement != lbl)
            continue;
        for (const auto &use : p.parsed.labels)
            if (!use.definition && use.name == def.name)
                return true;
    }
    return false;
}

// The statement that makes End `s` unreachable (Stop, Return, Goto or Menu(
// on the only path to it, or the End of a loop only a jump leaves), or -1.
// A label nothing jumps to is no way in.
int leftBefore(const Program &p, const Blocks &b, int s)
{
    for (int j = s - 1; j >= 0; --j) {
        const int h = p.head(j);
        if (h < 0 || (h == tok::End && !b.ends.contains(j)) || (h == tok::Lbl && !jumpedTo(p, j)))
            continue;
        if (leaves(h) && p.parsed.statements[j].error == Error::None)
            return conditional(p, j) ? -1 : j;
        if (h == tok::End && endless(p, openerOf(p, j)))
            return j;
        if (h == tok::Lbl || h == tok::End || h == tok::Else || opens(h))
            return -1;
    }
    return -1;
}

// How many blocks a jump from `from` to `to` leaves open.
int blocksLeft(const Program &p, const Blocks &b, int from, int to)
{
    int left = 0;
    for (int o = b.parent[from]; o >= 0; o = b.parent[o]) {
        if (to <= o || to > p.parsed.blockEnd[o])
            ++left;
    }
    return left;
}

// Whether the program comes to the label of statement `lbl` from the line
// above (with no jump, so with no block left open for its End).
bool fallsInto(const Program &p, const Blocks &b, int lbl)
{
    for (int j = lbl - 1; j >= 0; --j) {
        const int h = p.head(j);
        if (h < 0 || h == tok::Lbl || (h == tok::End && !b.ends.contains(j)))
            continue;
        if (leaves(h) && p.parsed.statements[j].error == Error::None)
            return conditional(p, j);
        return !(h == tok::End && endless(p, openerOf(p, j)));
    }
    return true;
}

// Lbl X, then End (right after it or further below): the End closes what
// every jump to X leaves open. 1: every jump leaves enough open; 0: not so
// (or no jump lands there).
int labelCloses(const Program &p, const Blocks &b, int s)
{
    int j = s - 1, k = 0;
    for (; j >= 0 && k == 0; --j) {
        if (p.head(j) != tok::Lbl)
            continue;
        const std::vector<int> reached = endsReached(p, b.ends, j);
        const auto it = std::find(reached.begin(), reached.end(), s);
        if (it != reached.end())
            k = int(it - reached.begin()) + 1;
    }
    ++j;
    if (k == 0 || fallsInto(p, b, j))
        return 0;
    QByteArray name;
    for (const auto &use : p.parsed.labels) {
        if (use.definition && use.statement == j)
            name = use.name;
    }
    int jumps = 0;
    for (const auto &use : p.parsed.labels) {
        if (use.definition || name.isEmpty() || use.name != name)
            continue;
        ++jumps;
        if (blocksLeft(p, b, use.statement, j) < k)
            return 0;
    }
    return jumps > 0 ? 1 : 0;
}

// The statement that may make End `s` close a block after all, or skip it:
// a conditional Goto, Stop or Return on the way to it, or a label that a
// jump leaving a block open lands on. -1 when End is reached with nothing open.
int mayCloseAJump(const Program &p, const Blocks &b, int s)
{
    for (int j = s - 1; j >= 0; --j) {
        const int h = p.head(j);
        if (h < 0 || (h == tok::End && !b.ends.contains(j)))
            continue;
        // A program called may end everything (Stop) instead of returning.
        if ((leaves(h) && p.parsed.statements[j].error == Error::None && conditional(p, j)) ||
            h == tok::Prgm)
            return j;
        if (h == tok::Lbl) {
            for (const auto &use : p.parsed.labels) {
                if (use.definition && use.statement == j) {
                    for (const auto &jump : p.parsed.labels) {
                        if (!jump.definition && jump.name == use.name &&
                            blocksLeft(p, b, jump.statement, j) > 0)
                            return j;
                    }
                }
            }
            continue;
        }
        if (h == tok::End || h == tok::Else || opens(h) || leaves(h))
            return -1;
    }
    return -1;
}

void endWithoutBlock(Program &p, const Blocks &b, int i)
{
    const auto &st = p.parsed.statements[i];
    const int left = leftBefore(p, b, i);
    if (left >= 0) {
        const QString after = p.head(left) == tok::End
                                  ? QStringLiteral("an endless ") + blockName(p, openerOf(p, left))
                                  : calc::tokens::displayString(p.head(left)).trimmed();
        p.addTokens(st.first, st.first + 1, Severity::Warning,
                    QStringLiteral("never reached: End after %1 closes no block").arg(after));
        return;
    }
    if (labelCloses(p, b, i) > 0)
        return;
    const int maybe = mayCloseAJump(p, b, i);
    if (maybe >= 0) {
        p.addTokens(st.first, st.first + 1, Severity::Warning,
                    p.head(maybe) == tok::Lbl
                        ? QStringLiteral("End closes a block only when the program comes here "
                                         "by a jump that left one open (ERR:SYNTAX otherwise)")
                    : p.head(maybe) == tok::Prgm
                        ? QStringLiteral("End closes no block: reached only when the program "
                                         "called above returns (ERR:SYNTAX then)")
                        : QStringLiteral("End closes no block: reached only when the %1 above "
                                         "is not taken (ERR:SYNTAX then)")
                              .arg(calc::tokens::displayString(p.head(maybe)).trimmed()));
        return;
    }
    p.addTokens(st.first, st.first + 1, Severity::Error,
                QStringLiteral("End without a block to close (ERR:SYNTAX)"));
}

void elseWithoutThen(Program &p, const Blocks &b, int i)
{
    const auto &st = p.parsed.statements[i];
    int o = b.parent[i];
    while (o >= 0 && p.head(o) != tok::Then)
        o = b.parent[o];
    if (o >= 0 && p.parsed.thenElse[o] >= 0) {
        p.addTokens(st.first, st.first + 1, Severity::Warning,
                    QStringLiteral("a second Else: the calculator skips from it to End, so "
                                   "what follows it never runs"));
        return;
    }
    p.addTokens(st.first, st.first + 1, Severity::Warning,
                QStringLiteral("Else without If-Then: the calculator skips from it to the "
                               "next End"));
}

int indentOf(QStringView line)
{
    int k = 0;
    while (k < line.size() && line.at(k) == u' ')
        ++k;
    return k;
}

// The 0-based line `l` of the model text, without its line break.
QStringView lineText(const Program &p, int l)
{
    const auto &starts = p.text.lineStart;
    int end = l + 1 < starts.size() ? starts[l + 1] : int(p.model.size());
    while (end > starts[l] && (p.model.at(end - 1) == u'\n' || p.model.at(end - 1) == u'\r'))
        --end;
    return p.model.mid(starts[l], end - starts[l]);
}

// Where the End of a block opened on line `l` (its body from after line
// `body`) goes: after the lines indented deeper than it, or else at the end
// of the program.
void insertEnd(const Program &p, int l, int body, Problem &pr)
{
    const int lines = int(p.text.lineStart.size());
    const int indent = indentOf(lineText(p, l));
    int last = body;
    for (int j = body + 1; j < lines; ++j) {
        const QStringView t = lineText(p, j);
        if (t.trimmed().isEmpty())
            continue;
        if (indentOf(t) <= indent)
            break;
        last = j;
    }
    const bool deeper = last > body;
    if (!deeper)
        last = lines - 1;
    const QStringView tail = lineText(p, last);
    const int at = p.text.lineStart[last] + int(tail.size());
    const QString end = QString(indent, u' ') + QStringLiteral("End");
    pr.editStart = at;
    pr.editLength = 0;
    // A program ending in a blank line gets End on that line.
    pr.replacement = !deeper && tail.isEmpty() && last > 0 ? end : QStringLiteral("\r\n") + end;
    pr.fixTitle = QStringLiteral("Insert End");
}

void neverClosed(Program &p, int i)
{
    const bool then = p.head(i) == tok::Then;
    const auto &opener = p.parsed.statements[then ? i - 1 : i];
    // The calculator runs such a block; only one left open again and again
    // (a jump back above it) uses up memory.
    Problem &pr =
        p.addTokens(opener.first, opener.first + 1, Severity::Warning,
                    QStringLiteral("%1 is never closed: End is missing (this matters only when the "
                                   "program runs it again and again: ERR:MEMORY in the end)")
                        .arg(blockName(p, i)));
    insertEnd(p, p.lineOf(p.token(opener.first).from),
              p.lineOf(p.token(p.parsed.statements[i].first).from), pr);
}

// A listing's leading ":" leaves an empty statement between If and Then.
bool afterIf(const Program &p, int s)
{
    int j = s - 1;
    while (j >= 0 && p.head(j) < 0)
        --j;
    return j >= 0 && p.head(j) == tok::If;
}

} // namespace

std::vector<int> endsReached(const Program &p, const QSet<int> &ends, int lbl)
{
    std::vector<int> out;
    const int n = p.count();
    for (int j = lbl + 1; j < n; ++j) {
        const int h = p.head(j);
        if (h < 0 || h == tok::Lbl)
            continue;
        const bool maybe = h != tok::Then && conditional(p, j);
        if (h == tok::End && !ends.contains(j) && !maybe) {
            out.push_back(j);
        } else if (opens(h) && !maybe && p.parsed.blockEnd[j] < n) {
            j = p.parsed.blockEnd[j]; // a block of its own, opened and closed
        } else if (h == tok::End || h == tok::Else || opens(h) ||
                   (leaves(h) && !maybe && p.parsed.statements[j].error == Error::None)) {
            break;
        }
    }
    return out;
}

int endsAfterLabel(const Program &p, int lbl)
{
    return int(endsReached(p, matched(p).ends, lbl).size());
}

void blocks(Program &p)
{
    const Blocks b = matched(p);
    const int n = p.count();
    for (int i = 0; i < n; ++i) {
        const auto &st = p.parsed.statements[i];
        const int h = p.head(i);
        if (h == tok::Then && !afterIf(p, i)) {
            p.addTokens(st.first, st.first + 1, Severity::Error,
                        QStringLiteral("Then without If (ERR:SYNTAX)"));
        } else if (opens(h) && p.parsed.blockEnd[i] == n) {
            neverClosed(p, i);
        } else if (h == tok::End && !b.ends.contains(i)) {
            endWithoutBlock(p, b, i);
        } else if (h == tok::Else && !b.elses.contains(i)) {
            elseWithoutThen(p, b, i);
        }
    }
}

void unusedLabels(Program &p)
{
    QSet<QByteArray> used;
    for (const auto &use : p.parsed.labels) {
        if (!use.definition)
            used.insert(use.name);
    }
    QSet<QByteArray> seen;
    for (const auto &use : p.parsed.labels) {
        if (!use.definition || use.name.isEmpty() || use.name.size() > 2 ||
            used.contains(use.name) || seen.contains(use.name))
            continue;
        seen.insert(use.name);
        p.addTokens(use.first, use.last, Severity::Info,
                    QStringLiteral("nothing jumps to label %1").arg(QString::fromUtf8(use.name)));
    }
}

} // namespace calc::checks::detail
