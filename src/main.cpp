#include "shell/Main.h"
#include "platform/AppIcon.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The browser view needs this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(platform::applicationIcon());
    // Wayland compositors match the windows to the installed .desktop entry by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("torvane-studio"));
    QApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    shell::Main();
    return app.exec();
}
