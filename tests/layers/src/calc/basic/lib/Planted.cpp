// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A library that reaches into the loop, and one that uses its own folder.
#include "calc/basic/core/Value.h"
#include "calc/basic/core/Vm.h"
#include "calc/basic/lib/Library.h"
