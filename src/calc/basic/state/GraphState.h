// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Y= editor's equations (Y₁..Y₀, X₁ᴛ..Y₆ᴛ, r₁..r₆, u, v, w) and the
// window variables of the other graphing modes. An equation is a string of
// tokens until something evaluates it; its compiled form is kept beside it.
#include "calc/basic/core/Number.h"
#include "calc/basic/core/Value.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QVector>

#include <memory>
#include <optional>

namespace calc::basic
{

struct Chunk;
struct Terms;

bool isEquation(int t);
// The number FnOn and FnOff give it: Y₀ is 0, X₃ᴛ and Y₃ᴛ are 3, u is 1.
int equationNumber(int t);

// Tmin..PlotStep, their zoom memory (ZTmin..ZPlotStep in the same order,
// then ZXmin..ZYscl as GraphScreen::Window, ZXres), the table's and the
// zooms' settings: where each is kept; -1 for any other token.
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
    kZoomed, // ZTmin is kZoomed + Tmin
    ZXmin = kZoomed * 2,
    ZXres = ZXmin + 6,
    TblStart,
    DeltaTbl,
    XFact,
    YFact,
    TraceStep,
    kGraphVars
};
int graphVar(int t);
// Whether a value may go into that variable: nMin and its kin count terms,
// Xres is 1-8, the zoom factors at least 1.
bool graphVarFits(int k, const Number &x);

// n, u(nMin)..w(nMin), Zu(nMin)..Zw(nMin) and TblInput: values kept
// beside the window (Sequences.cpp); read and stored as settings.
bool isSequenceValue(int t);
// Any of the above, the equations, and the TI-82's u(n-1) and v(n-1).
bool isGraphOperand(int t);

// Y= styles (GraphStyle(): 1 line .. 7 dotted.
enum Style {
    StyleLine = 1,
    StyleThick,
    StyleAbove,
    StyleBelow,
    StylePath,
    StyleAnimate,
    StyleDotted
};

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

    // Seq mode: n, the initial terms (Value::Kind Real or List; absent
    // while none is stored) and their zoom memory.
    Number n;
    std::optional<Value> start[3], zoomedStart[3];
    std::optional<Value> tableInput;
    // Terms computed while one evaluation or graph lasts (Sequences.cpp).
    struct Terms *terms = nullptr;
    // Web mode's y=f(x): the sequence graphed and x, its term before.
    int webSequence = -1;
    Number webX;
    // Y= styles by mode (Func, Param, Polar, Seq) and equation number;
    // absent is the mode's default.
    QHash<int, int> styles;
    // Stat plots 1-3 (Plots.cpp).
    struct PlotList {
        int token = 0; // L₁..L₆, or 0 for the named list
        QString name;
    };
    struct Plot {
        bool on = false;
        int type = 0; // the type's token; 0 while undefined
        QVector<PlotList> lists;
        int mark = 0;       // the mark's token
        bool yAxis = false; // NormProbPlot's data axis
        int colour = 0;     // the colour models' colour number; 0: the plot's own
    } plots[3];
};

} // namespace calc::basic
