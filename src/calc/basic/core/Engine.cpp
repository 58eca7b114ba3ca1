// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/Engine.h"

#include "calc/Tokens.h"
#include "calc/basic/core/Compiler.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/core/Vm.h"
#include "calc/basic/state/Pace.h"

#include <algorithm>
#include <new>

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
    auto p = it != cache_.constEnd() ? *it : compile(tokens, false, calc_.colour() != nullptr);
    if (it == cache_.constEnd())
        cache_.insert(tokens, p);
    if (calc_.pace())
        calc_.pace()->learn(p.get(), tokens);
    return p;
}

std::shared_ptr<Chunk> Engine::called(const QString &name, int *tokenBytes)
{
    auto it = called_.constFind(name);
    if (it == called_.constEnd()) {
        QByteArray bytes;
        if (!host().findProgram || !host().findProgram(name, &bytes))
            return nullptr;
        it = called_.insert(name, {compiled(bytes), int(bytes.size())});
    }
    *tokenBytes = it->second;
    return it->first;
}

void Engine::setModel(calc::models::Model model)
{
    if (model == calc_.model())
        return;
    calc_.setModel(model);
    cache_.clear(); // compiled for the other kind of model
    called_.clear();
}

Outcome Engine::run(const QByteArray &tokens, const QString &name)
{
    Vm vm(*this);
    QStringList &results = calc_.results();
    HomeScreen &screen = calc_.home();
    const Value &ans = calc_.ans();
    const NumberFormat &format = calc_.settings().format;
    results.clear();
    called_.clear();
    const bool lastExpr = vm.run(compiled(tokens), name, tokens);
    calc_.endRun();
    if (calc_.pace())
        calc_.pace()->end();
    if (vm.outcome.error == Error::None) {
        if (!results.isEmpty() && !lastExpr) {
            // The results screen fills the screen, as the calculator's does.
            screen.showResults(results);
        } else if (lastExpr) {
            if (ans.kind == Value::Matrix) {
                for (const QString &l : matrixLines(ans, format))
                    screen.line(l, true);
            } else {
                screen.line(displayText(ans, format), ans.kind != Value::String);
            }
        } else if (!screen.lastWasOutput()) {
            screen.line(QStringLiteral("Done"), true);
        }
    }
    return vm.outcome;
}

Outcome Engine::evaluate(const QByteArray &tokens, Value *result)
{
    Vm vm(*this);
    try {
        *result = vm.evaluate(compile(tokens, true, calc_.colour() != nullptr));
    } catch (const RunError &err) {
        vm.outcome.error = err.error;
        vm.outcome.detail = err.detail;
        vm.outcome.line = 1;
    } catch (const std::bad_alloc &) {
        vm.outcome.error = Error::Memory;
        vm.outcome.line = 1;
    }
    return vm.outcome;
}

QList<QPair<QString, QString>> Engine::variables() const
{
    const Calculator &c = calc_;
    QList<QPair<QString, QString>> out;
    for (int i = 0; i < 27; ++i)
        out.append({i == 26 ? QStringLiteral("\u03B8") : QString(QChar('A' + i)),
                    c.complexReals() >> i & 1
                        ? displayText(complexValue(c.reals()[i], c.imaginary()[i]))
                        : c.reals()[i].display()});
    out.append({QStringLiteral("Ans"), c.ans().kind == Value::Matrix
                                           ? matrixLines(c.ans()).join(QString())
                                           : displayText(c.ans())});
    QList<int> keys = c.vars().keys();
    std::sort(keys.begin(), keys.end());
    for (int key : keys) {
        const Value &v = c.vars()[key];
        out.append({calc::tokens::displayString(key),
                    v.kind == Value::Matrix   ? matrixLines(v).join(QString())
                    : v.kind == Value::String ? QLatin1Char('"') + displayText(v) + QLatin1Char('"')
                                              : displayText(v)});
    }
    const GraphState &g = c.graphing();
    QList<int> equations = g.equations.keys();
    std::sort(equations.begin(), equations.end());
    for (int key : equations)
        out.append({calc::tokens::displayString(key),
                    QLatin1Char('"') + stringText(g.equations[key]) + QLatin1Char('"')});
    QStringList names = c.namedLists().keys();
    names.sort();
    for (const QString &name : names)
        out.append({QStringLiteral("\u029F") + name, displayText(c.namedLists()[name])});
    // The colour models': the images BackgroundOn has used, and the colours.
    if (const ColourScreen *colour = c.colour()) {
        for (int slot = 1; slot <= 10; ++slot)
            if (calc_.images().contains(slot % 10))
                out.append({QStringLiteral("Image%1").arg(slot % 10), QStringLiteral("265×165")});
        out.append({QStringLiteral("TextColor"), QString::number(colour->textColour)});
        out.append({QStringLiteral("BorderColor"), QString::number(colour->borderColour)});
    }
    return out;
}

Number Engine::real(QChar name) const
{
    if (name == QChar(0x03B8))
        return calc_.reals()[26];
    return calc_.reals()[name.unicode() - 'A'];
}

} // namespace calc::basic
