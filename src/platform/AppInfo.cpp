// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/AppInfo.h"

#include "platform/Places.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace platform
{

QString appTitle()
{
    return QStringLiteral("Torvane Studio");
}

QString exeBaseName()
{
    const QString path = QCoreApplication::applicationFilePath();
    const QString base = QFileInfo(path).completeBaseName();
    return base.isEmpty() ? QStringLiteral("torvane-studio") : base;
}

QString documentFileFilter()
{
    return QStringLiteral("Torvane Studio Files (*.tvf)|*.tvf");
}

QString makerSiteAddress()
{
    return QStringLiteral("https://www.example.com/torvane/");
}

QString helpPageAddress()
{
    // The installed pages when there are any; the copy built into the
    // program otherwise, so Help always shows something.
    const QString page = QDir(places::helpFolder()).filePath(QStringLiteral("index.html"));
    if (QFileInfo::exists(page))
        return QUrl::fromLocalFile(page).toString();
    return QStringLiteral("qrc:/help/index.html");
}

QString calculatorMakerAddress()
{
    return QStringLiteral("https://www.ti.com/");
}

} // namespace platform
