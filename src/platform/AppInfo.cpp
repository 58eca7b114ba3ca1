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
    return QStringLiteral("qrc:/help/index.html");
}

QString calculatorMakerAddress()
{
    return QStringLiteral("https://www.ti.com/");
}

} // namespace platform
