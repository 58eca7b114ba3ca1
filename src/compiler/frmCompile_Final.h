// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include "compiler/CompileCompanion.h"

namespace compiler
{

// Step 5 of the compile wizard, with a button for the copyright sign.
class frmCompile_Final : public CompileCompanion
{
    Q_OBJECT
public:
    explicit frmCompile_Final(QWidget *parent = nullptr);

    QPushButton *Command1;

public slots:
    void Command1_Click(); // inserts the copyright sign
};

} // namespace compiler
