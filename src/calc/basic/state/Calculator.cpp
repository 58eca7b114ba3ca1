// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/state/Calculator.h"

#include "calc/TokenCodes.h"
#include "calc/basic/core/Bytecode.h"
#include "calc/basic/core/Maths.h"

namespace calc::basic
{

void Random::seed(Number n)
{
    const Number whole = n.abs().iPart();
    if (whole.isZero()) {
        s1_ = 12345;
        s2_ = 67890;
        return;
    }
    s1_ = (40014 * modulo(whole, kM1)) % kM1;
    s2_ = modulo(whole, kM2);
}

Number Random::next()
{
    s1_ = (s1_ * 40014) % kM1;
    s2_ = (s2_ * 40692) % kM2;
    Number r = divide(num(s1_ - s2_), num(kM1));
    if (r.isNegative() || r.isZero())
        r = add(r, num(1));
    return r;
}

QDateTime Clock::now()
{
    // The shifted time is kept too: adding seconds to a local time costs
    // as much as reading it.
    if (!since_.isValid() || since_.elapsed() >= 10 || shift_ != settings_.clockShift) {
        read_ =
            (host_.now ? host_.now() : QDateTime::currentDateTime()).addSecs(settings_.clockShift);
        shift_ = settings_.clockShift;
        seconds_ = -1;
        since_.start();
    }
    return read_;
}

qint64 Clock::seconds()
{
    const QDateTime at = now();
    if (seconds_ < 0)
        seconds_ = clockSeconds(at);
    return seconds_;
}

// Ans is always there, a real 0 to begin with.
Calculator::Calculator()
{
    memory_.change(memory::variableBytes(ans_));
}

void Calculator::setModel(calc::models::Model model)
{
    model_ = model;
    memory_.setModel(model);
    const bool colour = calc::models::isColour(model);
    if (colour && !colour_)
        colour_ = std::make_unique<ColourScreen>();
    else if (!colour)
        colour_.reset();
    home_.setSize(colour ? 10 : HomeScreen::kRows, colour ? 26 : HomeScreen::kColumns);
}

PixelScreen &Calculator::screen()
{
    if (!colour_)
        return graph_;
    colour_->follow(graph_);
    return *colour_;
}

bool Calculator::builtinListThere(int key) const
{
    const int builtin = key - tok::List0;
    return builtin >= 0 && builtin <= 5 && !(deletedLists_ & (1u << builtin));
}

Value &Calculator::var(int key)
{
    auto it = vars_.find(key);
    if (it == vars_.end()) {
        if (!builtinListThere(key))
            raise(Error::Undefined);
        memory_.change(memory::variableBytes(Value::list({})));
        it = vars_.insert(key, Value::list({}));
    }
    if (Q_UNLIKELY(!settings_.archivedVars.isEmpty()) && settings_.archivedVars.contains(key))
        raise(Error::Archived);
    return *it;
}

Value &Calculator::named(const QString &name, bool create)
{
    auto it = namedLists_.find(name);
    if (it == namedLists_.end()) {
        if (!create)
            raise(Error::Undefined);
        memory_.change(memory::variableBytes(Value::list({}), int(name.size())));
        it = namedLists_.insert(name, Value::list({}));
    }
    if (Q_UNLIKELY(!settings_.archivedNamed.isEmpty()) && settings_.archivedNamed.contains(name))
        raise(Error::Archived);
    return *it;
}

bool Calculator::isArchived(int kind, int key, const QString &name) const
{
    const Settings &s = settings_;
    return (kind == TReal && (s.archivedReals >> key & 1)) ||
           (kind == TNamed && s.archivedNamed.contains(name)) ||
           (kind == TVar && s.archivedVars.contains(key));
}

void Calculator::store(int kind, int key, const Value &v, const QString &name)
{
    if (Q_UNLIKELY(isArchived(kind, key, name)))
        raise(Error::Archived);
    if (kind == TReal) {
        // A..θ hold complex numbers too; a zero imaginary part makes a real.
        const bool complex = v.kind == Value::Complex && !v.items[0].isZero();
        if (v.kind != Value::Real && v.kind != Value::Complex)
            raise(Error::DataType);
        const bool was = complexReals_ >> key & 1;
        memory_.replace(definedReals_ >> key & 1 ? memory::realBytes(was) : 0,
                        memory::realBytes(complex));
        definedReals_ |= 1u << key;
        reals_[key] = complex ? v.num : realOf(v);
        if (complex) {
            imaginary_[key] = v.items[0];
            complexReals_ |= 1u << key;
        } else {
            complexReals_ &= ~(1u << key);
        }
        deletedReals_ &= ~(1u << key);
    } else if (kind == TNamed) {
        if (v.kind != Value::List && v.kind != Value::ComplexList)
            raise(Error::DataType);
        const auto it = namedLists_.find(name);
        const int length = int(name.size());
        memory_.replace(it == namedLists_.end() ? 0 : memory::variableBytes(*it, length),
                        memory::variableBytes(v, length));
        namedLists_[name] = v;
    } else {
        const bool list = key >= tok::List0 && key <= tok::List0 + 5;
        const bool str = key >= tok::Str0 && key <= tok::Str0 + 9;
        const Value::Kind want = list ? Value::List : str ? Value::String : Value::Matrix;
        if (v.kind != want && !(list && v.kind == Value::ComplexList))
            raise(Error::DataType);
        const auto it = vars_.find(key);
        memory_.replace(it == vars_.end() ? 0 : memory::variableBytes(*it),
                        memory::variableBytes(v));
        vars_[key] = v;
    }
}

void Calculator::defineReal(int key)
{
    if (definedReals_ >> key & 1)
        return;
    memory_.change(memory::realBytes(false));
    definedReals_ |= 1u << key;
}

void Calculator::forgetReal(int key)
{
    if (definedReals_ >> key & 1)
        memory_.change(-memory::realBytes(complexReals_ >> key & 1));
    definedReals_ &= ~(1u << key);
}

Value &Calculator::newList(int key)
{
    memory_.change(memory::variableBytes(Value::list({})));
    return *vars_.insert(key, Value::list({}));
}

void Calculator::replace(Value &slot, Value v, int nameLength)
{
    memory_.replace(memory::variableBytes(slot, nameLength), memory::variableBytes(v, nameLength));
    slot = std::move(v);
}

long long Calculator::pictureBytes(const QByteArray &bits)
{
    return (bits.size() > GraphScreen::kRows * GraphScreen::kWidth ? memory::kColourPicture
                                                                   : memory::kPicture) +
           memory::kEntry;
}

long long Calculator::databaseBytes(const GraphDatabase &d)
{
    long long bytes = memory::kDatabase + memory::kEntry;
    for (const QVector<int> &e : d.equations) {
        bytes += 3;
        for (int t : e)
            bytes += t > 0xFF ? 2 : 1;
    }
    return bytes;
}

void Calculator::holdProgram(const QString &name, int tokenBytes)
{
    if (heldPrograms_.contains(name))
        return;
    memory_.hold(memory::programBytes(tokenBytes, int(name.size())));
    heldPrograms_.insert(name);
}

void Calculator::endRun()
{
    memory_.endRun();
    heldPrograms_.clear();
}

long long Calculator::recount() const
{
    long long bytes = memory::variableBytes(ans_);
    for (int k = 0; k < 27; ++k)
        if ((definedReals_ >> k & 1) && !(settings_.archivedReals >> k & 1))
            bytes += memory::realBytes(complexReals_ >> k & 1);
    for (auto it = vars_.cbegin(); it != vars_.cend(); ++it)
        if (!settings_.archivedVars.contains(it.key()))
            bytes += memory::variableBytes(*it);
    for (auto it = namedLists_.cbegin(); it != namedLists_.cend(); ++it)
        if (!settings_.archivedNamed.contains(it.key()))
            bytes += memory::variableBytes(*it, int(it.key().size()));
    for (const auto &p : settings_.pictures)
        if (p)
            bytes += pictureBytes(*p);
    for (const auto &d : settings_.databases)
        if (d)
            bytes += databaseBytes(*d);
    return bytes;
}

Q_NEVER_INLINE Value Calculator::specialReal(int key) const
{
    if (settings_.archivedReals & (1u << key))
        raise(Error::Archived);
    return complexValue(reals_[key], imaginary_[key]);
}

void Calculator::display(const Value &v)
{
    if (v.kind == Value::Matrix) {
        for (const QString &l : matrixLines(v, settings_.format))
            home_.line(l, false);
        return;
    }
    home_.line(displayText(v, settings_.format), v.kind != Value::String);
}

std::function<Value()> Calculator::expression(const QString &bytes)
{
    auto &cache = graphing_.expressions;
    const QByteArray key = bytes.toLatin1();
    auto code = cache.value(key);
    if (!code) {
        code = evaluator_->compiled(key);
        cache.insert(key, code);
    }
    return [this, code] { return evaluator_->evaluate(code); };
}

} // namespace calc::basic
