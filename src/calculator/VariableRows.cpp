// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/VariableRows.h"

#include "calc/TokenCodes.h"
#include "calc/Tokens.h"

#include <QHash>

namespace calculator
{

namespace
{

bool isNameLetter(int t)
{
    return (t >= calc::tok::A && t <= calc::tok::Theta) || (t >= 0x30 && t <= 0x39);
}

} // namespace

QSet<QString> variablesUsed(const QByteArray &tokens)
{
    QSet<QString> used;
    bool inString = false;
    QString list; // the letters of a named list being read
    bool readingList = false;
    bool programName = false; // prgmNAME names a program, not variables
    for (int i = 0; i < tokens.size(); ++i) {
        int t = quint8(tokens.at(i));
        if (calc::tokens::isTwoBytePrefix(t) && i + 1 < tokens.size())
            t = t * 256 + quint8(tokens.at(++i));
        if (readingList && isNameLetter(t) && list.size() < 5) {
            list += calc::tokens::displayString(t);
            continue;
        }
        if (readingList && !list.isEmpty())
            used.insert(QStringLiteral("\u029F") + list);
        readingList = false;
        list.clear();
        if (t == calc::tok::Quote) {
            inString = !inString;
            continue;
        }
        if (t == calc::tok::Newline || t == calc::tok::Store)
            inString = false;
        if (inString)
            continue;
        if (programName && isNameLetter(t))
            continue;
        programName = t == calc::tok::Prgm;
        if (t == calc::tok::SmallL)
            readingList = true;
        else
            used.insert(calc::tokens::displayString(t));
    }
    if (readingList && !list.isEmpty())
        used.insert(QStringLiteral("\u029F") + list);
    return used;
}

QVector<VariableRow> variableRows(const Variables &now, const Variables &before,
                                  const QSet<QString> &used, bool showAll)
{
    QHash<QString, QString> was;
    for (const auto &v : before)
        was.insert(v.first, v.second);
    QVector<VariableRow> first;
    QVector<VariableRow> rest;
    for (const auto &v : now) {
        VariableRow row{v.first, v.second, used.contains(v.first), false};
        const auto old = was.constFind(v.first);
        row.changed = old == was.cend() || *old != v.second;
        if (row.used)
            first << row;
        else if (showAll)
            rest << row;
    }
    return first + rest;
}

} // namespace calculator
