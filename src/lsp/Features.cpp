// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lsp/Features.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Listing.h"
#include "calc/TokenCodes.h"
#include "calc/Tokens.h"
#include "reference/ReferenceEntries.h"

#include <QHash>

#include <algorithm>

namespace lsp
{

namespace
{

using calc::checks::Problem;
using calc::checks::Severity;

QString shown(QStringView model)
{
    QString s = calc::calcsymbols::toUnicode(model);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QJsonObject rangeOf(const Program &p, int start, int end)
{
    return rangeJson(p.toText(start), p.toText(end));
}

QJsonObject textEdit(const QJsonObject &range, const QString &text)
{
    return {{QStringLiteral("range"), range}, {QStringLiteral("newText"), text}};
}

QJsonObject location(const QString &uri, const QJsonObject &range)
{
    return {{QStringLiteral("uri"), uri}, {QStringLiteral("range"), range}};
}

QJsonObject workspaceEdit(const QString &uri, const QJsonArray &edits)
{
    return {{QStringLiteral("changes"), QJsonObject{{uri, edits}}}};
}

int severityOf(Severity s)
{
    switch (s) {
    case Severity::Error:
        return 1;
    case Severity::Warning:
        return 2;
    case Severity::Info:
        return 3;
    case Severity::Hint:
        break;
    }
    return 4;
}

// The label a missing-label problem names: the Goto's use at its start.
const LabelUse *missingLabel(const Analysis &a, const Problem &p)
{
    if (codeOf(p) != QLatin1String("missing-label"))
        return nullptr;
    const int i = labelAt(a.labels, p.start);
    return i < 0 ? nullptr : &a.labels[i];
}

QJsonObject fixEdit(const Analysis &a, const Problem &p)
{
    return textEdit(rangeOf(a.program, p.editStart, p.editStart + p.editLength),
                    shown(p.replacement));
}

int distance(const QString &x, const QString &y)
{
    QVector<int> row(y.size() + 1);
    for (int j = 0; j <= y.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= x.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= y.size(); ++j) {
            const int up = row[j];
            row[j] = std::min(
                {row[j] + 1, row[j - 1] + 1, diagonal + (x.at(i - 1) == y.at(j - 1) ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[y.size()];
}

// The defined label closest to `name`, the first of equals; empty for none.
QString nearestLabel(const Analysis &a, const QString &name)
{
    QString best;
    int bestDistance = 0;
    for (const LabelUse &u : a.labels) {
        if (!u.definition || !isLabelName(u.name))
            continue;
        const int d = distance(u.name, name);
        if (best.isEmpty() || d < bestDistance) {
            best = u.name;
            bestDistance = d;
        }
    }
    return best;
}

QJsonObject diagnostic(const Analysis &a, const Problem &p)
{
    const QString code = codeOf(p);
    QJsonObject d{{QStringLiteral("range"), rangeOf(a.program, p.start, p.start + p.length)},
                  {QStringLiteral("severity"), severityOf(p.severity)},
                  {QStringLiteral("code"), code},
                  {QStringLiteral("source"), QStringLiteral("torvane")},
                  {QStringLiteral("message"), p.message}};
    if (code == QLatin1String("closing-not-needed"))
        d.insert(QStringLiteral("tags"), QJsonArray{1}); // unnecessary
    if (const LabelUse *u = missingLabel(a, p)) {
        d.insert(QStringLiteral("data"), QJsonObject{{QStringLiteral("label"), shown(u->name)}});
    } else if (calc::checks::hasFix(p)) {
        d.insert(QStringLiteral("data"), QJsonObject{{QStringLiteral("fix"), fixEdit(a, p)},
                                                     {QStringLiteral("saves"), p.saves}});
    }
    return d;
}

// Every place of the text that holds a character no token spells.
QJsonArray refusedDiagnostics(const Analysis &a)
{
    QJsonArray out;
    const QString &refused = a.program.refused();
    for (int line = 0; !refused.isEmpty() && line < a.program.lineCount() + 1; ++line) {
        const QStringView text = a.program.textLine(line);
        for (int i = 0; i < text.size(); ++i) {
            const int width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QStringView c = text.mid(i, width);
            if (refused.contains(c)) {
                out.append(
                    QJsonObject{{QStringLiteral("range"), rangeJson({line, i}, {line, i + width})},
                                {QStringLiteral("severity"), 1},
                                {QStringLiteral("code"), QStringLiteral("no-token")},
                                {QStringLiteral("source"), QStringLiteral("torvane")},
                                {QStringLiteral("message"),
                                 QStringLiteral("no calculator token is written \"%1\"").arg(c)}});
            }
            i += width - 1;
        }
    }
    return out;
}

// The command reference's entry of each token its syntax starts with.
const QHash<int, const reference::ReferenceEntry *> &entriesByToken()
{
    static const QHash<int, const reference::ReferenceEntry *> index = [] {
        QHash<int, const reference::ReferenceEntry *> h;
        for (const auto &e : reference::referenceEntries()) {
            for (const QString &line : e.syntax.lines) {
                const auto pieces = calc::tokens::scanLine(line);
                if (pieces.isEmpty() || pieces[0].token < 0 || pieces[0].length < 2)
                    continue;
                if (!h.contains(pieces[0].token))
                    h.insert(pieces[0].token, &e);
                break;
            }
        }
        return h;
    }();
    return index;
}

// A reference pane's lines as the listing writes them: '' is the quote.
QString paneText(const QStringList &lines)
{
    QString s = shown(reference::joinLines(lines));
    s.replace(QStringLiteral("''"), QStringLiteral("\""));
    return s;
}

QString bytesText(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(n);
}

struct Command {
    QString label, detail;
};

// Every token whose spelling is a word: the commands and functions.
const QVector<Command> &commands()
{
    static const QVector<Command> all = [] {
        QVector<Command> out;
        QVector<int> tokens;
        for (int b = 0; b < 256; ++b) {
            if (!calc::tokens::isTwoBytePrefix(b)) {
                tokens << b;
                continue;
            }
            for (int second = 0; second < 256; ++second)
                tokens << (b << 8 | second);
        }
        for (const int t : tokens) {
            if (calc::tokens::displayString(t).isEmpty())
                continue;
            const QString spelling = shown(calc::tokens::modelSpelling(t)).trimmed();
            if (spelling.size() < 2 || !spelling.at(0).isLetter())
                continue;
            const auto *e = entriesByToken().value(t);
            out.append({spelling, e ? paneText(e->syntax.lines) : QString()});
        }
        return out;
    }();
    return all;
}

bool isVariable(int token)
{
    const int high = token >> 8;
    return (token >= 'A' && token <= 'Z') || token == calc::tok::Theta || high == 0x5C ||
           high == 0x5D || high == 0x5E || high == 0xAA || high == 0x60 || high == 0x61;
}

} // namespace

Analysis::Analysis(const QString &text, calc::models::Model model) : program(text)
{
    if (program.calculatorFile())
        return;
    calc::checks::Options o;
    o.model = model;
    o.ti83 = model == calc::models::Model::Ti83;
    problems = calc::checks::check(program.model(), o);
    labels = labelUses(program.model());
}

QString codeOf(const Problem &p)
{
    static const std::pair<const char *, const char *> table[] = {
        {"no Lbl ", "missing-label"},
        {"label ", "label-defined-again"},
        {"nothing jumps to label", "unused-label"},
        {"a label name is", "label-name"},
        {"no calculator token", "no-token"},
        {"wrong number of arguments", "arguments"},
        {"closing ", "closing-not-needed"},
        {"never reached", "unreachable"},
        {"jumping to", "jump-leaves-block"},
        {"a minus sign", "minus-sign"},
        {"a line needs no leading :", "leading-colon"},
    };
    for (const auto &[start, code] : table) {
        if (p.message.startsWith(QLatin1String(start)))
            return QLatin1String(code);
    }
    if (p.message.contains(QLatin1String(" takes ")) &&
        p.message.contains(QLatin1String("(ERR:ARGUMENT)")))
        return QStringLiteral("arguments");
    if (p.message.contains(QLatin1String("is not a command (lowercase")))
        return QStringLiteral("lowercase-command");
    if (p.severity == Severity::Hint)
        return QStringLiteral("saves-bytes");
    return calc::checks::severityName(p.severity);
}

QJsonArray diagnostics(const Analysis &a)
{
    if (a.program.calculatorFile()) {
        return {QJsonObject{
            {QStringLiteral("range"), rangeJson({0, 0}, {0, 8})},
            {QStringLiteral("severity"), 1},
            {QStringLiteral("code"), QStringLiteral("calculator-file")},
            {QStringLiteral("source"), QStringLiteral("torvane")},
            {QStringLiteral("message"),
             QStringLiteral("this is a calculator file, not a listing: import it (the command "
                            "torvane.import8xp, or torvane-studio --export-listing) and edit "
                            "the listing")}}};
    }
    QJsonArray out = refusedDiagnostics(a);
    for (const Problem &p : a.problems)
        out.append(diagnostic(a, p));
    return out;
}

QJsonArray codeActions(const Analysis &a, const TextDocument &doc, Position from, Position to)
{
    QJsonArray out;
    const int start = a.program.toModel(from), end = a.program.toModel(to);
    const auto action = [&](const QString &title, const QJsonObject &d, const QJsonArray &edits,
                            bool preferred) {
        out.append(QJsonObject{{QStringLiteral("title"), title},
                               {QStringLiteral("kind"), QStringLiteral("quickfix")},
                               {QStringLiteral("diagnostics"), QJsonArray{d}},
                               {QStringLiteral("isPreferred"), preferred},
                               {QStringLiteral("edit"), workspaceEdit(doc.uri(), edits)}});
    };
    for (const Problem &p : a.problems) {
        if (p.start > end || p.start + p.length < start)
            continue;
        const QJsonObject d = diagnostic(a, p);
        // A Goto to no label: the server's two fixes (add it, or go to the
        // nearest name) rather than the checks' one.
        if (calc::checks::hasFix(p) && !missingLabel(a, p)) {
            action(p.saves > 0 ? QStringLiteral("Save %1: %2").arg(bytesText(p.saves), p.message)
                               : QStringLiteral("Fix: %1").arg(p.message),
                   d, {fixEdit(a, p)}, true);
            continue;
        }
        const LabelUse *u = missingLabel(a, p);
        if (!u)
            continue;
        const QString name = shown(u->name);
        const QString &text = doc.text();
        const bool broken = text.isEmpty() || text.endsWith(u'\n') || text.endsWith(u'\r');
        const Position endOfText = doc.end();
        action(QStringLiteral("Add Lbl %1 at the end").arg(name), d,
               {textEdit(rangeJson(endOfText, endOfText),
                         broken ? QStringLiteral("Lbl %1\n").arg(name)
                                : QStringLiteral("\nLbl %1").arg(name))},
               true);
        const QString nearest = nearestLabel(a, u->name);
        if (!nearest.isEmpty()) {
            action(QStringLiteral("Go to %1 instead").arg(shown(nearest)), d,
                   {textEdit(rangeOf(a.program, u->start, u->start + u->length), shown(nearest))},
                   false);
        }
    }
    return out;
}

QJsonValue hover(const Analysis &a, Position at)
{
    if (a.program.calculatorFile())
        return QJsonValue::Null;
    const int offset = a.program.toModel(at);
    const Position m = a.program.modelPosition(offset);
    const QStringView line = a.program.modelLine(m.line);
    const auto pieces = calc::tokens::scanLine(line);
    const calc::tokens::Piece *found = nullptr;
    for (const auto &p : pieces) {
        if (m.character >= p.start && m.character < p.start + p.length)
            found = &p;
    }
    if (!found && !pieces.isEmpty() && m.character == line.size())
        found = &pieces.last(); // the caret just after the last token
    if (!found || found->token < 0)
        return QJsonValue::Null;
    const qsizetype size = calc::tokens::tokenBytes(found->token).size();
    const qsizetype lineSize = calc::tokens::tokenize(line).bytes.size();
    QStringList parts;
    const QString spelling = shown(line.mid(found->start, found->length));
    if (const auto *e = entriesByToken().value(found->token)) {
        parts << QStringLiteral("```tibasic\n%1\n```").arg(paneText(e->syntax.lines));
        if (e->description)
            parts << *e->description;
        if (!e->example.lines.isEmpty())
            parts
                << QStringLiteral("Example:\n```tibasic\n%1\n```").arg(paneText(e->example.lines));
    } else {
        parts << QStringLiteral("`%1`").arg(spelling.trimmed());
    }
    parts << QStringLiteral("%1: %2; this line: %3")
                 .arg(spelling.trimmed(), bytesText(size), bytesText(lineSize));
    const int start = a.program.modelLineStart(m.line) + int(found->start);
    return QJsonObject{
        {QStringLiteral("contents"),
         QJsonObject{{QStringLiteral("kind"), QStringLiteral("markdown")},
                     {QStringLiteral("value"), parts.join(QStringLiteral("\n\n"))}}},
        {QStringLiteral("range"), rangeOf(a.program, start, start + int(found->length))}};
}

QJsonArray completion(const Analysis &a, Position at)
{
    QJsonArray out;
    if (a.program.calculatorFile())
        return out;
    const Position m = a.program.modelPosition(a.program.toModel(at));
    const QStringView before = a.program.modelLine(m.line).left(m.character);
    const auto pieces = calc::tokens::scanLine(before);
    // After Lbl, Goto or in a Menu(: the labels.
    bool labelsWanted = false;
    for (int i = int(pieces.size()) - 1; i >= 0; --i) {
        const int t = pieces[i].token;
        if (t == calc::tok::Colon && !pieces[i].inString)
            break;
        if (t == calc::tok::Lbl || t == calc::tok::Goto || t == calc::tok::Menu) {
            labelsWanted = true;
            break;
        }
    }
    QStringList seen;
    for (const LabelUse &u : a.labels) {
        const QString name = shown(u.name);
        if (!labelsWanted || !u.definition || seen.contains(name))
            continue;
        seen << name;
        out.append(QJsonObject{{QStringLiteral("label"), name},
                               {QStringLiteral("kind"), 18},
                               {QStringLiteral("detail"), QStringLiteral("Lbl %1").arg(name)}});
    }
    if (labelsWanted && !out.isEmpty())
        return out;
    for (const Command &c : commands()) {
        QJsonObject item{{QStringLiteral("label"), c.label}, {QStringLiteral("kind"), 14}};
        if (!c.detail.isEmpty())
            item.insert(QStringLiteral("detail"), c.detail);
        out.append(item);
    }
    const QString &model = a.program.model();
    for (QStringView line : QStringView(model).split(QStringLiteral("\r\n"))) {
        for (const auto &p : calc::tokens::scanLine(line)) {
            if (p.inString || p.token < 0 || !isVariable(p.token))
                continue;
            const QString name = shown(line.mid(p.start, p.length));
            if (seen.contains(name))
                continue;
            seen << name;
            out.append(QJsonObject{{QStringLiteral("label"), name}, {QStringLiteral("kind"), 6}});
        }
    }
    return out;
}

QJsonValue definition(const Analysis &a, const QString &uri, Position at)
{
    const int i = labelAt(a.labels, a.program.toModel(at));
    if (i < 0)
        return QJsonValue::Null;
    for (const LabelUse &u : a.labels) {
        if (u.definition && u.name == a.labels[i].name)
            return location(uri, rangeOf(a.program, u.start, u.start + u.length));
    }
    return QJsonValue::Null;
}

QJsonArray references(const Analysis &a, const QString &uri, Position at, bool declaration)
{
    QJsonArray out;
    const int i = labelAt(a.labels, a.program.toModel(at));
    if (i < 0)
        return out;
    for (const LabelUse &u : a.labels) {
        if (u.name == a.labels[i].name && (declaration || !u.definition))
            out.append(location(uri, rangeOf(a.program, u.start, u.start + u.length)));
    }
    return out;
}

QJsonArray documentSymbols(const Analysis &a)
{
    QJsonArray out;
    for (const LabelUse &u : a.labels) {
        if (!u.definition)
            continue;
        const QJsonObject range = rangeOf(a.program, u.start, u.start + u.length);
        out.append(
            QJsonObject{{QStringLiteral("name"), QStringLiteral("Lbl %1").arg(shown(u.name))},
                        {QStringLiteral("kind"), 20}, // key
                        {QStringLiteral("range"), range},
                        {QStringLiteral("selectionRange"), range}});
    }
    return out;
}

QJsonObject rename(const Analysis &a, const QString &uri, Position at, const QString &newName,
                   QString *error)
{
    const int i = labelAt(a.labels, a.program.toModel(at));
    if (i < 0) {
        *error = QStringLiteral("no label here");
        return {};
    }
    const auto incoming = calc::calcsymbols::fromUnicode(newName);
    if (!incoming.refused.isEmpty() || !isLabelName(incoming.text)) {
        *error =
            QStringLiteral("\"%1\" is no label name: one or two of A-Z, 0-9 and θ").arg(newName);
        return {};
    }
    QJsonArray edits;
    for (const LabelUse &u : a.labels) {
        if (u.name == a.labels[i].name)
            edits.append(
                textEdit(rangeOf(a.program, u.start, u.start + u.length), shown(incoming.text)));
    }
    return workspaceEdit(uri, edits);
}

QJsonArray codeLens(const Analysis &a)
{
    if (a.program.calculatorFile())
        return {};
    const auto t = calc::tokens::tokenize(a.program.model());
    if (!t.ok())
        return {};
    const QString title = QStringLiteral("size %1").arg(bytesText(t.bytes.size()));
    return {QJsonObject{
        {QStringLiteral("range"), rangeJson({0, 0}, {0, 0})},
        {QStringLiteral("command"),
         QJsonObject{{QStringLiteral("title"), title}, {QStringLiteral("command"), QString()}}}}};
}

QJsonArray formatting(const Analysis &a, const TextDocument &doc)
{
    if (a.program.calculatorFile() || !a.program.refused().isEmpty())
        return {};
    const auto t = calc::tokens::tokenize(a.program.model());
    if (!t.ok())
        return {};
    const QString text = calc::listing::text(t.bytes);
    if (text == doc.text())
        return {};
    return {textEdit(rangeJson({0, 0}, doc.end()), text)};
}

} // namespace lsp
