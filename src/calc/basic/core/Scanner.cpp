// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/Scanner.h"

#include "calc/Tokens.h"
#include "calc/basic/core/NumberTokens.h"

namespace calc::basic
{

namespace
{

bool isDigitByte(int t)
{
    return t >= tok::Digit0 && t <= tok::Digit9;
}

} // namespace

QVector<int> tokenValues(const QByteArray &bytes)
{
    QVector<int> out;
    for (int i = 0; i < bytes.size();) {
        int t = quint8(bytes[i++]);
        if (calc::tokens::isTwoBytePrefix(t) && i < bytes.size())
            t = t << 8 | quint8(bytes[i++]);
        out << t;
    }
    return out;
}

namespace
{

int tokenAt(const QByteArray &bytes, int &i)
{
    int t = quint8(bytes[i++]);
    if (calc::tokens::isTwoBytePrefix(t) && i < bytes.size())
        t = t << 8 | quint8(bytes[i++]);
    return t;
}

// A string runs from after its opening quote to its closing quote, a store
// arrow or the line's end; colons inside it are text. Gives where it ends.
int scanString(const QByteArray &bytes, int i, QVector<int> *text)
{
    while (i < bytes.size()) {
        int j = i;
        const int u = tokenAt(bytes, j);
        if (u == tok::Store || u == tok::Newline)
            break;
        i = j;
        if (u == tok::Quote)
            break;
        *text << u;
    }
    return i;
}

// The ᴇ exponent's one or two figures, after an optional negation; false
// when there are none or more.
bool scanExponent(const QByteArray &bytes, int &i, int *exp10)
{
    const int n = int(bytes.size());
    bool neg = false;
    if (i < n && quint8(bytes[i]) == tok::Neg) {
        neg = true;
        ++i;
    }
    int figures = 0;
    while (i < n && isDigitByte(quint8(bytes[i]))) {
        if (figures++ < 2)
            *exp10 = *exp10 * 10 + (quint8(bytes[i]) - tok::Digit0);
        ++i;
    }
    if (neg)
        *exp10 = -*exp10;
    return figures > 0 && figures <= 2;
}

// A number from its first digit, point or ᴇ; false when it is malformed
// (two points, a lone point, a bad exponent) or too large.
bool scanNumber(const QByteArray &bytes, int &i, Number *v)
{
    const int n = int(bytes.size());
    QByteArray digits;
    int point = -1, exp10 = 0;
    bool bad = false;
    while (i < n && (isDigitByte(quint8(bytes[i])) || quint8(bytes[i]) == tok::Point)) {
        if (quint8(bytes[i]) == tok::Point) {
            if (point >= 0)
                bad = true;
            point = int(digits.size());
        } else {
            digits += char(bytes[i]);
        }
        ++i;
    }
    if (point < 0)
        point = int(digits.size());
    if (i < n && quint8(bytes[i]) == tok::Exp) {
        ++i;
        if (digits.isEmpty()) {
            digits = "1";
            point = 1;
        }
        if (!scanExponent(bytes, i, &exp10))
            bad = true;
    }
    if (digits.isEmpty())
        bad = true; // a lone point
    return !bad && Number::fromDigits(digits, point, exp10, v);
}

} // namespace

std::vector<Tok> scan(const QByteArray &bytes, std::vector<Number> *numbers,
                      std::vector<QVector<int>> *texts)
{
    std::vector<Tok> out;
    int line = 1;
    int i = 0;
    while (i < bytes.size()) {
        const int start = i;
        const int t = tokenAt(bytes, i);
        // 30°15'20": after minutes and a number, " marks the seconds.
        const size_t k = out.size();
        if (t == tok::Quote && k >= 2 && out[k - 1].t == tok::Number &&
            out[k - 2].t == tok::Minutes) {
            out.push_back({t, line, -1, start, i});
            continue;
        }
        if (t == tok::Quote) {
            QVector<int> text;
            i = scanString(bytes, i, &text);
            texts->push_back(text);
            out.push_back({tok::String, line, int(texts->size()) - 1, start, i});
            continue;
        }
        if (isDigitByte(t) || t == tok::Point || t == tok::Exp) {
            i = start;
            Number v;
            if (scanNumber(bytes, i, &v)) {
                numbers->push_back(v);
                out.push_back({tok::Number, line, int(numbers->size()) - 1, start, i});
            } else {
                out.push_back({tok::Bad, line, -1, start, i});
            }
            continue;
        }
        out.push_back({t, line, -1, start, i});
        if (t == tok::Newline)
            ++line;
    }
    return out;
}

} // namespace calc::basic
