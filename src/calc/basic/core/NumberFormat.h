// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Numbers and values as the MODE screen's formats show them; Number and
// Value show themselves in Float and Normal.
#include "calc/basic/core/Number.h"
#include "calc/basic/core/Value.h"

#include <QString>
#include <QStringList>

namespace calc::basic
{

// How numbers are shown: Float or Fix 0-9, Normal, Sci or Eng.
struct NumberFormat {
    enum Notation { Normal, Sci, Eng };
    int fix = -1; // -1: Float
    Notation notation = Normal;
    bool polar = false;   // re^θi: complex numbers shown as r and θ
    bool degrees = false; // θ shown in degrees
    // The TI-84 Plus's answer modes: fractions as typed, always, never.
    enum Answers { Auto, Dec, Frac };
    Answers answers = Auto;
    bool mixed = false; // Un⁄d: a fraction shown is a mixed number
    bool isDefault() const { return fix < 0 && notation == Normal; }
};

QString formatNumber(const Number &n, const NumberFormat &f);
QString displayText(const Value &v, const NumberFormat &f);
// A matrix's lines with its numbers shown in Fix, Sci or Eng.
QStringList matrixLines(const Value &v, const NumberFormat &f);

} // namespace calc::basic
