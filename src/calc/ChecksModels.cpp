// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which calculator has the program's tokens.
#include "calc/ChecksImpl.h"
#include "calc/Tokens.h"

namespace calc::checks::detail
{

namespace
{

constexpr int kAsm84CePrgm = 0xEF7A;

QString named(int token)
{
    return calc::tokens::displayString(token).trimmed();
}

} // namespace

void models(Program &p, calc::models::Model chosen)
{
    using calc::models::Model;
    const Text &t = p.text;
    if (chosen == Model::None) {
        const calc::models::Lowest low = calc::models::lowestFor(t.bytes);
        if (int(low.model) <= int(Model::Ti83Plus))
            return;
        const int at = t.bytes.indexOf(calc::tokens::tokenBytes(low.token));
        QString need = calc::models::name(low.need.model);
        if (!low.need.os.isEmpty())
            need += QStringLiteral(" OS %1 or later").arg(low.need.os);
        p.add(t.at[at], t.len[at], Severity::Info,
              QStringLiteral("uses %1: %2").arg(named(low.token), need));
        return;
    }
    for (int i = 0; i < t.bytes.size();) {
        const int first = static_cast<unsigned char>(t.bytes.at(i));
        const bool two = calc::tokens::isTwoBytePrefix(first) && i + 1 < t.bytes.size();
        const int token = two ? first << 8 | static_cast<unsigned char>(t.bytes.at(i + 1)) : first;
        if (!calc::models::has(chosen, token)) {
            p.add(t.at[i], t.len[i], Severity::Error,
                  QStringLiteral("%1 needs %2")
                      .arg(named(token), calc::models::needText(calc::models::need(token))));
        } else if (token == kAsm84CePrgm && chosen == Model::Ti84PlusCE) {
            p.add(t.at[i], t.len[i], Severity::Error,
                  QStringLiteral("%1 programs do not run on a TI-84 Plus CE from OS 5.3.1 on")
                      .arg(named(token)));
        }
        i += two ? 2 : 1;
    }
}

} // namespace calc::checks::detail
