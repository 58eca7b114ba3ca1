// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Uses the library from outside: one line with calculator symbols to tokens,
// and the calculator font found beside the program.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "platform/Fonts.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString line = calc::calcsymbols::fromUnicode(QStringLiteral("X²→Y")).text;
    const QByteArray bytes = calc::tokens::tokenize(line).bytes;
    if (bytes != QByteArray::fromHex("580d0459")) {
        std::fprintf(stderr, "tokens: %s\n", bytes.toHex(' ').constData());
        return 1;
    }
    const QString font = platform::calculatorDisplayFontFile();
    if (QFileInfo(font).absolutePath() != QCoreApplication::applicationDirPath() ||
        !platform::useCalculatorDisplayFont(font) ||
        !QFontDatabase::families().contains(platform::calculatorDisplayFamily())) {
        std::fprintf(stderr, "no calculator font at %s\n", qPrintable(font));
        return 1;
    }
    return 0;
}
