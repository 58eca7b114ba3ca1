// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/Checks.h"

#include "calc/ChecksImpl.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Compiler.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>

namespace calc::checks
{

namespace tok = calc::tok;
using calc::basic::Error;
using calc::basic::Parsed;

namespace detail
{

Text tokenized(QStringView model)
{
    Text t;
    const int n = int(model.size());
    for (int start = 0; start <= n;) {
        int end = start;
        while (end < n && model.at(end) != u'\r' && model.at(end) != u'\n')
            ++end;
        t.lineStart << start;
        t.lineByte << int(t.bytes.size());
        for (const auto &p : calc::tokens::scanLine(model.mid(start, end - start))) {
            const int pos = start + int(p.start);
            if (p.token < 0) {
                Problem pr;
                pr.start = pos;
                pr.length = int(p.length);
                pr.message = QStringLiteral("no calculator token is written \"%1\"")
                                 .arg(calc::calcsymbols::toUnicode(model.mid(pos, p.length)));
                t.refused << pr;
                continue;
            }
            const QByteArray b = calc::tokens::tokenBytes(p.token);
            t.bytes += b;
            for (int k = 0; k < b.size(); ++k) {
                t.at << pos;
                t.len << int(p.length);
            }
        }
        if (end >= n)
            break;
        const int next =
            end + (model.at(end) == u'\r' && end + 1 < n && model.at(end + 1) == u'\n' ? 2 : 1);
        t.bytes += char(tok::Newline);
        t.at << end;
        t.len << next - end;
        start = next;
    }
    return t;
}

} // namespace detail

using detail::Text;
using detail::tokenized;

namespace
{

bool isCloser(const QByteArray &bytes, const basic::Tok &k)
{
    if (k.t == tok::RParen || k.t == tok::RBracket || k.t == tok::RBrace)
        return true;
    // A string whose closing quote is its last byte.
    return k.t == tok::String && k.to - k.from >= 2 && quint8(bytes[k.to - 1]) == tok::Quote;
}

QString shapeWord(int op)
{
    return QString::number(op);
}

// The statement a statement of the old text became (-1: none may be
// jumped to), for the statements that are neither past the end nor a
// missing label.
using Mapping = std::function<int(int)>;

bool sameShape(const QStringList &before, const QStringList &after, const Mapping &map,
               int oldCount, int newCount)
{
    if (before.size() != after.size())
        return false;
    for (int k = 0; k < before.size(); ++k) {
        const QString &w = before[k];
        if (!w.startsWith(QLatin1Char('@'))) {
            if (w != after[k])
                return false;
            continue;
        }
        int t = w.mid(1).toInt();
        if (t >= oldCount)
            t = t - oldCount + newCount;
        else if (t >= 0 && (t = map(t)) < 0)
            return false;
        if (after[k] != QLatin1Char('@') + QString::number(t))
            return false;
    }
    return true;
}

enum class Kind { Closer, Colon, IfNotZero, MergeDisp, Zero };

// Proof that an edit of whole lines keeps the program: the new text
// tokenizes to the old tokens minus the removed ones (and the comma that
// joins two Disp), and the engine reads the same statements from it.
// `window` holds the lines the edit touches and the one before them: only
// a statement just before can count on where one stands (If, IsGt(, DsLt(
// and End skip to a fixed neighbour); labels land on Lbl alone.
// The edit removes bytes and nothing else (MergeDisp puts a comma where
// its first removed byte was).
bool onlyRemoves(const Text &before, const Text &after, int editStart, int editLength, Kind kind)
{
    QByteArray expected;
    bool inserted = false;
    for (int i = 0; i < before.bytes.size(); ++i) {
        if (before.at[i] >= editStart && before.at[i] < editStart + editLength) {
            if (kind == Kind::MergeDisp && !inserted) {
                expected += char(tok::Comma);
                inserted = true;
            }
            continue;
        }
        expected += before.bytes[i];
    }
    return after.bytes == expected && expected.size() < before.bytes.size();
}

// Which statement after the edit each statement before it is: false when
// the edit changes their number other than its kind allows.
bool statementMap(const Text &before, const Parsed &a, int nb, int editStart, int editLength,
                  Kind kind, int *endedOut, Mapping *mapOut)
{
    const int na = int(a.statements.size());
    // The first byte the edit removed, and the statement it ends, if any.
    int removedByte = -1;
    for (int i = 0; i < before.bytes.size() && removedByte < 0; ++i) {
        if (before.at[i] >= editStart && before.at[i] < editStart + editLength)
            removedByte = i;
    }
    int ended = -1;
    for (int i = 0; i < na; ++i) {
        const int last = a.statements[i].last;
        if (last < int(a.tokens.size()) && a.tokens[last].from == removedByte)
            ended = i;
    }
    Mapping &map = *mapOut;
    map = [](int i) { return i; };
    if (kind == Kind::Colon) {
        // The empty statements before the colons go; landing on one was
        // landing on the next statement.
        const int gone = na - nb;
        if (ended < 0 || gone < 1 || ended + gone > na)
            return false;
        for (int i = ended; i < ended + gone; ++i) {
            if (a.statements[i].first != a.statements[i].last)
                return false;
        }
        map = [ended, gone](int i) { return i < ended ? i : std::max(ended, i - gone); };
    } else if (kind == Kind::MergeDisp) {
        if (ended < 0 || ended + 1 >= na || nb != na - 1)
            return false;
        map = [ended](int i) { return i == ended + 1 ? -1 : (i > ended + 1 ? i - 1 : i); };
    } else if (nb != na) {
        return false;
    }
    *endedOut = ended;
    return true;
}

// Statement i's shape as it should read after the edit: MergeDisp joins
// two Disps, IfNotZero drops the condition's "≠ 0".
bool expectedShape(const Parsed &a, const Parsed &b, int i, int j, int ended, Kind kind,
                   QStringList *out)
{
    QStringList &shape = *out;
    shape = a.statements[i].shape;
    if (kind == Kind::MergeDisp && i == ended) {
        // Disp A and Disp B: one Disp of both.
        const QStringList &second = a.statements[i + 1].shape;
        const QString disp = shapeWord(basic::OpDisp);
        // Each shape opens with the statement's place: OpStmt, line, first and last byte.
        constexpr int kPlace = 4;
        if (shape.size() < kPlace + 2 || second.size() < kPlace + 2 ||
            shape[shape.size() - 2] != disp || second[second.size() - 2] != disp)
            return false;
        const int count = shape.last().toInt() + second.last().toInt();
        shape = shape.mid(0, shape.size() - 2) + second.mid(kPlace, second.size() - kPlace - 2);
        shape << disp << QString::number(count);
    }
    if (kind == Kind::IfNotZero && a.tokens[a.statements[i].first].t == tok::If &&
        a.statements[i].error == Error::None) {
        // The condition loses its last "≠ 0".
        const int tail =
            shape.size() >= 2 && shape[shape.size() - 2] == shapeWord(basic::OpIfFalse) ? 2 : 5;
        const int end = int(shape.size()) - tail;
        if (end >= 5 && shape[end - 2] == shapeWord(basic::OpBinary) &&
            shape[end - 1] == QString::number(tok::Ne) && shape[end - 3] == QStringLiteral("k0") &&
            shape[end - 4] == shapeWord(basic::OpConst) &&
            b.statements[j].shape.size() == shape.size() - 4) {
            shape.remove(end - 4, 4);
        }
    }
    return true;
}

bool proven(QStringView window, int editStart, int editLength, const QString &replacement,
            Kind kind, int *saves)
{
    const Text before = tokenized(window);
    QString edited = window.toString();
    edited.replace(editStart, editLength, replacement);
    const Text after = tokenized(edited);
    if (!before.refused.isEmpty() || !after.refused.isEmpty())
        return false;
    if (!onlyRemoves(before, after, editStart, editLength, kind))
        return false;
    *saves = int(before.bytes.size() - after.bytes.size());

    const Parsed a = basic::parse(before.bytes);
    const Parsed b = basic::parse(after.bytes);
    if (a.names != b.names)
        return false;
    const int na = int(a.statements.size()), nb = int(b.statements.size());
    int ended = -1;
    Mapping map;
    if (!statementMap(before, a, nb, editStart, editLength, kind, &ended, &map))
        return false;
    for (int i = 0; i < na; ++i) {
        const int j = map(i);
        if ((kind == Kind::Colon && i >= ended && i < ended + na - nb) || j < 0)
            continue;
        QStringList shape;
        if (!expectedShape(a, b, i, j, ended, kind, &shape) ||
            !sameShape(shape, b.statements[j].shape, map, na, nb))
            return false;
    }
    return true;
}

// The chosen model, or else the lowest one the tokens need, is a colour one.
bool colourModel(calc::models::Model chosen, const QByteArray &bytes)
{
    if (chosen == calc::models::Model::None)
        chosen = calc::models::lowestFor(bytes).model;
    return calc::models::isColour(chosen);
}

QString tokenText(int t)
{
    return calc::tokens::displayString(t).trimmed();
}

class Checker
{
public:
    Checker(QStringView model, const Options &options)
        : model_(model), options_(options), text_(tokenized(model)),
          colour_(!options.ti83 && colourModel(options.model, text_.bytes)),
          parsed_(basic::parse(text_.bytes, colour_)),
          program_(model, text_, parsed_, out_, colour_)
    {
    }

