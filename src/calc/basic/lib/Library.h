// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// How a library of built-ins offers its functions: one table a library,
// an entry a token. The compiler resolves a token to its entry once and
// writes the entry's place into the code; the loop calls the entry's
// function with the arguments on its stack. Adding a function is one row
// in its library's table.
#include "calc/basic/core/Value.h"

namespace calc::basic
{

class Calculator;

// A built-in with its n arguments; token tells a family's members apart.
using Function = Value (*)(Calculator &c, int token, Value *args, int n);

struct Builtin {
    // Parsed: name(arguments) in an expression, least to most of them,
    // checked by the compiler. Read: the compiler reads this token's
    // arguments by a rule of its own (statistics commands, tvm_, ►Frac...).
    enum Kind { Parsed, Read };
    int token;
    const char *name;
    Kind kind;
    int least, most;
    Function function;
};

struct Library {
    const char *name;
    const Builtin *entries;
    int count;
};

extern const Library mathsLibrary;
extern const Library listsLibrary;
extern const Library colourLibrary;
extern const Library matricesLibrary;
extern const Library statisticsLibrary;
extern const Library distributionsLibrary;
extern const Library regressionsLibrary;
extern const Library statisticsTestsLibrary;
extern const Library financeLibrary;
extern const Library complexLibrary;
extern const Library conversionsLibrary;
extern const Library systemLibrary;

} // namespace calc::basic
