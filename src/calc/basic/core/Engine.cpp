// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/Engine.h"

#include "calc/Tokens.h"
#include "calc/basic/core/Compiler.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/state/Pace.h"
#include "calc/basic/core/Vm.h"

#include <algorithm>

namespace calc::basic
{

QString errorName(Error e)
{
    switch (e) {
    case Error::None:
        return QString();
    case Error::Syntax:
        return QStringLiteral("ERR:SYNTAX");
    case Error::DataType:
        return QStringLiteral("ERR:DATA TYPE");
    case Error::Undefined:
        return QStringLiteral("ERR:UNDEFINED");
    case Error::Label:
        return QStringLiteral("ERR:LABEL");
    case Error::Domain:
        return QStringLiteral("ERR:DOMAIN");
    case Error::DimMismatch:
        return QStringLiteral("ERR:DIM MISMATCH");
    case Error::InvalidDim:
        return QStringLiteral("ERR:INVALID DIM");
    case Error::Argument:
        return QStringLiteral("ERR:ARGUMENT");
    case Error::DivideBy0:
        return QStringLiteral("ERR:DIVIDE BY 0");
    case Error::Overflow:
        return QStringLiteral("ERR:OVERFLOW");
    case Error::NonrealAns:
        return QStringLiteral("ERR:NONREAL ANS");
    case Error::Increment:
        return QStringLiteral("ERR:INCREMENT");
    case Error::IllegalNest:
        return QStringLiteral("ERR:ILLEGAL NEST");
    case Error::Break:
        return QStringLiteral("ERR:BREAK");
    case Error::Memory:
        return QStringLiteral("ERR:MEMORY");
    case Error::Unsupported:
        return QStringLiteral("ERR:UNSUPPORTED");
    case Error::Steps:
        return QStringLiteral("ERR:STEPS");
    case Error::WindowRange:
        return QStringLiteral("ERR:WINDOW RANGE");
    case Error::Archived:
        return QStringLiteral("ERR:ARCHIVED");
    case Error::Variable:
        return QStringLiteral("ERR:VARIABLE");
    case Error::Invalid:
        return QStringLiteral("ERR:INVALID");
    case Error::Mode:
        return QStringLiteral("ERR:MODE");
    case Error::SingularMat:
        return QStringLiteral("ERR:SINGULAR MAT");
    case Error::NoSignChng:
        return QStringLiteral("ERR:NO SIGN CHNG");
    case Error::Iterations:
        return QStringLiteral("ERR:ITERATIONS");
    case Error::Bound:
        return QStringLiteral("ERR:BOUND");
    case Error::TolNotMet:
        return QStringLiteral("ERR:TOL NOT MET");
    case Error::BadGuess:
        return QStringLiteral("ERR:BAD GUESS");
    case Error::Stat:
        return QStringLiteral("ERR:STAT");
    }
    return QString();
}

Engine::Engine() = default;
Engine::~Engine() = default;

std::shared_ptr<Chunk> Engine::compiled(const QByteArray &tokens)
{
    auto it = cache_.constFind(tokens);
    auto p = it != cache_.constEnd() ? *it : compile(tokens, false, colour_ != nullptr);
    if (it == cache_.constEnd())
        cache_.insert(tokens, p);
    if (pace_)
        pace_->learn(p.get(), tokens);
    return p;
}

void Engine::setModel(calc::models::Model model)
{
    if (model == model_)
        return;
    model_ = model;
    const bool colour = calc::models::isColour(model);
    if (colour && !colour_)
        colour_ = std::make_unique<ColourScreen>();
    else if (!colour)
        colour_.reset();
    screen_.setSize(colour ? 10 : HomeScreen::kRows, colour ? 26 : HomeScreen::kColumns);
    cache_.clear(); // compiled for the other kind of model
}

Outcome Engine::run(const QByteArray &tokens, const QString &name)
{
    Vm vm(*this);
    results_.clear();
    const bool lastExpr = vm.run(compiled(tokens), name);
    if (pace_)
        pace_->end();
    if (vm.outcome.error == Error::None) {
        if (!results_.isEmpty() && !lastExpr) {
            // The results screen fills the screen, as the calculator's does.
            screen_.clear();
            for (int r = 0; r < results_.size(); ++r)
                screen_.output(r + 1, 1, results_[r]);
        } else if (lastExpr) {
            if (ans_.kind == Value::Matrix) {
                for (const QString &l : matrixLines(ans_, settings_.format))
                    screen_.line(l, true);
            } else {
                screen_.line(displayText(ans_, settings_.format), ans_.kind != Value::String);
            }
        } else if (!screen_.lastWasOutput()) {
            screen_.line(QStringLiteral("Done"), true);
        }
    }
    return vm.outcome;
}

Outcome Engine::evaluate(const QByteArray &tokens, Value *result)
{
    Vm vm(*this);
    try {
        *result = vm.evaluate(compile(tokens, true, colour_ != nullptr));
    } catch (const RunError &err) {
        vm.outcome.error = err.error;
        vm.outcome.detail = err.detail;
        vm.outcome.line = 1;
    }
    return vm.outcome;
}

QList<QPair<QString, QString>> Engine::variables() const
{
    QList<QPair<QString, QString>> out;
    for (int i = 0; i < 27; ++i)
        out.append({i == 26 ? QStringLiteral("\u03B8") : QString(QChar('A' + i)),
                    complexReals_ >> i & 1 ? displayText(complexValue(reals_[i], imaginary_[i]))
                                           : reals_[i].display()});
    out.append({QStringLiteral("Ans"), ans_.kind == Value::Matrix
                                           ? matrixLines(ans_).join(QString())
                                           : displayText(ans_)});
    QList<int> keys = vars_.keys();
    std::sort(keys.begin(), keys.end());
    for (int key : keys) {
        const Value &v = vars_[key];
        out.append({calc::tokens::displayString(key),
                    v.kind == Value::Matrix   ? matrixLines(v).join(QString())
                    : v.kind == Value::String ? QLatin1Char('"') + displayText(v) + QLatin1Char('"')
                                              : displayText(v)});
    }
    QList<int> equations = graphing_.equations.keys();
    std::sort(equations.begin(), equations.end());
    for (int key : equations)
        out.append({calc::tokens::displayString(key),
                    QLatin1Char('"') + stringText(graphing_.equations[key]) + QLatin1Char('"')});
    QStringList names = namedLists_.keys();
    names.sort();
    for (const QString &name : names)
        out.append({QStringLiteral("\u029F") + name, displayText(namedLists_[name])});
    // The colour models': the images BackgroundOn has used, and the colours.
    if (colour_) {
        for (int slot = 1; slot <= 10; ++slot)
            if (images_.contains(slot % 10))
                out.append({QStringLiteral("Image%1").arg(slot % 10), QStringLiteral("265×165")});
        out.append({QStringLiteral("TextColor"), QString::number(colour_->textColour)});
        out.append({QStringLiteral("BorderColor"), QString::number(colour_->borderColour)});
    }
    return out;
}

Number Engine::real(QChar name) const
{
    if (name == QChar(0x03B8))
        return reals_[26];
    return reals_[name.unicode() - 'A'];
}

void Engine::seed(Number n)
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

Number Engine::nextRandom()
{
    s1_ = (s1_ * 40014) % kM1;
    s2_ = (s2_ * 40692) % kM2;
    Number r = divide(num(s1_ - s2_), num(kM1));
    if (r.isNegative() || r.isZero())
        r = add(r, num(1));
    return r;
}

} // namespace calc::basic
