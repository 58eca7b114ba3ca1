// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The graph screen's commands and graphing in every mode: equations,
// sequences, zooms, stat plots, shading and the table, as plain functions
// of the calculator's state.
#include "calc/TokenCodes.h"
#include "calc/basic/core/Bytecode.h"
#include "calc/basic/core/Number.h"
#include "calc/basic/core/Value.h"
#include "calc/basic/state/Calculator.h"
#include "calc/basic/state/GraphState.h"

#include <QStringList>

#include <array>
#include <functional>

namespace calc::basic
{

struct Chunk;

// Places and coordinates of the graph screen's commands (Draw.cpp).
void pixelPlace(const Value &row, const Value &col, int *r, int *c, int rows = GraphScreen::kRows,
                int columns = GraphScreen::kColumns);
double coord(const Value &v);

void draw(Calculator &c_, int cmd, const Value *args, int n);
void zoom(Calculator &c_, int t);
void zoomMemory(Calculator &c_, bool store, GraphScreen::Windows *w);
bool statWindow(Calculator &c_, GraphScreen::Windows *w);
void largeText(Calculator &c_, const Value *args, int n);
Value equation(Calculator &c_, int key, const Value *at);
void storeEquation(Calculator &c_, int key, const Value &v);
void graphCommand(Calculator &c_, int cmd, const Value *args, int n, int a, int b,
                  const Chunk *prog);
void showGraph(Calculator &c_);
void standardGraphVars(Calculator &c_);
std::array<int, 8> graphSettings(Calculator &c_);
void graphEquations(Calculator &c_);
// style 0: as Connected or Dot is set; shading styles shade with the
// pattern-th of their patterns; number: the Y= equation's (its colour), -1
// for DrawF and its kin.
void traceFunction(Calculator &c_, const std::function<Value()> &f, bool inverse, bool keepXY,
                   int style = 0, int pattern = 0, int number = -1,
                   std::uint32_t rgb = PixelScreen::kPen);
// A colour argument (10-24) as 0xRRGGBB, else ERR:DOMAIN.
std::uint32_t colourValue(const Value &v);
void traceCurve(Calculator &c_, int key, int second, const GraphVar *range, int style);
void curvePoints(Calculator &c_, int key, int second, const GraphVar *range,
                 const std::function<void(double, double)> &point);
bool fitWindow(Calculator &c_, GraphScreen::Windows *w);
// Plots.cpp: Y= styles, stat plots, labels, the table and the graph's
// other commands.
int graphStyle(Calculator &c_, int number);
void shadeColumn(Calculator &c_, int c, double row, bool above, int pattern, int width,
                 std::uint32_t rgb);
void plotCommand(Calculator &c_, int cmd, const Value *args, int n, const Chunk *prog);
void drawPlots(Calculator &c_);
// LabelOn's x and y on the screen shown.
void drawLabels(Calculator &c_);
// A picture's bits (rows of kWidth) without the labels' pixels.
void withoutLabels(Calculator &c_, QByteArray &bits);
// Pictures.cpp: StorePic's picture of the screen shown, and RecallPic.
QByteArray storedPicture(Calculator &c_);
void recallPicture(Calculator &c_, const QByteArray &bits);
void freeCursor(Calculator &c_);
void traceCursor(Calculator &c_);
void showTable(Calculator &c_);
// Sequences.cpp: u, v, w and what Seq mode keeps beside the window.
Value sequenceAt(Calculator &c_, int s, const Value *at);
Number sequenceTerm(Calculator &c_, int s, const Number &x, bool nested);
Number termAt(Calculator &c_, int s, std::int64_t k, bool nested);
Value sequenceValue(Calculator &c_, int t);
void storeSequenceValue(Calculator &c_, int t, const Value &v);
void storeGraphVar(Calculator &c_, int k, const Value &v);
void graphSequences(Calculator &c_);
void graphWeb(Calculator &c_, int i);
void traceWeb(Calculator &c_);
void shade(Calculator &c_, const std::function<Value()> &lower, const std::function<Value()> &upper,
           const Value *args, int n);
void tangent(Calculator &c_, const std::function<Value()> &f, const Value *args, int n);

} // namespace calc::basic
