// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The engine's inside: the loop and the variables (Vm.cpp), the built-in
// functions (Maths.cpp) and the graph screen's commands (Draw.cpp). Not
// for use outside src/calc/basic.
#include "calc/TokenCodes.h"
#include "calc/basic/core/Bytecode.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/graph/Graph.h"
#include "calc/basic/lib/Libraries.h"

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace calc::basic
{
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

class Vm : public Evaluator
{
public:
    explicit Vm(Engine &e) : e_(e), c_(e.calculator()) {}
    // Runs a program to its end; true when its last statement was an
    // expression (whose value is then in Ans).
    bool run(std::shared_ptr<Chunk> p, const QString &name, const QByteArray &tokens);
    Value evaluate(std::shared_ptr<Chunk> p);
    Outcome outcome;
    // What the libraries ask of the loop (Calculator::evaluator()).
    Value evaluateNested(std::shared_ptr<Chunk> code, bool insideExpr) override;
    std::shared_ptr<Chunk> compiled(const QByteArray &expression) override;
    bool insideExpr() const override { return inExpr; }
    bool outermost() const override { return calls_.size() == 1; }
    void step() override;
    void countStep();
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
    // A For( or seq( variable: A..θ, or the sequences' 𝑛.
    Number &loopVar(int v) { return v == kLoopVarN ? c_.graphing().n : c_.reals()[v]; }
    int io(int op, const int *code, int ip);
    void input(const int *operands, const Chunk *prog);
    int listOp(int op, const int *code, int ip, const Chunk *prog);
    int matrixListOp(int op, const int *code, int ip, const Chunk *prog);
    std::vector<std::pair<int, int>> sortWith_; // kind, key
    void pushBlock(Call &c, const Block &b);
    void popBlock(Call &c)
    {
        c_.memory().release(memory::kBlock);
        c.blocks.pop_back();
    }
    Value answer(const QString &text);
    QString varName(int kind, int key, const Chunk &p) const;
    // Settings.cpp: settings, the window's other variables, zooms, pictures,
    // graph databases, the archive and the clock.
    void setting(int cmd, int n, int kind, int key, const Chunk *prog);
    void modeSetting(int cmd, const Value *args, int n);
    void archive(int cmd, int kind, int key, const Chunk *prog);
    void inRam(bool archived, long long bytes);
    void picture(int cmd, const Value &which);
    Value settingValue(int t);
    void storeSetting(int t, const Value &v);
    [[noreturn]] void archived();
    void colourOp(int cmd, int n);
    // Graphing.cpp: equations, and the graph of the selected ones drawn
    // under the drawings whenever the screen was marked for a redraw.
    int graphOp(int op, const int *code, int ip, const Chunk *prog);
    // Calculus.cpp: solve(, fnInt(, nDeriv(, fMin(, fMax( and Σ( with their
    // expression evaluated at the values they try.
    int calculusOp(const int *code, int ip, const Chunk *prog);

    Engine &e_;
    Calculator &c_;
    std::deque<Call> calls_;
    std::vector<Value> stack_;
    std::vector<SeqState> seqs_;
    bool lastExpr_ = false;
};

} // namespace calc::basic
