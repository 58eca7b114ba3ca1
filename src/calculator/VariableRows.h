// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the variables view lists: the variables the program names first (or
// only), each marked when its value differs from the last time the view was
// shown.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVector>

namespace calculator
{

using Variables = QList<QPair<QString, QString>>; // name, value as the engine shows them

// The names of the variables the program's tokens mention, as the engine
// names them ("A", "θ", "Ans", "L₁", "Str1", "[A]", "ʟSCORE"). Text inside
// strings names none.
QSet<QString> variablesUsed(const QByteArray &tokens);

struct VariableRow {
    QString name;
    QString value;
    bool used = false;
    bool changed = false; // new since `before`, or another value
};

// The used variables in the engine's order, then (with `showAll`) the rest.
QVector<VariableRow> variableRows(const Variables &now, const Variables &before,
                                  const QSet<QString> &used, bool showAll);

} // namespace calculator
