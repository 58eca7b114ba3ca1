// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Programs made from a fuzzer's bytes by a small grammar over the token
// table: expressions of every kind, stores to every kind of variable,
// blocks nested and left open, labels and Gotos, calls to a second
// program, and any command the sheet knows (the graphing and drawing ones
// among them). The bytes choose; when they run out the choices repeat.
#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace fuzzing
{

struct Programs {
    QByteArray main; // token bytes
    QByteArray sub;  // what prgmSUB (any prgm) runs
};

Programs generate(const std::uint8_t *data, std::size_t size);

} // namespace fuzzing