    QVector<Problem> run()
    {
        for (const Problem &p : text_.refused)
            add(p.start, p.length, Severity::Error, p.message);
        detail::blocks(program_);
        labels();
        detail::unusedLabels(program_);
        statements();
        detail::slips(program_);
        if (options_.ti83 || options_.model == calc::models::Model::Ti83)
            ti83();
        else
            detail::models(program_, options_.model);
        if (options_.hints) {
            hints();
            detail::replacingHints(program_);
            detail::lowercaseInStrings(program_);
        }
        std::stable_sort(out_.begin(), out_.end(),
                         [](const Problem &a, const Problem &b) { return a.start < b.start; });
        return out_;
    }

private:
    int head(int s) const { return program_.head(s); }
    std::pair<int, int> range(int first, int last) const { return program_.range(first, last); }
    Problem &add(int start, int length, Severity s, const QString &message)
    {
        return program_.add(start, length, s, message);
    }
    Problem &addTokens(int first, int last, Severity s, const QString &message)
    {
        return program_.addTokens(first, last, s, message);
    }

    void labels();
    void missingLabel(const basic::LabelUse &use, Problem &pr);
    void statements();
    void ti83();
    void hints();
    void hint(int start, int length, const QString &replacement, Kind kind, int fromLine,
              int toLine, const QString &message);

