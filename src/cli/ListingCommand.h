// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A program as a listing to share, without a display:
//   torvane-studio --export-listing IN OUT.txt|OUT.html|OUT.bbcode
//                  [--name NAME] [--line-numbers]
// IN is read as every command reads a program (calcfiles/ProgramFile.h).
#include <QString>

class QCommandLineParser;

namespace cli
{

// False and *error (one line) when IN cannot be read or OUT written.
bool exportListing(const QString &source, const QString &target, QString name, bool lineNumbers,
                   QString *error);

// The command as the command line gives it: returns the exit code.
int listingCommand(QCommandLineParser &parser, int &argc, char **argv);

} // namespace cli
