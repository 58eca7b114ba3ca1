// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Conversions between saved documents and the files a calculator's link
// software loads, shared by the command line and the export window. No
// window and no display needed.
#include "calc/CalcFile.h"

#include <QString>

namespace compiler::calcexport
{

// The model text of a .tvf document.
bool readDocument(const QString &path, QString *text, QString *error);

// Document to .8xp or .83p (by the target's extension). An empty name is
// made from the document's file name.
bool exportCalcFile(const QString &source, const QString &target, QString name, bool isProtected,
                    QString *error);

// Document to the link software's ASCII import file.
bool exportLinkFile(const QString &source, const QString &target, QString name, bool isProtected,
                    QString *error);

// A calculator file's programs (.8xp, .83p, groups .8xg, .83g), or *error.
bool readCalcFile(const QString &source, calc::calcfile::ImportedFile *file, QString *error);
// A document (.tvf) of model text in the calculator font.
QByteArray documentOf(const QString &modelText);
// What an import reports: the program taken, protected and archived, the
// file's other programs and other variables, and the warnings.
QString importReport(const calc::calcfile::ImportedFile &file,
                     const calc::calcfile::Imported &program);

// A calculator file's program to a document in the calculator font: the
// first, or the one named `program`. *report says what was taken and left.
bool importCalcFile(const QString &source, const QString &target, QString *error,
                    const QString &program = QString(), QString *report = nullptr);

// Writes bytes whole or not at all, never over `source`.
bool writeOutput(const QString &source, const QString &target, const QByteArray &bytes,
                 QString *error);

// One command of the command line.
struct Command {
    enum Kind { None, Export8xp, ExportLink, Import8xp } kind = None;
    QString input;
    QString output;
    QString name;
    QString program; // which program of the file an import takes
    bool isProtected = false;
};
// Runs it: true on success, else *error is one line for the user. An import
// fills *report (see importReport()).
bool run(const Command &command, QString *error, QString *report = nullptr);

} // namespace compiler::calcexport
