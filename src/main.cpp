#include "shell/Main.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The browser view needs this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    shell::Main();
    return app.exec();
}
