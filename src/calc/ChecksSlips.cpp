// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/ChecksImpl.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"

#include <QHash>

namespace calc::checks::detail
{

namespace tok = calc::tok;
using calc::basic::Error;

namespace
{

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Tokens written as a word of two letters or more, perhaps with "(" or a
// blank after it, by the word in lowercase (with its "(").
const QHash<QString, int> &commandWords()
{
    static const QHash<QString, int> words = [] {
        QHash<QString, int> w;
        auto consider = [&w](int token) {
            QString s = calc::tokens::modelSpelling(token).trimmed();
            const bool paren = s.endsWith(QLatin1Char('('));
            if (paren)
                s.chop(1);
            if (s.size() < 2)
                return;
            for (const QChar c : s) {
                if (!isAsciiLetter(c))
                    return;
            }
            const QString key = s.toLower() + (paren ? QStringLiteral("(") : QString());
            if (!w.contains(key))
                w.insert(key, token);
        };
        for (int b = 0; b < 0x100; ++b) {
            if (!calc::tokens::isTwoBytePrefix(b)) {
                consider(b);
                continue;
            }
            for (int c = 0; c < 0x100; ++c)
                consider(b << 8 | c);
        }
        return w;
    }();
    return words;
}

// A word with a lowercase letter outside strings that, in the right case,
// is a command: on the calculator those are letters, each a token.
void lowercaseCommands(Program &p, int lineStart, QStringView line)
{
    const auto pieces = calc::tokens::scanLine(line);
    QVector<bool> inString(line.size(), false), spelled(line.size(), false);
    for (const auto &piece : pieces) {
        for (qsizetype k = piece.start; k < piece.start + piece.length; ++k)
            inString[k] = piece.inString;
        // A word the tokenizer takes whole (its own spellings, such as
        // "Getkey") is the command.
        if (piece.length > 1 && piece.token >= 0)
            spelled[piece.start] = true;
    }
    const int n = int(line.size());
    for (int i = 0; i < n;) {
        if (!isAsciiLetter(line.at(i)) || inString[i]) {
            ++i;
            continue;
        }
        int end = i;
        bool lower = false;
        while (end < n && isAsciiLetter(line.at(end)) && !inString[end]) {
            lower = lower || line.at(end).isLower();
            ++end;
        }
        const bool paren = end < n && line.at(end) == u'(';
        const QString word = line.mid(i, end - i).toString() + (paren ? QStringLiteral("(") : "");
        const auto it = commandWords().constFind(word.toLower());
        const QString right =
            it == commandWords().constEnd() ? QString() : calc::tokens::modelSpelling(*it);
        if (lower && !spelled[i] && !right.isEmpty() && right.trimmed() != word) {
            // The fix keeps the blank that follows the word once.
            const bool blank = right.endsWith(u' ') && end < n && line.at(end) == u' ';
            Problem &pr = p.add(lineStart + i, int(word.size()) + (blank ? 1 : 0), Severity::Error,
                                QStringLiteral("%1 is not a command (lowercase letters are "
                                               "characters of their own): %2")
                                    .arg(word, right.trimmed()));
            pr.editStart = pr.start;
            pr.editLength = pr.length;
            pr.replacement = right;
        }
        i = end;
    }
}

// Blanks before a line's first token: each is a token on the calculator.
void leadingBlanks(Program &p, int lineStart, QStringView line)
{
    int k = 0;
    while (k < line.size() && line.at(k) == u' ')
        ++k;
    if (k == 0 || k == line.size())
        return;
    Problem &pr = p.add(lineStart, k, Severity::Warning,
                        QStringLiteral("a blank outside a string is a token of its own on the "
                                       "calculator: indentation is not ignored"));
    pr.editStart = lineStart;
    pr.editLength = k;
}

bool isFunction(int t)
{
    return t < tok::Number && calc::tokens::displayString(t).endsWith(QLatin1Char('('));
}

// Tokens after which an expression starts: there a minus sign is ERR:SYNTAX.
bool expressionFollows(int t, bool statementHead)
{
    switch (t) {
    case tok::LParen:
    case tok::Comma:
    case tok::LBrace:
    case tok::LBracket:
    case tok::Plus:
    case tok::Minus:
    case tok::Times:
    case tok::Divide:
    case tok::Power:
    case tok::Eq:
    case tok::Lt:
    case tok::Gt:
    case tok::Le:
    case tok::Ge:
    case tok::Ne:
    case tok::And:
    case tok::Or:
    case tok::Xor:
        return true;
    case tok::Disp:
    case tok::If:
    case tok::While:
    case tok::Repeat:
    case tok::Pause:
        return statementHead;
    default:
        return isFunction(t);
    }
}

void negations(Program &p)
{
    const QString neg = calc::tokens::modelSpelling(tok::Neg);
    for (const auto &st : p.parsed.statements) {
        // -8→A runs as Ans-8: a negative number was meant.
        if (st.last - st.first >= 2 && p.token(st.first).t == tok::Minus) {
            Problem &pr = p.addTokens(st.first, st.first + 1, Severity::Warning,
                                      QStringLiteral("a minus sign at the start of a statement "
                                                     "subtracts from Ans: use the negation "
                                                     "sign ⁻ for a negative number"));
            pr.editStart = pr.start;
            pr.editLength = pr.length;
            pr.replacement = neg;
            pr.fixTitle = QStringLiteral("Write ⁻");
        }
        for (int k = st.first + 1; k < st.last; ++k) {
            if (p.token(k).t != tok::Minus ||
                !expressionFollows(p.token(k - 1).t, k - 1 == st.first))
                continue;
            Problem &pr = p.addTokens(k, k + 1, Severity::Error,
                                      QStringLiteral("a minus sign cannot start a number here: "
                                                     "use the negation sign ⁻"));
            pr.editStart = pr.start;
            pr.editLength = pr.length;
            pr.replacement = neg;
        }
    }
}

// The digit of a one-digit number token, -1 for any other token.
int digitOf(const Program &p, int k)
{
    const auto &t = p.token(k);
    if (t.t != tok::Number || t.to - t.from != 1)
        return -1;
    const int b = quint8(p.text.bytes[t.from]);
    return b >= tok::Digit0 && b <= tok::Digit9 ? b - tok::Digit0 : -1;
}

// The equation variable a letter and a digit (and T) spell out, 0 for none:
// Y1 is Y₁, r1 is r₁, X1T is X₁ᴛ.
int subscripted(const Program &p, int k, int last, int *count)
{
    const int t = p.token(k).t;
    const int d = k + 1 < last ? digitOf(p, k + 1) : -1;
    if (d < 0)
        return 0;
    const bool tAfter = k + 2 < last && p.token(k + 2).t == tok::A + ('T' - 'A');
    if ((t == tok::A + ('X' - 'A') || t == tok::A + ('Y' - 'A')) && tAfter && d >= 1 && d <= 6) {
        *count = 3;
        return tok::X1T + 2 * (d - 1) + (t == tok::A + ('Y' - 'A') ? 1 : 0);
    }
    *count = 2;
    if (t == tok::A + ('Y' - 'A'))
        return d == 0 ? tok::Y0 : tok::Y1 + d - 1;
    if (d >= 1 && d <= 6 && calc::tokens::displayString(t) == QLatin1String("r"))
        return tok::R1 + d - 1;
    return 0;
}

// Y1 typed for Y₁ runs as Y times 1: a graphing program then stops on a
// number where it stores an equation (ERR:DATA TYPE).
void subscriptSpellings(Program &p)
{
    for (const auto &st : p.parsed.statements) {
        for (int k = st.first; k < st.last; ++k) {
            int count = 0;
            const int meant = subscripted(p, k, st.last, &count);
            if (!meant)
                continue;
            const auto r = p.range(k, k + count);
            const QString typed = p.model.mid(r.first, r.second).toString();
            const QString right = calc::tokens::modelSpelling(meant);
            const QString times =
                count == 3 ? QStringLiteral("%1 times %2 times T") : QStringLiteral("%1 times %2");
            Problem &pr = p.add(r.first, r.second, Severity::Warning,
                                QStringLiteral("%1 is %2; did you mean %3?")
                                    .arg(typed, times.arg(typed.left(1), typed.mid(1, 1)),
                                         calc::calcsymbols::toUnicode(right)));
            pr.editStart = r.first;
            pr.editLength = r.second;
            pr.replacement = right;
            pr.fixTitle = QStringLiteral("Write %1").arg(calc::calcsymbols::toUnicode(right));
            k += count - 1;
        }
    }
}

struct Arity {
    int token, least, most;
    int colourMost; // a colour, and for lines and circles a style, may follow
};

// Commands and functions whose arguments the engine does not count.
constexpr Arity kArity[] = {
    {tok::Output, 3, 3, 3},    {tok::Text, 3, 99, 99},   {tok::Line, 4, 5, 7},
    {tok::Circle, 3, 4, 5},    {tok::PtOn, 2, 3, 4},     {tok::PtOff, 2, 3, 4},
    {tok::PtChange, 2, 2, 3},  {tok::PxlOn, 2, 2, 3},    {tok::PxlOff, 2, 2, 3},
    {tok::PxlChange, 2, 2, 3}, {tok::PxlTest, 2, 2, 2},  {tok::RandInt, 2, 3, 3},
    {tok::Sub, 3, 3, 3},       {tok::InString, 2, 3, 3}, {tok::Round, 1, 2, 2},
    {tok::Gcd, 2, 2, 2},       {tok::Lcm, 2, 2, 2},      {tok::For, 3, 4, 4},
    {tok::IsGt, 2, 2, 2},      {tok::DsLt, 2, 2, 2},     {tok::Int, 1, 1, 1},
    {tok::Abs, 1, 1, 1},       {tok::IPart, 1, 1, 1},    {tok::FPart, 1, 1, 1},
    {tok::Not, 1, 1, 1},       {tok::Expr, 1, 1, 1},     {tok::Length, 1, 1, 1},
    {tok::Dim, 1, 1, 1},       {tok::Seq, 4, 5, 5},
};

// The arguments of the call whose name is token k, up to its ) or the end
// of the statement: -1 for an empty call.
int argumentCount(const Program &p, int k, int last)
{
    int depth = 0, commas = 0, j = k + 1;
    for (; j < last; ++j) {
        const int t = p.token(j).t;
        if (depth == 0 && (t == tok::RParen || t == tok::Store))
            break;
        if (t == tok::LParen || t == tok::LBrace || t == tok::LBracket || isFunction(t))
            ++depth;
        else if (t == tok::RParen || t == tok::RBrace || t == tok::RBracket)
            --depth;
        else if (t == tok::Comma && depth == 0)
            ++commas;
    }
    return j == k + 1 ? 0 : commas + 1;
}

void argumentCounts(Program &p)
{
    for (const auto &st : p.parsed.statements) {
        if (st.error == Error::Argument)
            continue; // the engine's own check says so
        // A token the engine lacks, or a function the sheet writes without
        // its "(", shows as more closers than openers: the count is unknown.
        int depth = 0;
        bool unknown = false;
        for (int k = st.first; k < st.last && !unknown; ++k) {
            const int t = p.token(k).t;
            if (t == tok::LParen || t == tok::LBrace || t == tok::LBracket || isFunction(t))
                ++depth;
            else if (t == tok::RParen || t == tok::RBrace || t == tok::RBracket)
                --depth;
            unknown = t == tok::Bad || depth < 0;
        }
        if (unknown)
            continue;
        for (int k = st.first; k < st.last; ++k) {
            const int t = p.token(k).t;
            for (const Arity &a : kArity) {
                if (a.token != t)
                    continue;
                const int count = argumentCount(p, k, st.last);
                const int most = p.colour ? a.colourMost : a.most;
                if (count >= a.least && count <= most)
                    break;
                const QString want = a.least == most ? QString::number(a.least)
                                     : most == 99    ? QStringLiteral("%1 or more").arg(a.least)
                                     : most == a.least + 1
                                         ? QStringLiteral("%1 or %2").arg(a.least).arg(most)
                                         : QStringLiteral("%1 to %2").arg(a.least).arg(most);
                p.addTokens(k, k + 1, Severity::Error,
                            QStringLiteral("%1 takes %2 arguments, not %3 (ERR:ARGUMENT)")
                                .arg(calc::tokens::displayString(t), want)
                                .arg(count));
                break;
            }
        }
    }
}

} // namespace

} // namespace calc::checks::detail

namespace calc::checks
{

bool negationMeant(QStringView lineBefore)
{
    const auto pieces = calc::tokens::scanLine(lineBefore);
    if (pieces.isEmpty() || pieces.last().inString || pieces.last().token < 0 ||
        pieces.last().start + pieces.last().length != lineBefore.size())
        return false;
    namespace tok = calc::tok;
    const bool head = pieces.size() == 1 || pieces[pieces.size() - 2].token == tok::Colon;
    return pieces.last().token != tok::Colon &&
           detail::expressionFollows(pieces.last().token, head);
}

} // namespace calc::checks

namespace calc::checks::detail
{

void slips(Program &p)
{
    const auto &starts = p.text.lineStart;
    for (int l = 0; l < starts.size(); ++l) {
        int end = l + 1 < starts.size() ? starts[l + 1] : int(p.model.size());
        while (end > starts[l] && (p.model.at(end - 1) == u'\n' || p.model.at(end - 1) == u'\r'))
            --end;
        const QStringView line = p.model.mid(starts[l], end - starts[l]);
        lowercaseCommands(p, starts[l], line);
        leadingBlanks(p, starts[l], line);
    }
    negations(p);
    subscriptSpellings(p);
    argumentCounts(p);
}

} // namespace calc::checks::detail
