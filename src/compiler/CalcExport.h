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

// The program in a .8xp or .83p file.
bool readCalcFile(const QString &source, calc::calcfile::Imported *program, QString *error);

// .8xp or .83p to a document in the calculator font.
bool importCalcFile(const QString &source, const QString &target, QString *error);

// Writes bytes whole or not at all, never over `source`.
bool writeOutput(const QString &source, const QString &target, const QByteArray &bytes,
                 QString *error);

// One command of the command line.
struct Command {
    enum Kind { None, Export8xp, ExportLink, Import8xp } kind = None;
    QString input;
    QString output;
    QString name;
    bool isProtected = false;
};
// Runs it: true on success, else *error is one line for the user.
bool run(const Command &command, QString *error);

} // namespace compiler::calcexport
