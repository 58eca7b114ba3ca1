#include "compiler/CalcExport.h"

#include "compiler/LinkExport.h"
#include "platform/Fonts.h"
#include "platform/RtfCodec.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace compiler::calcexport
{

namespace calcfile = calc::calcfile;

namespace
{

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Far above any document or program; keeps a wrong file from filling the
// memory. A calculator program holds 64 KB at most.
constexpr qint64 kMaxDocument = qint64(64) * 1024 * 1024;
constexpr qint64 kMaxCalcFile = qint64(1024) * 1024;

bool readFile(const QString &path, qint64 maxSize, QByteArray *data, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open \"%1\": %2").arg(shown(path), f.errorString());
        return false;
    }
    if (f.size() > maxSize) {
        *error = QStringLiteral("\"%1\" is too large to be a program.").arg(shown(path));
        return false;
    }
    *data = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), f.errorString());
        return false;
    }
    return true;
}

bool nameFor(const QString &source, QString *name, QString *error)
{
    if (!name->isEmpty())
        return true;
    *name = calc::calcfile::nameFromFileName(source);
    if (name->isEmpty()) {
        *error = QStringLiteral("No program name can be made from \"%1\"; give one with --name.")
                     .arg(QFileInfo(source).fileName());
        return false;
    }
    return true;
}

} // namespace

bool readDocument(const QString &path, QString *text, QString *error)
{
    QByteArray data;
    if (!readFile(path, kMaxDocument, &data, error))
        return false;
    platform::rtf::Document doc;
    QString why;
    if (!platform::rtf::read(data, &doc, &why)) {
        *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), why);
        return false;
    }
    *text = doc.text();
    return true;
}

bool writeOutput(const QString &source, const QString &target, const QByteArray &bytes,
                 QString *error)
{
    if (platform::textfiles::sameFile(source, target)) {
        *error = QStringLiteral("\"%1\" is the file being converted; please choose another "
                                "file name.")
                     .arg(shown(target));
        return false;
    }
    QString why;
    if (!platform::textfiles::writeAtomically(target, bytes, &why)) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(shown(target), why);
        return false;
    }
    return true;
}

bool exportCalcFile(const QString &source, const QString &target, QString name, bool isProtected,
                    QString *error)
{
    QString text;
    if (!readDocument(source, &text, error) || !nameFor(source, &name, error))
        return false;
    const calc::calcfile::Built built =
        calc::calcfile::build(text, name, isProtected, calc::calcfile::modelForPath(target));
    if (!built.ok()) {
        *error = QStringLiteral("\"%1\" was not exported. %2").arg(shown(source), built.error);
        return false;
    }
    return writeOutput(source, target, built.file, error);
}

bool exportLinkFile(const QString &source, const QString &target, QString name, bool isProtected,
                    QString *error)
{
    QString text;
    if (!readDocument(source, &text, error) || !nameFor(source, &name, error))
        return false;
    const ExportBytes bytes =
        toExportBytes(exportText(text, name, isProtected, QFileInfo(source).absoluteFilePath()));
    if (!bytes.ok()) {
        *error = QStringLiteral("\"%1\" was not exported: line %2 of the export holds \"%3\", "
                                "which has no single-byte code.")
                     .arg(shown(source))
                     .arg(bytes.badLine)
                     .arg(bytes.badChar);
        return false;
    }
    return writeOutput(source, target, bytes.bytes, error);
}

bool readCalcFile(const QString &source, calc::calcfile::Imported *program, QString *error)
{
    QByteArray data;
    if (!readFile(source, kMaxCalcFile, &data, error))
        return false;
    *program = calc::calcfile::import(data);
    if (!program->ok()) {
        *error = QStringLiteral("\"%1\" was not imported. %2").arg(shown(source), program->error);
        return false;
    }
    return true;
}

bool importCalcFile(const QString &source, const QString &target, QString *error)
{
    calc::calcfile::Imported im;
    if (!readCalcFile(source, &im, error))
        return false;
    // The size the document window writes its calculator font in (8.25 pt).
    constexpr int kHalfPoints = 17;
    return writeOutput(
        source, target,
        platform::rtf::writePlain(im.text, platform::calculatorFontName(), kHalfPoints), error);
}

bool run(const Command &command, QString *error)
{
    switch (command.kind) {
    case Command::Export8xp:
        return exportCalcFile(command.input, command.output, command.name, command.isProtected,
                              error);
    case Command::ExportLink:
        return exportLinkFile(command.input, command.output, command.name, command.isProtected,
                              error);
    case Command::Import8xp:
        if (!command.name.isEmpty() || command.isProtected) {
            *error = QStringLiteral("--name and --protected do not apply to --import-8xp.");
            return false;
        }
        return importCalcFile(command.input, command.output, error);
    case Command::None:
        break;
    }
    *error = QStringLiteral("Nothing to convert.");
    return false;
}

} // namespace compiler::calcexport
