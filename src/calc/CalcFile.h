// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Program files a calculator's link software loads: .8xp (TI-83 Plus) and
// .83p (TI-83), one program each when we write them. Read, a file may hold
// several variables (group files .8xg/.83g, or several entries); its
// programs are taken, the rest named as skipped. Tokens as in Tokens.h.
#include "calc/FileMeta.h"
#include "calc/Models.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace calc::calcfile
{

enum class Model { Ti83Plus, Ti83 };

// ".83p" (any case) is the TI-83's; everything else the TI-83 Plus's.
Model modelForPath(const QString &path);
QString fileFilter();     // both kinds, the TI-83 Plus first
QString programComment(); // "Created by Torvane Studio"

// A program name: 1 to 8 characters, the first A-Z or θ, the others A-Z,
// 0-9 or θ. θ may come as the Greek letter or as its model code; any other
// model code fails, even one the calculator draws as a letter.
bool isValidName(const QString &name);
QString nameRules(const QString &name); // the message for a name that breaks them
// A name from a file name: its base name in capitals, its first 8
// characters that a name may hold (a leading digit dropped). May be empty.
QString nameFromFileName(const QString &path);

struct Program {
    QString name; // θ as the Greek letter, other bytes above 0x7F as model codes
    bool isProtected = false;
    bool archived = false;
    // The TI-83 Plus file's version byte as read; -1 when made here, where
    // the tokens decide it (Tokens.h).
    int version = -1;
    QByteArray tokens;
    // The calculator the program is for. A chosen model puts its product id
    // in the header and the version byte tivars_lib_cpp gives its tokens
    // (minimumVersion); without one the file is written as it always was.
    models::Model model = models::Model::None;
    // The header's product id as read; -1 when made here (the model's).
    int productId = -1;
};

// The file's bytes. The name must be valid. A version byte read from a file
// is kept, raised to what the tokens need (minimumVersion).
QByteArray write(const Program &program, Model model);

// The lowest version byte a TI-83 Plus file of these tokens may carry, with
// the clock flag (0x20) when they use the clock, as the link software and
// tivars_lib_cpp judge it. Tokens no calculator knows raise nothing.
int minimumVersion(const QByteArray &tokens);
constexpr int kClockFlag = 0x20;

// Every program of a file, and what else it holds (by name and kind);
// `error` says what is wrong when it is no calculator file or holds no
// program.
struct Contents {
    Model model = Model::Ti83Plus;
    int productId = 0; // of the link software's calculator; informational
    QVector<Program> programs;
    QStringList skipped;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
Contents readAll(const QByteArray &file);

// The first program of a file.
struct Read {
    Program program;
    Model model = Model::Ti83Plus;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
Read read(const QByteArray &file);

// Model text to a file, every check first: name, characters without a token
// (with line and column), tokens the TI-83 lacks, the length.
struct Built {
    QByteArray file;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
Built build(QStringView modelText, const QString &name, bool isProtected, Model model);
// The same, giving back what an imported file's header said (metaOf()).
Built build(QStringView modelText, const QString &name, bool isProtected, Model model,
            const FileMeta &kept);

// A file's program as model text (CR LF line ends). `warnings` name what
// was kept but deserves a look: tokens the sheet does not know, a name the
// calculator would not accept.
struct Imported {
    QString name;
    bool isProtected = false;
    bool archived = false;
    int version = -1; // as in Program; -1 also when it is what write() gives anyway
    // What the header says the program is for (product id, else version
    // byte); the product id as read, -1 when the model's own.
    models::Model model = models::Model::None;
    int productId = -1;
    QString text;
    QStringList warnings;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
Imported import(const QByteArray &file); // the first program

// What a document keeps of an imported program's header (FileMeta.h), and
// that put back on a program about to be written. A version byte equal to
// the one a new program of the same tokens gets is left out.
FileMeta metaOf(const Imported &program);
FileMeta metaOf(const Program &program);
void applyMeta(const FileMeta &kept, Program *program);

// Every program of a file; any that cannot be read fails the whole file.
struct ImportedFile {
    QVector<Imported> programs;
    QStringList skipped;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
ImportedFile importAll(const QByteArray &file);

} // namespace calc::calcfile
