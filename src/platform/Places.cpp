#include "platform/Places.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform::places
{

namespace
{
QString under(QStandardPaths::StandardLocation location)
{
    QString base = QStandardPaths::writableLocation(location);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(QStringLiteral("torvane-studio"));
}
} // namespace

QString programFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

QString configFolder()
{
    return under(QStandardPaths::GenericConfigLocation);
}
QString registryFile()
{
    return QDir(configFolder()).filePath(QStringLiteral("registry.ini"));
}
QString dataFolder()
{
    return under(QStandardPaths::GenericDataLocation);
}
QString tasksDatabase()
{
    return QDir(dataFolder()).filePath(QStringLiteral("tasks.db"));
}
QString projectDatabase()
{
    return QDir(dataFolder()).filePath(QStringLiteral("project.db"));
}
QString tipsFile()
{
    return QDir(programFolder()).filePath(QStringLiteral("TIPOFDAY.TXT"));
}
QString delimiterFile()
{
    return QDir(programFolder()).filePath(QStringLiteral("menu.txt"));
}
QString scratchFile()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("torvedit.tmp"));
}

} // namespace platform::places
