// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/CompilerImpl.h"

#include "calc/basic/core/Builtins.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/core/NumberTokens.h"
#include "calc/basic/state/GraphState.h"
#include "calc/basic/state/Settings.h"

#include "calc/Tokens.h"

namespace calc::basic
{
namespace compiling
{

QString Compiler::nameChars(int max)
{
    QString s;
    while (!atEnd() && s.size() < max) {
        const Tok &tk = toks_[pos_];
        if (isLetter(tk.t)) {
            s += tk.t == tok::Theta ? QChar(0x03B8) : QChar(tk.t);
        } else if (tk.t == tok::Number) {
            const QByteArray digits = bytes_.mid(tk.from, tk.to - tk.from);
            for (char c : digits) {
                if (!isDigit(quint8(c)))
                    fail(Error::Syntax);
            }
            s += QString::fromLatin1(digits);
        } else {
            break;
        }
        ++pos_;
    }
    return s;
}

QByteArray Compiler::labelName()
{
    const int first = pos_;
    const QString label = nameChars(3);
    if (recordLabels_)
        labelUses_.push_back({stmt_, first, pos_, label.toUtf8(), toks_[first - 1].t == tok::Lbl});
    if (label.isEmpty() || label.size() > 2 ||
        (!atEnd() && peek() != tok::Comma && peek() != tok::RParen))
        fail(Error::Syntax);
    return label.toUtf8();
}

QString Compiler::programName()
{
    const QString s = nameChars(9);
    if (s.isEmpty() || s.size() > 8 || s[0].isDigit())
        fail(Error::Syntax);
    endOfStatement();
    return s;
}

QString Compiler::listName()
{
    // A list's name: up to five letters and digits after ʟ, a letter first.
    if (atEnd() || !isLetter(peek()))
        fail(Error::Syntax);
    const QString s = nameChars(6);
    if (s.size() > 5)
        fail(Error::Syntax);
    return s;
}

// The variable of Input, Prompt and DelVar.
void Compiler::ioTarget(int *kind, int *key)
{
    const int t = atEnd() ? -1 : next();
    if (isLetter(t)) {
        *kind = TReal;
        *key = t - tok::A;
    } else if ((t >= tok::List0 && t <= tok::List0 + 5) || (t >= tok::Str0 && t <= tok::Str0 + 9) ||
               (t >= tok::Matrix0 && t <= tok::Matrix0 + 9)) {
        *kind = TVar;
        *key = t;
    } else if (t == tok::SmallL) {
        *kind = TNamed;
        *key = name(listName());
    } else if (isOtherVariable(t)) {
        fail(Error::Unsupported, tokenName(t));
    } else {
        fail(Error::Syntax);
    }
}

// A list to work on in place: L₁..L₆ or a named one.
void Compiler::listTarget(int *kind, int *key)
{
    ioTarget(kind, key);
    if (*kind == TReal)
        fail(Error::Syntax); // ClrList B: a letter is no list's name here
    if (*kind == TVar && (*key < tok::List0 || *key > tok::List0 + 5))
        fail(Error::DataType);
}

void Compiler::storeTarget()
{
    const int t = atEnd() ? -1 : next();
    if (isLetter(t) && !atEnd() && (isLetter(peek()) || peek() == tok::Number)) {
        // A list may be named without its ʟ after →: {1,2→NUMS.
        --pos_;
        put(OpStoreNamed, name(listName()));
    } else if (isLetter(t)) {
        put(OpStoreReal, t - tok::A);
    } else if (t == tok::Rand) {
        put(OpStoreRand);
    } else if ((t >= tok::List0 && t <= tok::List0 + 5) ||
               (t >= tok::Matrix0 && t <= tok::Matrix0 + 9)) {
        const bool matrix = t <= tok::Matrix0 + 9;
        if (accept(tok::LParen)) {
            expr();
            if (matrix) {
                comma();
                expr();
            }
            close(tok::RParen);
            put(matrix ? OpStoreMatElem : OpStoreElem, t);
        } else {
            put(OpStoreVar, t);
        }
    } else if (t >= tok::Str0 && t <= tok::Str0 + 9) {
        put(OpStoreVar, t);
    } else if (t == tok::SmallL) {
        const int n = name(listName());
        if (accept(tok::LParen)) {
            expr();
            close(tok::RParen);
            put(OpStoreNamedElem, n);
        } else {
            put(OpStoreNamed, n);
        }
    } else if (t == tok::Dim) {
        const int v = atEnd() ? -1 : next();
        int key;
        if ((v >= tok::List0 && v <= tok::List0 + 5) ||
            (v >= tok::Matrix0 && v <= tok::Matrix0 + 9))
            key = v;
        else if (v == tok::SmallL)
            key = -1 - name(listName());
        else
            fail(Error::Syntax);
        close(tok::RParen);
        put(OpStoreDim, key);
    } else if (t == tok::Xres || t == tok::DeltaX || t == tok::DeltaY) {
        put(OpStoreSetting, t);
    } else if (windowVar(t) >= 0) {
        put(OpStoreWindow, windowVar(t));
    } else if (isEquation(t) || graphVar(t) >= 0) {
        equationStored_ = isEquation(t);
        put(isEquation(t) ? OpStoreEquation : OpStoreGraphVar, isEquation(t) ? t : graphVar(t));
    } else if (isStoredMathVariable(t) || isSequenceValue(t)) {
        put(OpStoreSetting, t);
    } else if (t == tok::SeqU1 || t == tok::SeqV1 || (t >> 8) == tok::PicturePrefix ||
               (t >> 8) == tok::GdbPrefix) {
        fail(Error::Syntax); // StorePic and StoreGDB store those
    } else if (isMathVariable(t)) {
        fail(Error::Syntax); // the statistics results are the commands' to set
    } else if (isOtherVariable(t)) {
        fail(Error::Unsupported, tokenName(t));
    } else {
        fail(Error::Syntax);
    }
}

void Compiler::expr()
{
    // Nesting deeper than any calculator allows would only exhaust the stack.
    if (++depth_ > kMaxNesting)
        fail(Error::Memory);
    const bool typedAround = typedFraction_;
    typedFraction_ = false;
    orExpr();
    // ►Frac and ►Dec take the whole expression before them.
    if (peek() == tok::ToFrac || peek() == tok::ToDec) {
        put(OpUnary, next());
    } else if (isShownAs(peek())) {
        callBuiltin(next(), 1);
    } else if (typedFraction_) {
        // An expression with a fraction typed in it shows its value as one.
        callBuiltin(tok::FractionSlash, 1);
    }
    typedFraction_ = typedFraction_ || typedAround;
    --depth_;
}

// One level of left-associative operators: operands of the next level
// joined by the operators the test accepts.
void Compiler::binaryLevel(void (Compiler::*operand)(), bool (*isOperator)(int))
{
    (this->*operand)();
    while (isOperator(peek())) {
        const int op = next();
        (this->*operand)();
        put(OpBinary, op);
    }
}

void Compiler::orExpr()
{
    binaryLevel(&Compiler::andExpr, [](int t) { return t == tok::Or || t == tok::Xor; });
}

void Compiler::andExpr()
{
    binaryLevel(&Compiler::relation, [](int t) { return t == tok::And; });
}

void Compiler::relation()
{
    binaryLevel(&Compiler::sum, [](int t) { return t >= tok::Eq && t <= tok::Ne; });
}

void Compiler::sum()
{
    binaryLevel(&Compiler::product, [](int t) { return t == tok::Plus || t == tok::Minus; });
}

void Compiler::product()
{
    permutation();
    for (;;) {
        if (peek() == tok::Times || peek() == tok::Divide) {
            const int op = next();
            permutation();
            put(OpBinary, op);
        } else if (!atEnd() && startsOperand(peek())) {
            permutation(); // implicit multiplication: 2A, AB, 2(A+1)
            put(OpBinary, tok::Times);
        } else {
            return;
        }
    }
}

void Compiler::permutation()
{
    negation();
    while (peek() == tok::NPr || peek() == tok::NCr) {
        const int op = next();
        negation();
        put(OpBinary, op);
    }
}

void Compiler::negation()
{
    int n = 0;
    while (accept(tok::Neg))
        ++n;
    power();
    for (; n > 0; --n)
        put(OpUnary, tok::Neg);
}

void Compiler::power()
{
    postfix();
    while (peek() == tok::Power || peek() == tok::XRoot) {
        const int op = next();
        if (accept(tok::Neg)) {
            postfix();
            put(OpUnary, tok::Neg);
        } else {
            postfix();
        }
        put(OpBinary, op);
    }
}

void Compiler::postfix()
{
    primary();
    for (;;) {
        switch (peek()) {
        case tok::Square:
        case tok::Cube:
        case tok::Inverse:
        case tok::Factorial:
        case tok::RadianSign:
            put(OpUnary, next());
            break;
        case tok::DegreeSign:
            next();
            dmsMinutes();
            put(OpUnary, tok::DegreeSign);
            break;
        case tok::Transpose:
            put(OpUnary, next());
            break;
        case tok::FractionSlash:
        case tok::FracND:
        case tok::MixedU:
        case tok::FracUND:
            fractionEntry();
            break;
        default:
            return;
        }
    }
}

bool Compiler::startsOperand(int t) const
{
    if (t == tok::Number || t == tok::String || t == tok::Bad || isLetter(t) || t == tok::LParen ||
        t == tok::LBrace || t == tok::LBracket || t == tok::Ans || t == tok::Pi || t == tok::Rand ||
        t == tok::GetKey || t == tok::EConst || t == tok::ImaginaryI || t == tok::SmallL ||
        t == tok::Neg || isTrig(t) || windowVar(t) >= 0 || isMathVariable(t) || isTvmFunction(t) ||
        isGraphOperand(t) || isSettingValue(t) || isClockFunction(t))
        return true;
    if ((t >= tok::List0 && t <= tok::List0 + 5) || (t >= tok::Str0 && t <= tok::Str0 + 9) ||
        (t >= tok::Matrix0 && t <= tok::Matrix0 + 9))
        return true;
    return functionOf(t) != nullptr || t == tok::Seq || isCalculus(t);
}

void Compiler::callBuiltin(int token, int n)
{
    const int entry = builtinIndex(token);
    if (entry < 0)
        fail(Error::Unsupported, calc::tokens::displayString(token));
    put(OpCall, entry);
    put(n);
}

// One or more expressions between commas: how many.
int Compiler::expressions()
{
    int n = 0;
    do {
        expr();
        ++n;
    } while (accept(tok::Comma));
    return n;
}

void Compiler::arguments(int token, int least, int most)
{
    const int n = expressions();
    close(tok::RParen);
    if (n < least || n > most)
        fail(Error::Argument);
    callBuiltin(token, n);
}

// invNorm(: the area, a mean and deviation, and on a colour model the tail
// LEFT, CENTER or RIGHT, passed on as 0, 1 or 2.
void Compiler::invNorm()
{
    int n = 0;
    do {
        if (n == 4 || (n == 3 && !colour_))
            fail(Error::Argument);
        if (n == 3) {
            const int tail = next();
            if (tail < tok::TailLeft || tail > tok::TailRight)
                fail(Error::Syntax);
            put(OpConst, constant(Value::real(num(tail - tok::TailLeft))));
        } else {
            expr();
        }
        ++n;
    } while (accept(tok::Comma));
    close(tok::RParen);
    callBuiltin(tok::InvNorm, n);
}

// The variable, start, end and optional step of For( and seq(, up to the ')':
// the variable's index and whether a step was given.
std::pair<int, bool> Compiler::loopRange()
{
    const int var = next();
    // 𝑛 counts as well as a letter, as on the calculator.
    const bool n = var == tok::SeqN;
    if (!isLetter(var) && !n)
        fail(Error::Syntax);
    comma();
    expr();
    comma();
    expr();
    const bool step = accept(tok::Comma);
    if (step)
        expr();
    close(tok::RParen);
    return {n ? kLoopVarN : var - tok::A, step};
}

void Compiler::seq()
{
    if (seqDepth_ > 0)
        fail(Error::IllegalNest);
    ++seqDepth_;
    const int mark = here();
    expr();
    std::vector<int> body(program_->code.begin() + mark, program_->code.end());
    program_->code.resize(mark);
    comma();
    const auto [var, step] = loopRange();
    put(OpSeq, var);
    put(step ? 1 : 0, 0);
    const int exitAt = here() - 1;
    internal_.push_back(exitAt);
    const int bodyAt = here();
    program_->code.insert(program_->code.end(), body.begin(), body.end());
    put(OpSeqNext, bodyAt);
    internal_.push_back(here() - 1);
    program_->code[exitAt] = here();
    --seqDepth_;
}

void Compiler::primary()
{
    if (atEnd())
        fail(Error::Syntax);
    const Tok &tk = toks_[pos_++];
    const int t = tk.t;
    if (valueOperand(tk) || stateOperand(t))
        return;
    if (t == tok::LParen) {
        expr();
        close(tok::RParen);
        return;
    }
    if (listOrMatrix(t) || variable(t))
        return;
    if (t == tok::Seq) {
        seq();
        return;
    }
    if (isTrig(t)) {
        arguments(t, 1, 1);
        return;
    }
    if (isCalculus(t)) {
        calculus(t);
        return;
    }
    if (t == tok::InvNorm) {
        invNorm();
        return;
    }
    if (const Builtin *f = functionOf(t)) {
        arguments(t, f->least, f->most);
        return;
    }
    if (colour_ && colourOperand(t))
        return;
    unexpected(t);
}

// Numbers, strings and the variables that hold a value.
bool Compiler::valueOperand(const Tok &tk)
{
    const int t = tk.t;
    if (t == tok::Number) {
        put(OpConst, constant(Value::real(numbers_[tk.index])));
        return true;
    }
    if (t == tok::Bad)
        fail(Error::Syntax);
    if (t == tok::String) {
        put(OpConst, constant(Value::string(program_->texts[tk.index])));
        return true;
    }
    if (isLetter(t)) {
        put(OpLoadReal, t - tok::A);
        return true;
    }
    if (t == tok::Ans) {
        put(OpLoadAns);
        return true;
    }
    if (windowVar(t) >= 0) {
        put(OpLoadWindow, windowVar(t));
        return true;
    }
    if (isSettingValue(t) || isMathVariable(t)) {
        put(OpLoadSetting, t);
        return true;
    }
    if (isGraphOperand(t)) {
        equation(t);
        return true;
    }
    return false;
}

// The finance and clock functions, the constants, getKey and rand.
bool Compiler::stateOperand(int t)
{
    if (isTvmFunction(t)) {
        tvmCall(t);
        return true;
    }
    if (isClockFunction(t)) {
        arguments(t, t == tok::DayOfWk ? 3 : 1, t == tok::DayOfWk ? 3 : 1);
        return true;
    }
    if (t == tok::Pi || t == tok::EConst) {
        Number c;
        Number::fromDigits(t == tok::Pi ? "31415926535898" : "27182818284590", 1, 0, &c);
        put(OpConst, constant(Value::real(c)));
        return true;
    }
    if (t == tok::GetKey) {
        put(OpGetKey);
        return true;
    }
    if (t == tok::ImaginaryI) {
        put(OpConst, constant(complexValue(Number(), num(1))));
        return true;
    }
    if (t == tok::Rand) {
        if (accept(tok::LParen))
            arguments(tok::Rand, 1, 1);
        else
            put(OpRand);
        return true;
    }
    return false;
}

// A list or matrix written out: {1,2}, [[1,2][3,4]].
bool Compiler::listOrMatrix(int t)
{
    if (t == tok::LBrace) {
        const int n = expressions();
        close(tok::RBrace);
        put(OpMakeList, n);
        return true;
    }
    if (t == tok::LBracket) {
        // [[1,2][3,4]]
        int rows = 0;
        while (accept(tok::LBracket)) {
            const int n = expressions();
            close(tok::RBracket);
            put(OpMakeList, n);
            ++rows;
        }
        if (rows == 0)
            fail(Error::Syntax);
        close(tok::RBracket);
        put(OpMakeMatrix, rows);
        return true;
    }
    return false;
}

// Lists, matrices, strings and named lists, whole or an element.
bool Compiler::variable(int t)
{
    if (t >= tok::List0 && t <= tok::List0 + 5) {
        if (accept(tok::LParen)) {
            expr();
            close(tok::RParen);
            put(OpListElem, t);
        } else {
            put(OpLoadVar, t);
        }
        return true;
    }
    if (t >= tok::Matrix0 && t <= tok::Matrix0 + 9) {
        if (accept(tok::LParen)) {
            expr();
            comma();
            expr();
            close(tok::RParen);
            put(OpMatElem, t);
        } else {
            put(OpLoadVar, t);
        }
        return true;
    }
    if (t >= tok::Str0 && t <= tok::Str0 + 9) {
        put(OpLoadVar, t);
        return true;
    }
    if (t == tok::SmallL) {
        const int n = name(listName());
        if (accept(tok::LParen)) {
            expr();
            close(tok::RParen);
            put(OpNamedElem, n);
        } else {
            put(OpLoadNamed, n);
        }
        return true;
    }
    return false;
}

// A token that cannot start an operand: a misplaced operator is a syntax
// error, anything else a command this engine does not run.
void Compiler::unexpected(int t)
{
    switch (t) {
    case tok::RParen:
    case tok::RBrace:
    case tok::RBracket:
    case tok::Comma:
    case tok::Store:
    case tok::Plus:
    case tok::Times:
    case tok::Divide:
    case tok::Power:
    case tok::Quote:
        fail(Error::Syntax);
    default:
        break;
    }
    if (t >= tok::Eq && t <= tok::Ne)
        fail(Error::Syntax);
    // Operators that need a value before them.
    switch (t) {
    case tok::RadianSign:
    case tok::DegreeSign:
    case tok::Inverse:
    case tok::Square:
    case tok::Cube:
    case tok::Transpose:
    case tok::Factorial:
    case tok::Or:
    case tok::Xor:
    case tok::And:
    case tok::NPr:
    case tok::NCr:
    case tok::XRoot:
        fail(Error::Syntax);
    default:
        break;
    }
    if (t == tok::Minus || t == tok::Space || t == tok::ToFrac || t == tok::ToDec || isShownAs(t) ||
        t == tok::FractionSlash || t == tok::FracND || t == tok::MixedU || t == tok::FracUND ||
        t == tok::MathPrintBox || isEditorToken(t))
        fail(Error::Syntax);
    // Stat plots' types and marks belong inside Plot1(; a picture or graph
    // database is no value.
    if (t == tok::Scatter || t == tok::XyLine || t == tok::Histogram || t == tok::Boxplot ||
        t == tok::ModBoxPlot || t == tok::NormProbPlot || t == tok::PlotTinyDot ||
        (t >= tok::MarkBox && t <= tok::MarkDot))
        fail(Error::Syntax);
    if ((t >> 8) == tok::PicturePrefix || (t >> 8) == tok::GdbPrefix)
        fail(Error::DataType);
    // Lower-case and accented letters, Greek and punctuation are characters
    // for strings, not variables.
    if ((t >= tok::CharsFirst && t <= tok::CharsLast && t != tok::GarbageCollect) ||
        (t >= tok::SmallA && t <= tok::SmallZ))
        fail(Error::Syntax);
    // A statistics command is a statement of its own, never a value.
    if (isStatCommand(t))
        fail(Error::Syntax);
    fail(Error::Unsupported, tokenName(t));
}

} // namespace compiling
} // namespace calc::basic
