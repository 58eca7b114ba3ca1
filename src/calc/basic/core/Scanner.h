// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Token bytes cut into tokens, numbers and strings whole, each with its
// line and its bytes.
#include "calc/TokenCodes.h"
#include "calc/basic/core/Number.h"

#include <QByteArray>
#include <QVector>

#include <vector>

namespace calc::basic
{

struct Tok {
    int t;
    int line;
    int index = -1; // Number: a constant; String: a text
    int from = 0;   // its bytes, for names that hold digits (Lbl 10, prgmA1)
    int to = 0;
};

// The token values of bytes, one- and two-byte alike.
QVector<int> tokenValues(const QByteArray &bytes);

std::vector<Tok> scan(const QByteArray &bytes, std::vector<Number> *numbers,
                      std::vector<QVector<int>> *texts);

} // namespace calc::basic
