// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compiler/frmCompile_Description.h"

namespace compiler
{

frmCompile_Description::frmCompile_Description(QWidget *parent)
    : CompileCompanion("frmCompile_Description", 3,
                       QStringLiteral("Torvane Compiler - Description"),
                       QStringLiteral("Type in your description here. It can be as long as you "
                                      "want, or as short as you want."),
                       parent)
{
}

} // namespace compiler
