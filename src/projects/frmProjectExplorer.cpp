// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "projects/frmProjectExplorer.h"

#include "platform/Dialogs.h"
#include "platform/Places.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace projects
{

QList<BrowserField> frmProjectExplorer::fields()
{
    return {{QStringLiteral("ProgramName:"), {QStringLiteral("ProgramName"), 8}},
            {QStringLiteral("ProjectTitle:"), {QStringLiteral("ProjectTitle"), 20}},
            {QStringLiteral("Location of File:"), {QStringLiteral("Location of File"), 185}},
            {QStringLiteral("Platform:"), {QStringLiteral("Platform"), 10}},
            {QStringLiteral("Comments:"), {QStringLiteral("Comments"), 42}, true}};
}

frmProjectExplorer::frmProjectExplorer(QWidget *parent)
    : RecordBrowser(QStringLiteral("frmProjectExplorer"), QStringLiteral("ProjectExplorer"),
                    platform::places::projectDatabase(), QStringLiteral("ProjectExplorer"),
                    fields(), parent)
{
    Command2 = new QPushButton(QStringLiteral("Locate File"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    buttonRow()->addWidget(Command2, 0, 1);
    connect(Command2, &QPushButton::clicked, this, &frmProjectExplorer::Command2_Click);
}

void frmProjectExplorer::Command2_Click()
{
    // The path is taken as chosen; the record is written the usual ways.
    const auto path = platform::dialogs::openFile(this, QString(), QString());
    if (path)
        txtFields[2]->setText(*path);
}

} // namespace projects
