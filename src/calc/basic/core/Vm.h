// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The engine's inside: the loop and the variables (Vm.cpp), the built-in
// functions (Maths.cpp) and the graph screen's commands (Draw.cpp). Not
// for use outside src/calc/basic.
#include "calc/TokenCodes.h"
#include "calc/basic/core/Bytecode.h"
#include "calc/basic/core/Engine.h"

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace calc::basic
{
// Places and coordinates of the graph screen's commands (Draw.cpp).
void pixelPlace(const Value &row, const Value &col, int *r, int *c, int rows = GraphScreen::kRows,
                int columns = GraphScreen::kColumns);
double coord(const Value &v);

struct Block {
    enum Kind { If, For, While, Repeat } kind;
    explicit Block(Kind k) : kind(k) {}
    int a = 0, b = 0, c = 0;
    int var = 0;
    Number end, step;
};

struct Call {
    std::shared_ptr<Chunk> program;
    QString name;
    int ip = 0;
    int line = 0;
    std::vector<Block> blocks;
};

struct SeqState {
    int var;
    Number end, step, saved;
    QVector<Number> out;
};

class Vm
{
public:
    explicit Vm(Engine &e) : e_(e), c_(e.calculator()) {}
    // Runs a program to its end; true when its last statement was an
    // expression (whose value is then in Ans).
    bool run(std::shared_ptr<Chunk> p, const QString &name);
    Value evaluate(std::shared_ptr<Chunk> p);
    Outcome outcome;
    bool inExpr = false;

private:
    void loop();
    void enter(const QString &name);
    void startStatement(Call &c, const int *operands);
    void paced(const Call &c, const int *operands);
    void drawOp(int cmd, int n);
    Value pop()
    {
        Value v = std::move(stack_.back());
        stack_.pop_back();
        return v;
    }
    // The families of instructions; each takes the code after the opcode
    // and gives back where the loop goes on.
    int load(int op, const int *code, int ip, const Chunk *prog);
    int compute(int op, const int *code, int ip);
    int sequence(int op, const int *code, int ip);
    int storeOp(int op, const int *code, int ip, const Chunk *prog);
    void storeDim(int key, const Chunk *prog);
    int flow(int op, const int *code, int ip, Call *c);
    int loopBlock(int op, const int *code, int ip, Call *c);
    int io(int op, const int *code, int ip);
    void input(const int *operands, const Chunk *prog);
    int listOp(int op, const int *code, int ip, const Chunk *prog);
    Value unary(int op, const Value &v);
    Value call(int fn, Value *args, int n);
    Value realFunction(int fn, Value *args, int n);
    Value listStatistic(int fn, Value *args, int n);
    Value listShape(int fn, Value *args);
    Value integerFunction(int fn, Value *args, int n);
    Value stringFunction(int fn, Value *args, int n);
    // What published programs use besides (Lists.cpp).
    Value moreFunction(int fn, Value *args, int n);
    Value shownAs(const Value &v, bool fraction);
    int matrixListOp(int op, const int *code, int ip, const Chunk *prog);
    void sortAlong(int kind, int key, bool up, const Chunk *prog);
    // Matrices.cpp, Statistics.cpp and Finance.cpp: each passes what it
    // does not know on to the next.
    Value matrixUnary(int op, const Value &v);
    Value matrixFunction(int fn, Value *args, int n);
    Value statFunction(int fn, Value *args, int n);
    void regression(int fn, Value *args, int n);
    Value statVariable(int t);
    Value financeFunction(int fn, Value *args, int n);
    // Distributions.cpp, StatisticsTests.cpp, Regressions.cpp: the rest of the
    // statistics; a command's last argument says whether its results
    // screen is what the program ends on.
    Value distribution(int fn, Value *args, int n);
    Value statCommand(int fn, Value *args, int n);
    void statTestCommand(int fn, Value *args, int n, bool shown);
    void moreRegression(int fn, Value *args, int n, bool shown);
    void regressionScreen(int fn, bool shown, int alternative = 0);
    void showResults(const QStringList &lines);
    void storeResiduals(const Value &xs, const Value &ys);
    void shadeDistribution(int fn, Value *args, int n);
    void shadeDensity(const std::function<long double(long double)> &density, long double lo,
                      long double hi, long double lo2 = 0, long double hi2 = 0);
    void writeArea(const QString &first, const QString &second);
    void drawTest(int fn, long double stat, int alternative, long double d1, long double d2,
                  const QString &name, long double p);
    Value tvm(int fn, Value *args, int n);
    Number finance(int t);
    Value mathVariable(int t);
    void storeMathVariable(int t, const Value &v);
    Value complexUnary(int op, const Value &v);
    bool complexMode() const;
    bool wantsComplex(int fn, const Value &a) const;
    Value complexFunction(int fn, const Value &a);
    Value partFunction(int fn, Value *args, int n);
    std::vector<std::pair<int, int>> sortWith_; // kind, key
    void pushBlock(Call &c, const Block &b);
    Number trig(int fn, Number x);
    Value answer(const QString &text);
    QString varName(int kind, int key, const Chunk &p) const;
    void draw(int cmd, const Value *args, int n);
    // Settings.cpp: settings, the window's other variables, zooms, pictures,
    // graph databases, the archive and the clock.
    void setting(int cmd, int n, int kind, int key, const Chunk *prog);
    void modeSetting(int cmd, const Value *args, int n);
    void archive(int cmd, int kind, int key, const Chunk *prog);
    void picture(int cmd, const Value &which);
    Value settingValue(int t);
    void storeSetting(int t, const Value &v);
    Value clock(int fn, Value *args, int n);
    void zoom(int t);
    void zoomMemory(bool store, GraphScreen::Windows *w);
    bool statWindow(GraphScreen::Windows *w);
    [[noreturn]] void archived();
    void largeText(const Value *args, int n);
    // Colour.cpp: the colour models' screen and commands.
    void colourDraw(int cmd, const Value *args, int n);
    void colourOp(int cmd, int n);
    void wait(const Value &seconds);
    void timedPause();
    Value colourFunction(int fn, Value *args, int n);
    // Graphing.cpp: equations, and the graph of the selected ones drawn
    // under the drawings whenever the screen was marked for a redraw.
    int graphOp(int op, const int *code, int ip, const Chunk *prog);
    Value equation(int key, const Value *at);
    void storeEquation(int key, const Value &v);
    void graphCommand(int cmd, int n, int a, int b, const Chunk *prog);
    void showGraph();
    void standardGraphVars();
    std::array<int, 8> graphSettings() const;
    void graphEquations();
    // style 0: as Connected or Dot is set; shading styles shade with the
    // pattern-th of their patterns.
    void traceFunction(const std::function<Value()> &f, bool inverse, bool keepXY, int style = 0,
                       int pattern = 0);
    void traceCurve(int key, int second, const GraphVar *range, int style);
    void curvePoints(int key, int second, const GraphVar *range,
                     const std::function<void(double, double)> &point);
    bool fitWindow(GraphScreen::Windows *w);
    // Plots.cpp: Y= styles, stat plots, labels, the table and the graph's
    // other commands.
    int graphStyle(int number) const;
    void shadeColumn(int c, double row, bool above, int pattern, int width);
    void plotCommand(int cmd, int n, const Chunk *prog);
    void drawPlots();
    void drawLabels(GraphScreen &g);
    // A picture's bits (rows of kWidth) without the labels' pixels.
    void withoutLabels(QByteArray &bits);
    void freeCursor();
    void showTable();
    // Sequences.cpp: u, v, w and what Seq mode keeps beside the window.
    Value sequence(int s, const Value *at);
    Number sequenceTerm(int s, const Number &x, bool nested);
    Number termAt(int s, std::int64_t k, bool nested);
    Value sequenceValue(int t);
    void storeSequenceValue(int t, const Value &v);
    void storeGraphVar(int k, const Value &v);
    void graphSequences();
    void graphWeb(int i);
    void traceWeb();
    void shade(const std::function<Value()> &lower, const std::function<Value()> &upper,
               const Value *args, int n);
    void tangent(const std::function<Value()> &f, const Value &at);
    std::function<Value()> deferredExpression(const QString &bytes);
    // Calculus.cpp: solve(, fnInt(, nDeriv(, fMin(, fMax( and Σ( with their
    // expression evaluated at the values they try.
    void calculus(int fn, int n, int body, int var, const Chunk *prog);
    // Conversions.cpp: conversions, fractions, the finance leftovers.
    Value numberFunction(int fn, Value *args, int n);
    // System.cpp: the TI-84 Plus's clock as setDate( and setTime( left it,
    // its other commands, timeCnv( and pieceWise(.
    void systemCommand(int cmd, const Value *args, int n);
    Value systemFunction(int fn, Value *args, int n);

    Engine &e_;
    Calculator &c_;
    std::deque<Call> calls_;
    std::vector<Value> stack_;
    std::vector<SeqState> seqs_;
    bool lastExpr_ = false;
};

} // namespace calc::basic
