// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/Main.h"
#include "cli/CommandLine.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(TORVANE_VERSION));
    cli::CommandLine commandLine(argc, argv);
    if (const std::optional<int> exitCode = commandLine.runCommand())
        return *exitCode;

    QApplication app(argc, argv);
    // Wayland compositors match the windows to the installed .desktop entry by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("torvane-studio"));
    QApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    commandLine.process(app);

    if (!shell::Main(commandLine.files(), commandLine.newInstance()))
        return 0; // the running program took the files
    return app.exec();
}
