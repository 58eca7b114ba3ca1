// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include "compiler/CompileCompanion.h"

namespace compiler
{

// Step 3 of the compile wizard.
class frmCompile_Description : public CompileCompanion
{
    Q_OBJECT
public:
    explicit frmCompile_Description(QWidget *parent = nullptr);
};

} // namespace compiler
