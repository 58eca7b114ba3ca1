// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalculatorSymbols.h"

#include "calc/Tokens.h"

#include <QHash>
#include <QVector>

#include <algorithm>

namespace calc::calcsymbols
{

namespace
{

// Codes 128..255 in order. 182 is "-1" drawn on the baseline; 184 (between
// '*' and '+' in the palette) is taken as division and 222 (after '^') as
// negation. 239 has no glyph on the calculator.
// clang-format off
const char16_t *const kSymbols[128] = {
    u"\u2080", u"\u2081", u"\u2082", u"\u2083", u"\u2084", u"\u2085", u"\u2086", u"\u2087", // 128
    u"\u2088", u"\u2089", u"\u00C1", u"\u00C0", u"\u00C2", u"\u00C4", u"\u00E1", u"\u00E0", // 136
    u"\u00E2", u"\u00E4", u"\u00C9", u"\u00C8", u"\u00CA", u"\u00CB", u"\u00E9", u"\u00E8", // 144
    u"\u00EA", u"\u00EB", u"\u00CD", u"\u00CC", u"\u00CE", u"\u00CF", u"\u00ED", u"\u00EC", // 152
    u"\u00EE", u"\u00EF", u"\u00D3", u"\u00D2", u"\u00D4", u"\u00D6", u"\u00F3", u"\u00F2", // 160
    u"\u00F4", u"\u00F6", u"\u00DA", u"\u00D9", u"\u00DB", u"\u00DC", u"\u00FA", u"\u00F9", // 168
    u"\u00FB", u"\u00FC", u"\u00C7", u"\u00E7", u"\u00D1", u"\u00F1", u"\u208B\u2081", u"`", // 176
    u"/", u"\u00BF", u"\u00A1", u"\u03B1", u"\u03B2", u"\u03B3", u"\u0394", u"\u03B4", // 184
    u"\u03B5", u"\u03B8", u"\u03BB", u"\u03BC", u"\u03C0", u"\u03C1", u"\u03A3", u"\u03C3", // 192
    u"\u03C4", u"\u03C6", u"\u03A9", u"x\u0304", u"\u0233", u"\u02E3", u"\u2026", u"\u25C0", // 200
    u"\u25AB", u"\u207A", u"\u00B7", u"\u00B3", u"\u1D1B", u"\u00B3", u"\U0001D45B", u"\u27A1", // 208
    u"\u00B4", u"`", u"^", u"\u00A8", u"\u00B2", u"\u00B3", u"\u207B", u"\u00B0", // 216
    u"\U0001D456", u"\u029F", u"N", u"\U0001D405", u"\u03C7", u"\u25B6", u"\u2B06", u"\u2B07", // 224
    u"\u222B", u"\u00D7", u"p\u0302", u"\u212F", u"/", u"\u00E6", u"\u25B3", u"\uE0EF", // 232
    u"\u221A", u"\u207B\u00B9", u"\u00B2", u"\u2220", u"\u00B0", u"\u02B3", u"\u1D40", u"\u2264", // 240
    u"\u2260", u"\u2265", u"\u207B", u"\u1D07", u"\u2192", u"\u2491", u"\u2191", u"\u2193", // 248
};
// clang-format on

// Where several codes draw one symbol, the one the palette inserts.
constexpr int kPreferred[] = {242, 221, 223, 222};

struct Entry {
    QString symbol;
    char16_t model;
};

struct Tables {
    // By first UTF-16 unit, longest symbol first.
    QHash<char16_t, QVector<Entry>> byFirst;
    QString shown[128];
};

const Tables &tables()
{
    static const Tables t = [] {
        Tables r;
        for (int i = 0; i < 128; ++i)
            r.shown[i] = QString::fromUtf16(kSymbols[i]);
        QHash<QString, int> chosen;
        for (int b : kPreferred)
            chosen.insert(r.shown[b - 128], b);
        for (int i = 0; i < 128; ++i) {
            const QString &s = r.shown[i];
            if (s.size() == 1 && s.at(0).unicode() < 0x80)
                continue; // ASCII stays ASCII
            if (!chosen.contains(s))
                chosen.insert(s, 128 + i);
        }
        chosen.insert(QStringLiteral("\u00B5"), 195); // micro sign reads as mu
        for (auto it = chosen.cbegin(); it != chosen.cend(); ++it)
            r.byFirst[it.key().at(0).unicode()].append({it.key(), char16_t(it.value())});
        for (auto &list : r.byFirst)
            std::sort(list.begin(), list.end(), [](const Entry &a, const Entry &b) {
                return a.symbol.size() > b.symbol.size();
            });
        return r;
    }();
    return t;
}

// Typographic punctuation that has a plain ASCII form.
const char *asciiFormOf(char16_t c)
{
    switch (c) {
    case 0x00A0:
    case 0x2007:
    case 0x202F:
        return " ";
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032:
        return "'";
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
        return "\"";
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212:
        return "-";
    default:
        return nullptr;
    }
}

} // namespace

QString symbolOf(int byte)
{
    if (byte < 128 || byte > 255)
        return QString();
    return tables().shown[byte - 128];
}

QString toUnicode(QStringView model)
{
    const Tables &t = tables();
    QString out;
    out.reserve(model.size());
    for (QChar c : model) {
        const char16_t u = c.unicode();
        if (u >= 0x80 && u <= 0xFF)
            out += t.shown[u - 0x80];
        else
            out += c;
    }
    return out;
}

Incoming fromUnicode(QStringView text)
{
    const Tables &t = tables();
    Incoming in;
    in.text.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t u = text.at(i).unicode();
        // Only 'x' and 'p' start a listed symbol among ASCII.
        if (u < 0x80 && u != u'x' && u != u'p') {
            in.text += QChar(u);
            ++i;
            continue;
        }
        if (const char *ascii = asciiFormOf(u)) {
            in.text += QLatin1String(ascii);
            ++i;
            continue;
        }
        const auto found = t.byFirst.constFind(u);
        bool matched = false;
        if (found != t.byFirst.constEnd()) {
            for (const Entry &e : *found) {
                if (text.mid(i).startsWith(e.symbol)) {
                    in.text += QChar(e.model);
                    i += e.symbol.size();
                    matched = true;
                    break;
                }
            }
        }
        if (matched)
            continue;
        // A character no symbol draws and no spelling uses would only be
        // taken for another symbol later (the pane shows code 0x80 as €).
        const qsizetype width =
            QChar::isHighSurrogate(u) && i + 1 < n && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        if (width == 1 && (u < 0x80 || (u > 0xFF && tokens::usedInSpellings(QChar(u))))) {
            in.text += QChar(u);
        } else if (!in.refused.contains(text.mid(i, width))) {
            in.refused += text.mid(i, width);
        }
        i += width;
    }
    return in;
}

int byteFor(QStringView symbol)
{
    const Tables &t = tables();
    if (symbol.isEmpty())
        return -1;
    const auto found = t.byFirst.constFind(symbol.at(0).unicode());
    if (found == t.byFirst.constEnd())
        return -1;
    for (const Entry &e : *found)
        if (e.symbol == symbol)
            return e.model;
    return -1;
}

} // namespace calc::calcsymbols
