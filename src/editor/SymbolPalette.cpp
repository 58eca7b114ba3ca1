// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/SymbolPalette.h"

#include "calc/CalculatorSymbols.h"

#include <QFile>
#include <QFileInfo>
#include <QKeySequence>

namespace editor
{

namespace
{

const char16_t *const kEntries[kPaletteEntryCount] = {
    u"\u00F7",        // 0
    u"\u00F9",        // 1
    u"\u00F8",        // 2
    u"=",             // 3
    u"<",             // 4
    u">",             // 5
    u"\u00DF",        // 6
    u"!",             // 7
    u"\u00F5",        // 8
    u"\u00F6",        // 9
    u"\u00CD\u00F0",  // 10
    u"\u00DD",        // 11
    u"\u00DD\u00F0(", // 12
    u"\u00D0",        // 13
    u"\u00D1",        // 14
    u"\u00D2",        // 15
    u"\u00F1",        // 16
    u"\u00F2",        // 17
    u"^",             // 18
    u"\u00DE",        // 19
    u"\u00FD^(",      // 20
    u"\u00F0(",       // 21
    u"*",             // 22
    u"\u00B8",        // 23
    u"+",             // 24
    u"-",             // 25
    u"{",             // 26
    u"[",             // 27
    u"(",             // 28
    u"}",             // 29
    u"]",             // 30
    u")",             // 31
    u",",             // 32
    u"",              // 33
    u":",             // 34
    u"'",             // 35
    u"\u00C4",        // 36
    u"?",             // 37
    u"\u00FC",        // 38, added: the store arrow
};

const char *const kNames[kPaletteEntryCount] = {
    "less than or equal",
    "greater than or equal",
    "not equal",
    "equal",
    "less than",
    "greater than",
    "degree",
    "factorial",
    "radian",
    "transpose",
    "x-th root",
    "cube",
    "cube root",
    "box plot mark",
    "cross plot mark",
    "dot plot mark",
    "inverse",
    "square",
    "power",
    "negation",
    "ten to the power",
    "square root",
    "multiply",
    "divide",
    "add",
    "subtract",
    "open list",
    "open matrix",
    "open parenthesis",
    "close list",
    "close matrix",
    "close parenthesis",
    "comma",
    "the scratch text",
    "next command",
    "apostrophe",
    "pi",
    "question mark",
    "store",
};

struct KeyedSymbol {
    int key;
    int usShifted; // the same key as a US layout reports it with Shift
    const char16_t *symbol;
    const char *name;
};

const KeyedSymbol kSymbolKeys[] = {
    {Qt::Key_S, Qt::Key_S, u"\u2192", "store"},
    // Not Ctrl+Shift+=: on a US keyboard that is Ctrl and +, which zooms.
    {Qt::Key_N, Qt::Key_N, u"\u2260", "not equal"},
    {Qt::Key_Comma, Qt::Key_Less, u"\u2264", "less than or equal"},
    {Qt::Key_Period, Qt::Key_Greater, u"\u2265", "greater than or equal"},
    {Qt::Key_T, Qt::Key_T, u"\u03B8", "theta"},
    {Qt::Key_P, Qt::Key_P, u"\u03C0", "pi"},
    {Qt::Key_R, Qt::Key_R, u"\u221A", "square root"},
    {Qt::Key_1, Qt::Key_Exclam, u"\u207B\u00B9", "inverse"},
    {Qt::Key_2, Qt::Key_At, u"\u00B2", "square"},
    {Qt::Key_3, Qt::Key_NumberSign, u"\u00B3", "cube"},
    {Qt::Key_E, Qt::Key_E, u"\u212F", "e"},
    {Qt::Key_Minus, Qt::Key_Underscore, u"\u207B", "negation"},
};

} // namespace

QString paletteEntryName(int index)
{
    if (index < 0 || index >= kPaletteEntryCount)
        return QString();
    return QString::fromLatin1(kNames[index]);
}

QString paletteToolTip(int index)
{
    if (index == kScratchEntry)
        return paletteEntryName(index);
    const QString text = paletteInsertText(index).value_or(QString());
    QString tip =
        calc::calcsymbols::toUnicode(text) + QLatin1String("  ") + paletteEntryName(index);
    if (text.size() == 1)
        for (const SymbolKey &k : symbolKeys())
            if (k.code == text.at(0).unicode())
                tip += QStringLiteral(" (%1)").arg(k.keys);
    return tip;
}

QList<SymbolKey> symbolKeys()
{
    QList<SymbolKey> keys;
    for (const KeyedSymbol &k : kSymbolKeys) {
        const QString symbol = QString::fromUtf16(k.symbol);
        keys.append({symbol, QLatin1String(k.name), calc::calcsymbols::byteFor(symbol),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key(k.key))
                         .toString(QKeySequence::PortableText)});
    }
    return keys;
}

int symbolKeyCode(int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & ~Qt::KeypadModifier) != (Qt::ControlModifier | Qt::ShiftModifier))
        return -1;
    for (const KeyedSymbol &k : kSymbolKeys)
        if (key == k.key || key == k.usShifted)
            return calc::calcsymbols::byteFor(QString::fromUtf16(k.symbol));
    return -1;
}

QStringList symbolPaletteEntries()
{
    QStringList list;
    list.reserve(kPaletteEntryCount);
    for (const char16_t *e : kEntries)
        list.append(QString::fromUtf16(e));
    return list;
}

std::optional<QString> paletteInsertText(int index)
{
    if (index < 0 || index >= kPaletteEntryCount)
        index = 0;
    if (index == kScratchEntry)
        return std::nullopt;
    return QString::fromUtf16(kEntries[index]);
}

std::optional<QString> readScratchText(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString raw = QString::fromLatin1(file.readAll());
    if (raw.isEmpty())
        return std::nullopt;

    QString text;
    text.reserve(raw.size() + raw.size() / 8);
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == u'\r') {
            text += QLatin1String("\r\n");
            if (i + 1 < raw.size() && raw.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            text += QLatin1String("\r\n");
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace editor
