// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Problems the calculator would find in a program, and byte-saving hints,
// found on model text (calc/ModelText.h) through the tokenizer and the
// engine's own statement parser, so that what is checked is what runs.
#include <QString>
#include <QStringView>
#include <QVector>

namespace calc::checks
{

enum class Severity { Error, Warning, Hint };

struct Problem {
    Severity severity = Severity::Error;
    int start = 0;  // in the model text
    int length = 0; // at least 1
    int line = 1;   // 1-based
    int column = 1; // 1-based, in the model text
    QString message;
    // Hints: the bytes saved and the edit that saves them.
    int saves = 0;
    int editStart = 0, editLength = 0;
    QString replacement;
};

struct Options {
    bool ti83 = false; // the document targets the TI-83 (without Plus)
    bool hints = true;
};

QVector<Problem> check(QStringView model, const Options &options = Options());

// The model text with the hints' edits made; edits that overlap an earlier
// one are left for the next round.
QString applyHints(QStringView model, const QVector<Problem> &hints);

// "error", "warning", "hint".
QString severityName(Severity s);

} // namespace calc::checks
