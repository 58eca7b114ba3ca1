// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tokenizes and detokenizes a generated 1 MB calculator program and prints
// the throughput of each direction, and the time to scan one line of a
// 24 KB program as the editor does per keystroke, and to colour it.
#include "BestTime.h"
#include "calc/SyntaxSpans.h"
#include "calc/Tokens.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

using namespace calc::tokens;

namespace
{

QString makeProgram(qsizetype targetChars)
{
    const QString store(QChar(252)), le(QChar(247)), theta(QChar(193));
    const QStringList lines = {"ClrHome",
                               "Disp \"Hello there\",\"A and B\"",
                               "0" + store + "A:1" + store + theta,
                               "While A=0",
                               "getKey" + store + "A",
                               "End",
                               "If A" + le + "2 and B>3 or not(C",
                               "Then",
                               "Output(1,1,\"Score: \"+Str1)",
                               "For(I,1,10):sin(I)+cos(I" + store + "L" + QChar(129) + "(I):End",
                               "Line(Xmin,Ymin,Xmax,Ymax)",
                               "Pause ",
                               "Lbl A1",
                               "Goto A1"};
    QString text;
    for (int n = 0; text.size() < targetChars; ++n)
        text += lines[n % lines.size()] + "\r\n";
    return text;
}

} // namespace

int main()
{
    const QString program = makeProgram(1024 * 1024);
    const double mb = program.size() / (1024.0 * 1024.0);
    Tokenized tokens = tokenize(program); // builds the table once
    if (!tokens.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(tokens.error));
        return 1;
    }
    const double tokenizeSeconds = bestSeconds(5, [&] { tokens = tokenize(program); });
    QString back;
    const double detokenizeSeconds = bestSeconds(5, [&] { back = detokenize(tokens.bytes); });
    if (back != program) {
        qsizetype at = 0;
        while (at < back.size() && back.at(at) == program.at(at))
            ++at;
        std::fprintf(stderr, "the text did not come back unchanged at %lld: %s\n",
                     static_cast<long long>(at), qPrintable(back.mid(at, 20)));
        return 1;
    }

    const QString small = makeProgram(24 * 1024);
    const QStringList smallLines = small.split(QStringLiteral("\r\n"));
    qsizetype pieces = 0;
    const double scanSeconds = bestSeconds(5, [&] {
        for (const QString &line : smallLines)
            pieces += scanLine(line).size();
    });
    qsizetype spans = calc::syntax::lineSpans(small).size(); // builds its table once
    const double colourSeconds = bestSeconds(5, [&] {
        for (const QString &line : smallLines)
            spans += calc::syntax::lineSpans(line).size();
    });

    std::printf("program: %.2f MB of text, %.2f MB of tokens\n", mb,
                tokens.bytes.size() / (1024.0 * 1024.0));
    std::printf("tokenize:   %7.1f MB/s (goal >= 20)\n", mb / tokenizeSeconds);
    std::printf("detokenize: %7.1f MB/s of text (goal >= 20)\n", mb / detokenizeSeconds);
    std::printf("scanLine:   %7.2f us per line of a 24 KB program (%lld lines, %lld pieces)\n",
                scanSeconds * 1e6 / smallLines.size(), static_cast<long long>(smallLines.size()),
                static_cast<long long>(pieces / 5));
    std::printf("lineSpans:  %7.2f us per line of the same program (%lld spans)\n",
                colourSeconds * 1e6 / smallLines.size(), static_cast<long long>(spans / 5));
    return 0;
}
