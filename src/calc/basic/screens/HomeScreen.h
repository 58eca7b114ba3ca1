// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator's home screen: 16 columns and 8 rows of characters, or
// 26 and 10 on the colour models (setSize).
// Disp writes whole lines at a cursor that scrolls the screen, keeping the
// last row free for the cursor; Output( writes at a place and never scrolls.
#include <QString>
#include <QStringList>

#include <string>

namespace calc::basic
{

// The text of each cell a line of text takes on the calculator's screen: one
// character, or one of the few the calculator draws in one cell though
// Unicode needs two code points for them (⁻¹, ₁₀, p̂, x̄).
QStringList screenCells(const QString &text);
// How many cells the text takes.
int screenWidth(const QString &text);

class HomeScreen
{
public:
    static constexpr int kRows = 8;
    static constexpr int kColumns = 16;
    static constexpr int kMaxRows = 10; // the colour models'

    HomeScreen() { clear(); }
    // Rows and columns; clears the screen.
    void setSize(int rows, int columns)
    {
        rows_ = rows;
        columns_ = columns;
        clear();
    }
    int rows() const { return rows_; }
    int columns() const { return columns_; }

    void clear();
    // A line of text at the cursor, left- or right-aligned; text longer than
    // a line is cut and ends in "…".
    void line(const QString &text, bool rightAligned);
    // Text from the cursor's line on, wrapping onto as many lines as it
    // needs (what is typed at Input).
    void wrapped(const QString &text);
    // Text at row and column (1-based), wrapping to the next row and cut at
    // the screen's end.
    void output(int row, int column, const QString &text);
    // The text of one row (0-based), trailing blanks removed.
    QString row(int r) const;
    // All rows, each ended by a line break.
    QString text() const;
    // True when the last thing written came from output().
    bool lastWasOutput() const { return lastWasOutput_; }
    // The row where Disp writes next (0-based).
    int cursorRow() const { return cursor_; }
    // While Input or Prompt waits: what it shows before the typed answer.
    void setPrompt(const QString &prompt)
    {
        prompt_ = prompt;
        ++generation_;
    }
    const QString &prompt() const { return prompt_; }
    // While Menu( waits: its title, then its items.
    void setMenu(const QStringList &lines)
    {
        menu_ = lines;
        ++generation_;
    }
    const QStringList &menu() const { return menu_; }
    // Grows on every change, so a display repaints only when it moved.
    quint64 generation() const { return generation_; }
    // A results screen (what a statistics command shows when a program ends
    // with it): a screenful of the lines from the first on; the rest is
    // what scrollResults(1), the ↓ key, brings up.
    void showResults(const QStringList &lines);
    // Moves the results `by` lines (+1: ↓, -1: ↑); false when they cannot
    // move that way.
    bool scrollResults(int by);
    // The results lines, all of them, and the first one shown.
    const QStringList &results() const { return results_; }
    int resultsShownFrom() const { return resultsFrom_; }
    // Back to an earlier copy (after DispTable's table), as a change.
    void restore(const HomeScreen &earlier)
    {
        const quint64 g = generation_;
        *this = earlier;
        generation_ = g + 1;
    }

private:
    // A character a column: 𝑖 is two UTF-16 units but one cell, and the
    // characters of two code points are held as codes past Unicode's end.
    std::u32string cells_[kMaxRows];
    int rows_ = kRows;
    int columns_ = kColumns;
    int cursor_ = 0;
    bool lastWasOutput_ = false;
    QString prompt_;
    QStringList menu_;
    QStringList results_;
    int resultsFrom_ = 0;
    quint64 generation_ = 0;
};

} // namespace calc::basic
