// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/HomeScreen.h"

namespace calc::basic
{

void HomeScreen::clear()
{
    for (int r = 0; r < rows_; ++r)
        cells_[r] = QString(columns_, QLatin1Char(' '));
    cursor_ = 0;
    lastWasOutput_ = false;
    ++generation_;
}

void HomeScreen::line(const QString &text, bool rightAligned)
{
    if (cursor_ >= rows_ - 1) {
        for (int r = 0; r + 1 < rows_; ++r)
            cells_[r] = cells_[r + 1];
        cells_[rows_ - 1] = QString(columns_, QLatin1Char(' '));
        cursor_ = rows_ - 2;
    }
    QString shown = text;
    if (shown.size() > columns_)
        shown = shown.left(columns_ - 1) + QChar(0x2026);
    cells_[cursor_] = rightAligned ? shown.rightJustified(columns_) : shown.leftJustified(columns_);
    ++cursor_;
    lastWasOutput_ = false;
    ++generation_;
}

void HomeScreen::wrapped(const QString &text)
{
    int from = 0;
    do {
        line(text.mid(from, columns_), false);
        from += columns_;
    } while (from < text.size());
}

void HomeScreen::output(int row, int column, const QString &text)
{
    int r = row - 1, c = column - 1;
    for (QChar ch : text) {
        if (r >= rows_)
            break;
        cells_[r][c] = ch;
        if (++c == columns_) {
            c = 0;
            ++r;
        }
    }
    lastWasOutput_ = true;
    ++generation_;
}

QString HomeScreen::row(int r) const
{
    QString s = cells_[r];
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

QString HomeScreen::text() const
{
    QString out;
    for (int r = 0; r < rows_; ++r)
        out += row(r) + QLatin1Char('\n');
    return out;
}

} // namespace calc::basic
