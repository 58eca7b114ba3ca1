// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The checks and their quick fixes against listings nobody wrote: an input
// is a generated program (ProgramGenerator), after a 0xFF byte a program
// typed in Unicode (the seeds: the tests' programs, which libFuzzer flips
// and splices), or after 0xFE model text byte for byte. For every model and with and without hints:
// no crash, every problem's range inside its line, every offered fix gives text that tokenizes
// (where the listing did), and a fix once made is not offered again.
#include "ProgramGenerator.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Checks.h"
#include "calc/Models.h"
#include "calc/Tokens.h"

#include <cstdio>
#include <cstdlib>

namespace
{

using calc::checks::Problem;

[[noreturn]] void finding(const char *what, const Problem &p, const QString &text)
{
    std::fprintf(stderr, "fuzz_checks: %s: line %d [%d,+%d) \"%s\" fix [%d,+%d)→\"%s\" in\n%s\n",
                 what, p.line, p.start, p.length, qPrintable(p.message), p.editStart, p.editLength,
                 qPrintable(p.replacement), qPrintable(text));
    std::abort();
}

// Where line `line` (1-based) starts and ends (before its break). A line
// ends at CR LF, CR or LF, as the checks and the tokenizer count lines.
bool lineBounds(const QString &text, int line, int *from, int *to)
{
    const int n = int(text.size());
    int start = 0;
    for (int l = 1;; ++l) {
        int end = start;
        while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        if (l == line) {
            *from = start;
            *to = end;
            return true;
        }
        if (end >= n)
            return false;
        start = end + (text.at(end) == QLatin1Char('\r') && end + 1 < n &&
                               text.at(end + 1) == QLatin1Char('\n')
                           ? 2
                           : 1);
    }
}

bool sameFix(const Problem &a, const Problem &b)
{
    return a.message == b.message && a.editStart == b.editStart && a.editLength == b.editLength &&
           a.replacement == b.replacement;
}

void checkAll(const QString &text, const calc::checks::Options &options)
{
    const QVector<Problem> problems = calc::checks::check(text, options);
    // A fix may leave a text that was refused refused; it must not refuse one that was not.
    const bool tokenizes = calc::tokens::tokenize(text).ok();
    for (const Problem &p : problems) {
        int from = 0, to = 0;
        if (p.length < 1 || !lineBounds(text, p.line, &from, &to) || p.start < from ||
            p.start + p.length > std::max(to, from + 1))
            finding("range outside its line", p, text);
        if (!calc::checks::hasFix(p))
            continue;
        if (p.editStart < 0 || p.editLength < 0 || p.editStart + p.editLength > text.size())
            finding("fix outside the text", p, text);
        const QString fixed = QString(text).replace(p.editStart, p.editLength, p.replacement);
        if (tokenizes && !calc::tokens::tokenize(fixed).ok())
            finding("fixed text does not tokenize", p, text);
        for (const Problem &again : calc::checks::check(fixed, options))
            if (sameFix(again, p) && hasFix(again) &&
                QString(fixed).replace(again.editStart, again.editLength, again.replacement) !=
                    fixed)
                finding("fix offered again after it was made", p, text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 4096)
        return 0;
    QString text;
    if (size > 0 && data[0] == 0xFE) {
        text = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), int(size - 1));
    } else if (size > 0 && data[0] == 0xFF) {
        const QString typed =
            QString::fromUtf8(reinterpret_cast<const char *>(data + 1), int(size - 1));
        text = calc::calcsymbols::fromUnicode(
                   QString(typed).replace(QLatin1Char('\n'), QStringLiteral("\r\n")))
                   .text;
    } else {
        const fuzzing::Programs p = fuzzing::generate(data, size);
        text = calc::tokens::detokenize(p.main);
    }
    calc::checks::Options options;
    for (calc::models::Model m : calc::models::all()) {
        options.model = m;
        options.ti83 = m == calc::models::Model::Ti83;
        options.hints = m != calc::models::Model::Ti84Plus;
        checkAll(text, options);
    }
    return 0;
}
