// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A program's text moved to or from a colour model: the tokens the colour
// calculators spell differently (Connected/Thick, GridOn/GridDot ...) take
// the other spelling; every other character stays as typed, and the tokens
// stay the same.
#include <QString>
#include <QStringView>
#include <QVector>

namespace calc::respell
{

struct Edit {
    int start = 0; // in the model text, CR LF line breaks
    int length = 0;
    QString text;
};

// The edits, last first so each leaves the earlier positions valid; none
// when the respelt text would not give the same tokens.
QVector<Edit> forModel(QStringView modelText, bool colour);

} // namespace calc::respell
