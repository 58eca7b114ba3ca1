// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every library's table as one list: what the compiler resolves a token to
// and the loop calls through.
#include "calc/basic/lib/Library.h"

#include <vector>

namespace calc::basic
{

const std::vector<const Library *> &libraries();
// The place of a token's entry; -1 when no library has it.
int builtinIndex(int token);
const Builtin &builtinAt(int index);

} // namespace calc::basic
