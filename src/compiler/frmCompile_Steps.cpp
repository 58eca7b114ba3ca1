// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compiler/frmCompile_Steps.h"

namespace compiler
{

frmCompile_Steps::frmCompile_Steps(QWidget *parent)
    : CompileCompanion("frmCompile_Steps", 4, QStringLiteral("Torvane Compiler - Steps"),
                       QStringLiteral("You can write in your steps here. Preferably, you can "
                                      "seperate each step with numbers (1., 2., 3,. ...)."),
                       parent)
{
}

} // namespace compiler
