// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The conversions of the command line, without a display:
//   torvane-studio --export-8xp IN OUT.8xp|OUT.83p [--name NAME] [--protected] [--model M]
//   torvane-studio --export-link IN OUT.txt [--name NAME] [--protected]
//   torvane-studio --import-8xp IN.8xp|.83p|.8xg|.83g OUT.tvf [--program NAME]
// An export reads IN as every command reads a program
// (calcfiles/ProgramFile.h).
#include "calc/Models.h"

#include <QString>

class QCommandLineParser;

namespace cli
{

// A program file to the link software's ASCII import file.
bool exportLinkFile(const QString &source, const QString &target, QString name, bool isProtected,
                    QString *error);

struct Conversion {
    enum Kind { None, Export8xp, ExportLink, Import8xp } kind = None;
    QString input;
    QString output;
    QString name;
    QString program; // which program of the file an import takes
    bool isProtected = false;
    calc::models::Model model = calc::models::Model::None; // an export's, else the source's
};
// Runs it: true on success, else *error is one line for the user. An import
// fills *report (see calcexport::importReport()).
bool convert(const Conversion &conversion, QString *error, QString *report = nullptr);

// A conversion as the command line gives it, and help, version and bad
// options: prints the report or the error, returns the exit code.
int convertCommand(QCommandLineParser &parser, int &argc, char **argv);

} // namespace cli
