// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a calculator remembers between statements and between runs: the
// variables, the modes and settings, the Y= editor and the window, the
// screens, the clock and the random generator. The loop and every library
// of built-ins work on this and on nothing else of the engine; the loop
// lends it the one thing the libraries cannot do themselves, evaluating an
// expression (an equation, the body of solve(), as an Evaluator.
#include "calc/Models.h"
#include "calc/basic/core/Error.h"
#include "calc/basic/core/Number.h"
#include "calc/basic/core/Value.h"
#include "calc/basic/screens/ColourScreen.h"
#include "calc/basic/screens/GraphScreen.h"
#include "calc/basic/screens/HomeScreen.h"
#include "calc/basic/state/GraphState.h"
#include "calc/basic/state/Host.h"
#include "calc/basic/state/Memory.h"
#include "calc/basic/state/Settings.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

namespace calc::basic
{

struct Chunk;
class Pace;

// What the loop does for the libraries: runs compiled code to its value.
class Evaluator
{
public:
    virtual ~Evaluator() = default;
    // Runs the code in a loop of its own; insideExpr marks it as expr('s,
    // where another expr( is ERR:ILLEGAL NEST.
    virtual Value evaluateNested(std::shared_ptr<Chunk> code, bool insideExpr) = 0;
    Value evaluate(std::shared_ptr<Chunk> code) { return evaluateNested(code, insideExpr()); }
    // An expression's bytes compiled for this model.
    virtual std::shared_ptr<Chunk> compiled(const QByteArray &expression) = 0;
    virtual bool insideExpr() const = 0;
    // Whether the statement running is the outermost program's.
    virtual bool outermost() const = 0;
    // A statement's worth of work done inside a built-in: counted against
    // the step limit.
    virtual void step() = 0;
};

// The generator behind rand, as the calculator seeds it.
class Random
{
public:
    void seed(Number n);
    Number next();

private:
    static constexpr long long kM1 = 2147483563, kM2 = 2147483399;
    long long s1_ = 12345, s2_ = 67890;
};

// The calculator's clock: the computer's (or the host's) moved by what
// setDate( and setTime( did. Asking the system for the local time costs
// some 25 µs, so it is asked at most once every 10 ms of the run.
class Clock
{
public:
    explicit Clock(const Host &host, const Settings &settings) : host_(host), settings_(settings) {}
    QDateTime now();
    // startTmr's seconds since 1997 at now(), worked out once a read: the
    // local time's offset costs the operating system's time zone each time.
    qint64 seconds();

private:
    const Host &host_;
    const Settings &settings_;
    QElapsedTimer since_;
    QDateTime read_;
    qint64 shift_ = 0;
    qint64 seconds_ = -1; // of read_; -1 until asked
};

class Calculator
{
public:
    Calculator();
    Calculator(const Calculator &) = delete;
    Calculator &operator=(const Calculator &) = delete;

    Host &host() { return host_; }
    const Host &host() const { return host_; }
    HomeScreen &home() { return home_; }
    const HomeScreen &home() const { return home_; }
    GraphScreen &graph() { return graph_; }
    const GraphScreen &graph() const { return graph_; }
    // The colour models' screen; null on the others.
    ColourScreen *colour() { return colour_.get(); }
    const ColourScreen *colour() const { return colour_.get(); }
    // The pixel screen the model shows: the colour area where there is one.
    // It draws through the window graph() keeps.
    PixelScreen &screen();
    const PixelScreen &screen() const
    {
        return colour_ ? static_cast<const PixelScreen &>(*colour_) : graph_;
    }
    // Which of the two screens the calculator shows now.
    bool graphShown() const { return graphShown_; }
    void showGraph(bool shown) { graphShown_ = shown; }
    void setModel(calc::models::Model model);
    calc::models::Model model() const { return model_; }
    QHash<int, ColourScreen::Image> &images() { return images_; }
    const QHash<int, ColourScreen::Image> &images() const { return images_; }

    Settings &settings() { return settings_; }
    const Settings &settings() const { return settings_; }
    bool degrees() const { return degrees_; }
    void setDegrees(bool on) { degrees_ = on; }
    GraphState &graphing() { return graphing_; }
    const GraphState &graphing() const { return graphing_; }
    Random &random() { return random_; }
    QDateTime now() { return clock_.now(); }
    qint64 clockSeconds() { return clock_.seconds(); }
    Pace *pace() const { return pace_; }
    void setPace(Pace *pace) { pace_ = pace; }

