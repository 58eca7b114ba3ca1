// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calcfiles/CalcExport.h"

#include "calcfiles/ProgramFile.h"

#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "platform/Fonts.h"
#include "platform/TextFiles.h"
#include "rtf/RtfCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace calcfiles::calcexport
{

namespace calcfile = calc::calcfile;

namespace
{

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Keeps a wrong file from filling the memory; a calculator program holds
// 64 KB at most.
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

} // namespace

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
    return exportCalcFile(source, target, name, isProtected, calc::models::Model::None, error);
}

calc::FileMeta withModel(calc::FileMeta meta, calc::models::Model model)
{
    meta.set(QStringLiteral("model"), calc::models::id(model));
    meta.set(QStringLiteral("product"), QString());
    return meta;
}

bool exportCalcFile(const QString &source, const QString &target, QString name, bool isProtected,
                    calc::models::Model model, QString *error)
{
    ProgramFile file;
    QString text;
    if (!readProgramFile(source, &file, error) || !modelOf(source, file, &text, error) ||
        !nameFor(source, &name, error))
        return false;
    if (model != calc::models::Model::None)
        file.meta = withModel(file.meta, model);
    const calc::calcfile::Built built = calc::calcfile::build(
        text, name, isProtected, calc::calcfile::modelForPath(target), file.meta);
    if (!built.ok()) {
        *error = QStringLiteral("\"%1\" was not exported. %2").arg(shown(source), built.error);
        return false;
    }
    return writeOutput(source, target, built.file, error);
}

QString importReport(const calcfile::ImportedFile &file, const calcfile::Imported &program)
{
    const auto shownName = [](const QString &name) { return calc::calcsymbols::toUnicode(name); };
    QStringList state;
    if (program.isProtected)
        state << QStringLiteral("protected");
    if (program.archived)
        state << QStringLiteral("archived");
    QStringList lines;
    lines << QStringLiteral("Imported the program %1%2.")
                 .arg(shownName(program.name),
                      state.isEmpty()
                          ? QString()
                          : QStringLiteral(" (%1)").arg(state.join(QStringLiteral(", "))));
    if (program.model != calc::models::Model::None)
        lines << QStringLiteral("Model: %1.").arg(calc::models::longName(program.model));
    QStringList others;
    for (const calcfile::Imported &p : file.programs)
        if (&p != &program)
            others << shownName(p.name);
    if (!others.isEmpty())
        lines << QStringLiteral("Not imported, other programs of the file: %1.")
                     .arg(others.join(QStringLiteral(", ")));
    if (!file.skipped.isEmpty())
        lines << QStringLiteral("Skipped, not programs: %1.")
                     .arg(file.skipped.join(QStringLiteral(", ")));
    lines << program.warnings;
    return lines.join(QLatin1Char('\n'));
}

bool readCalcFile(const QString &source, calcfile::ImportedFile *file, QString *error)
{
    QByteArray data;
    if (!readFile(source, kMaxCalcFile, &data, error))
        return false;
    *file = calcfile::importAll(data);
    if (!file->ok()) {
        *error = QStringLiteral("\"%1\" was not imported. %2").arg(shown(source), file->error);
        return false;
    }
    return true;
}

QByteArray documentOf(const QString &modelText, const calc::FileMeta &kept)
{
    // The size the document window writes its calculator font in (8.25 pt).
    constexpr int kHalfPoints = 17;
    rtf::Document d;
    d.fonts.push_back(rtf::Font{platform::calculatorFontName(), 0});
    d.runs.push_back(rtf::Run{modelText, rtf::Format()});
    d.runs.back().format.halfPoints = kHalfPoints;
    d.halfPoints = kHalfPoints;
    d.kept = withMeta({}, kept);
    return rtf::write(d);
}

calc::FileMeta metaIn(const QVector<QByteArray> &kept)
{
    return calc::FileMeta::fromText(rtf::keptText(kept, calc::FileMeta::destination()));
}

QVector<QByteArray> withMeta(QVector<QByteArray> kept, const calc::FileMeta &meta)
{
    rtf::setKept(&kept, calc::FileMeta::destination(), meta.toText());
    return kept;
}

bool importCalcFile(const QString &source, const QString &target, QString *error,
                    const QString &program, QString *report)
{
    calcfile::ImportedFile file;
    if (!readCalcFile(source, &file, error))
        return false;
    const calcfile::Imported *chosen = &file.programs.first();
    if (!program.isEmpty()) {
        chosen = nullptr;
        QStringList names;
        for (const calcfile::Imported &p : file.programs) {
            const QString name = calc::calcsymbols::toUnicode(p.name);
            names << name;
            if (!chosen && (name == program || p.name == program))
                chosen = &p;
        }
        if (!chosen) {
            *error = QStringLiteral("\"%1\" holds no program named %2; its programs: %3.")
                         .arg(shown(source), program, names.join(QStringLiteral(", ")));
            return false;
        }
    }
    if (!writeOutput(source, target, documentOf(chosen->text, calcfile::metaOf(*chosen)), error))
        return false;
    if (report)
        *report = importReport(file, *chosen);
    return true;
}

} // namespace calcfiles::calcexport
