// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/SyntaxSpans.h"

#include "calc/TokenCodes.h"
#include "calc/Tokens.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace calc::syntax
{

namespace
{

using tokens::Piece;

constexpr int kStore = tok::Store;
constexpr int kColon = tok::Colon;
constexpr int kComma = tok::Comma;
constexpr int kLbl = tok::Lbl;
constexpr int kGoto = tok::Goto;
constexpr int kMenu = tok::Menu;

// What a token is to the colouring, whatever spelling it was read from.
enum Kind : std::uint8_t {
    Other,    // plain: lowercase letters, spaces, symbols
    Name,     // a one-letter variable, theta or the list sign
    Variable, // Str1, L1, [A], Xmin, Ans and the like
    Digit,    // 0-9 and the exponent sign
    Point,
    Operator,
    Command,
    Keyword,
};

enum Flag : std::uint8_t {
    Opens = 1,  // ( and the tokens that end in one, { and [
    Closes = 2, // ) } ]
};

struct Info {
    Kind kind = Other;
    std::uint8_t flags = 0;
};

bool isVariableFamily(int token)
{
    switch (token >> 8) {
    case tok::MatrixPrefix:   // matrices
    case tok::ListPrefix:     // lists
    case tok::EquationPrefix: // equations
    case tok::PicturePrefix:  // pictures
    case tok::GdbPrefix:      // graph databases
    case tok::StatPrefix:     // statistics results
    case tok::WindowPrefix:   // window settings
    case tok::StringPrefix:   // strings
        return true;
    default:
        return token == tok::Ans;
    }
}

bool isOperatorToken(int token)
{
    switch (token) {
    case tok::LBracket: // [ ] { }
    case tok::RBracket:
    case tok::LBrace:
    case tok::RBrace:
    case tok::Inverse: // inverse, square, transpose, cube
    case tok::Square:
    case tok::Transpose:
    case tok::Cube:
    case tok::LParen: // ( )
    case tok::RParen:
    case tok::Comma:     // ,
    case tok::Factorial: // !
    case tok::Or:        // or, xor, and
    case tok::Xor:
    case tok::And:
    case tok::Eq: // = < > <= >= !=
    case tok::Lt:
    case tok::Gt:
    case tok::Le:
    case tok::Ge:
    case tok::Ne:
    case tok::Plus: // + -
    case tok::Minus:
    case tok::Times: // * /
    case tok::Divide:
    case tok::NPr: // nPr nCr
    case tok::NCr:
    case tok::Neg:   // negation
    case tok::Sqrt:  // square root
    case tok::Power: // ^ and the xth root
    case tok::XRoot:
        return true;
    default:
        return false;
    }
}

// Every token's kind, worked out once from the token table.
struct Table {
    std::vector<Info> info = std::vector<Info>(0x10000);
    Table()
    {
        for (int t = 0; t <= 0xFFFF; ++t) {
            const QString shown = tokens::displayString(t).trimmed();
            if (shown.isEmpty())
                continue;
            Info &i = info[size_t(t)];
            if (shown.endsWith(u'(') || t == tok::LBracket || t == tok::LBrace)
                i.flags |= Opens;
            else if (t == tok::RBracket || t == tok::RBrace || t == tok::RParen)
                i.flags |= Closes;
            if ((t >= tok::A && t <= tok::Z) || t == tok::Theta || t == tok::SmallL)
                i.kind = Name;
            else if ((t >= tok::Digit0 && t <= tok::Digit9) || t == tok::Exp)
                i.kind = Digit;
            else if (t == tok::Point)
                i.kind = Point;
            else if (isOperatorToken(t))
                i.kind = Operator;
            else if (isVariableFamily(t))
                i.kind = Variable;
            else if (shown.size() > 1)
                i.kind = Command; // refined to Keyword per piece
        }
    }
};

const Table &table()
{
    static const Table t;
    return t;
}

class Colourer
{
public:
    Colourer(QStringView line) : m_line(line), m_pieces(tokens::scanLine(line)) {}

    QVector<Span> run()
    {
        const Table &t = table();
        for (m_at = 0; m_at < m_pieces.size();) {
            const Piece &p = m_pieces[m_at];
            const bool afterName = std::exchange(m_afterName, false);
            if (p.token < 0) {
                add(p, Category::Error);
                ++m_at;
            } else if (p.inString) {
                add(p, Category::String);
                ++m_at;
            } else if (p.token == kStore) {
                add(p, Category::Store);
                ++m_at;
                storeTarget();
            } else if (p.token == kLbl || p.token == kGoto) {
                word(p, Category::Keyword);
                ++m_at;
                label(false);
            } else if (m_menuArgument >= 0 && m_depth == 0 && p.token == kComma) {
                add(p, Category::Operator);
                ++m_at;
                if (++m_menuArgument % 2 == 0)
                    label(true);
            } else {
                const Info info = t.info[size_t(p.token)];
                if (m_menuArgument >= 0)
                    followMenu(p, info);
                if (p.token == kMenu) {
                    m_menuArgument = 0;
                    m_depth = 0;
                }
                if (info.kind == Digit || info.kind == Point)
                    number(afterName);
                else
                    other(p, info);
            }
        }
        return m_spans;
    }

private:
    void add(qsizetype start, qsizetype length, Category cat)
    {
        if (length <= 0)
            return;
        if (!m_spans.isEmpty() && m_spans.back().category == cat &&
            m_spans.back().start + m_spans.back().length == start)
            m_spans.back().length += int(length);
        else
            m_spans.push_back(Span{int(start), int(length), cat});
    }
    void add(const Piece &p, Category cat) { add(p.start, p.length, cat); }

    // A command word: its letters in `cat`, a closing "(" as an operator,
    // blanks around it plain.
    void word(const Piece &p, Category cat)
    {
        qsizetype from = p.start;
        qsizetype end = p.start + p.length;
        while (from < end && m_line[from] == u' ')
            ++from;
        while (end > from && m_line[end - 1] == u' ')
            --end;
        const bool paren = end > from + 1 && m_line[end - 1] == u'(';
        add(from, end - from - (paren ? 1 : 0), cat);
        if (paren)
            add(end - 1, 1, Category::Operator);
    }

    void other(const Piece &p, Info info)
    {
        m_afterName = info.kind == Name || info.kind == Variable;
        switch (info.kind) {
        case Operator:
            add(p, Category::Operator);
            break;
        case Command:
            word(p, p.keyword ? Category::Keyword : Category::Command);
            break;
        default:
            break;
        }
        ++m_at;
    }

    // Digits right after a name belong to it (A1 is no number); a number
    // holds at most one point.
    void number(bool afterName)
    {
        const Table &t = table();
        const Piece &first = m_pieces[m_at];
        const bool point = t.info[size_t(first.token)].kind == Point;
        const bool digitFollows = m_at + 1 < m_pieces.size() && !m_pieces[m_at + 1].inString &&
                                  m_pieces[m_at + 1].token >= 0 &&
                                  t.info[size_t(m_pieces[m_at + 1].token)].kind == Digit;
        if (afterName || (point && !digitFollows)) {
            m_afterName = afterName;
            ++m_at;
            return; // stays part of a name, or a lone point
        }
        bool seenPoint = false;
        const qsizetype from = first.start;
        qsizetype end = from;
        for (; m_at < m_pieces.size(); ++m_at) {
            const Piece &p = m_pieces[m_at];
            if (p.token < 0 || p.inString)
                break;
            const Kind k = t.info[size_t(p.token)].kind;
            if (k == Point && !seenPoint)
                seenPoint = true;
            else if (k != Digit)
                break;
            end = p.start + p.length;
        }
        add(from, end - from, Category::Number);
    }

    // The arrow stores into the names, digits and variables that follow it.
    void storeTarget()
    {
        const Table &t = table();
        for (; m_at < m_pieces.size(); ++m_at) {
            const Piece &p = m_pieces[m_at];
            if (p.token < 0 || p.inString)
                break;
            const Kind k = t.info[size_t(p.token)].kind;
            if (k != Name && k != Variable && k != Digit)
                break;
            add(p, Category::StoreTarget);
        }
        m_afterName = true;
    }

    // A label runs to the statement's end; in Menu( it also ends at a comma
    // or the closing parenthesis.
    void label(bool inMenu)
    {
        for (; m_at < m_pieces.size(); ++m_at) {
            const Piece &p = m_pieces[m_at];
            if (p.token < 0) {
                add(p, Category::Error);
                continue;
            }
            if (!p.inString &&
                (p.token == kColon || (inMenu && (p.token == kComma || p.token == tok::RParen))))
                break;
            add(p, p.inString ? Category::String : Category::Label);
        }
    }

    void followMenu(const Piece &p, Info info)
    {
        if (info.flags & Opens)
            ++m_depth;
        else if (info.flags & Closes)
            m_menuArgument = m_depth-- == 0 ? -1 : m_menuArgument;
        else if (p.token == kColon)
            m_menuArgument = -1;
    }

    QStringView m_line;
    QVector<Piece> m_pieces;
    QVector<Span> m_spans;
    qsizetype m_at = 0;
    bool m_afterName = false;
    int m_menuArgument = -1; // inside Menu(: the argument's index
    int m_depth = 0;
};

} // namespace

QVector<Span> lineSpans(QStringView modelLine)
{
    return Colourer(modelLine).run();
}

} // namespace calc::syntax
