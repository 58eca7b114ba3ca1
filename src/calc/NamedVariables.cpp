// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/NamedVariables.h"

#include "calc/TokenCodes.h"
#include "calc/Tokens.h"

#include <utility>

namespace calc::names
{

namespace
{

constexpr int kImage1 = 0xEF50; // Image1..Image9, then Image0 (colour models)

constexpr std::pair<int, char> kStatisticsLetters[] = {
    {0x6216, 'a'}, {0x6217, 'b'}, {0x6218, 'c'}, {0x6219, 'd'}, {0x621A, 'e'}, {0x6202, 'n'},
    {0x6222, 'p'}, {0x6212, 'r'}, {0x6234, 's'}, {0x6224, 't'}, {0x6223, 'z'}};

// The digit a keyboard types for the i-th of ten (1..9, then 0).
QString digit(int i)
{
    return QString::number((i + 1) % 10);
}

NamedVariable named(int token, const QString &typed)
{
    QString shown = calc::tokens::displayString(token);
    if (shown.startsWith(u'|'))
        shown.remove(0, 1); // the sheet marks the sequence names so
    return {token, shown, typed, calc::tokens::modelSpelling(token)};
}

VariableGroup tenOf(const char *name, int first, const char *typed)
{
    VariableGroup g{QString::fromLatin1(name), {}};
    for (int i = 0; i < 10; ++i)
        g.variables << named(first + i, QLatin1String(typed) + digit(i));
    return g;
}

QVector<VariableGroup> build()
{
    QVector<VariableGroup> groups;
    groups << tenOf("Functions", tok::Y1, "Y");
    VariableGroup par{QStringLiteral("Parametric"), {}};
    for (int i = 0; i < 6; ++i) {
        par.variables << named(tok::X1T + 2 * i, QStringLiteral("X%1T").arg(i + 1))
                      << named(tok::X1T + 2 * i + 1, QStringLiteral("Y%1T").arg(i + 1));
    }
    groups << par;
    VariableGroup polar{QStringLiteral("Polar"), {}};
    for (int i = 0; i < 6; ++i)
        polar.variables << named(tok::R1 + i, QStringLiteral("r%1").arg(i + 1));
    groups << polar;
    VariableGroup seq{QStringLiteral("Sequences"), {}};
    const char *uvw[] = {"u", "v", "w"};
    for (int i = 0; i < 3; ++i)
        seq.variables << named(tok::SeqU + i, QLatin1String(uvw[i]));
    groups << seq;
    VariableGroup lists{QStringLiteral("Lists"), {}};
    for (int i = 0; i < 6; ++i)
        lists.variables << named(tok::List0 + i, QStringLiteral("L%1").arg(i + 1));
    groups << lists;
    // The statistics variables CE programs write lowercase letters with;
    // escaped, so that they stay one token inside a string.
    VariableGroup letters{QStringLiteral("Statistics Letters"), {}};
    for (const auto &[token, letter] : kStatisticsLetters) {
        NamedVariable v = named(token, QString(QLatin1Char(letter)));
        v.shown = QString(QLatin1Char(letter));
        v.spelling = QChar(0x27E6) + v.spelling + QChar(0x27E7);
        letters.variables << v;
    }
    groups << letters;
    groups << tenOf("Strings", tok::Str0, "Str")
           << tenOf("Pictures", tok::PicturePrefix << 8, "Pic")
           << tenOf("Graph Databases", tok::GdbPrefix << 8, "GDB")
           << tenOf("Images", kImage1, "Image");
    return groups;
}

} // namespace

const QVector<VariableGroup> &namedVariables()
{
    static const QVector<VariableGroup> groups = build();
    return groups;
}

QVector<NamedVariable> variablesStartingWith(const QString &prefix)
{
    QVector<NamedVariable> out;
    for (const VariableGroup &g : namedVariables()) {
        for (const NamedVariable &v : g.variables) {
            if (v.typed.startsWith(prefix, Qt::CaseInsensitive) ||
                v.spelling.startsWith(prefix, Qt::CaseInsensitive) ||
                v.shown.startsWith(prefix, Qt::CaseInsensitive))
                out << v;
        }
    }
    return out;
}

} // namespace calc::names
