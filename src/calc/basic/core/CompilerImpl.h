// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The compiler's inside, shared by its two halves: Compiler.cpp (statements,
// blocks, the parse for the checks) and Compiler_Expressions.cpp (targets,
// names and the expression grammar). Not for use outside src/calc/basic.
#include "calc/basic/core/Compiler.h"
#include "calc/basic/lib/Library.h"

#include <QHash>

#include <memory>
#include <utility>

namespace calc::basic
{
namespace compiling
{

struct CompileError {
    Error error;
    QString detail;
};

[[noreturn]] inline void fail(Error e, const QString &detail = QString())
{
    throw CompileError{e, detail};
}

QString tokenName(int t);
const Builtin *functionOf(int t);
// solve(, fnInt(, nDeriv(, fMin(, fMax(, Σ(: an expression and its variable first.
bool isCalculus(int t);
bool isOtherVariable(int t);
int windowVar(int t);
bool isTrig(int t);
bool isDigit(int t);
bool isLetter(int t);

class Compiler
{
public:
    Compiler(const QByteArray &bytes, bool colour = false)
        : program_(std::make_shared<Chunk>()), bytes_(bytes), colour_(colour)
    {
        toks_ = scan(bytes, &numbers_, &program_->texts);
    }

    std::shared_ptr<Chunk> program();
    std::shared_ptr<Chunk> expression();
    Parsed parsed();

private:
    // Statements: ranges of tokens.
    struct Stmt {
        int first, last; // [first, last)
        int line;
    };
    void split();
    void matchBlocks();
    void statement(int i);
    void command(int t, int i);
    // The families of command: each tells whether the token was its own.
    // Compiler_Flow.cpp: blocks and jumps.
    bool blockStatement(int t, int i);
    bool jumpStatement(int t, int i);
    void inputStatement();
    bool homeStatement(int t);
    bool listStatement(int t);
    bool drawStatement(int t);
    void modeStatement(int t);
    void settingStatement(int t);
    void setUpEditor();
    void pictureNumber();
    int settingArguments(int t);
    void matrixListStatement(int t);
    // Compiler_Colour.cpp: the colour models' commands and operands.
    bool colourStatement(int t);
    bool colourOperand(int t);
    // Compiler_Graphing.cpp: equations and the commands that graph.
    void graphStatement(int t);
    void equation(int t);
    int deferred();
    void plotList();
    int plotArguments();
    // Maths.cpp: statistics and finance.
    void statStatement(int t, int i);
    void tvmCall(int t);
    // Compiler_Numbers.cpp: solve(, fnInt( and their kin.
    void calculus(int t);
    void fractionEntry();
    void dmsMinutes();
    bool hasNextStatement(int i) const;
    [[noreturn]] void leftover(int t);

    int peek() const { return pos_ < end_ ? toks_[pos_].t : -1; }
    int peekAt(int k) const { return pos_ + k < end_ ? toks_[pos_ + k].t : -1; }
    bool atEnd() const { return pos_ >= end_; }
    int next() { return pos_ < end_ ? toks_[pos_++].t : -1; }
    bool accept(int t)
    {
        if (peek() == t) {
            ++pos_;
            return true;
        }
        return false;
    }
    void expect(int t)
    {
        if (!accept(t))
            fail(Error::Syntax);
    }
    // A closer that may be left out before → and at the statement's end.
    void close(int t)
    {
        if (accept(t) || atEnd() || peek() == tok::Store)
            return;
        fail(Error::Syntax);
    }
    void comma() { expect(tok::Comma); }
    void endOfStatement()
    {
        if (!atEnd())
            leftover(peek());
    }

    void put(int a) { program_->code.push_back(a); }
    // A call of the built-in of that token with n arguments on the stack.
    void callBuiltin(int token, int n);
    void put(int a, int b)
    {
        put(a);
        put(b);
    }
    int here() const { return int(program_->code.size()); }
    int constant(const Value &v)
    {
        program_->constants.push_back(v);
        return int(program_->constants.size()) - 1;
    }
    int name(const QString &s)
    {
        const int i = program_->names.indexOf(s);
        if (i >= 0)
            return i;
        program_->names << s;
        return int(program_->names.size()) - 1;
    }

    void expr();
    void binaryLevel(void (Compiler::*operand)(), bool (*isOperator)(int));
    void orExpr();
    void andExpr();
    void relation();
    void sum();
    void product();
    void permutation();
    void negation();
    void power();
    void postfix();
    void primary();
    // The parts of primary; each tells whether the token was its own.
    bool valueOperand(const Tok &tk);
    bool stateOperand(int t);
    bool listOrMatrix(int t);
    bool variable(int t);
    [[noreturn]] void unexpected(int t);
    bool startsOperand(int t) const;
    int expressions();
    void arguments(int token, int least, int most);
    void invNorm();
    void seq();
    std::pair<int, bool> loopRange();
    QString listName();
    QByteArray labelName();
    QString programName();
    void storeTarget();
    void ioTarget(int *kind, int *key);
    void listTarget(int *kind, int *key);

    // The letters and digits of a name; a number token gives its digits.
    QString nameChars(int max);

    std::shared_ptr<Chunk> program_;
    QByteArray bytes_;
    std::vector<Tok> toks_;
    std::vector<Number> numbers_;
    std::vector<Stmt> stmts_;
    std::vector<int> matchEnd_, matchElse_;
    std::vector<int> stmtStart_;
    int pos_ = 0, end_ = 0;
    bool colour_ = false; // Compiler_Colour.cpp
    int stmt_ = 0;
    int seqDepth_ = 0;
    int depth_ = 0;
    static constexpr int kMaxNesting = 256;
    // Jumps to patch: code index and statement index.
    std::vector<std::pair<int, int>> toStmt_;
    // Jumps to labels: code index and label name.
    std::vector<std::pair<int, QByteArray>> toLabel_;
    QHash<QByteArray, int> labels_;
    // For parse(): what each statement raised, offsets inside Seq's code,
    // the names of labels where they stand.
    std::vector<Error> errors_;
    std::vector<int> internal_;
    std::vector<LabelUse> labelUses_;
    bool recordLabels_ = false;
    bool equationStored_ = false; // → into an equation leaves Ans alone
    bool typedFraction_ = false;  // a 3⁄4 in the expression being compiled
};

} // namespace compiling
} // namespace calc::basic
