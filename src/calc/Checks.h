// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Problems the calculator would find in a program, and byte-saving hints,
// found on model text (calc/ModelText.h) through the tokenizer and the
// engine's own statement parser, so that what is checked is what runs.
#include "calc/Models.h"

#include <QString>
#include <QStringView>
#include <QVector>

namespace calc::checks
{

// Info: worth knowing, nothing wrong (a label nothing jumps to).
enum class Severity { Error, Warning, Hint, Info };

struct Problem {
    Severity severity = Severity::Error;
    int start = 0;  // in the model text
    int length = 0; // at least 1
    int line = 1;   // 1-based
    int column = 1; // 1-based, in the model text
    QString message;
    // Hints: the bytes saved and the edit that saves them; slips: the edit
    // that fixes them (saves 0). No edit: replacement empty, editLength 0.
    int saves = 0;
    int editStart = 0, editLength = 0;
    QString replacement;
    // What the fix does, for a menu ("Insert End"); empty: the message says.
    QString fixTitle;
};

struct Options {
    bool ti83 = false; // the document targets the TI-83 (without Plus)
    bool hints = true;
    // The model chosen for the program: its missing tokens are errors. None:
    // a note names the lowest model the tokens need, when above the TI-83
    // Plus. The TI-83 is the same as `ti83`.
    models::Model model = models::Model::None;
};

// Whether a problem comes with an edit (a hint's or a slip's fix).
inline bool hasFix(const Problem &p)
{
    return p.editLength > 0 || !p.replacement.isEmpty();
}

QVector<Problem> check(QStringView model, const Options &options = Options());

// The model text with the hints' edits made; edits that overlap an earlier
// one are left for the next round.
QString applyHints(QStringView model, const QVector<Problem> &hints);

// Whether a minus typed after `lineBefore` (the line's model text up to the
// caret) stands where an expression starts, so the negation sign is meant.
bool negationMeant(QStringView lineBefore);

// "error", "warning", "hint", "note".
QString severityName(Severity s);

} // namespace calc::checks
