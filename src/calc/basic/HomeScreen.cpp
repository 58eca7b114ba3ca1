// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/HomeScreen.h"

namespace calc::basic
{

namespace
{

std::u32string cellsOf(const QString &text)
{
    std::u32string s;
    s.reserve(size_t(text.size()));
    for (char32_t c : text.toUcs4())
        s += c;
    return s;
}

} // namespace

void HomeScreen::clear()
{
    for (int r = 0; r < rows_; ++r)
        cells_[r] = std::u32string(size_t(columns_), U' ');
    cursor_ = 0;
    lastWasOutput_ = false;
    ++generation_;
}

void HomeScreen::line(const QString &text, bool rightAligned)
{
    if (cursor_ >= rows_ - 1) {
        for (int r = 0; r + 1 < rows_; ++r)
            cells_[r] = cells_[r + 1];
        cells_[rows_ - 1] = std::u32string(size_t(columns_), U' ');
        cursor_ = rows_ - 2;
    }
    std::u32string shown = cellsOf(text);
    const size_t columns = size_t(columns_);
    if (shown.size() > columns)
        shown = shown.substr(0, columns - 1) + U'\u2026';
    const std::u32string pad(columns - shown.size(), U' ');
    cells_[cursor_] = rightAligned ? pad + shown : shown + pad;
    ++cursor_;
    lastWasOutput_ = false;
    ++generation_;
}

void HomeScreen::wrapped(const QString &text)
{
    const std::u32string all = cellsOf(text);
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
    for (char32_t ch : cellsOf(text)) {
        if (r >= rows_)
            break;
        cells_[r][size_t(c)] = ch;
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
