#pragma once
// Where the program finds and keeps its files. Everything follows
// QStandardPaths, so XDG_CONFIG_HOME / XDG_DATA_HOME (or the test mode)
// move all of it at once.
#include <QString>

namespace platform::places
{

QString programFolder();   // folder of the executable
QString configFolder();    // <config>/torvane-studio
QString registryFile();    // machine registry store (INI)
QString dataFolder();      // <data>/torvane-studio, holds the databases
QString tasksDatabase();   // tasks.db
QString projectDatabase(); // project.db
QString tipsFile();        // TIPOFDAY.TXT in the program folder
QString delimiterFile();   // menu.txt in the program folder
QString scratchFile();     // torvedit.tmp in the system temp folder

} // namespace platform::places
