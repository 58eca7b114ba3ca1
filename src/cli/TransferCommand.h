// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The link cable from the command line:
//   torvane-studio --send FILE [--name NAME] [--cable CABLE] [--port N]
//   torvane-studio --receive NAME OUT [--cable CABLE] [--port N]
//   torvane-studio --screenshot OUT.png [--cable CABLE] [--port N]
// FILE is read as every command reads a program (calcfiles/ProgramFile.h).
class QCommandLineParser;

namespace cli
{

// Prints the error, if any, and returns the exit code (0 or 1).
int transferCommand(const QCommandLineParser &parser, int &argc, char **argv);

} // namespace cli