    // A..Z and θ (0-26).
    Number *reals() { return reals_; }
    const Number *reals() const { return reals_; }
    // A..θ that hold a complex number: bit k, its imaginary part beside.
    unsigned &complexReals() { return complexReals_; }
    unsigned complexReals() const { return complexReals_; }
    Number *imaginary() { return imaginary_; }
    const Number *imaginary() const { return imaginary_; }
    // A..θ stored to since the last DelVar (bit k), each in RAM.
    unsigned definedReals() const { return definedReals_; }
    // The first store to A..θ: it takes its place in RAM.
    void defineReal(int key);
    // DelVar of A..θ: its place in RAM is given back.
    void forgetReal(int key);
    // By DelVar: IS>( and DS<( find them undefined; L₁..L₆ removed.
    unsigned &deletedReals() { return deletedReals_; }
    unsigned &deletedLists() { return deletedLists_; }
    Value &ans() { return ans_; }
    const Value &ans() const { return ans_; }
    // Lists, strings and matrices by token; named lists by name.
    QHash<int, Value> &vars() { return vars_; }
    const QHash<int, Value> &vars() const { return vars_; }
    QHash<QString, Value> &namedLists() { return namedLists_; }
    const QHash<QString, Value> &namedLists() const { return namedLists_; }
    // Statistics results, RegEQ and the finance variables by token.
    QHash<int, Value> &maths() { return maths_; }
    // A statistics command's results screen, when it ends the program.
    QStringList &results() { return results_; }
    // solve(, fnInt(... being evaluated, one bit each.
    unsigned &calculusNest() { return calculusNest_; }

    // The variable of that token, there or raising ERR:UNDEFINED; L₁..L₆
    // are there, empty, until DelVar removes them.
    Value &var(int key);
    Value &named(const QString &name, bool create = false);
    bool builtinListThere(int key) const;
    // The list of that token, made empty (and counted) when it is not there.
    Value &listSlot(int key)
    {
        const auto it = vars_.find(key);
        return Q_LIKELY(it != vars_.end()) ? *it : newList(key);
    }
    // A variable's new value in place of its old one: its bytes are counted
    // first, so ERR:MEMORY leaves the old value.
    void replace(Value &slot, Value v, int nameLength = 0);
    // Ans as every statement sets it: a real after a real takes the same bytes.
    void setAns(Value v)
    {
        if (Q_LIKELY(ans_.kind == Value::Real && v.kind == Value::Real))
            ans_ = std::move(v);
        else
            replace(ans_, std::move(v));
    }
    // Target kinds as Input and DelVar name them (Bytecode's Target).
    bool isArchived(int kind, int key, const QString &name) const;
    void store(int kind, int key, const Value &v, const QString &name);
    // What is in RAM: the running total, and the same counted afresh (for
    // tests, which compare the two).
    Memory &memory() { return memory_; }
    const Memory &memory() const { return memory_; }
    long long recount() const;
    // A program the run uses takes its size in RAM once, until the run ends.
    void holdProgram(const QString &name, int tokenBytes);
    void endRun();
    // A picture's or graph database's bytes.
    static long long pictureBytes(const QByteArray &bits);
    static long long databaseBytes(const GraphDatabase &d);
    // A..θ archived or holding a complex number.
    Value specialReal(int key) const;
    // Disp of one value on the home screen.
    void display(const Value &v);

    // The loop that evaluates expressions for the libraries; set while a
    // program runs.
    Evaluator &evaluator() { return *evaluator_; }
    Evaluator *setEvaluator(Evaluator *e) { return std::exchange(evaluator_, e); }
    // An expression's bytes (DrawF's, Shade('s, solve('s) as a function that
    // evaluates it; compiled once and kept with the graphs.
    std::function<Value()> expression(const QString &bytes);

private:
    Host host_;
    HomeScreen home_;
    GraphScreen graph_;
    bool graphShown_ = false;
    calc::models::Model model_ = calc::models::Model::None;
    std::unique_ptr<ColourScreen> colour_;
    QHash<int, ColourScreen::Image> images_;
    Settings settings_;
    bool degrees_ = false;
    GraphState graphing_;
    Random random_;
    Clock clock_{host_, settings_};
    Pace *pace_ = nullptr;

    Number reals_[27];
    unsigned complexReals_ = 0;
    Number imaginary_[27];
    unsigned deletedReals_ = 0;
    unsigned definedReals_ = 0;
    Memory memory_;
    QSet<QString> heldPrograms_;
    unsigned deletedLists_ = 0;
    Value ans_;
    Value &newList(int key);
    QHash<int, Value> vars_;
    QHash<QString, Value> namedLists_;
    QHash<int, Value> maths_;
    QStringList results_;
    unsigned calculusNest_ = 0;
    Evaluator *evaluator_ = nullptr;
};

} // namespace calc::basic
