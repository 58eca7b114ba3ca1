// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lsp/Labels.h"

#include "calc/TokenCodes.h"
#include "calc/Tokens.h"

namespace lsp
{

namespace
{

using calc::tokens::Piece;

bool opens(QStringView model, const Piece &p)
{
    const QChar last = model.at(p.start + p.length - 1);
    return p.token == calc::tok::LBrace || p.token == calc::tok::LBracket || last == u'(';
}

bool closes(const Piece &p)
{
    return p.token == calc::tok::RParen || p.token == calc::tok::RBrace ||
           p.token == calc::tok::RBracket;
}

LabelUse use(QStringView line, int lineStart, const QVector<Piece> &pieces, int from, int to,
             bool definition)
{
    LabelUse u;
    u.definition = definition;
    u.start = lineStart + int(pieces[from].start);
    const int end = int(pieces[to - 1].start + pieces[to - 1].length);
    u.length = end - int(pieces[from].start);
    u.name = line.mid(pieces[from].start, u.length).toString();
    return u;
}

// One line's uses; `i` is at the piece after Menu(.
int menuArguments(QStringView line, int lineStart, const QVector<Piece> &pieces, int i,
                  QVector<LabelUse> *out)
{
    int depth = 0, argument = 0, first = i;
    for (; i <= pieces.size(); ++i) {
        const bool atEnd = i == pieces.size();
        const Piece *p = atEnd ? nullptr : &pieces[i];
        const bool split =
            atEnd || (!p->inString && depth == 0 &&
                      (p->token == calc::tok::Comma || p->token == calc::tok::Colon || closes(*p)));
        if (split) {
            if (argument >= 2 && argument % 2 == 0 && i > first)
                out->append(use(line, lineStart, pieces, first, i, false));
            if (atEnd || p->token != calc::tok::Comma)
                return i;
            ++argument;
            first = i + 1;
            continue;
        }
        if (p->inString)
            continue;
        if (opens(line, *p))
            ++depth;
        else if (closes(*p))
            --depth;
    }
    return i;
}

} // namespace

QVector<LabelUse> labelUses(QStringView model)
{
    QVector<LabelUse> out;
    int lineStart = 0;
    for (QStringView line : model.split(QStringLiteral("\r\n"))) {
        const QVector<Piece> pieces = calc::tokens::scanLine(line);
        for (int i = 0; i < pieces.size(); ++i) {
            const Piece &p = pieces[i];
            if (p.inString)
                continue;
            if (p.token == calc::tok::Lbl || p.token == calc::tok::Goto) {
                int j = i + 1;
                while (j < pieces.size() && pieces[j].token != calc::tok::Colon)
                    ++j;
                if (j > i + 1)
                    out.append(use(line, lineStart, pieces, i + 1, j, p.token == calc::tok::Lbl));
                i = j;
            } else if (p.token == calc::tok::Menu) {
                i = menuArguments(line, lineStart, pieces, i + 1, &out);
            }
        }
        lineStart += int(line.size()) + 2;
    }
    return out;
}

int labelAt(const QVector<LabelUse> &uses, int offset)
{
    for (int i = 0; i < uses.size(); ++i) {
        if (offset >= uses[i].start && offset <= uses[i].start + uses[i].length)
            return i;
    }
    return -1;
}

bool isLabelName(QStringView model)
{
    const auto t = calc::tokens::tokenize(model);
    if (!t.ok() || t.bytes.isEmpty() || t.bytes.size() > 2)
        return false;
    for (const char c : t.bytes) {
        const bool letter = c >= 'A' && c <= 'Z';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != char(calc::tok::Theta))
            return false;
    }
    return true;
}

} // namespace lsp
