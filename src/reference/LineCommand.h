// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Graph > Draw > Line asks for the four coordinates of a line and writes the
// calculator's Line( command. The questions, the checks and the text live
// here without a widget; reference/Reference.h asks through real dialogs.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace reference::line
{

QString title(); // "Graphing - Line"
QString defaultAnswer();
// The question of step 0..3: starting X, starting Y, ending X, ending Y.
QString promptText(int step);
// The message for an answer of that step that is out of range or no number.
QString rangeMessage(int step);

// An answer as a coordinate: digits with at most one decimal point (the
// calculator's), blanks around allowed. std::nullopt for anything else.
std::optional<double> coordinate(const QString &answer);
// A coordinate within 0..9.9, both ends included.
bool acceptable(const QString &answer);

// CR LF and Line(x1,y1,x2,y2) with the answers as typed, blanks around them
// dropped.
QString command(const QStringList &answers);

// The whole exchange. `ask` puts one step's question (std::nullopt when the
// user cancelled), `complain` shows a message. A rejected answer of steps 0,
// 1 and 3 asks that step again; one of step 2 goes back to step 0. Returns
// the text to insert, or std::nullopt when the user cancelled.
using Ask = std::function<std::optional<QString>(int step)>;
using Complain = std::function<void(int step)>;
std::optional<QString> run(const Ask &ask, const Complain &complain);

} // namespace reference::line
