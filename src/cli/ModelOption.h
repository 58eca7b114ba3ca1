// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// --model ti83|ti83p|ti84p|ti84pcse|ti84pce, and its older form --target
// 83|83p, for the commands that take a program.
#include "calc/Models.h"

#include <QString>

class QCommandLineParser;

namespace cli
{

// The model the options name (None when neither is given); false and
// *error when a value names none or the two disagree.
bool modelOption(const QCommandLineParser &parser, calc::models::Model *model, QString *error);

} // namespace cli
