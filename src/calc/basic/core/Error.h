// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The errors a program can end with, as the calculator names them; the
// compiler and the loop both raise them.
#include <QString>

#include <atomic>

namespace calc::basic
{

enum class Error {
    None,
    Syntax,
    DataType,
    Undefined,
    Label,
    Domain,
    DimMismatch,
    InvalidDim,
    Argument,
    DivideBy0,
    Overflow,
    NonrealAns,
    Increment,
    IllegalNest,
    Break,
    Memory,
    Unsupported, // a command this engine does not run
    Steps,       // more statements than allowed
    WindowRange,
    Archived,
    Variable,
    Invalid,
    Mode, // DrawInv outside Func
    SingularMat,
    NoSignChng,
    Iterations,
    Bound,     // fMin( and fMax( with lower above upper
    TolNotMet, // fnInt(, fMin(, fMax( short of their tolerance
    BadGuess,  // solve( whose guess is outside its bounds or undefined
    Stat,      // statistics data or a stat plot it cannot use
};
QString errorName(Error e); // "ERR:SYNTAX"

// Thrown while a program runs; the loop's caller turns it into an Outcome.
struct RunError {
    Error error;
    QString detail;
};

[[noreturn]] inline void raise(Error e, const QString &detail = QString())
{
    throw RunError{e, detail};
}

// The Stop button of the run on this thread (Host::stop). The long
// built-ins, deep in libraries that see no host, look at it between their
// steps through checkStop().
inline thread_local const std::atomic<bool> *tStopFlag = nullptr;

#ifdef TORVANE_STOP_WATCH
// The engine fuzzer's watch on how long a built-in runs between two looks.
inline thread_local void (*tStopLooked)() = nullptr;
#endif

inline void checkStop()
{
#ifdef TORVANE_STOP_WATCH
    if (tStopLooked)
        tStopLooked();
#endif
    if (Q_UNLIKELY(tStopFlag && tStopFlag->load(std::memory_order_relaxed)))
        raise(Error::Break);
}

} // namespace calc::basic
