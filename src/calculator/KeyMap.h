// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The computer's keys as the calculator's: getKey codes (row x 10 +
// column) for the keys a program reads.
#include <QString>

namespace calculator
{

// The getKey code of a key (a Qt::Key and the text it types); 0 for none.
// Letters give the key that carries them in ALPHA, as on the calculator.
int keyCode(int qtKey, const QString &text);

} // namespace calculator
