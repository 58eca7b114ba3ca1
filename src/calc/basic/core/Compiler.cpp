// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/Compiler.h"
#include "calc/basic/core/Builtins.h"

#include "calc/basic/core/CompilerImpl.h"
#include "calc/basic/state/GraphState.h"

#include "calc/Tokens.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/core/NumberTokens.h"
#include "calc/basic/screens/GraphScreen.h"
#include "calc/basic/state/Settings.h"

#include <QHash>

namespace calc::basic
{
using namespace compiling;

namespace compiling
{

bool isDigit(int t)
{
    return t >= tok::Digit0 && t <= tok::Digit9;
}

bool isLetter(int t)
{
    return t >= tok::A && t <= tok::Theta;
}

} // namespace compiling

namespace compiling
{
QString tokenName(int t)
{
    if (t == tok::Bad)
        return QStringLiteral("a number");
    const QString s = calc::tokens::displayString(t).trimmed();
    return s.isEmpty() ? QStringLiteral("0x%1").arg(t, 2, 16, QLatin1Char('0')) : s;
}

// A function written name(arguments), from its library's table.
const Builtin *functionOf(int t)
{
    const int i = builtinIndex(t);
    if (i < 0)
        return nullptr;
    const Builtin &b = builtinAt(i);
    return b.kind == Builtin::Parsed ? &b : nullptr;
}

// Variables of the graph screen, statistics and pictures: the calculator
// stores to them, this engine does not.
bool isOtherVariable(int t)
{
    const int family = t >> 8;
    return family == tok::EquationPrefix ||
           (family >= tok::PicturePrefix && family <= tok::WindowPrefix);
}

// Xmin..Ymax, Xscl, Yscl as GraphScreen::Window; -1 for any other token.
int windowVar(int t)
{
    if (t >= tok::Xmin && t <= tok::Ymax)
        return GraphScreen::Xmin + (t - tok::Xmin);
    if (t == tok::Xscl || t == tok::Yscl)
        return GraphScreen::Xscl + (t - tok::Xscl);
    return -1;
}

bool isTrig(int t)
{
    return t >= tok::Sin && t <= tok::Tanh1;
}

void Compiler::split()
{
    int first = 0;
    const int n = int(toks_.size());
    for (int i = 0; i <= n; ++i) {
        if (i < n && toks_[i].t != tok::Colon && toks_[i].t != tok::Newline) {
            // DelVar runs into the next statement without a colon.
            if (toks_[i].t == tok::DelVar && i == first) {
                int j = i + 1;
                if (j < n) {
                    const int t = toks_[j].t;
                    ++j;
                    if (t == tok::SmallL) {
                        for (int k = 0;
                             k < 5 && j < n && (isLetter(toks_[j].t) || toks_[j].t == tok::Number);
                             ++k)
                            ++j;
                    }
                }
                if (j < n && toks_[j].t != tok::Colon && toks_[j].t != tok::Newline) {
                    stmts_.push_back({first, j, toks_[first].line});
                    first = j;
                    i = j - 1;
                }
            }
            continue;
        }
        const int line = first < n ? toks_[first].line : (n ? toks_[n - 1].line : 1);
        stmts_.push_back({first, i, line});
        first = i + 1;
    }
}

void Compiler::matchBlocks()
{
    const int n = int(stmts_.size());
    matchEnd_.assign(n, n);
    matchElse_.assign(n, -1);
    std::vector<int> open;
    for (int i = 0; i < n; ++i) {
        const Stmt &s = stmts_[i];
        if (s.first == s.last)
            continue;
        switch (toks_[s.first].t) {
        case tok::Then:
        case tok::For:
        case tok::While:
        case tok::Repeat:
            open.push_back(i);
            break;
        case tok::Else:
            if (!open.empty() && toks_[stmts_[open.back()].first].t == tok::Then &&
                matchElse_[open.back()] < 0)
                matchElse_[open.back()] = i;
            break;
        case tok::End:
            if (!open.empty()) {
                matchEnd_[open.back()] = i;
                open.pop_back();
            }
            break;
        default:
            break;
        }
    }
}

std::shared_ptr<Chunk> Compiler::program()
{
    split();
    matchBlocks();
    const int n = int(stmts_.size());
    // Labels first: Goto may jump forward. The first of a name wins.
    const bool record = recordLabels_;
    recordLabels_ = false;
    for (int i = 0; i < n; ++i) {
        const Stmt &s = stmts_[i];
        if (s.first < s.last && toks_[s.first].t == tok::Lbl) {
            pos_ = s.first + 1;
            end_ = s.last;
            try {
                const QByteArray label = labelName();
                if (!labels_.contains(label))
                    labels_.insert(label, i);
            } catch (const CompileError &) {
            }
        }
    }
    recordLabels_ = record;
    stmtStart_.assign(n + 2, 0);
    errors_.assign(n, Error::None);
    for (int i = 0; i < n; ++i) {
        stmtStart_[i] = here();
        statement(i);
    }
    stmtStart_[n] = stmtStart_[n + 1] = here();
    put(OpHalt);
    auto &code = program_->code;
    for (const auto &[at, target] : toStmt_)
        code[at] = stmtStart_[std::min(target, n + 1)];
    for (const auto &[at, label] : toLabel_) {
        const auto it = labels_.constFind(label);
        code[at] = it == labels_.constEnd() ? -1 : stmtStart_[*it];
    }
    return program_;
}

} // namespace compiling

int operandCount(int op)
{
    switch (op) {
    case OpHalt:
    case OpLoadAns:
    case OpRand:
    case OpGetKey:
    case OpStoreRand:
    case OpSetAns:
    case OpPop:
    case OpRepeatTest:
    case OpEnd:
    case OpOutput:
    case OpClrHome:
    case OpReturn:
    case OpStop:
        return 0;
    case OpCall:
    case OpIfThen:
    case OpSortWith:
    case OpWhile:
    case OpDelVar:
    case OpClrList:
    case OpFill:
    case OpListToMatr:
    case OpError:
    case OpDraw:
    case OpEquation:
    case OpColour:
        return 2;
    case OpStmt: // line, first byte, byte after the last
    case OpSeq:
    case OpFor:
    case OpIsDs:
    case OpSort:
    case OpMatrToList:
        return 3;
    case OpInput:
    case OpSetting:
    case OpGraph:
    case OpCalculus:
        return 4;
    default:
        return 1;
    }
}

namespace compiling
{

namespace
{

QString constantText(const Value &v)
{
    QString text = QStringLiteral("k");
    if (v.kind != Value::String)
        return text + v.num.full();
    text += QLatin1Char('"');
    for (int u : v.text)
        text += QString::number(u) + QLatin1Char(' ');
    return text;
}

} // namespace

Parsed Compiler::parsed()
{
    recordLabels_ = true;
    program();
    Parsed out;
    const int n = int(stmts_.size());
    const auto &code = program_->code;
    QHash<int, int> jumps; // code index to statement
    for (const auto &[at, target] : toStmt_)
        jumps.insert(at, std::min(target, n + 1));
    for (const auto &[at, label] : toLabel_)
        jumps.insert(at, labels_.value(label, -1));
    QHash<int, int> internal;
    for (int at : internal_)
        internal.insert(at, 1);
    for (int i = 0; i < n; ++i) {
        Statement st;
        st.first = stmts_[i].first;
        st.last = stmts_[i].last;
        st.line = stmts_[i].line;
        st.error = errors_[i];
        const int from = stmtStart_[i], to = stmtStart_[i + 1];
        // Walked an instruction at a time: operands are not opcodes.
        for (int k = from; k < to;) {
            const int op = code[k];
            const int operands = op == OpMenu ? 1 + code[k + 1] : operandCount(op);
            for (int w = 0; w <= operands && k < to; ++w, ++k) {
                if (jumps.contains(k))
                    st.shape << QLatin1Char('@') + QString::number(jumps.value(k));
                else if (internal.contains(k))
                    st.shape << QLatin1Char('#') + QString::number(code[k] - from);
                else if (op == OpStmt && w >= 1)
                    st.shape << QStringLiteral("place"); // where it stands, not what it does
                else if (op == OpConst && w == 1)
                    st.shape << constantText(program_->constants[code[k]]);
                else
                    st.shape << QString::number(code[k]);
            }
        }
        out.statements.push_back(st);
    }
    out.tokens = toks_;
    out.labels = labelUses_;
    out.blockEnd = matchEnd_;
    out.thenElse = matchElse_;
    out.names = program_->names;
    return out;
}

std::shared_ptr<Chunk> Compiler::expression()
{
    pos_ = 0;
    end_ = int(toks_.size());
    try {
        if (atEnd())
            fail(Error::Syntax);
        expr();
        endOfStatement();
    } catch (const CompileError &e) {
        program_->code.clear();
        put(OpError, int(e.error));
        put(name(e.detail));
    }
    put(OpHalt);
    return program_;
}

void Compiler::statement(int i)
{
    const Stmt &s = stmts_[i];
    stmt_ = i;
    depth_ = seqDepth_ = 0; // an error leaves them where it was
    pos_ = s.first;
    end_ = s.last;
    // An empty statement is no statement: a trailing line break does not
    // hide the last value.
    if (atEnd())
        return;
    const int start = here();
    // The statement's bytes, for a debugger to show which one runs.
    const int from = toks_[s.first].from, to = toks_[s.last - 1].to;
    put(OpStmt, s.line);
    put(from, to);
    try {
        command(next(), i);
    } catch (const CompileError &e) {
        program_->code.resize(start);
        // Jumps of this statement that wait for patching are gone with it.
        while (!toStmt_.empty() && toStmt_.back().first >= start)
            toStmt_.pop_back();
        while (!toLabel_.empty() && toLabel_.back().first >= start)
            toLabel_.pop_back();
        put(OpStmt, s.line);
        put(from, to);
        put(OpError, int(e.error));
        put(name(e.detail));
        errors_[i] = e.error;
    }
}

// A statement by its first token; each family tells whether it was its own.
void Compiler::command(int t, int i)
{
    if (blockStatement(t, i) || jumpStatement(t, i) || homeStatement(t) || listStatement(t) ||
        drawStatement(t))
        return;
    switch (t) {
    case tok::Input:
        inputStatement();
        return;
    case tok::ListToMatr:
    case tok::MatrToList:
        matrixListStatement(t);
        return;
    case tok::Radian:
    case tok::Degree:
        modeStatement(t);
        return;
    case tok::DrawF:
    case tok::DrawInv:
    case tok::Shade:
    case tok::Tangent:
    case tok::StringToEqu:
    case tok::EquToString:
    case tok::GraphStyle:
    case tok::Select:
    case tok::DispTable:
    case tok::PrintScreen:
    case tok::Plot1:
    case tok::Plot1 + 1:
    case tok::Plot3:
    case tok::QuickPlotFit:
    case tok::PlySmlt2:
        graphStatement(t);
        return;
    default:
        break;
    }
    if (colour_ && colourStatement(t))
        return;
    if (isStatCommand(t)) {
        statStatement(t, i);
        return;
    }
    if (isSettingCommand(t)) {
        settingStatement(t);
        return;
    }
    // Anything else is an expression, stored or shown.
    --pos_;
    expr();
    equationStored_ = false;
    if (accept(tok::Store))
        storeTarget();
    endOfStatement();
    put(equationStored_ ? OpPop : OpSetAns);
}

// Input: an optional prompt, then the variable.
void Compiler::inputStatement()
{
    if (atEnd()) {
        graphStatement(tok::Input);
        return;
    }
    // A prompt is any expression before a comma outside brackets.
    int prompt = -1, open = 0;
    for (int k = pos_; k < end_; ++k) {
        const int u = toks_[k].t;
        if (u == tok::LParen || u == tok::LBrace || u == tok::LBracket ||
            (functionOf(u) || isTrig(u) || u == tok::Seq))
            ++open;
        else if (u == tok::RParen || u == tok::RBrace || u == tok::RBracket)
            --open;
        else if (u == tok::Comma && open == 0)
            prompt = -2;
    }
    if (prompt == -2) {
        expr();
        comma();
    }
    int kind, key;
    ioTarget(&kind, &key);
    endOfStatement();
    put(OpInput, prompt);
    put(kind, key);
    put(0);
}

// The home screen's other commands.
bool Compiler::homeStatement(int t)
{
    switch (t) {
    case tok::Pause: {
        const bool value = !atEnd();
        if (value)
            expr();
        // The CE's Pause value,seconds: 2.
        const bool timed = colour_ && value && accept(tok::Comma);
        if (timed)
            expr();
        endOfStatement();
        put(OpPause, timed ? 2 : value ? 1 : 0);
        break;
    }
    case tok::Prompt:
        do {
            int kind, key;
            ioTarget(&kind, &key);
            put(OpInput, -1);
            put(kind, key);
            put(1);
        } while (accept(tok::Comma));
        endOfStatement();
        break;
    case tok::Disp: {
        const int n = atEnd() ? 0 : expressions();
        endOfStatement();
        put(OpDisp, n);
        break;
    }
    case tok::Output:
        expr();
        comma();
        expr();
        comma();
        expr();
        close(tok::RParen);
        endOfStatement();
        put(OpOutput);
        break;
    case tok::ClrHome:
        endOfStatement();
        put(OpClrHome);
        break;
    default:
        return false;
    }
    return true;
}

// Variables and lists: DelVar, SortA(, SortD(, ClrList, Fill(.
bool Compiler::listStatement(int t)
{
    switch (t) {
    case tok::DelVar: {
        if (isEquation(peek())) {
            // An equation deleted is one emptied.
            put(OpConst, constant(Value::string({})));
            put(OpStoreEquation, next());
            endOfStatement();
            put(OpPop);
            break;
        }
        if ((peek() >> 8) == tok::PicturePrefix || (peek() >> 8) == tok::GdbPrefix) {
            const int key = next();
            endOfStatement();
            put(OpDelVar, TVar);
            put(key);
            break;
        }
        int kind, key;
        ioTarget(&kind, &key);
        endOfStatement();
        put(OpDelVar, kind);
        put(key);
        break;
    }
    case tok::SortA:
    case tok::SortD: {
        int kind, key;
        listTarget(&kind, &key);
        // Lists after the first are sorted along with it.
        while (accept(tok::Comma)) {
            int k2, key2;
            listTarget(&k2, &key2);
            put(OpSortWith, k2);
            put(key2);
        }
        close(tok::RParen);
        endOfStatement();
        put(OpSort, kind);
        put(key, t == tok::SortA ? 1 : 0);
        break;
    }
    case tok::ClrList:
        do {
            int kind, key;
            listTarget(&kind, &key);
            put(OpClrList, kind);
            put(key);
        } while (accept(tok::Comma));
        endOfStatement();
        break;
    case tok::Fill: {
        expr();
        comma();
        int kind, key;
        ioTarget(&kind, &key); // a list or a matrix
        if (kind == TReal || (kind == TVar && key >= tok::Str0 && key <= tok::Str0 + 9))
            fail(Error::DataType);
        close(tok::RParen);
        endOfStatement();
        put(OpFill, kind);
        put(key);
        break;
    }
    default:
        return false;
    }
    return true;
}

// The graph screen's commands and their counts of arguments.
bool Compiler::drawStatement(int t)
{
    switch (t) {
    case tok::AxesOn:
        // On colour models a colour may follow: the axes' colour.
        if (colour_ && !atEnd()) {
            expr();
            endOfStatement();
            put(OpColour, t);
            put(1);
            break;
        }
        endOfStatement();
        put(OpDraw, t);
        put(0);
        break;
    case tok::ClrDraw:
    case tok::DispGraph:
    case tok::AxesOff:
    case tok::ZStandard:
        endOfStatement();
        put(OpDraw, t);
        put(0);
        break;
    case tok::Horizontal:
    case tok::Vertical: {
        // On colour models: a colour and a line style may follow.
        int n = 0;
        do {
            expr();
            ++n;
        } while (colour_ && n < 3 && accept(tok::Comma));
        endOfStatement();
        put(OpDraw, t);
        put(n);
        break;
    }
    case tok::PxlOn:
    case tok::PxlOff:
    case tok::PxlChange:
    case tok::PtOn:
    case tok::PtOff:
    case tok::PtChange:
    case tok::Line:
    case tok::Circle:
    case tok::Text: {
        const bool pxl = t >= tok::PxlOn && t <= tok::PxlChange;
        const bool pt = t >= tok::PtOn && t <= tok::PtChange;
        const int least = pxl ? 2 : pt ? 2 : t == tok::Line ? 4 : 3;
        int most = pxl ? 2 : pt ? 3 : t == tok::Line ? 5 : t == tok::Circle ? 3 : 99;
        if (colour_) // a colour, and for lines a style
            most = pxl ? 3 : pt ? 4 : t == tok::Line ? 7 : t == tok::Circle ? 5 : 99;
        const int n = expressions();
        close(tok::RParen);
        endOfStatement();
        if (n < least || n > most)
            fail(Error::Argument);
        put(OpDraw, t);
        put(n);
        break;
    }
    default:
        return false;
    }
    return true;
}

// Radian and Degree switch the angles; the other modes are settings
// (Compiler_Settings.cpp).
void Compiler::modeStatement(int t)
{
    endOfStatement();
    put(OpAngle, t == tok::Degree ? 1 : 0);
}

} // namespace compiling

Parsed parse(const QByteArray &bytes, bool colour)
{
    Compiler c(bytes, colour);
    return c.parsed();
}

std::shared_ptr<Chunk> compile(const QByteArray &bytes, bool expression, bool colour)
{
    Compiler c(bytes, colour);
    return expression ? c.expression() : c.program();
}

} // namespace calc::basic
