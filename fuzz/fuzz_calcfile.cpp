// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator file reader on any bytes: it never crashes, and every
// program it reads imports and exports back to the same tokens.
#include "calc/CalcFile.h"
#include "calc/Tokens.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace calcfile = calc::calcfile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const calcfile::Contents c = calcfile::readAll(input);
    const calcfile::ImportedFile f = calcfile::importAll(input);
    if (c.ok() != f.ok() && c.ok()) {
        // Only a program cut off inside a two-byte token fails the import.
        bool cutOff = false;
        for (const calcfile::Program &p : c.programs) {
            QString error;
            calc::tokens::detokenize(p.tokens, &error);
            cutOff = cutOff || !error.isEmpty();
        }
        if (!cutOff)
            std::abort();
    }
    if (!f.ok())
        return 0;
    for (qsizetype i = 0; i < f.programs.size(); ++i) {
        const calc::tokens::Tokenized t = calc::tokens::tokenize(f.programs[i].text);
        if (!t.ok() || t.bytes != c.programs[i].tokens)
            std::abort();
    }
    return 0;
}
