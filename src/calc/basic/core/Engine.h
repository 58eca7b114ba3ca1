// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Runs a TI-BASIC program from the token bytes calc::tokens::tokenize makes
// of its text. The bytes are scanned into tokens, each statement compiled to
// compact code, and the code run by one loop; errors carry the line.
#include "calc/Models.h"
#include "calc/basic/core/Error.h"
#include "calc/basic/core/Number.h"
#include "calc/basic/core/Value.h"
#include "calc/basic/screens/ColourScreen.h"
#include "calc/basic/screens/GraphScreen.h"
#include "calc/basic/screens/HomeScreen.h"
#include "calc/basic/state/Calculator.h"
#include "calc/basic/state/GraphState.h"
#include "calc/basic/state/Settings.h"

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

// Blocks left open by Goto and prgm calls not yet returned take RAM
// (state/Memory.h) until the model has none left: then ERR:MEMORY.

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

    Host &host() { return calc_.host(); }
    HomeScreen &screen() { return calc_.home(); }
    GraphScreen &graph() { return calc_.graph(); }
    const GraphScreen &graph() const { return calc_.graph(); }
    // The model the program runs on: a colour model has the 26x10 home
    // screen and the colour graph area (colour()); the others, none.
    void setModel(calc::models::Model model);
    calc::models::Model model() const { return calc_.model(); }
    ColourScreen *colour() { return calc_.colour(); }
    const ColourScreen *colour() const { return calc_.colour(); }
    // Image0-Image9 (0-9), as imported from .8ca files.
    void setImage(int slot, const ColourScreen::Image &image) { calc_.images()[slot] = image; }
    // Which of the two the calculator shows now.
    bool graphShown() const { return calc_.graphShown(); }
    void setMaxSteps(long long n) { maxSteps_ = n; }
    long long maxSteps() const { return maxSteps_; }
    // The calculator's clock the statements move on; none, none is kept.
    void setPace(Pace *pace) { calc_.setPace(pace); }

    // Runs the program; the home screen then shows what the calculator
    // shows when it ends (Done, or the last expression's value).
    Outcome run(const QByteArray &tokens, const QString &name = QString());
    // Evaluates one expression (the bytes of a line), as the home screen
    // would, without touching the screen.
    Outcome evaluate(const QByteArray &tokens, Value *result);

    // The variables, for tests and the windows above.
    Value ans() const { return calc_.ans(); }
    Number real(QChar name) const;
    void seed(Number n) { calc_.random().seed(n); }
    Number nextRandom() { return calc_.random().next(); }
    // Every variable that holds something, as (name, value) for a view:
    // A..Z and θ always, then Ans, lists, strings and matrices.
    QList<QPair<QString, QString>> variables() const;
    Settings &settings() { return calc_.settings(); }
    Calculator &calculator() { return calc_; }

    // A program's tokens compiled once for the engine's model.
    std::shared_ptr<Chunk> compiled(const QByteArray &tokens);
    // prgmNAME's code: asked of the host once a run (a program cannot
    // change another while it runs), so a change between runs is seen.
    // Null when the host has no such program; *tokenBytes is its size.
    std::shared_ptr<Chunk> called(const QString &name, int *tokenBytes);

private:
    Calculator calc_;
    long long maxSteps_ = 10000000;
    QHash<QByteArray, std::shared_ptr<Chunk>> cache_;
    QHash<QString, QPair<std::shared_ptr<Chunk>, int>> called_; // this run's
};

} // namespace calc::basic
