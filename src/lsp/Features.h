// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the server tells an editor about one program: the checks' problems
// as diagnostics with their fixes, hover, completion, labels, the size and
// the canonical listing. Each takes the analysis of one document version.
#include "calc/Checks.h"
#include "calc/Models.h"
#include "lsp/Documents.h"
#include "lsp/Labels.h"
#include "lsp/Program.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

namespace lsp
{

struct Analysis {
    Analysis(const QString &text, calc::models::Model model);

    Program program;
    QVector<calc::checks::Problem> problems;
    QVector<LabelUse> labels;
};

// The problems as the Problems window lists them, and the characters no
// token spells; a calculator file's bytes give one diagnostic alone.
QJsonArray diagnostics(const Analysis &a);
// A short name for the kind of a problem ("missing-label").
QString codeOf(const calc::checks::Problem &p);

QJsonArray codeActions(const Analysis &a, const TextDocument &doc, Position from, Position to);
QJsonValue hover(const Analysis &a, Position at);
QJsonArray completion(const Analysis &a, Position at);

QJsonValue definition(const Analysis &a, const QString &uri, Position at);
QJsonArray references(const Analysis &a, const QString &uri, Position at, bool declaration);
QJsonArray documentSymbols(const Analysis &a);
// The edit, or an empty object and *error when the position holds no label
// or the name is none.
QJsonObject rename(const Analysis &a, const QString &uri, Position at, const QString &newName,
                   QString *error);
QJsonArray codeLens(const Analysis &a);
// The whole text as the listing writer writes its tokens; no edit when it
// is so already or cannot be tokenized.
QJsonArray formatting(const Analysis &a, const TextDocument &doc);

} // namespace lsp
