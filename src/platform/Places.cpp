// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Places.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The installed data folder relative to the installed executable; the build
// derives it from the install directories.
#ifndef TORVANE_DATA_FROM_BIN
#define TORVANE_DATA_FROM_BIN "../share/torvane-studio"
#endif

namespace platform::places
{

namespace
{
const QString folderName = QStringLiteral("torvane-studio");

QString &programFolderOverride()
{
    static QString folder;
    return folder;
}

QString under(QStandardPaths::StandardLocation location)
{
    QString base = QStandardPaths::writableLocation(location);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(folderName);
}
} // namespace

QString programFolder()
{
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

void setProgramFolderForTesting(const QString &folder)
{
    programFolderOverride() = folder;
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
QString recoveryFolder()
{
    return QDir(dataFolder()).filePath(QStringLiteral("recovery"));
}
QString tasksDatabase()
{
    return QDir(dataFolder()).filePath(QStringLiteral("tasks.db"));
}
QString projectDatabase()
{
    return QDir(dataFolder()).filePath(QStringLiteral("project.db"));
}
QString scratchFile()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("torvedit.tmp"));
}

QStringList shippedDataFolders()
{
    const QString program = programFolder();
    QStringList folders{
        program, QDir::cleanPath(QDir(program).filePath(QStringLiteral(TORVANE_DATA_FROM_BIN)))};
    for (const QString &base :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << QDir(base).filePath(folderName);
    folders.removeDuplicates();
    return folders;
}

QString shippedFile(const QString &name)
{
    const QStringList folders = shippedDataFolders();
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return QDir(folders.first()).filePath(name);
}

QString tipsFile()
{
    return shippedFile(QStringLiteral("TIPOFDAY.TXT"));
}
QString delimiterFile()
{
    return shippedFile(QStringLiteral("menu.txt"));
}
QString helpFolder()
{
    return shippedFile(QStringLiteral("help"));
}

} // namespace platform::places
