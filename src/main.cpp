#include "shell/Main.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Wayland compositors match the windows to the installed .desktop entry by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("torvane-studio"));
    QApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    QApplication::setApplicationVersion(QStringLiteral(TORVANE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("An editor for TI-83 and TI-83 Plus calculator programs."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("files"),
        QStringLiteral("Programs (.tvf) to open: the first in the default document window, "
                       "each further one in a new window."),
        QStringLiteral("[files...]"));
    parser.process(app);

    shell::Main(parser.positionalArguments());
    return app.exec();
}
