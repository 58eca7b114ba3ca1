// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The compiler's statements for what published programs use besides the
// core: List►matr(, Matr►list(, and what a statement's leftover token says.
#include "calc/basic/core/CompilerImpl.h"

namespace calc::basic
{
namespace compiling
{

// List►matr(list,…,[A]) and Matr►list([A],list,…).
void Compiler::matrixListStatement(int t)
{
    auto isMatrix = [](int u) { return u >= tok::Matrix0 && u <= tok::Matrix0 + 9; };
    if (t == tok::ListToMatr) {
        int n = 0;
        for (;;) {
            const int u = peek();
            if (isMatrix(u) && (peekAt(1) == -1 || peekAt(1) == tok::RParen)) {
                next();
                close(tok::RParen);
                endOfStatement();
                if (n == 0)
                    fail(Error::Argument);
                put(OpListToMatr, n);
                put(u);
                return;
            }
            if (atEnd())
                fail(Error::Argument);
            expr();
            ++n;
            comma();
        }
    }
    expr();
    int col = 0;
    while (accept(tok::Comma)) {
        int kind, key;
        listTarget(&kind, &key);
        put(OpMatrToList, col++);
        put(kind, key);
    }
    close(tok::RParen);
    endOfStatement();
    if (col == 0)
        fail(Error::Argument);
    put(OpPop);
}

// IS>( and DS<( skip a statement, so one must follow; a lone empty line
// after them is not one.
bool Compiler::hasNextStatement(int i) const
{
    const int n = int(stmts_.size());
    if (i + 1 >= n)
        return false;
    return stmts_[i + 1].first < stmts_[i + 1].last || i + 2 < n;
}

// A token left after a complete statement: a command this engine refuses
// says so even there (rand startTmr), anything else is a syntax error.
void Compiler::leftover(int t)
{
    if (t < 0 || t >= tok::Number)
        fail(Error::Syntax);
    QByteArray alone;
    if (t > 0xFF)
        alone.append(char(t >> 8));
    alone.append(char(t & 0xFF));
    Compiler c(alone);
    c.program();
    if (!c.errors_.empty() && c.errors_.front() == Error::Unsupported)
        fail(Error::Unsupported, tokenName(t));
    fail(Error::Syntax);
}

} // namespace compiling
} // namespace calc::basic
