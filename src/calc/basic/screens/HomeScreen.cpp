// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/screens/HomeScreen.h"

#include <algorithm>

namespace calc::basic
{

namespace
{

// Calls f with each character of the text: a surrogate pair is one.
template <typename F> void eachCell(const QString &text, F f)
{
    const qsizetype n = text.size();
    const QChar *d = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && d[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, d[i + 1].unicode()));
            ++i;
        } else {
            f(char32_t(c));
        }
    }
}

int cellCount(const QString &text)
{
    int n = 0;
    eachCell(text, [&n](char32_t) { ++n; });
    return n;
}

} // namespace

void HomeScreen::clear()
{
    for (int r = 0; r < rows_; ++r)
        cells_[r].assign(size_t(columns_), U' ');
    cursor_ = 0;
    lastWasOutput_ = false;
    ++generation_;
}

// Written in place: a Disp loop allocates nothing here.
void HomeScreen::line(const QString &text, bool rightAligned)
{
    if (cursor_ >= rows_ - 1) {
        for (int r = 0; r + 1 < rows_; ++r)
            cells_[r].swap(cells_[r + 1]);
        cells_[rows_ - 1].assign(size_t(columns_), U' ');
        cursor_ = rows_ - 2;
    }
    std::u32string &row = cells_[cursor_];
    row.assign(size_t(columns_), U' ');
    const int n = cellCount(text);
    // Too long a line is cut and ends in "…".
    const int shown = std::min(n, columns_);
    int c = rightAligned ? columns_ - shown : 0;
    eachCell(text, [&](char32_t ch) {
        if (c < columns_)
            row[size_t(c++)] = ch;
    });
    if (n > columns_)
        row[size_t(columns_ - 1)] = U'\u2026';
    ++cursor_;
    lastWasOutput_ = false;
    ++generation_;
}

void HomeScreen::wrapped(const QString &text)
{
    std::u32string all;
    eachCell(text, [&all](char32_t ch) { all += ch; });
    size_t from = 0;
    do {
        const std::u32string part = all.substr(from, size_t(columns_));
        line(QString::fromUcs4(part.data(), qsizetype(part.size())), false);
        from += size_t(columns_);
    } while (from < all.size());
}

void HomeScreen::output(int row, int column, const QString &text)
{
    int r = row - 1, c = column - 1;
    eachCell(text, [&](char32_t ch) {
        if (r >= rows_)
            return;
        cells_[r][size_t(c)] = ch;
        if (++c == columns_) {
            c = 0;
            ++r;
        }
    });
    lastWasOutput_ = true;
    ++generation_;
}

QString HomeScreen::row(int r) const
{
    std::u32string s = cells_[r];
    while (!s.empty() && s.back() == U' ')
        s.pop_back();
    return QString::fromUcs4(s.data(), qsizetype(s.size()));
}

QString HomeScreen::text() const
{
    QString out;
    for (int r = 0; r < rows_; ++r)
        out += row(r) + QLatin1Char('\n');
    return out;
}

} // namespace calc::basic
