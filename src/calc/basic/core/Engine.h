// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Runs a TI-BASIC program from the token bytes calc::tokens::tokenize makes
// of its text. The bytes are scanned into tokens, each statement compiled to
// compact code, and the code run by one loop; errors carry the line.
#include "calc/Models.h"
#include "calc/basic/screens/ColourScreen.h"
#include "calc/basic/core/Error.h"
#include "calc/basic/graph/Equations.h"
#include "calc/basic/screens/GraphScreen.h"
#include "calc/basic/screens/HomeScreen.h"
#include "calc/basic/state/Settings.h"
#include "calc/basic/core/Number.h"
#include "calc/basic/core/Value.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace calc::basic
{

// Blocks (If-Then, For(, While, Repeat) left open by Goto pile up until
// this many are open, then ERR:MEMORY, as the calculator runs out of RAM
// at about that depth.
constexpr int kMaxOpenBlocks = 512;
// prgm calls nested this deep give ERR:MEMORY.
constexpr int kMaxCallDepth = 100;

// What the program asks of the world outside.
struct Host {
    // The next answer to Input, Prompt or Menu(; false when there is none
    // (the program stops with ERR:BREAK).
    std::function<bool(QString *answer)> nextAnswer;
    // The next getKey code; 0 when no key is pressed.
    std::function<int()> nextKey;
    // The token bytes of the program of that name; false when there is none.
    std::function<bool(const QString &name, QByteArray *tokens)> findProgram;
    // Asked before each statement (a debugger's breakpoints and steps, a
    // Stop button) with its line and its bytes [from, to) in the program;
    // false ends the program with ERR:BREAK.
    std::function<bool(const QString &program, int line, int from, int to)> statement;
    // Pause waits here for ENTER; false is ERR:BREAK. Unset, it goes on.
    std::function<bool()> pause;
    // Text( at a pixel place, in the calculator's small font; unset, only
    // the place is checked.
    std::function<void(GraphScreen &graph, int row, int col, const QString &text)> drawText;
    // The calculator's clock; unset, the computer's.
    std::function<QDateTime()> now;
    // Text(⁻1,row,col,…): the same in the large font.
    std::function<void(GraphScreen &graph, int row, int col, const QString &text)> drawLargeText;
    // Text( on the colour models' screen, in its text colour; `large` for
    // Text(⁻1,…). Unset, only the place is checked.
    std::function<void(ColourScreen &screen, int row, int col, const QString &text, bool large)>
        drawColourText;
    // Image0-Image9 (slot 0-9) the engine has not been given (setImage);
    // false when there is none (ERR:UNDEFINED).
    std::function<bool(int slot, ColourScreen::Image *image)> findImage;
};

struct Outcome {
    Error error = Error::None;
    int line = 0;    // 1-based, in `program`
    QString program; // the program the error is in
    QString detail;  // what went wrong, for Unsupported and others
    long long steps = 0;
};

struct Chunk;
class Pace;

class Engine
{
public:
    Engine();
    ~Engine();

    Host &host() { return host_; }
    HomeScreen &screen() { return screen_; }
    GraphScreen &graph() { return graph_; }
    const GraphScreen &graph() const { return graph_; }
    // The model the program runs on: a colour model has the 26x10 home
    // screen and the colour graph area (colour()); the others, none.
    void setModel(calc::models::Model model);
    calc::models::Model model() const { return model_; }
    ColourScreen *colour() { return colour_.get(); }
    const ColourScreen *colour() const { return colour_.get(); }
    // Image0-Image9 (0-9), as imported from .8ca files.
    void setImage(int slot, const ColourScreen::Image &image) { images_[slot] = image; }
    // Which of the two the calculator shows now.
    bool graphShown() const { return graphShown_; }
    void setMaxSteps(long long n) { maxSteps_ = n; }
    // The calculator's clock the statements move on; none, none is kept.
    void setPace(Pace *pace) { pace_ = pace; }

    // Runs the program; the home screen then shows what the calculator
    // shows when it ends (Done, or the last expression's value).
    Outcome run(const QByteArray &tokens, const QString &name = QString());
    // Evaluates one expression (the bytes of a line), as the home screen
    // would, without touching the screen.
    Outcome evaluate(const QByteArray &tokens, Value *result);

    // The variables, for tests and the windows above.
    Value ans() const { return ans_; }
    Number real(QChar name) const;
    void seed(Number n);
    Number nextRandom();
    // Every variable that holds something, as (name, value) for a view:
    // A..Z and θ always, then Ans, lists, strings and matrices.
    QList<QPair<QString, QString>> variables() const;
    Settings &settings() { return settings_; }

private:
    friend class Vm;
    std::shared_ptr<Chunk> compiled(const QByteArray &tokens);

    Host host_;
    HomeScreen screen_;
    GraphScreen graph_;
    bool graphShown_ = false;
    long long maxSteps_ = 10000000;
    Pace *pace_ = nullptr;
    calc::models::Model model_ = calc::models::Model::None;
    std::unique_ptr<ColourScreen> colour_;
    QHash<int, ColourScreen::Image> images_;

    Number reals_[27]; // A..Z, θ
    // A..θ that hold a complex number: bit k, its imaginary part beside.
    unsigned complexReals_ = 0;
    Number imaginary_[27];
    Value ans_;
    QHash<int, Value> vars_; // lists, strings, matrices by token; named lists by name
    QHash<QString, Value> namedLists_;
    QHash<int, Value> maths_; // statistics results, RegEQ and the finance variables by token
    QStringList results_;     // a statistics command's results screen, when it ends the program
    bool degrees_ = false;
    Settings settings_;
    GraphState graphing_;
    unsigned calculusNest_ = 0; // solve(, fnInt(... being evaluated (Calculus.cpp)
    unsigned deletedReals_ = 0; // by DelVar: IS>( and DS<( find them undefined
    unsigned deletedLists_ = 0; // L₁..L₆ removed by DelVar
    long long s1_ = 12345, s2_ = 67890;
    QHash<QByteArray, std::shared_ptr<Chunk>> cache_;
};

} // namespace calc::basic
