// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include "compiler/CompileCompanion.h"

namespace compiler
{

// Step 4 of the compile wizard.
class frmCompile_Steps : public CompileCompanion
{
    Q_OBJECT
public:
    explicit frmCompile_Steps(QWidget *parent = nullptr);
};

} // namespace compiler
