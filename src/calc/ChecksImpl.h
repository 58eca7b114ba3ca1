// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the checks' files share: the token bytes of model text with where each
// token stands, the statements the engine reads, and the list problems go to.
#include "calc/Checks.h"
#include "calc/basic/core/Compiler.h"

#include <QByteArray>
#include <QSet>
#include <QVector>

#include <vector>

namespace calc::checks::detail
{

// Token bytes of model text, each byte knowing where its token stands.
struct Text {
    QByteArray bytes;
    QVector<int> at, len;   // per byte: its token's model position and length
    QVector<int> lineStart; // model position of each line
    QVector<int> lineByte;  // byte offset of each line
    QVector<Problem> refused;
};
Text tokenized(QStringView model);

// The program as the analyses see it, and where their problems go.
class Program
{
public:
    Program(QStringView model, const Text &text, const calc::basic::Parsed &parsed,
            QVector<Problem> &out, bool colour = false)
        : model(model), text(text), parsed(parsed), colour(colour), out_(out)
    {
    }

    const calc::basic::Tok &token(int i) const { return parsed.tokens[i]; }
    int count() const { return int(parsed.statements.size()); }
    // The first token of statement s, -1 for an empty one.
    int head(int s) const;
    // The model range of tokens [first, last).
    std::pair<int, int> range(int first, int last) const;
    // The 0-based line of a byte.
    int lineOf(int byte) const;
    Problem &add(int start, int length, Severity s, const QString &message);
    Problem &addTokens(int first, int last, Severity s, const QString &message);
    // Whether the statements that the model range touches compile: one that
    // does not proves no hint (`15**→B` would lose one sign after another).
    bool compiles(int start, int length) const;
    // Blocks each statement stands in, innermost last, as the End matching sees them.
    std::vector<std::vector<int>> openBlocks() const;

    QStringView model;
    const Text &text;
    const calc::basic::Parsed &parsed;
    bool colour; // checked as a colour model runs it

private:
    QVector<Problem> &out_;
};

// "If-Then", "For(", "While", "Repeat": the block statement s opens.
QString blockName(const Program &p, int s);

// Blocks: unclosed ones, End and Else that close nothing, and the Lbl/End
// idiom that closes what a Goto leaves open.
void blocks(Program &p);
// The Ends that close nothing where they stand which the program reaches
// after Lbl `lbl` with no block of its own open, in order: each closes a
// block that a jump to the label left open. `ends` holds the matched Ends.
std::vector<int> endsReached(const Program &p, const QSet<int> &ends, int lbl);
// How many of them there are.
int endsAfterLabel(const Program &p, int lbl);
// Labels no Goto or Menu( names.
void unusedLabels(Program &p);

// Slips: commands in lowercase, a minus where a negation is meant, leading
// blanks, argument counts the engine does not count.
void slips(Program &p);

// Whether the closing parenthesis of the For( that ends at token k keeps
// its loop fast (its first statement is a lone If, IS>( or DS<().
bool forParenKeepsSpeed(const Program &p, int k);

// Hints that replace tokens by fewer (^2 is ², 1/X is X⁻¹, 50000 is 5ᴇ4,
// If X=0 is If not(X), each proven on the line it changes.
void replacingHints(Program &p);

// What the closers among tokens [first, last) close: "parenthesis", "quote
// and parenthesis", ...
QString closersNamed(const Program &p, int first, int last);

// Strings with lowercase letters, two bytes each: a hint without an edit.
void lowercaseInStrings(Program &p);

// Tokens the chosen model lacks, or the lowest model the tokens need.
void models(Program &p, calc::models::Model chosen);

} // namespace calc::checks::detail
