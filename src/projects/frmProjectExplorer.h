// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include "projects/RecordBrowser.h"

class QPushButton;

namespace projects
{

// The project explorer: the user's programs and where their files lie, one
// record of project.db at a time.
class frmProjectExplorer : public RecordBrowser
{
    Q_OBJECT
public:
    explicit frmProjectExplorer(QWidget *parent = nullptr);

    static QList<BrowserField> fields();

    QPushButton *Command2 = nullptr; // Locate File

    void Command2_Click();
};

} // namespace projects
