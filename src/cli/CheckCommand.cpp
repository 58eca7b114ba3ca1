// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CheckCommand.h"

#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Checks.h"
#include "calc/Tokens.h"
#include "calcfiles/CalcExport.h"
#include "calcfiles/ProgramFile.h"
#include "cli/ModelOption.h"
#include "platform/Fonts.h"
#include "platform/TextFiles.h"
#include "rtf/RtfCodec.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace cli
{

using calcfiles::readModel;

namespace
{

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString extensionOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

bool isCalcFile(const QString &path)
{
    const QString ext = extensionOf(path);
    return ext == QLatin1String("8xp") || ext == QLatin1String("83p");
}

int byteCount(const QString &model)
{
    return int(calc::tokens::tokenize(model).bytes.size());
}

} // namespace

CheckResult checkFile(const QString &file, const QString &target)
{
    CheckResult r;
    QString model;
    calc::checks::Options options;
    QStringList refused;
    calcfiles::ProgramFile read;
    if (!calcfiles::readProgramFile(file, &read, &r.error) ||
        !calcfiles::modelOf(file, read, &model, &r.error, &refused)) {
        r.exitCode = CheckUnreadable;
        return r;
    }
    options.model = calc::models::fromId(target);
    if (target.isEmpty())
        options.model = extensionOf(file) == QLatin1String("83p")
                            ? calc::models::Model::Ti83
                            : calc::models::fromId(read.meta.value(QStringLiteral("model")));
    options.ti83 = options.model == calc::models::Model::Ti83;
    for (const QString &line : refused) {
        r.out += file + QLatin1Char(':') + line + QLatin1Char('\n');
        r.exitCode = CheckErrors;
    }
    for (const auto &p : calc::checks::check(model, options)) {
        r.out += QStringLiteral("%1:%2:%3: %4: %5\n")
                     .arg(file)
                     .arg(p.line)
                     .arg(p.column)
                     .arg(calc::checks::severityName(p.severity), p.message);
        if (p.severity == calc::checks::Severity::Error)
            r.exitCode = CheckErrors;
    }
    return r;
}

CheckResult optimizeFile(const QString &in, const QString &out, calc::models::Model chosen)
{
    CheckResult r;
    QString model;
    QStringList refused;
    calcfiles::ProgramFile read;
    if (!calcfiles::readProgramFile(in, &read, &r.error) ||
        !calcfiles::modelOf(in, read, &model, &r.error, &refused)) {
        r.exitCode = CheckUnreadable;
        return r;
    }
    calc::FileMeta meta = read.meta;
    if (chosen != calc::models::Model::None)
        meta = calcfiles::calcexport::withModel(meta, chosen);
    if (!refused.isEmpty()) {
        // Writing the program without them would lose them.
        r.error = shown(in) + QLatin1Char(':') + refused.first();
        r.exitCode = CheckErrors;
        return r;
    }
    if (platform::textfiles::sameFile(in, out)) {
        r.error = QStringLiteral("\"%1\" is the file being optimized; please choose another "
                                 "file name.")
                      .arg(shown(out));
        r.exitCode = CheckErrors;
        return r;
    }
    const int before = byteCount(model);
    // Each round's hints are proven on the text it starts from; a round that
    // saves nothing ends it.
    for (int round = 0; round < 1000; ++round) {
        QVector<calc::checks::Problem> hints;
        for (const auto &p : calc::checks::check(model)) {
            if (p.severity == calc::checks::Severity::Hint)
                hints << p;
        }
        if (hints.isEmpty())
            break;
        const QString next = calc::checks::applyHints(model, hints);
        if (byteCount(next) >= byteCount(model))
            break;
        model = next;
    }
    const int after = byteCount(model);
    QByteArray bytes;
    if (isCalcFile(out)) {
        const auto built = calc::calcfile::build(model, calc::calcfile::nameFromFileName(out),
                                                 false, calc::calcfile::modelForPath(out), meta);
        if (!built.ok()) {
            r.error = QStringLiteral("\"%1\" was not written: %2").arg(shown(out), built.error);
            r.exitCode = CheckErrors;
            return r;
        }
        bytes = built.file;
    } else if (extensionOf(out) == QLatin1String("tvf")) {
        // The size the document window writes its calculator font in.
        constexpr int kHalfPoints = 17;
        bytes = meta.isEmpty() ? rtf::writePlain(model, platform::calculatorFontName(), kHalfPoints)
                               : calcfiles::calcexport::documentOf(model, meta);
    } else {
        QString text = calc::calcsymbols::toUnicode(model);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        // A text file's last line ends with a break, which reading drops.
        bytes = text.isEmpty() ? QByteArray() : text.toUtf8() + '\n';
    }
    QString why;
    if (!platform::textfiles::writeAtomically(out, bytes, &why)) {
        r.error = QStringLiteral("Cannot write \"%1\": %2").arg(shown(out), why);
        r.exitCode = CheckErrors;
        return r;
    }
    r.out = QStringLiteral("%1: %2 bytes saved (%3 to %4)\n")
                .arg(shown(out))
                .arg(before - after)
                .arg(before)
                .arg(after);
    return r;
}

int checkCommand(const QCommandLineParser &parser, int &argc, char **argv)
{
    QCoreApplication core(argc, argv);
    CheckResult r;
    calc::models::Model chosen = calc::models::Model::None;
    QString why;
    const bool check = parser.isSet(QStringLiteral("check"));
    const QStringList files = parser.positionalArguments();
    if (!modelOption(parser, &chosen, &why)) {
        r.error = why;
        r.exitCode = CheckUnreadable;
    } else if (check && parser.isSet(QStringLiteral("optimize"))) {
        r.error = QStringLiteral("Give one of --check and --optimize.");
        r.exitCode = CheckUnreadable;
    } else if (check) {
        r = checkFile(parser.value(QStringLiteral("check")), calc::models::id(chosen));
    } else if (files.size() != 2) {
        r.error = QStringLiteral("--optimize needs two file names, IN and OUT; %1 given.")
                      .arg(files.size());
        r.exitCode = CheckUnreadable;
    } else {
        r = optimizeFile(files[0], files[1], chosen);
    }
    std::fputs(r.out.toUtf8().constData(), stdout);
    if (!r.error.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(r.error));
    return r.exitCode;
}

} // namespace cli
