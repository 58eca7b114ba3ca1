#pragma once
// Program files a calculator's link software loads: .8xp (TI-83 Plus) and
// .83p (TI-83). One program variable per file, its tokens as in Tokens.h.
#include <QByteArray>
#include <QString>

namespace calc::calcfile
{

enum class Model { Ti83Plus, Ti83 };

// ".83p" (any case) is the TI-83's; everything else the TI-83 Plus's.
Model modelForPath(const QString &path);
QString fileFilter();     // both kinds, the TI-83 Plus first
QString programComment(); // "Created by Torvane Studio"

// A program name: 1 to 8 characters, the first A-Z or θ, the others A-Z,
// 0-9 or θ. θ may come as the Greek letter or as its model code.
bool isValidName(const QString &name);
QString nameRules(const QString &name); // the message for a name that breaks them
// A name from a file name: its base name in capitals, its first 8
// characters that a name may hold (a leading digit dropped). May be empty.
QString nameFromFileName(const QString &path);

struct Program {
    QString name; // θ as the Greek letter
    bool isProtected = false;
    bool archived = false;
    QByteArray tokens;
};

// The file's bytes. The name must be valid; the version byte follows the
// tokens (Tokens.h).
QByteArray write(const Program &program, Model model);

// A program file's content; `error` says what is wrong when it is not one.
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

// A file's program as model text (CR LF line ends).
struct Imported {
    QString name;
    bool isProtected = false;
    QString text;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
Imported import(const QByteArray &file);

} // namespace calc::calcfile
