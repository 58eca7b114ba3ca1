// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading a program from a file, the same way for every command that takes
// one (run, check, optimize, export, send) and for the programs a running
// program calls: by extension, .8xp/.83p calculator files, .tvf documents,
// anything else UTF-8 text spelled as the token sheet spells it.
#include "calc/FileMeta.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace calcfiles
{

struct ProgramFile {
    enum Kind { Calculator, Document, Text } kind = Text;
    QByteArray data; // the file's bytes
    // Document and Text: the model text, CR LF line breaks. In text, the
    // characters no calculator symbol stands for are left out; `refused`
    // holds them and `refusedAt` says where each first stands
    // ("LINE:COL: error: ...").
    QString model;
    QString refused;
    QStringList refusedAt;
    // Calculator and Document: what the file's header said, for an export
    // to give back (calc/FileMeta.h).
    calc::FileMeta meta;
};

// *error names the file: it cannot be opened, is too large, or is not what
// its extension says.
bool readProgramFile(const QString &path, ProgramFile *file, QString *error);
// A text file's contents read as readProgramFile() reads them, for text that
// is not in a file (an editor's unsaved buffer).
ProgramFile textProgram(const QByteArray &utf8);

// The program's token bytes: a calculator file's as stored, the others
// tokenized; a character of a text file that no token spells fails.
bool readProgram(const QString &path, QByteArray *tokens, QString *error);

// The program's model text: a calculator file's program detokenized. With
// `refused`, a text file's characters without a symbol are listed there
// and left out; without it they fail the read.
bool readModel(const QString &path, QString *model, QString *error, QStringList *refused = nullptr);
// The same for a file already read from `path`.
bool modelOf(const QString &path, const ProgramFile &file, QString *model, QString *error,
             QStringList *refused = nullptr);

} // namespace calcfiles
