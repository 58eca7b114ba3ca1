// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the program finds and keeps its files. Everything follows
// QStandardPaths, so XDG_CONFIG_HOME / XDG_DATA_HOME (or the test mode)
// move all of it at once.
#include <QString>
#include <QStringList>

namespace platform::places
{

QString programFolder();   // folder of the executable
QString configFolder();    // <config>/torvane-studio
QString registryFile();    // machine registry store (INI)
QString dataFolder();      // <data>/torvane-studio, holds the databases
QString tasksDatabase();   // tasks.db
QString projectDatabase(); // project.db
QString scratchFile();     // torvedit.tmp in the system temp folder
QString recoveryFolder();  // <data>/torvane-studio/recovery, unsaved work

// The files the program ships with are looked for, in this order, in the
// program folder (a build tree), in the data folder installed beside it
// (<prefix>/share/torvane-studio) and in torvane-studio/ under each of the
// user's and the system's data folders.
QStringList shippedDataFolders();
// The first of those holding `name` (a file or folder); the program
// folder's when none does, so a message names where it belongs.
QString shippedFile(const QString &name);
QString tipsFile();      // TIPOFDAY.TXT
QString delimiterFile(); // menu.txt
QString helpFolder();    // help/, the help pages

// Makes programFolder() answer `folder` (empty: the real one again), so a
// test can lay out a build tree or an installed tree of its own.
void setProgramFolderForTesting(const QString &folder);

} // namespace platform::places
