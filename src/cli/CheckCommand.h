// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The checks and the hints from the command line, without a display:
//   torvane-studio --check FILE [--model MODEL | --target 83|83p]
//   torvane-studio --optimize IN OUT [--model MODEL]
// FILE and IN are read as every command reads a program
// (calcfiles/ProgramFile.h); OUT is written by its extension.
#include "calc/Models.h"

#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace cli
{

// Exit codes of --check: an error found, the file unreadable.
enum CheckExit { CheckClean = 0, CheckErrors = 1, CheckUnreadable = 2 };

struct CheckResult {
    int exitCode = CheckClean;
    QString out; // FILE:LINE:COL: error|warning|hint: message, a line each
    QString error;
};

// `target` is a model's id, "83", "83p" or empty: by FILE's extension (.83p:
// the TI-83), else the model its document or header names, else none.
CheckResult checkFile(const QString &file, const QString &target);

// Applies the hints until none is left and writes OUT; never over IN.
// Exit 0 with a line saying the bytes saved; 1 when OUT cannot be written,
// 2 when IN cannot be read.
// A model given writes it into a calculator file or document OUT.
CheckResult optimizeFile(const QString &in, const QString &out,
                         calc::models::Model model = calc::models::Model::None);

// --check or --optimize as the command line gives them: prints the
// problems or the bytes saved, and returns the exit code.
int checkCommand(const QCommandLineParser &parser, int &argc, char **argv);

} // namespace cli
