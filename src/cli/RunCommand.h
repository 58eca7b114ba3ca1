// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Runs a program from the command line, without a display:
//   torvane-studio --run FILE [--input TEXT]... [--keys CODES] [--max-steps N]
//                  [--graph-png OUT.png] [--record OUT.gif [--scale N]] [--estimate]
// The file is read as every command reads one (calcfiles/ProgramFile.h);
// BackgroundOn finds Image0-Image9 in the .8ca files beside it.
// Scripted answers stand in for the keyboard.
#include "calc/Models.h"

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QCommandLineParser;

namespace cli
{

struct Options {
    QString file;
    QStringList inputs; // answers to Input, Prompt and Menu(, in order
    QList<int> keys;    // successive getKey codes; 0 once used up
    long long maxSteps = 10000000;
    // Where to write the final graph screen as a 96x64 PNG; empty for none.
    // Text( draws only when a QGuiApplication runs.
    QString graphPng;
    // Where to write the run as an animated GIF (needs a QGuiApplication),
    // at `scale` pixels a calculator pixel; empty for none.
    QString record;
    int scale = 1;
    // The calculator it runs on; None: the lowest model with the program's
    // tokens, so a colour program gets the colour screen.
    calc::models::Model model = calc::models::Model::None;
    // Keep the calculator's time (Result::calculatorMicros).
    bool estimate = false;
    // The token bytes of an open document captioned with a program's name;
    // asked before the files beside the program.
    std::function<bool(const QString &name, QByteArray *tokens)> openDocument;
};

// Exit codes of --run.
enum Exit { Ok = 0, Unreadable = 1, ProgramError = 2, TooManySteps = 3 };

struct Result {
    int exitCode = Ok;
    // The final home screen: 8 lines (10 on colour models), trailing blanks
    // removed; then the lines of a results screen that did not fit, as ↓
    // would show them.
    QString screen;
    QString error; // for standard error
    // With --estimate or --record: the run's time on a calculator.
    long long calculatorMicros = 0;
    QString notice; // a recording cut short, for standard error
};

// "105,45,24": false and a message when a code is not a number.
bool parseKeys(const QString &text, QList<int> *keys, QString *error);

Result runFile(const Options &options);
// The file of the program a running program calls by `name`, in `folder`;
// empty when there is none.
QString findProgramFile(const QDir &folder, const QString &name);

// --run as the command line gives it: makes the application it needs,
// prints the screen and the error, and returns the exit code.
int runCommand(const QCommandLineParser &parser, int &argc, char **argv);

} // namespace cli
