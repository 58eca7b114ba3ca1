// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Program text and the calculator's tokens. The calculator stores a program
// as tokens of one or two bytes; the editor holds model text
// (calc/ModelText.h). The table comes from the TI-83 Plus token sheet the
// program carries, plus a few spellings of its own (the reference's '' for a
// double quote, "Getkey", "Delvar ", and the display font's forms of symbols
// the sheet writes differently).
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>

namespace calc::tokens
{

// One cut of a line. `token` is the byte of a one-byte token, (first << 8 |
// second) of a two-byte one, or -1 where no token spells the text at `start`
// (then `length` is 1, or the whole of an escape that names no token).
struct Piece {
    qsizetype start;
    qsizetype length;
    int token;
    bool keyword;  // a command the sheet styles as a keyword (If, Disp, ...)
    bool inString; // inside a string literal, its quotes included
};

// One line of model text, without its line break, cut exactly as tokenize()
// cuts it: the longest spelling wins; inside a string (from a double quote
// to the next one, a store arrow or the line's end) single characters win,
// so words in text stay letters, except a function name with its "(" at the
// start of a word (sin(, expr(), which the calculator's keys would give.
//
// An escape, ⟦...⟧ (U+27E6, U+27E7), is one token wherever it stands: the
// token the whole text inside spells (⟦[r]⟧ in a string, ⟦R⟧² for the letter
// R and ² apart), or the token with those bytes, known or not (⟦$BBD0⟧).
// detokenize() writes one only where the plain spelling would read otherwise.
QVector<Piece> scanLine(QStringView modelLine, bool stringOpenAtStart = false);

// Token bytes of a program; each line break becomes the newline token. On
// the first character no token spells, `error` says so and names its 1-based
// line and column (counted in the model text), and `bytes` is empty.
struct Tokenized {
    QByteArray bytes;
    int errorLine = 0;
    int errorColumn = 0;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
Tokenized tokenize(QStringView model);

// Model text of token bytes, newline tokens as CR LF, that tokenize() turns
// back into the same bytes. A token the sheet does not know is written as
// its escape. Only bytes ending in the middle of a two-byte token are an
// error: *error says so, and the text before it is returned.
QString detokenize(const QByteArray &bytes, QString *error = nullptr);
// The same with the spellings the colour models show where they differ
// (Thick, Dot-Thick, GridDot, FRAC-APPROX, MATHPRINT, CLASSIC); tokenize()
// reads both.
QString detokenize(const QByteArray &bytes, bool colour, QString *error = nullptr);

// The tokens of the bytes the sheet does not know, each once, in order.
QVector<int> unknownTokens(const QByteArray &bytes);
// The escape that writes a token by its bytes: ⟦$BBD0⟧.
QString escapedForm(int token);
// Whether a character of model text can be part of a program: ASCII, the
// escape brackets, and what the spellings use beyond the symbol codes
// (∆, ►, ẋ ...).
bool usedInSpellings(QChar c);

// The sheet's display string of a token (Unicode), empty for no token.
QString displayString(int token);
// How detokenize() writes a token in model text.
QString modelSpelling(int token);
// Whether a byte starts a two-byte token.
bool isTwoBytePrefix(int byte);
// The bytes of a token value, in program order.
QByteArray tokenBytes(int token);

// The version byte of a TI-83 Plus file for these token bytes: 0 unless
// they use tokens that came with later operating systems.
int versionFor(const QByteArray &bytes);
// The tokens of the bytes that the TI-83 (without Plus) does not know, each
// once, in order of appearance.
QVector<int> tokensMissingOnTi83(const QByteArray &bytes);

} // namespace calc::tokens
