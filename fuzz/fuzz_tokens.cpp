// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The round trip as an oracle: any token stream, written as text and read
// back, is the same bytes. A calculator file's programs are tried as well as
// the raw input.
#include "calc/CalcFile.h"
#include "calc/Tokens.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{

void roundTrip(const QByteArray &bytes)
{
    QString error;
    const QString text = calc::tokens::detokenize(bytes, &error);
    // A stream cut inside a two-byte token is reported; the rest must hold.
    const QByteArray whole = error.isEmpty() ? bytes : bytes.left(bytes.size() - 1);
    const calc::tokens::Tokenized t = calc::tokens::tokenize(text);
    if (!t.ok() || t.bytes != whole) {
        std::fprintf(stderr, "in:  %s\nout: %s\n%s\n", whole.toHex(' ').constData(),
                     t.bytes.toHex(' ').constData(), qPrintable(t.error));
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    roundTrip(input);
    const calc::calcfile::Contents c = calc::calcfile::readAll(input);
    for (const calc::calcfile::Program &p : c.programs)
        roundTrip(p.tokens);
    return 0;
}
