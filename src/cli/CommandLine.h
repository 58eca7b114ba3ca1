// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's options and what each command does with them. A command
// (conversions, --run, --check, --optimize, --send, --receive, help,
// version) runs without windows and ends the program; otherwise the files
// named open in the windows.
#include <QCommandLineParser>
#include <QStringList>

#include <optional>

namespace cli
{

class CommandLine
{
public:
    CommandLine(int &argc, char **argv);

    // The exit code of the command the arguments ask for; none when they
    // ask for the windows.
    std::optional<int> runCommand();

    // For the windows: bad options end the program here.
    void process(const QCoreApplication &app);
    QStringList files() const;
    bool newInstance() const;

private:
    int &m_argc;
    char **m_argv;
    QCommandLineParser m_parser;
    bool m_parsed = false;
};

} // namespace cli
