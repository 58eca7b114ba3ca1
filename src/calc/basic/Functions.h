// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Y= editor's equations (Y₁..Y₀, X₁ᴛ..Y₆ᴛ, r₁..r₆, u, v, w) and the
// window variables of the other graphing modes. An equation is a string of
// tokens until something evaluates it; its compiled form is kept beside it.
#include "calc/basic/Number.h"

#include <QByteArray>
#include <QHash>
#include <QVector>

#include <memory>

namespace calc::basic
{

struct Chunk;

bool isEquation(int t);
// The number FnOn and FnOff give it: Y₀ is 0, X₃ᴛ and Y₃ᴛ are 3, u is 1.
int equationNumber(int t);

// Tmin..PlotStep: where each is kept; -1 for any other token.
enum GraphVar {
    Tmin,
    Tmax,
    Tstep,
    ThetaMin,
    ThetaMax,
    ThetaStep,
    NMin,
    NMax,
    PlotStart,
    PlotStep,
    kGraphVars
};
int graphVar(int t);

struct GraphState {
    GraphState();
    QHash<int, QVector<int>> equations; // defined ones only
    QHash<int, std::shared_ptr<Chunk>> compiled;
    // DrawF's, Shade('s and Tangent('s expressions, by their bytes.
    QHash<QByteArray, std::shared_ptr<Chunk>> expressions;
    Number vars[kGraphVars];
    unsigned evaluating = 0; // equations being evaluated, against self-reference
    // ZStandard's values: Tmin..Tstep (Par), θmin..θstep (Pol), nMin..PlotStep (Seq).
    void standard(int mode, bool degrees);
};

} // namespace calc::basic
