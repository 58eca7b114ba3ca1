// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/Vm.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Builtins.h"
#include "calc/basic/core/Compiler.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/state/Pace.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <new>

namespace calc::basic
{

QString Vm::varName(int kind, int key, const Chunk &p) const
{
    if (kind == TReal)
        return key == 26 ? QStringLiteral("\u03B8") : QString(QChar('A' + key));
    if (kind == TNamed)
        return p.names[key];
    return calc::tokens::displayString(key);
}

void Vm::pushBlock(Call &c, const Block &b)
{
    c_.memory().hold(memory::kBlock);
    c.blocks.push_back(b);
}

namespace
{

// The loop the libraries evaluate with while it runs: the innermost one.
// The host's Stop flag is this thread's while a run lasts.
struct Evaluating {
    Calculator &c;
    Evaluator *outer;
    const std::atomic<bool> *stop;
    Evaluating(Calculator &calc, Evaluator *e)
        : c(calc), outer(calc.setEvaluator(e)), stop(std::exchange(tStopFlag, calc.host().stop))
    {
    }
    ~Evaluating()
    {
        c.setEvaluator(outer);
        tStopFlag = stop;
    }
};

} // namespace

Value Vm::evaluateNested(std::shared_ptr<Chunk> code, bool insideExpr)
{
    checkStop(); // solve(, graphs and the like evaluate here again and again
    Vm inner(e_);
    inner.inExpr = insideExpr;
    return inner.evaluate(code);
}

std::shared_ptr<Chunk> Vm::compiled(const QByteArray &expression)
{
    return compile(expression, true, c_.colour() != nullptr);
}

Q_ALWAYS_INLINE void Vm::countStep()
{
    if (++outcome.steps > e_.maxSteps())
        raise(Error::Steps);
}

// The built-ins' inner steps: Stop reaches them here, as the host's
// statement hook does between statements.
void Vm::step()
{
    countStep();
    if (Q_UNLIKELY((outcome.steps & 255) == 0))
        checkStop();
}

Value Vm::evaluate(std::shared_ptr<Chunk> p)
{
    Evaluating scope(c_, this);
    calls_.push_back({p, QString(), 0, 0, {}});
    loop();
    if (stack_.empty())
        raise(Error::Syntax);
    return stack_.back();
}

// An answer typed at Input or Prompt, as a value.
Value Vm::answer(const QString &text)
{
    const auto tokens = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
    if (!tokens.ok())
        raise(Error::Syntax, tokens.error);
    QByteArray bytes = tokens.bytes;
    // A minus typed first means a negative number.
    if (bytes.startsWith(char(tok::Minus)))
        bytes[0] = char(tok::Neg);
    Vm inner(e_);
    inner.inExpr = inExpr;
    return inner.evaluate(compile(bytes, true));
}

bool Vm::run(std::shared_ptr<Chunk> p, const QString &name, const QByteArray &tokens)
{
    Evaluating scope(c_, this);
    calls_.push_back({p, name, 0, 0, {}});
    try {
        c_.holdProgram(name, int(tokens.size()));
        loop();
    } catch (const RunError &err) {
        outcome.error = err.error;
        outcome.detail = err.detail;
        outcome.line = calls_.back().line;
        outcome.program = calls_.back().name;
        return false;
    } catch (const std::bad_alloc &) {
        // The computer ran out before the calculator's count did: the
        // calculator's answer all the same, never an abort.
        outcome.error = Error::Memory;
        outcome.line = calls_.back().line;
        outcome.program = calls_.back().name;
        return false;
    }
    return lastExpr_;
}

// The run loop: the instructions that change which program runs stay
// here, every other family has a function of its own. The families that
// simple statements use are inlined into it (Q_ALWAYS_INLINE): a call per
// instruction costs bench_run some 8 %.
void Vm::loop()
{
    Call *c = &calls_.back();
    const Chunk *prog = c->program.get();
    const int *code = prog->code.data();
    int ip = 0;
    for (;;) {
        const int op = code[ip++];
        switch (op) {
        case OpStmt:
            startStatement(*c, code + ip);
            ip += 3;
            break;
        case OpHalt:
        case OpReturn:
            // Back to the caller, or the end when this is the outermost program.
            if (calls_.size() == 1)
                return;
            c_.memory().release(memory::kCall +
                                memory::kBlock * static_cast<long long>(c->blocks.size()));
            calls_.pop_back();
            c = &calls_.back();
            prog = c->program.get();
            code = prog->code.data();
            ip = c->ip;
            break;
        case OpStop:
            return;
        case OpPrgm:
            c->ip = ip + 1;
            enter(prog->names[code[ip]]);
            c = &calls_.back();
            prog = c->program.get();
            code = prog->code.data();
            ip = 0;
            break;
        case OpError:
            raise(Error(code[ip]), prog->names.value(code[ip + 1]));
        case OpConst:
        case OpLoadReal:
        case OpLoadAns:
        case OpLoadVar:
        case OpLoadNamed:
        case OpListElem:
        case OpNamedElem:
        case OpMatElem:
        case OpRand:
        case OpGetKey:
        case OpLoadWindow:
            ip = load(op, code, ip, prog);
            break;
        case OpBinary:
        case OpUnary:
        case OpCall:
        case OpMakeList:
        case OpMakeMatrix:
            ip = compute(op, code, ip);
            break;
        case OpSeq:
        case OpSeqNext:
            ip = sequence(op, code, ip);
            break;
        case OpStoreReal:
        case OpStoreVar:
        case OpStoreNamed:
        case OpStoreElem:
        case OpStoreNamedElem:
        case OpStoreMatElem:
        case OpStoreRand:
        case OpSetAns:
        case OpPop:
        case OpStoreWindow:
            ip = storeOp(op, code, ip, prog);
            break;
        case OpStoreDim:
            storeDim(code[ip++], prog);
            break;
        case OpJump:
        case OpIfFalse:
        case OpIfThen:
        case OpElse:
        case OpWhile:
        case OpRepeat:
        case OpRepeatTest:
        case OpIsDs:
            ip = flow(op, code, ip, c);
            break;
        case OpFor:
        case OpEnd:
            ip = loopBlock(op, code, ip, c);
            break;
        case OpDisp:
        case OpOutput:
        case OpClrHome:
        case OpPause:
        case OpMenu:
            ip = io(op, code, ip);
            break;
        case OpInput:
            input(code + ip, prog);
            ip += 4;
            break;
        case OpDelVar:
        case OpSort:
        case OpClrList:
        case OpFill:
        case OpAngle:
            ip = listOp(op, code, ip, prog);
            break;
        case OpDraw:
            drawOp(code[ip], code[ip + 1]);
            ip += 2;
            break;
        case OpCalculus:
            ip = calculusOp(code, ip, prog);
            break;
        case OpColour:
            colourOp(code[ip], code[ip + 1]);
            ip += 2;
            break;
        case OpSetting:
            setting(code[ip], code[ip + 1], code[ip + 2], code[ip + 3], prog);
            ip += 4;
            break;
        case OpLoadSetting:
            stack_.push_back(settingValue(code[ip++]));
            break;
        case OpStoreSetting:
            storeSetting(code[ip++], stack_.back());
            break;
        case OpSortWith:
        case OpListToMatr:
        case OpMatrToList:
            ip = matrixListOp(op, code, ip, prog);
            break;
        case OpEquation:
        case OpStoreEquation:
        case OpGraph:
        case OpLoadGraphVar:
        case OpStoreGraphVar:
            ip = graphOp(op, code, ip, prog);
            break;
        default:
            raise(Error::Syntax);
        }
    }
}

// Counts the statement, notes its line and lets the host see it; its
// operands are the line and its bytes.
Q_ALWAYS_INLINE void Vm::startStatement(Call &c, const int *operands)
{
    countStep();
    c.line = operands[0];
    lastExpr_ = false;
    if (Q_UNLIKELY(c_.pace()))
        paced(c, operands);
    if (c_.host().statement && !c_.host().statement(c.name, c.line, operands[1], operands[2]))
        raise(Error::Break);
}

// Out of the loop's way: a run at full speed without a clock never comes
// here.
Q_NEVER_INLINE void Vm::paced(const Call &c, const int *operands)
{
    c_.pace()->statement(c.program.get(), operands[1], operands[2]);
}

// A graph-screen command with its n arguments on the stack.
void Vm::drawOp(int cmd, int n)
{
    draw(c_, cmd, stack_.data() + stack_.size() - n, n);
    stack_.resize(stack_.size() - n);
}

// A colour model's command with its n arguments on the stack.
void Vm::colourOp(int cmd, int n)
{
    colourCommand(c_, cmd, stack_.data() + stack_.size() - n, n);
    stack_.resize(stack_.size() - n);
}

// solve( and its kin: token, argc, the expression's name index and the
// variable; the arguments on the stack give way to the result.
int Vm::calculusOp(const int *code, int ip, const Chunk *prog)
{
    const int n = code[ip + 1];
    Value r = calculus(c_, code[ip], stack_.data() + stack_.size() - n, n, code[ip + 2],
                       code[ip + 3], prog);
    stack_.resize(stack_.size() - n);
    stack_.push_back(std::move(r));
    return ip + 4;
}

void Vm::enter(const QString &name)
{
    int size = 0;
    std::shared_ptr<Chunk> code = e_.called(name, &size);
    if (!code)
        raise(Error::Undefined, QStringLiteral("prgm") + name);
    c_.memory().hold(memory::kCall);
    c_.holdProgram(name, size);
    calls_.push_back({std::move(code), name, 0, 0, {}});
}

Q_ALWAYS_INLINE int Vm::load(int op, const int *code, int ip, const Chunk *prog)
{
    switch (op) {
    case OpConst:
        stack_.push_back(prog->constants[code[ip++]]);
        break;
    case OpLoadReal:
        if (Q_UNLIKELY((c_.settings().archivedReals | c_.complexReals()) & (1u << code[ip]))) {
            stack_.push_back(c_.specialReal(code[ip++]));
            break;
        }
        stack_.push_back(Value::real(c_.reals()[code[ip++]]));
        break;
    case OpLoadAns:
        stack_.push_back(c_.ans());
        break;
    case OpLoadVar:
        stack_.push_back(c_.var(code[ip++]));
        break;
    case OpLoadNamed:
        stack_.push_back(c_.named(prog->names[code[ip++]]));
        break;
    case OpListElem:
    case OpNamedElem: {
        const Value &l = op == OpListElem ? c_.var(code[ip]) : c_.named(prog->names[code[ip]]);
        ++ip;
        if (Q_UNLIKELY(l.kind == Value::ComplexList)) {
            stack_.back() = elementOf(l, indexOf(stack_.back(), elementCount(l)) - 1);
            break;
        }
        const int i = indexOf(stack_.back(), l.items.size());
        stack_.back() = Value::real(l.items[i - 1]);
        break;
    }
    case OpMatElem: {
        const Value &m = c_.var(code[ip++]);
        const Value col = pop();
        const int r = indexOf(stack_.back(), m.rows), k = indexOf(col, m.cols);
        stack_.back() = Value::real(m.items[(r - 1) * m.cols + k - 1]);
        break;
    }
    case OpRand:
        stack_.push_back(Value::real(c_.random().next()));
        break;
    case OpGetKey:
        stack_.push_back(Value::real(num(c_.host().nextKey ? c_.host().nextKey() : 0)));
        break;
    case OpLoadWindow:
        stack_.push_back(Value::real(c_.graph().window(GraphScreen::Window(code[ip++]))));
        break;
    default:
        break;
    }
    return ip;
}

Q_ALWAYS_INLINE int Vm::compute(int op, const int *code, int ip)
{
    switch (op) {
    case OpBinary: {
        const Value b = pop();
        // Str1+Str1 doubles: the sum must fit before it is made.
        if (Q_UNLIKELY(b.kind == Value::String))
            c_.memory().need(memory::kSizeField + b.text.size() + stack_.back().text.size());
        stack_.back() = binary(code[ip++], stack_.back(), b);
        break;
    }
    case OpUnary:
        stack_.back() = unary(c_, code[ip++], stack_.back());
        break;
    case OpCall: {
        const Builtin &b = builtinAt(code[ip]);
        const int n = code[ip + 1];
        ip += 2;
        Value *args = stack_.data() + stack_.size() - n;
        Value r = b.function(c_, b.token, args, n);
        // What a built-in made must fit in RAM beside the variables.
        if (Q_UNLIKELY(r.items.size() > 64 || r.text.size() > 64))
            c_.memory().need(memory::dataBytes(r));
        stack_.resize(stack_.size() - n);
        stack_.push_back(std::move(r));
        break;
    }
    case OpMakeList: {
        const int n = code[ip++];
        QVector<Number> items(n);
        for (int i = 0; i < n; ++i) {
            const Value &e = stack_[stack_.size() - n + i];
            if (Q_UNLIKELY(e.kind == Value::Complex)) {
                const Value l =
                    listOfValues(QVector<Value>(stack_.end() - n, stack_.end())); // {1,𝑖}
                stack_.resize(stack_.size() - n);
                stack_.push_back(l);
                return ip;
            }
            items[i] = realOf(e);
        }
        stack_.resize(stack_.size() - n);
        stack_.push_back(Value::list(items));
        break;
    }
    case OpMakeMatrix: {
        const int rows = code[ip++];
        Value m;
        m.kind = Value::Matrix;
        m.rows = rows;
        m.cols = stack_[stack_.size() - rows].items.size();
        for (int i = 0; i < rows; ++i) {
            const Value &row = stack_[stack_.size() - rows + i];
            if (row.kind != Value::List) // a matrix holds reals only
                raise(Error::DataType);
            if (row.items.size() != m.cols)
                raise(Error::InvalidDim);
            m.items += row.items;
        }
        stack_.resize(stack_.size() - rows);
        stack_.push_back(m);
        break;
    }
    default:
        break;
    }
    return ip;
}

int Vm::sequence(int op, const int *code, int ip)
{
    switch (op) {
    case OpSeq: {
        const int v = code[ip], hasStep = code[ip + 1], exit = code[ip + 2];
        ip += 3;
        if (!seqs_.empty())
            raise(Error::IllegalNest);
        SeqState s;
        s.var = v;
        s.step = hasStep ? realOf(pop()) : num(1);
        s.end = realOf(pop());
        const Number start = realOf(pop());
        if (s.step.isZero())
            raise(Error::Domain);
        if (s.step.isNegative() ? start < s.end : s.end < start)
            raise(Error::InvalidDim);
        s.saved = loopVar(v);
        loopVar(v) = start;
        seqs_.push_back(s);
        (void)exit;
        break;
    }
    case OpSeqNext: {
        SeqState &s = seqs_.back();
        s.out << realOf(pop());
        if (s.out.size() > 999)
            raise(Error::InvalidDim);
        c_.memory().need(memory::kSizeField + memory::kReal * s.out.size());
        const Number next = add(loopVar(s.var), s.step);
        if (s.step.isNegative() ? !(next < s.end) : !(s.end < next)) {
            loopVar(s.var) = next;
            ip = code[ip];
        } else {
            ++ip;
            loopVar(s.var) = s.saved;
            stack_.push_back(Value::list(s.out));
            seqs_.pop_back();
        }
        break;
    }
    default:
        break;
    }
    return ip;
}

Q_ALWAYS_INLINE int Vm::storeOp(int op, const int *code, int ip, const Chunk *prog)
{
    switch (op) {
    case OpStoreReal:
        if (Q_UNLIKELY(stack_.back().kind != Value::Real ||
                       (c_.settings().archivedReals | c_.complexReals() | ~c_.definedReals()) &
                           (1u << code[ip]))) {
            const int k = code[ip++];
            const Value &v = stack_.back();
            // {1,2→X stores to ʟX: a list cannot go into a real.
            if (v.kind == Value::List || v.kind == Value::ComplexList)
                c_.store(TNamed, 0, v, varName(TReal, k, *prog));
            else
                c_.store(TReal, k, v, QString());
            break;
        }
        c_.deletedReals() &= ~(1u << code[ip]);
        c_.reals()[code[ip++]] = stack_.back().num;
        break;
    case OpStoreVar:
        c_.store(TVar, code[ip++], stack_.back(), QString());
        break;
    case OpStoreNamed:
        c_.store(TNamed, 0, stack_.back(), prog->names[code[ip++]]);
        break;
    case OpStoreElem:
    case OpStoreNamedElem: {
        const Value index = pop();
        const bool complex = stack_.back().kind == Value::Complex;
        const Number x = complex ? Number() : realOf(stack_.back());
        Value *l;
        int nameLength = 0;
        if (op == OpStoreElem) {
            l = &c_.listSlot(code[ip]);
        } else {
            l = &c_.named(prog->names[code[ip]], true);
            nameLength = int(prog->names[code[ip]].size());
        }
        ++ip;
        if (Q_UNLIKELY(complex || l->kind == Value::ComplexList)) {
            const int i = indexOf(index, std::min(elementCount(*l) + 1, 999));
            c_.replace(*l, withElement(*l, i - 1, stack_.back()), nameLength);
            break;
        }
        // One past the end makes the list longer.
        const int i = indexOf(index, std::min(int(l->items.size()) + 1, 999));
        if (i > l->items.size()) {
            c_.memory().change(memory::kReal);
            l->items.append(x);
        } else
            l->items[i - 1] = x;
        break;
    }
    case OpStoreMatElem: {
        const Value col = pop(), row = pop();
        const Number x = realOf(stack_.back());
        Value &m = c_.var(code[ip++]);
        const int r = indexOf(row, m.rows), k = indexOf(col, m.cols);
        m.items[(r - 1) * m.cols + k - 1] = x;
        break;
    }
    case OpStoreRand:
        c_.random().seed(realOf(stack_.back()));
        break;
    case OpSetAns:
        c_.setAns(pop());
        lastExpr_ = true;
        break;
    case OpPop:
        stack_.pop_back();
        break;
    case OpStoreWindow:
        if (!c_.graph().setWindow(GraphScreen::Window(code[ip++]), realOf(stack_.back())))
            raise(Error::WindowRange);
        break;
    default:
        break;
    }
    return ip;
}

Q_ALWAYS_INLINE int Vm::flow(int op, const int *code, int ip, Call *c)
{
    switch (op) {
    case OpJump:
        if (code[ip] < 0)
            raise(Error::Label);
        ip = code[ip];
        break;
    case OpIfFalse:
        if (truth(pop()))
            ++ip;
        else
            ip = code[ip];
        break;
    case OpIfThen: {
        if (truth(pop())) {
            pushBlock(*c, Block(Block::If));
            ip += 2;
        } else {
            if (code[ip + 1])
                pushBlock(*c, Block(Block::If));
            ip = code[ip];
        }
        break;
    }
    case OpElse:
        if (!c->blocks.empty())
            popBlock(*c);
        ip = code[ip];
        break;
    case OpWhile:
        if (truth(pop())) {
            Block b(Block::While);
            b.a = code[ip + 1];
            pushBlock(*c, b);
            ip += 2;
        } else {
            ip = code[ip];
        }
        break;
    case OpRepeat: {
        Block b(Block::Repeat);
        b.a = ip + 1;
        b.c = code[ip];
        pushBlock(*c, b);
        ip = code[ip];
        break;
    }
    case OpRepeatTest: {
        if (c->blocks.empty() || c->blocks.back().kind != Block::Repeat)
            raise(Error::Syntax);
        const Block b = c->blocks.back();
        if (truth(pop())) {
            popBlock(*c);
            ip = b.b;
        } else {
            ip = b.c;
        }
        break;
    }
    case OpIsDs: {
        const int v = code[ip], delta = code[ip + 1], skip = code[ip + 2];
        ip += 3;
        const Number limit = realOf(pop());
        if (c_.deletedReals() & (1u << v))
            raise(Error::Undefined);
        c_.defineReal(v);
        Number &x = c_.reals()[v];
        x = add(x, num(delta));
        if (delta > 0 ? limit < x : x < limit)
            ip = skip;
        break;
    }
    default:
        break;
    }
    return ip;
}

Q_ALWAYS_INLINE int Vm::loopBlock(int op, const int *code, int ip, Call *c)
{
    switch (op) {
    case OpFor: {
        Block b(Block::For);
        b.var = code[ip];
        const bool hasStep = code[ip + 1];
        const int skip = code[ip + 2];
        ip += 3;
        b.step = hasStep ? realOf(pop()) : num(1);
        b.end = realOf(pop());
        const Number start = realOf(pop());
        if (b.step.isZero())
            raise(Error::Increment);
        if (Q_UNLIKELY(b.var != kLoopVarN &&
                       (!(c_.definedReals() >> b.var & 1) || c_.complexReals() >> b.var & 1))) {
            c_.forgetReal(b.var);
            c_.defineReal(b.var);
        }
        loopVar(b.var) = start;
        c_.deletedReals() &= ~(1u << b.var);
        c_.complexReals() &= ~(1u << b.var);
        if (b.step.isNegative() ? start < b.end : b.end < start) {
            ip = skip;
        } else {
            b.a = ip;
            pushBlock(*c, b);
        }
        break;
    }
    case OpEnd: {
        if (c->blocks.empty())
            raise(Error::Syntax);
        Block &b = c->blocks.back();
        switch (b.kind) {
        case Block::If:
            popBlock(*c);
            break;
        case Block::For: {
            if (Q_UNLIKELY(c_.deletedReals() & (1u << b.var)))
                raise(Error::Undefined); // DelVar of the loop's variable
            Number &v = loopVar(b.var);
            v = add(v, b.step);
            if (b.step.isNegative() ? !(v < b.end) : !(b.end < v))
                ip = b.a;
            else
                popBlock(*c);
            break;
        }
        case Block::While:
            ip = b.a;
            popBlock(*c);
            break;
        case Block::Repeat:
            b.b = ip;
            ip = b.a;
            break;
        }
        break;
    }
    default:
        break;
    }
    return ip;
}

int Vm::io(int op, const int *code, int ip)
{
    switch (op) {
    case OpDisp: {
        c_.showGraph(false);
        const int n = code[ip++];
        for (int i = 0; i < n; ++i)
            c_.display(stack_[stack_.size() - n + i]);
        stack_.resize(stack_.size() - n);
        break;
    }
    case OpOutput: {
        c_.showGraph(false);
        const Value v = pop(), col = pop(), row = pop();
        std::int64_t r, k;
        if (!realOf(row).toInt(&r) || !realOf(col).toInt(&k) || r < 1 || r > c_.home().rows() ||
            k < 1 || k > c_.home().columns())
            raise(Error::Domain);
        if (v.kind == Value::Matrix)
            raise(Error::DataType);
        const QString text = displayText(v, c_.settings().format);
        if (Q_UNLIKELY(c_.pace()))
            c_.pace()->output(int(text.size()));
        c_.home().output(int(r), int(k), text);
        break;
    }
    case OpClrHome:
        c_.showGraph(false);
        c_.home().clear();
        break;
    case OpPause:
        if (code[ip] == 2) { // the CE's Pause value,seconds
            ++ip;
            {
                const Value seconds = pop(), shown = pop();
                timedPause(c_, shown, seconds);
            }
            break;
        }
        // Pause alone keeps the graph screen up; with a value it shows home.
        if (code[ip++]) {
            c_.showGraph(false);
            c_.display(pop());
        }
        if (c_.host().pause && !c_.host().pause())
            raise(Error::Break);
        break;
    case OpMenu: {
        c_.showGraph(false);
        const int n = code[ip];
        QStringList lines;
        for (int i = 0; i <= n; ++i)
            lines << displayText(stack_[stack_.size() - n - 1 + i]);
        stack_.resize(stack_.size() - n - 1);
        c_.home().setMenu(lines);
        QString text;
        const bool answered = c_.host().nextAnswer && c_.host().nextAnswer(&text);
        c_.home().setMenu({});
        if (!answered)
            raise(Error::Break);
        bool ok = false;
        const int choice = text.trimmed().toInt(&ok);
        if (!ok || choice < 1 || choice > n)
            raise(Error::Break, QStringLiteral("no menu item %1").arg(text));
        const int target = code[ip + choice];
        if (target < 0)
            raise(Error::Label);
        ip = target;
        break;
    }
    default:
        break;
    }
    return ip;
}

int Vm::listOp(int op, const int *code, int ip, const Chunk *prog)
{
    switch (op) {
    case OpDelVar: {
        const int kind = code[ip], key = code[ip + 1];
        ip += 2;
        if (c_.isArchived(kind, key, kind == TNamed ? prog->names[key] : QString()))
            archived(); // the archive is out of DelVar's reach
        if (kind == TReal) {
            c_.forgetReal(key);
            c_.reals()[key] = Number();
            c_.complexReals() &= ~(1u << key);
            c_.deletedReals() |= 1u << key;
        } else if (kind == TNamed) {
            const QString &name = prog->names[key];
            const auto it = c_.namedLists().constFind(name);
            if (it != c_.namedLists().constEnd())
                c_.memory().change(-memory::variableBytes(*it, int(name.size())));
            c_.namedLists().remove(name);
        } else {
            const auto it = c_.vars().constFind(key);
            if (it != c_.vars().constEnd())
                c_.memory().change(-memory::variableBytes(*it));
            c_.vars().remove(key);
            if (key >= tok::List0 && key <= tok::List0 + 5)
                c_.deletedLists() |= 1u << (key - tok::List0);
            // Pic1..Pic0 and GDB1..GDB0 are kept by their number, 1..9 then 0.
            const int k = ((key & 0xFF) + 1) % 10;
            auto &pic = c_.settings().pictures[k];
            auto &gdb = c_.settings().databases[k];
            if ((key >> 8) == tok::PicturePrefix && pic) {
                c_.memory().change(-Calculator::pictureBytes(*pic));
                pic.reset();
            } else if ((key >> 8) == tok::GdbPrefix && gdb) {
                c_.memory().change(-Calculator::databaseBytes(*gdb));
                gdb.reset();
            }
        }
        break;
    }
    case OpSort: {
        const int kind = code[ip], key = code[ip + 1];
        const bool up = code[ip + 2];
        ip += 3;
        if (!sortWith_.empty()) {
            sortAlong(c_, std::exchange(sortWith_, {}), kind, key, up, prog);
            break;
        }
        Value &l = kind == TNamed ? c_.named(prog->names[key]) : c_.var(key);
        if (up)
            std::stable_sort(l.items.begin(), l.items.end());
        else
            std::stable_sort(l.items.begin(), l.items.end(),
                             [](const Number &x, const Number &y) { return y < x; });
        break;
    }
    case OpClrList: {
        const int kind = code[ip], key = code[ip + 1];
        ip += 2;
        Value &l = kind == TNamed ? c_.named(prog->names[key], true) : c_.listSlot(key);
        c_.replace(l, Value::list({}), kind == TNamed ? int(prog->names[key].size()) : 0);
        break;
    }
    case OpFill: {
        const int kind = code[ip], key = code[ip + 1];
        ip += 2;
        const Number x = realOf(pop());
        Value &l = kind == TNamed ? c_.named(prog->names[key]) : c_.var(key);
        l.items.fill(x);
        break;
    }
    case OpAngle:
        c_.setDegrees(code[ip++] != 0);
        c_.settings().format.degrees = c_.degrees();
        break;
    default:
        break;
    }
    return ip;
}

// dim( stored to: a list grows with zeros or shrinks, a matrix keeps what
// fits of its old elements.
void Vm::storeDim(int key, const Chunk *prog)
{
    if (key >= tok::Matrix0 && key <= tok::Matrix0 + 9) {
        const QVector<Number> &d = listOf(stack_.back());
        if (d.size() != 2)
            raise(Error::InvalidDim);
        std::int64_t r, k;
        if (!d[0].toInt(&r) || !d[1].toInt(&k) || r < 1 || k < 1 || r > 99 || k > 99)
            raise(Error::InvalidDim);
        const Value old = c_.vars().value(key);
        c_.memory().need(memory::kSizeField + memory::kReal * r * k);
        Value m;
        m.kind = Value::Matrix;
        m.rows = int(r);
        m.cols = int(k);
        m.items.fill(Number(), int(r * k));
        for (int i = 0; i < std::min<int>(old.rows, m.rows); ++i)
            for (int j = 0; j < std::min<int>(old.cols, m.cols); ++j)
                m.items[i * m.cols + j] = old.items[i * old.cols + j];
        c_.store(TVar, key, m, QString());
        return;
    }
    std::int64_t n;
    if (!realOf(stack_.back()).toInt(&n) || n < 0 || n > 999)
        raise(Error::InvalidDim);
    Value *l = key >= 0 ? &c_.listSlot(key) : &c_.named(prog->names[-1 - key], true);
    // A complex list holds two numbers an element.
    const int per = l->kind == Value::ComplexList ? 2 : 1;
    c_.memory().change(memory::kReal * (per * n - l->items.size()));
    l->items.resize(int(per * n));
}

} // namespace calc::basic
