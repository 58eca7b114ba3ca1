// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A screen that knows what the calculator remembers.
#include "calc/basic/state/Calculator.h"
