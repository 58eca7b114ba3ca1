// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The engine's inside, shared by its two halves: Engine.cpp (the run loop,
// variables, the engine itself) and Vm_Functions.cpp (arithmetic, the
// functions and the drawing commands). Not for use outside src/calc/run.
#include "calc/run/Compiler.h"
#include "calc/run/Engine.h"

#include <deque>
#include <memory>
#include <vector>

namespace calc::run
{
namespace vm
{

struct RunError {
    Error error;
    QString detail;
};

[[noreturn]] inline void raise(Error e, const QString &detail = QString())
{
    throw RunError{e, detail};
}

inline constexpr long long kM1 = 2147483563, kM2 = 2147483399;

Number num(long long v);
Number checked(bool ok, Number n);
Number add(Number a, Number b);
Number sub(Number a, Number b);
Number mul(Number a, Number b);
Number divide(Number a, Number b);
Number fromLd(long double v);
const Number &pi();
bool truth(const Value &v);
const Number &realOf(const Value &v);
long long intOf(const Value &v, Error e = Error::Domain);
long long modulo(Number n, long long m);
QByteArray bytesOf(const QVector<int> &tokens);
Number power(Number a, Number b);
Number factorial(Number a);
Number combinations(Number a, Number b, bool ordered);
Number realBinary(int op, Number a, Number b);
Value binary(int op, const Value &a, const Value &b);
const QVector<Number> &listOf(const Value &v);
int indexOf(const Value &v, int size);
int listSize(const Value &v);
void pixelPlace(const Value &row, const Value &col, int *r, int *c, int rows = GraphScreen::kRows);
double coord(const Value &v);

template <typename F> Value mapReal(const Value &v, F f)
{
    if (v.kind == Value::Real)
        return Value::real(f(v.num));
    if (v.kind != Value::List)
        raise(Error::DataType);
    Value out = v;
    for (Number &x : out.items)
        x = f(x);
    return out;
}

} // namespace vm
using namespace vm;

struct Block {
    enum Kind { If, For, While, Repeat } kind;
    explicit Block(Kind k) : kind(k) {}
    int a = 0, b = 0, c = 0;
    int var = 0;
    Number end, step;
};

struct Call {
    std::shared_ptr<Program> program;
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
    explicit Vm(Engine &e) : e_(e) {}
    // Runs a program to its end; true when its last statement was an
    // expression (whose value is then in Ans).
    bool run(std::shared_ptr<Program> p, const QString &name);
    Value evaluate(std::shared_ptr<Program> p);
    Outcome outcome;
    bool inExpr = false;

private:
    void loop();
    Value unary(int op, const Value &v);
    Value call(int fn, Value *args, int n);
    Value &var(int key);
    Value &named(const QString &name, bool create = false);
    void store(int kind, int key, const Value &v, const QString &name);
    void display(const Value &v);
    void pushBlock(Call &c, const Block &b);
    Number trig(int fn, Number x);
    Value answer(const QString &text);
    QString varName(int kind, int key, const Program &p) const;
    void draw(int cmd, const Value *args, int n);

    Engine &e_;
    std::deque<Call> calls_;
    std::vector<Value> stack_;
    std::vector<SeqState> seqs_;
    bool lastExpr_ = false;
};

} // namespace calc::run
