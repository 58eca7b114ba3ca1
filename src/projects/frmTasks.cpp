// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "projects/frmTasks.h"

#include "platform/Places.h"

namespace projects
{

QList<BrowserField> frmTasks::fields()
{
    return {{QStringLiteral("Title of Task:"), {QStringLiteral("Title of Task"), 50}},
            {QStringLiteral("Priority:"), {QStringLiteral("Priority"), 15}},
            {QStringLiteral("Task:"), {QStringLiteral("Task"), 100}},
            {QStringLiteral("Status:"), {QStringLiteral("Status"), 150}}};
}

frmTasks::frmTasks(QWidget *parent)
    : RecordBrowser(QStringLiteral("frmTasks"), QStringLiteral("Tasks"),
                    platform::places::tasksDatabase(), QStringLiteral("Tasks"), fields(), parent)
{
}

} // namespace projects
