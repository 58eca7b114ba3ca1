// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Token bytes to compact code: each statement becomes instructions for
// the loop in Vm.cpp. A statement that cannot be compiled becomes an
// instruction that raises its error, so that, as on the calculator, the
// error comes only when the statement is reached.
#include "calc/basic/core/Bytecode.h"
#include "calc/basic/core/Error.h"
#include "calc/basic/core/Scanner.h"

#include <memory>

namespace calc::basic
{

// The statements of a program as compile() cuts and reads them, for the
// checks and the hints; nothing is run.
struct Statement {
    int first = 0, last = 0; // its tokens in Parsed::tokens, [first, last)
    int line = 1;
    Error error = Error::None; // what reaching it would raise
    // What it compiles to, a word per code word: constants written out, jumps
    // as "@" and the statement they land on (statements.size() and one more:
    // past the end; -1: no such label). Equal words, equal statements.
    QStringList shape;
};
struct LabelUse {
    int statement;
    int first, last; // the tokens of the name
    QByteArray name;
    bool definition; // Lbl, else Goto or Menu(
};
struct Parsed {
    std::vector<Tok> tokens;
    std::vector<Statement> statements;
    std::vector<LabelUse> labels;
    // Per statement: the End closing the block it opens (statements.size()
    // when none does), and the Else of a Then (-1 when none).
    std::vector<int> blockEnd, thenElse;
    QStringList names;
};
// `colour`: as a colour model reads it (colours after commands, nine
// Menu( items).
Parsed parse(const QByteArray &bytes, bool colour = false);

// Compiles a whole program, or, with `expression`, one expression whose
// value is left for OpSetAns (expr( and answers to Input).
// `colour`: for a colour model, whose commands take colours and whose
// colour commands run.
std::shared_ptr<Chunk> compile(const QByteArray &bytes, bool expression = false,
                               bool colour = false);

} // namespace calc::basic
