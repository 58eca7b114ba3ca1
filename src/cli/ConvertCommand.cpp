// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ConvertCommand.h"

#include "cli/ModelOption.h"

#include "calcfiles/CalcExport.h"
#include "calcfiles/ProgramFile.h"
#include "compiler/LinkExport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace cli
{

namespace calcexport = calcfiles::calcexport;

bool exportLinkFile(const QString &source, const QString &target, QString name, bool isProtected,
                    QString *error)
{
    QString text;
    if (!calcfiles::readModel(source, &text, error) || !calcexport::nameFor(source, &name, error))
        return false;
    const compiler::ExportBytes bytes = compiler::toExportBytes(
        compiler::exportText(text, name, isProtected, QFileInfo(source).absoluteFilePath()));
    if (!bytes.ok()) {
        *error = QStringLiteral("\"%1\" was not exported: line %2 of the export holds \"%3\", "
                                "which has no single-byte code.")
                     .arg(QDir::toNativeSeparators(source))
                     .arg(bytes.badLine)
                     .arg(bytes.badChar);
        return false;
    }
    return calcexport::writeOutput(source, target, bytes.bytes, error);
}

bool convert(const Conversion &c, QString *error, QString *report)
{
    if (c.kind != Conversion::Import8xp && !c.program.isEmpty()) {
        *error = QStringLiteral("--program applies to --import-8xp only.");
        return false;
    }
    switch (c.kind) {
    case Conversion::Export8xp:
        return calcexport::exportCalcFile(c.input, c.output, c.name, c.isProtected, c.model, error);
    case Conversion::ExportLink:
        return exportLinkFile(c.input, c.output, c.name, c.isProtected, error);
    case Conversion::Import8xp:
        if (!c.name.isEmpty() || c.isProtected) {
            *error = QStringLiteral("--name and --protected do not apply to --import-8xp.");
            return false;
        }
        return calcexport::importCalcFile(c.input, c.output, error, c.program, report);
    case Conversion::None:
        break;
    }
    *error = QStringLiteral("Nothing to convert.");
    return false;
}

int convertCommand(QCommandLineParser &parser, int &argc, char **argv)
{
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    parser.process(core); // help, version and bad options end here
    const auto isSet = [&parser](const char *name) { return parser.isSet(QLatin1String(name)); };
    Conversion c;
    c.kind = isSet("export-8xp")    ? Conversion::Export8xp
             : isSet("export-link") ? Conversion::ExportLink
                                    : Conversion::Import8xp;
    c.name = parser.value(QStringLiteral("name"));
    c.isProtected = isSet("protected");
    c.program = parser.value(QStringLiteral("program"));
    const QStringList files = parser.positionalArguments();
    QString error;
    const bool modelRead = modelOption(parser, &c.model, &error);
    if (!modelRead) {
        // *error says why
    } else if (c.model != calc::models::Model::None && c.kind != Conversion::Export8xp) {
        error = QStringLiteral("--model applies to --export-8xp only among the conversions.");
    } else if (int(isSet("export-8xp")) + int(isSet("export-link")) + int(isSet("import-8xp")) >
               1) {
        error = QStringLiteral("Give one of --export-8xp, --export-link and --import-8xp.");
    } else if (files.size() != 2) {
        error = QStringLiteral("A conversion needs two file names, IN and OUT; %1 given.")
                    .arg(files.size());
    } else {
        c.input = files[0];
        c.output = files[1];
        QString report;
        if (convert(c, &error, &report)) {
            if (!report.isEmpty())
                std::printf("%s\n", qPrintable(report));
            return 0;
        }
    }
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
}

} // namespace cli
