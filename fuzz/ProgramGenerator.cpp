// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramGenerator.h"

#include "calc/TokenCodes.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Builtins.h"

#include <vector>

namespace fuzzing
{

namespace tok = calc::tok;

namespace
{

// Every token the sheet spells, and the built-ins with their arities.
struct Table {
    std::vector<int> tokens;
    std::vector<const calc::basic::Builtin *> builtins;
    Table()
    {
        for (int b = 1; b < 256; ++b) {
            if (!calc::tokens::isTwoBytePrefix(b)) {
                add(b);
                continue;
            }
            for (int s = 0; s < 256; ++s)
                add(b << 8 | s);
        }
        for (const calc::basic::Library *l : calc::basic::libraries())
            for (int i = 0; i < l->count; ++i)
                builtins.push_back(&l->entries[i]);
    }
    void add(int t)
    {
        QString error;
        const QString text = calc::tokens::detokenize(calc::tokens::tokenBytes(t), &error);
        if (error.isEmpty() && !text.isEmpty())
            tokens.push_back(t);
    }
};

const Table &table()
{
    static const Table t;
    return t;
}

class Generator
{
public:
    Generator(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    QByteArray program(int statements)
    {
        out_.clear();
        depth_ = 0;
        for (int i = 0; i < statements && budget_ > 0; ++i) {
            statement();
            out_ += char(tok::Newline);
        }
        return out_;
    }

private:
    int pick(int n)
    {
        --budget_;
        if (n <= 1)
            return 0;
        const unsigned v = at_ < size_ ? data_[at_] : (at_ * 2654435761u) >> 24;
        ++at_;
        return int(v % unsigned(n));
    }
    bool chance(int percent) { return pick(100) < percent; }
    void token(int t) { out_ += calc::tokens::tokenBytes(t); }
    void number()
    {
        switch (pick(6)) {
        case 0:
            out_ += char(tok::Digit0 + pick(10));
            break;
        case 1: // a big one, or one with a fraction and an exponent
            out_ += QByteArray::number(pick(256) * 37 + 1);
            token(tok::Exp);
            if (chance(50))
                token(tok::Neg);
            out_ += QByteArray::number(pick(120));
            break;
        case 2:
            token(tok::Point);
            out_ += QByteArray::number(pick(1000));
            break;
        case 3:
            token(tok::Neg);
            out_ += QByteArray::number(pick(1000));
            break;
        default:
            out_ += QByteArray::number(pick(100));
            break;
        }
    }
    void real() { out_ += char(tok::A + pick(27)); }
    void list()
    {
        if (chance(70)) {
            token(tok::List0 + pick(6));
            return;
        }
        token(tok::SmallL);
        out_ += char(tok::A + pick(3));
        if (chance(50))
            out_ += char(tok::A + pick(3));
    }
    int variableToken(int kind)
    {
        switch (kind) {
        case 0:
            return tok::List0 + pick(6);
        case 1:
            return tok::Str0 + pick(10);
        default:
            return tok::Matrix0 + pick(10);
        }
    }
    void listLiteral()
    {
        token(tok::LBrace);
        const int n = 1 + pick(5);
        for (int i = 0; i < n; ++i) {
            if (i)
                token(tok::Comma);
            expression(2);
        }
        if (chance(80))
            token(tok::RBrace);
    }
    void matrixLiteral()
    {
        token(tok::LBracket);
        const int rows = 1 + pick(3), cols = 1 + pick(3);
        for (int r = 0; r < rows; ++r) {
            token(tok::LBracket);
            for (int c = 0; c < cols; ++c) {
                if (c)
                    token(tok::Comma);
                expression(1);
            }
            token(tok::RBracket);
        }
        token(tok::RBracket);
    }
    void stringLiteral()
    {
        token(tok::Quote);
        const int n = pick(8);
        for (int i = 0; i < n; ++i)
            chance(70) ? void(out_ += char(tok::A + pick(26))) : expressionToken();
        if (chance(70))
            token(tok::Quote);
    }
    // Any token at all, to reach what the grammar leaves out.
    void expressionToken() { token(table().tokens[pick(int(table().tokens.size()))]); }
    void call(int depth)
    {
        const auto &b = *table().builtins[pick(int(table().builtins.size()))];
        token(b.token);
        const int n = b.least + pick(b.most - b.least + 2);
        for (int i = 0; i < n; ++i) {
            if (i)
                token(tok::Comma);
            expression(depth - 1);
        }
        if (chance(85))
            token(tok::RParen);
    }
    void expression(int depth)
    {
        if (depth <= 0 || chance(30)) {
            atom();
            return;
        }
        switch (pick(9)) {
        case 0:
        case 1:
            call(depth);
            break;
        case 2: {
            static const int ops[] = {tok::Plus, tok::Minus, tok::Times, tok::Divide, tok::Power,
                                      tok::Eq,   tok::Lt,    tok::Ne,    tok::And,    tok::Or,
                                      tok::Xor,  tok::Ge,    tok::NPr,   tok::NCr,    tok::XRoot};
            expression(depth - 1);
            token(ops[pick(int(std::size(ops)))]);
            expression(depth - 1);
            break;
        }
        case 3: {
            static const int post[] = {tok::Square,    tok::Inverse,    tok::Transpose, tok::Cube,
                                       tok::Factorial, tok::DegreeSign, tok::RadianSign};
            expression(depth - 1);
            token(post[pick(int(std::size(post)))]);
            break;
        }
        case 4:
            token(tok::LParen);
            expression(depth - 1);
            if (chance(80))
                token(tok::RParen);
            break;
        case 5:
            listLiteral();
            break;
        case 6:
            matrixLiteral();
            break;
        case 7: // an element of a list or matrix
            if (chance(50)) {
                list();
                token(tok::LParen);
                expression(depth - 1);
            } else {
                token(tok::Matrix0 + pick(3));
                token(tok::LParen);
                expression(depth - 1);
                token(tok::Comma);
                expression(depth - 1);
            }
            token(tok::RParen);
            break;
        default:
            token(tok::Neg);
            expression(depth - 1);
            break;
        }
    }
    void atom()
    {
        switch (pick(10)) {
        case 0:
        case 1:
            number();
            break;
        case 2:
            real();
            break;
        case 3:
            list();
            break;
        case 4:
            token(variableToken(pick(3)));
            break;
        case 5:
            stringLiteral();
            break;
        case 6:
            token(tok::Ans);
            break;
        case 7:
            token(chance(50) ? tok::ImaginaryI : tok::Pi);
            break;
        case 8:
            token(chance(50) ? tok::Y1 + pick(10) : tok::Xmin + pick(4));
            break;
        default:
            expressionToken();
            break;
        }
    }
    void target()
    {
        switch (pick(9)) {
        case 0:
        case 1:
            real();
            break;
        case 2:
            list();
            break;
        case 3:
            token(variableToken(pick(3)));
            break;
        case 4:
            list();
            token(tok::LParen);
            expression(1);
            token(tok::RParen);
            break;
        case 5:
            token(tok::Matrix0 + pick(3));
            token(tok::LParen);
            expression(1);
            token(tok::Comma);
            expression(1);
            token(tok::RParen);
            break;
        case 6:
            token(tok::Dim);
            chance(50) ? list() : token(tok::Matrix0 + pick(3));
            token(tok::RParen);
            break;
        case 7:
            token(tok::Y1 + pick(10));
            break;
        default:
            token(tok::Xmin + pick(4));
            break;
        }
    }
    void label() { out_ += char(tok::A + pick(4)); }
    void command()
    {
        // Any token as a statement, with arguments after it.
        expressionToken();
        const int n = pick(5);
        for (int i = 0; i < n; ++i) {
            if (i)
                token(tok::Comma);
            expression(2);
        }
        if (chance(40))
            token(tok::RParen);
    }
    void statement()
    {
        switch (pick(16)) {
        case 0:
        case 1:
        case 2:
            expression(3);
            token(tok::Store);
            target();
            break;
        case 3:
            expression(3);
            break;
        case 4:
            token(tok::If);
            expression(2);
            if (chance(60)) {
                out_ += char(tok::Newline);
                token(tok::Then);
                ++depth_;
            }
            break;
        case 5:
            token(chance(50) ? tok::While : tok::Repeat);
            expression(2);
            ++depth_;
            break;
        case 6:
            token(tok::For);
            real();
            for (int i = 0; i < 2 + pick(2); ++i) {
                token(tok::Comma);
                expression(1);
            }
            token(tok::RParen);
            ++depth_;
            break;
        case 7:
            // Blocks end, or are left open, or are closed one time too many.
            if (depth_ > 0 || chance(10)) {
                token(chance(15) ? tok::Else : tok::End);
                depth_ = depth_ > 0 ? depth_ - 1 : 0;
            }
            break;
        case 8:
            token(chance(50) ? tok::Lbl : tok::Goto);
            label();
            break;
        case 9:
            token(tok::Prgm);
            out_ += "SUB";
            break;
        case 10:
            token(chance(50) ? tok::Disp : tok::Output);
            expression(2);
            if (chance(50)) {
                token(tok::Comma);
                expression(2);
            }
            break;
        case 11:
            token(tok::DelVar);
            target();
            break;
        case 12:
            token(chance(50) ? tok::IsGt : tok::DsLt);
            real();
            token(tok::Comma);
            expression(1);
            token(tok::RParen);
            break;
        case 13:
            token(chance(70) ? tok::Return : tok::Stop);
            break;
        default:
            command();
            break;
        }
    }

    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t at_ = 0;
    int budget_ = 4000; // choices before the program ends
    int depth_ = 0;
    QByteArray out_;
};

} // namespace

Programs generate(const std::uint8_t *data, std::size_t size)
{
    Generator g(data, size);
    Programs p;
    const int statements = size ? 1 + data[0] % 24 : 4;
    p.main = g.program(statements);
    p.sub = g.program(1 + statements / 3);
    return p;
}

} // namespace fuzzing
