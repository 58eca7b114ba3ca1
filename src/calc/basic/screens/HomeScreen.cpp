// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/screens/HomeScreen.h"

#include <algorithm>

namespace calc::basic
{

namespace
{

// The calculator's characters that Unicode writes with two code points; a
// cell holds kPaired + their index.
constexpr char32_t kPaired = 0x110000;
constexpr char16_t kPairs[][2] = {
    {0x207B, 0x00B9}, // ⁻¹
    {0x2081, 0x2080}, // ₁₀
    {u'p', 0x0302},   // p̂
    {u'x', 0x0304},   // x̄
};

// Calls f with each cell of the text: a surrogate pair is one, and so is a
// pair of kPairs.
template <typename F> void eachCell(const QString &text, F f)
{
    const qsizetype n = text.size();
    const QChar *d = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && d[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, d[i + 1].unicode()));
            ++i;
            continue;
        }
        char32_t cell = c;
        if (i + 1 < n) {
            for (size_t k = 0; k < std::size(kPairs); ++k)
                if (kPairs[k][0] == c && kPairs[k][1] == d[i + 1].unicode()) {
                    cell = kPaired + char32_t(k);
                    ++i;
                    break;
                }
        }
        f(cell);
    }
}

void appendCell(QString &out, char32_t cell)
{
    if (cell >= kPaired && cell < kPaired + std::size(kPairs)) {
        out += QChar(kPairs[cell - kPaired][0]);
        out += QChar(kPairs[cell - kPaired][1]);
    } else if (cell > 0xFFFF) {
        out += QChar(QChar::highSurrogate(cell));
        out += QChar(QChar::lowSurrogate(cell));
    } else {
        out += QChar(char16_t(cell));
    }
}

QString cellsText(const char32_t *cells, size_t n)
{
    QString out;
    out.reserve(qsizetype(n));
    for (size_t i = 0; i < n; ++i)
        appendCell(out, cells[i]);
    return out;
}

int cellCount(const QString &text)
{
    int n = 0;
    eachCell(text, [&n](char32_t) { ++n; });
    return n;
}

} // namespace

QStringList screenCells(const QString &text)
{
    QStringList out;
    eachCell(text, [&out](char32_t cell) {
        QString s;
        appendCell(s, cell);
        out << s;
    });
    return out;
}

int screenWidth(const QString &text)
{
    return cellCount(text);
}

void HomeScreen::clear()
{
    for (int r = 0; r < rows_; ++r)
        cells_[r].assign(size_t(columns_), U' ');
    cursor_ = 0;
    lastWasOutput_ = false;
    results_.clear();
    resultsFrom_ = 0;
    ++generation_;
}

void HomeScreen::showResults(const QStringList &lines)
{
    clear();
    results_ = lines;
    for (int r = 0; r < rows_ && r < lines.size(); ++r)
        output(r + 1, 1, lines[r]);
}

bool HomeScreen::scrollResults(int by)
{
    const int from = resultsFrom_ + by;
    if (by == 0 || from < 0 || from + rows_ > results_.size())
        return false;
    for (int r = 0; r < rows_; ++r)
        cells_[r].assign(size_t(columns_), U' ');
    for (int r = 0; r < rows_; ++r)
        output(r + 1, 1, results_[from + r]);
    resultsFrom_ = from;
    return true;
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
        line(cellsText(part.data(), part.size()), false);
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
    return cellsText(s.data(), s.size());
}

QString HomeScreen::text() const
{
    QString out;
    for (int r = 0; r < rows_; ++r)
        out += row(r) + QLatin1Char('\n');
    return out;
}

} // namespace calc::basic
