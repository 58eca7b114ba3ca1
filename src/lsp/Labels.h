// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where a program names its labels: after Lbl, after Goto, and as every
// second argument of Menu( from the third on. Found on model text with the
// tokenizer's own cuts, so a name inside a string is no label.
#include <QString>
#include <QStringView>
#include <QVector>

namespace lsp
{

struct LabelUse {
    bool definition = false; // Lbl; Goto and Menu( jump
    int start = 0;           // the name, in the model text
    int length = 0;
    QString name; // model text
};

QVector<LabelUse> labelUses(QStringView model);

// The use whose name holds the model offset (its end included), or -1.
int labelAt(const QVector<LabelUse> &uses, int offset);

// Whether model text is a label name the calculator takes: one or two of
// A-Z, 0-9 and θ.
bool isLabelName(QStringView model);

} // namespace lsp
