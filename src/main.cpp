#include "shell/Main.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    shell::Main();
    return app.exec();
}
