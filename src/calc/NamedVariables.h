// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The variables whose names are tokens of their own (Y₁, L₁, Str1 ...):
// a keyboard cannot type their subscripts, so the menus and completion
// offer them.
#include <QString>
#include <QVector>

namespace calc::names
{

struct NamedVariable {
    int token;
    QString shown;    // as the calculator shows it: "Y₁"
    QString typed;    // the letters and digits a keyboard gives for it: "Y1"
    QString spelling; // its model text
};

struct VariableGroup {
    QString name; // "Functions"
    QVector<NamedVariable> variables;
};

// In menu order: functions, parametric, polar, sequences, lists, the
// statistics variables that stand for lowercase letters, strings, pictures,
// graph databases, images.
const QVector<VariableGroup> &namedVariables();

// The named variables whose typed form, model text or Unicode starts with
// `prefix` (any case), for completion; all of them for an empty prefix.
QVector<NamedVariable> variablesStartingWith(const QString &prefix);

} // namespace calc::names
