// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the calculator's screens show for a token. The sheet spells many
// tokens with brackets and bars to tell them apart ([|a], |u, [Sx]); the
// calculator draws them in its font, most in one cell: the statistics and
// sequence variables that CE programs use as lowercase letters among them.
#include <QString>

namespace calc::basic
{

// The token's characters on the screen, one cell each (see screenCells).
QString screenText(int token);
// Whether the sheet's spelling of the token differs from what the screen
// shows, so that a reader cannot tell it from other tokens by its look (the
// statistics variable a from the lowercase letter a).
bool shownDifferently(int token);

} // namespace calc::basic
