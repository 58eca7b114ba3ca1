#include "platform/AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

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

} // namespace platform
