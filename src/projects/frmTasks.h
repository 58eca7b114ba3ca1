// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include "projects/RecordBrowser.h"

namespace projects
{

// The task manager: the user's tasks, one record of tasks.db at a time.
class frmTasks : public RecordBrowser
{
    Q_OBJECT
public:
    explicit frmTasks(QWidget *parent = nullptr);

    static QList<BrowserField> fields();
};

} // namespace projects
