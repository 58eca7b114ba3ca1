// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the program goes: the blocks (If, While, Repeat, For(, End) and the
// jumps (Goto, Menu(, IS>(, DS<(, prgm, Return, Stop). Their targets are
// patched once every statement has its place.
#include "calc/basic/core/CompilerImpl.h"

namespace calc::basic
{
namespace compiling
{

// If, Then, Else, While, Repeat, For( and End: the blocks, their jumps patched
// once every statement has its place.
bool Compiler::blockStatement(int t, int i)
{
    switch (t) {
    case tok::If: {
        expr();
        endOfStatement();
        if (!hasNextStatement(i))
            fail(Error::Syntax); // nothing to run or skip
        const Stmt *then = i + 1 < int(stmts_.size()) ? &stmts_[i + 1] : nullptr;
        if (then && then->last - then->first == 1 && toks_[then->first].t == tok::Then) {
            const int elseAt = matchElse_[i + 1];
            put(OpIfThen, 0);
            toStmt_.push_back({here() - 1, elseAt >= 0 ? elseAt + 1 : matchEnd_[i + 1] + 1});
            put(elseAt >= 0 ? 1 : 0);
            put(OpJump, 0);
            toStmt_.push_back({here() - 1, i + 2});
        } else {
            put(OpIfFalse, 0);
            toStmt_.push_back({here() - 1, i + 2});
        }
        break;
    }
    case tok::Then:
        fail(Error::Syntax);
    case tok::Else: {
        endOfStatement();
        // Else skips to the End of the block it stands in, a second Else of
        // an If-Then too; one in no block skips past the program's end.
        const int n = int(stmts_.size());
        int end = n;
        for (int j = i - 1; j >= 0 && end == n; --j) {
            if (matchElse_[j] == i || (matchEnd_[j] > i && matchEnd_[j] < n))
                end = matchEnd_[j];
        }
        put(OpElse, 0);
        toStmt_.push_back({here() - 1, end + 1});
        break;
    }
    case tok::While:
        expr();
        endOfStatement();
        put(OpWhile, 0);
        toStmt_.push_back({here() - 1, matchEnd_[i] + 1});
        put(0);
        toStmt_.push_back({here() - 1, i});
        break;
    case tok::Repeat:
        put(OpRepeat, 0);
        toStmt_.push_back({here() - 1, i + 1});
        expr();
        endOfStatement();
        put(OpRepeatTest);
        break;
    case tok::For: {
        const auto [var, step] = loopRange();
        endOfStatement();
        put(OpFor, var);
        put(step ? 1 : 0, 0);
        toStmt_.push_back({here() - 1, matchEnd_[i] + 1});
        break;
    }
    case tok::End:
        endOfStatement();
        put(OpEnd);
        break;
    default:
        return false;
    }
    return true;
}

// Return, Stop, Lbl, Goto, IS>(, DS<(, Menu( and prgm: where the program goes.
bool Compiler::jumpStatement(int t, int i)
{
    switch (t) {
    case tok::Return:
    case tok::Stop:
        endOfStatement();
        put(t == tok::Return ? OpReturn : OpStop);
        break;
    case tok::Lbl:
        labelName();
        break;
    case tok::Goto: {
        const QByteArray label = labelName();
        put(OpJump, 0);
        toLabel_.push_back({here() - 1, label});
        break;
    }
    case tok::IsGt:
    case tok::DsLt: {
        const int var = next();
        if (!isLetter(var))
            fail(Error::Syntax);
        comma();
        expr();
        close(tok::RParen);
        endOfStatement();
        if (!hasNextStatement(i))
            fail(Error::Syntax); // nothing to skip
        put(OpIsDs, var - tok::A);
        put(t == tok::IsGt ? 1 : -1, 0);
        toStmt_.push_back({here() - 1, i + 2});
        break;
    }
    case tok::Menu: {
        expr();
        std::vector<QByteArray> targets;
        while (accept(tok::Comma)) {
            expr();
            comma();
            targets.push_back(labelName());
        }
        close(tok::RParen);
        endOfStatement();
        // The colour models' taller home screen has room for nine items.
        if (targets.empty() || targets.size() > (colour_ ? 9u : 7u))
            fail(Error::Argument);
        put(OpMenu, int(targets.size()));
        for (const QByteArray &label : targets) {
            put(0);
            toLabel_.push_back({here() - 1, label});
        }
        break;
    }
    case tok::Prgm: {
        const QString prgm = programName();
        put(OpPrgm, name(prgm));
        break;
    }
    default:
        return false;
    }
    return true;
}

} // namespace compiling
} // namespace calc::basic