    QStringView model_;
    Options options_;
    Text text_;
    bool colour_;
    Parsed parsed_;
    QVector<Problem> out_;
    detail::Program program_;
};

void Checker::labels()
{
    const int n = int(parsed_.statements.size());
    // The innermost block each statement stands in (-1: none).
    std::vector<int> parent(n, -1), open;
    for (int i = 0; i < n; ++i) {
        while (!open.empty() && parsed_.blockEnd[open.back()] <= i)
            open.pop_back();
        parent[i] = open.empty() ? -1 : open.back();
        const int h = head(i);
        if (h == tok::Then || h == tok::For || h == tok::While || h == tok::Repeat)
            open.push_back(i);
    }
    QHash<QByteArray, int> defined; // name to the first Lbl's statement
    for (const auto &use : parsed_.labels) {
        if (!use.definition || use.name.isEmpty() || use.name.size() > 2)
            continue;
        if (defined.contains(use.name))
            addTokens(use.first, use.last, Severity::Warning,
                      QStringLiteral("label %1 is defined again; Goto goes to the first")
                          .arg(QString::fromUtf8(use.name)));
        else
            defined.insert(use.name, use.statement);
    }
    QHash<int, int> closing; // label statement to the Ends that close for its jumps
    for (const auto &use : parsed_.labels) {
        if (use.definition || use.name.isEmpty() || use.name.size() > 2)
            continue;
        const QString name = QString::fromUtf8(use.name);
        const auto it = defined.constFind(use.name);
        if (it == defined.constEnd()) {
            missingLabel(use,
                         addTokens(use.first, use.last, Severity::Error,
                                   QStringLiteral("no Lbl %1 to go to (ERR:LABEL)").arg(name)));
            continue;
        }
        // Leaving a block by a jump leaves it open on the calculator; the
        // outermost block left is named.
        const int from = use.statement, to = *it;
        int left = -1, leftCount = 0;
        for (int o = parent[from]; o >= 0; o = parent[o]) {
            if (to <= o || to > parsed_.blockEnd[o]) {
                left = o;
                ++leftCount;
            }
        }
        // Lbl X:End closes at the label what the jump leaves open; so does
        // an End further below that nothing else closes.
        if (left >= 0 && !closing.contains(to))
            closing.insert(to, detail::endsAfterLabel(program_, to));
        if (left >= 0 && closing.value(to) < leftCount) {
            const int h = head(left);
            const auto &st = parsed_.statements[from];
            addTokens(st.first, st.last, Severity::Warning,
                      QStringLiteral("jumping to %1 leaves %2 open: the calculator loses "
                                     "memory each time (ERR:MEMORY in the end)")
                          .arg(name, h == tok::Then ? QStringLiteral("If-Then") : tokenText(h)));
        }
    }
}

namespace
{

int editDistance(const QByteArray &a, const QByteArray &b)
{
    std::vector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()];
}

} // namespace

void Checker::missingLabel(const basic::LabelUse &use, Problem &pr)
{
    // A label one letter away from the name is the likely one (GOTO AB for
    // Lbl AC); otherwise the label is added at the end, for the user to move.
    const basic::LabelUse *nearest = nullptr;
    int best = int(use.name.size());
    for (const auto &d : parsed_.labels) {
        if (!d.definition || d.name.isEmpty() || d.name.size() > 2)
            continue;
        const int distance = editDistance(use.name, d.name);
        if (distance < best) {
            best = distance;
            nearest = &d;
        }
    }
    const auto r = range(use.first, use.last);
    if (nearest) {
        const auto n = range(nearest->first, nearest->last);
        const QString other = model_.mid(n.first, n.second).toString();
        pr.editStart = r.first;
        pr.editLength = r.second;
        pr.replacement = other;
        pr.fixTitle = QStringLiteral("Go to Lbl %1").arg(calc::calcsymbols::toUnicode(other));
        return;
    }
    const QString name = model_.mid(r.first, r.second).toString();
    const bool broken = model_.endsWith(u'\n') || model_.endsWith(u'\r');
    pr.editStart = int(model_.size());
    pr.editLength = 0;
    pr.replacement = (broken ? QString() : QStringLiteral("\r\n")) +
                     calc::tokens::modelSpelling(tok::Lbl) + name;
    pr.fixTitle = QStringLiteral("Add Lbl %1 at the end").arg(calc::calcsymbols::toUnicode(name));
}

void Checker::statements()
{
    const int n = int(parsed_.statements.size());
    for (int i = 0; i < n; ++i) {
        const auto &st = parsed_.statements[i];
        const int h = head(i);
        if ((h == tok::Lbl || h == tok::Goto) && st.error == Error::Syntax) {
            addTokens(st.first + 1 < st.last ? st.first + 1 : st.first, st.last, Severity::Error,
                      QStringLiteral("a label name is one or two of A-Z, 0-9 and θ"));
        } else if (st.error == Error::Argument) {
            addTokens(st.first, st.last, Severity::Error,
                      QStringLiteral("wrong number of arguments (ERR:ARGUMENT)"));
        }
        // What follows an unconditional end or jump, up to a label or the
        // end of a block, is never reached.
        const bool leaves = h == tok::Stop || h == tok::Return || h == tok::Goto || h == tok::Menu;
        if (!leaves || st.error != Error::None)
            continue;
        const int before = i > 0 ? head(i - 1) : -1;
        if (before == tok::If || before == tok::IsGt || before == tok::DsLt)
            continue;
        int first = -1, last = -1;
        for (int j = i + 1; j < n; ++j) {
            const int hj = head(j);
            if (hj == tok::Lbl || hj == tok::End || hj == tok::Else)
                break;
            if (hj < 0)
                continue;
            if (first < 0)
                first = j;
            last = j;
        }
        if (first >= 0) {
            addTokens(
                parsed_.statements[first].first, parsed_.statements[last].last, Severity::Warning,
                QStringLiteral("never reached: nothing jumps here after %1").arg(tokenText(h)));
        }
    }
}

void Checker::ti83()
{
    const QVector<int> missing = calc::tokens::tokensMissingOnTi83(text_.bytes);
    if (missing.isEmpty())
        return;
    const QByteArray &b = text_.bytes;
    for (int i = 0; i < b.size();) {
        const QVector<int> one = basic::tokenValues(b.mid(i, 2));
        const int t = one.value(0);
        const int size = t > 0xFF ? 2 : 1;
        if (missing.contains(t))
            add(text_.at[i], text_.len[i], Severity::Error,
                QStringLiteral("%1 is not on the TI-83").arg(tokenText(t)));
        i += size;
    }
}

void Checker::hint(int start, int length, const QString &replacement, Kind kind, int fromLine,
                   int toLine, const QString &message)
{
    if (!program_.compiles(start, length))
        return;
    // The lines [fromLine, toLine] (0-based) as the proof's window.
    fromLine = std::max(0, fromLine);
    const int wStart = text_.lineStart[fromLine];
    int wEnd =
        toLine + 1 < text_.lineStart.size() ? text_.lineStart[toLine + 1] : int(model_.size());
    while (wEnd > wStart && (model_.at(wEnd - 1) == u'\r' || model_.at(wEnd - 1) == u'\n') &&
           wEnd > start + length)
        --wEnd;
    int saves = 0;
    if (!proven(model_.mid(wStart, wEnd - wStart), start - wStart, length, replacement, kind,
                &saves))
        return;
    Problem &p = add(start, length, Severity::Hint,
                     message + QStringLiteral(" (saves %1 byte%2)")
                                   .arg(saves)
                                   .arg(saves == 1 ? QString() : QStringLiteral("s")));
    p.saves = saves;
    p.editStart = start;
    p.editLength = length;
    p.replacement = replacement;
}

void Checker::hints()
{
    const auto &toks = parsed_.tokens;
    const int nt = int(toks.size());
    const QByteArray &b = text_.bytes;
    auto lineOf = [this](int byte) { return program_.lineOf(byte); };
    // Closers before → and at a line's end.
    for (int k = 0; k <= nt; ++k) {
        if (k < nt && toks[k].t != tok::Store && toks[k].t != tok::Newline)
            continue;
        int first = k;
        while (first > 0 && isCloser(b, toks[first - 1]))
            --first;
        if (first == k ||
            (k < nt && toks[k].t == tok::Newline && detail::forParenKeepsSpeed(program_, k)))
            continue;
        // Of a closed string only its quote goes.
        const int fromByte = toks[first].t == tok::String ? toks[first].to - 1 : toks[first].from;
        const int start = text_.at[fromByte];
        const int endByte = toks[k - 1].to - 1;
        const int end = text_.at[endByte] + text_.len[endByte];
        const int line = lineOf(fromByte);
        const QString what = detail::closersNamed(program_, first, k);
        hint(start, end - start, QString(), Kind::Closer, line, line,
             k < nt && toks[k].t == tok::Store
                 ? QStringLiteral("closing %1 not needed before →").arg(what)
                 : QStringLiteral("closing %1 not needed at the end of a line").arg(what));
    }
    for (int k = 0; k < nt; ++k) {
        const auto &t = toks[k];
        // The colons that start a line, all in one fix: taking one would
        // leave the next to start the line.
        if (t.t == tok::Colon && (k == 0 || toks[k - 1].t == tok::Newline)) {
            int last = k;
            while (last + 1 < nt && toks[last + 1].t == tok::Colon)
                ++last;
            const int line = lineOf(t.from);
            const int start = text_.at[t.from];
            const int endByte = toks[last].to - 1;
            hint(start, text_.at[endByte] + text_.len[endByte] - start, QString(), Kind::Colon,
                 line - 1, line, QStringLiteral("a line needs no leading :"));
        }
        // 5*A is 5A where the engine reads the same product.
        if (t.t == tok::Times && k > 0 && k + 1 < nt) {
            const int line = lineOf(t.from);
            hint(text_.at[t.from], text_.len[t.from], QString(), Kind::Zero, line, line,
                 QStringLiteral("the multiplication sign can go"));
        }
        // 0.5 is .5.
        if (t.t == tok::Number && t.to - t.from >= 2 && quint8(b[t.from]) == tok::Digit0 &&
            quint8(b[t.from + 1]) == tok::Point) {
            const int line = lineOf(t.from);
            hint(text_.at[t.from], text_.len[t.from], QString(), Kind::Zero, line, line,
                 QStringLiteral("the leading 0 of a number can go"));
        }
    }
    const int n = int(parsed_.statements.size());
    for (int i = 0; i < n; ++i) {
        const auto &st = parsed_.statements[i];
        // If X≠0 is If X.
        if (head(i) == tok::If && st.last - st.first >= 4 && toks[st.last - 2].t == tok::Ne &&
            toks[st.last - 1].t == tok::Number &&
            toks[st.last - 1].to - toks[st.last - 1].from == 1 &&
            quint8(b[toks[st.last - 1].from]) == tok::Digit0) {
            const auto r = range(st.last - 2, st.last);
            const int line = lineOf(toks[st.first].from);
            hint(r.first, r.second, QString(), Kind::IfNotZero, line, line,
                 QStringLiteral("If needs no ≠0"));
        }
        // Two lines of Disp are one Disp of both, when the first has no
        // closer to leave out anyway.
        if (i + 1 < n && head(i) == tok::Disp && head(i + 1) == tok::Disp &&
            st.last - st.first >= 2 && st.last < nt && toks[st.last].t == tok::Newline &&
            (st.first == 0 || toks[st.first - 1].t == tok::Newline) &&
            !isCloser(b, toks[st.last - 1])) {
            const auto &next = parsed_.statements[i + 1];
            if (next.last - next.first < 2 || (next.last < nt && toks[next.last].t != tok::Newline))
                continue;
            const int start = text_.at[toks[st.last].from];
            const int end = text_.at[toks[next.first + 1].from];
            const int line = lineOf(toks[st.first].from);
            hint(start, end - start, QStringLiteral(","), Kind::MergeDisp, line - 1, line + 1,
                 QStringLiteral("two Disp lines are one Disp"));
        }
    }
}

} // namespace

QVector<Problem> check(QStringView model, const Options &options)
{
    return Checker(model, options).run();
}

QString applyHints(QStringView model, const QVector<Problem> &hints)
{
    QVector<Problem> edits;
    for (const Problem &p : hints) {
        if (p.severity == Severity::Hint && hasFix(p))
            edits << p;
    }
    std::sort(edits.begin(), edits.end(),
              [](const Problem &a, const Problem &b) { return a.editStart < b.editStart; });
    QString out;
    int at = 0;
    for (const Problem &p : edits) {
        if (p.editStart < at)
            continue; // overlaps the one before
        out += model.mid(at, p.editStart - at);
        out += p.replacement;
        at = p.editStart + p.editLength;
    }
    out += model.mid(at);
    return out;
}

QString severityName(Severity s)
{
    switch (s) {
    case Severity::Error:
        return QStringLiteral("error");
    case Severity::Warning:
        return QStringLiteral("warning");
    case Severity::Hint:
        return QStringLiteral("hint");
    case Severity::Info:
        return QStringLiteral("note");
    }
    return QString();
}

} // namespace calc::checks
