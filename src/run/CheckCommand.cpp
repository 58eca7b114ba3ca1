// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "run/CheckCommand.h"

#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Checks.h"
#include "calc/Tokens.h"
#include "platform/Fonts.h"
#include "platform/TextFiles.h"
#include "rtf/RtfCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace run
{

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

bool readModel(const QString &path, QString *model, QString *error, QStringList *refused)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open \"%1\": %2").arg(shown(path), f.errorString());
        return false;
    }
    constexpr qint64 kMaxFile = qint64(64) * 1024 * 1024;
    if (f.size() > kMaxFile) {
        *error = QStringLiteral("\"%1\" is too large to be a program.").arg(shown(path));
        return false;
    }
    const QByteArray data = f.readAll();
    if (isCalcFile(path)) {
        const auto im = calc::calcfile::import(data);
        if (!im.ok()) {
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), im.error);
            return false;
        }
        *model = im.text;
        return true;
    }
    QString text;
    if (extensionOf(path) == QLatin1String("tvf")) {
        rtf::Document doc;
        QString why;
        if (!rtf::read(data, &doc, &why)) {
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), why);
            return false;
        }
        text = doc.text();
    } else {
        text = QString::fromUtf8(data);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const auto in = calc::calcsymbols::fromUnicode(text);
        // A character the table leaves out is reported where it first stands.
        if (refused) {
            for (const QChar c : in.refused) {
                const int at = int(text.indexOf(c));
                const int line = int(text.left(at).count(QLatin1Char('\n'))) + 1;
                const int column = at - int(text.lastIndexOf(QLatin1Char('\n'), at - 1));
                refused->append(
                    QStringLiteral("%1:%2: error: no calculator token is written \"%3\"")
                        .arg(line)
                        .arg(column)
                        .arg(c));
            }
        }
        text = in.text;
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    *model = text;
    return true;
}

CheckResult checkFile(const QString &file, const QString &target)
{
    CheckResult r;
    QString model;
    calc::checks::Options options;
    options.ti83 = target.isEmpty() ? extensionOf(file) == QLatin1String("83p")
                                    : target == QLatin1String("83");
    QStringList refused;
    if (!readModel(file, &model, &r.error, &refused)) {
        r.exitCode = CheckUnreadable;
        return r;
    }
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

CheckResult optimizeFile(const QString &in, const QString &out)
{
    CheckResult r;
    QString model;
    QStringList refused;
    if (!readModel(in, &model, &r.error, &refused)) {
        r.exitCode = CheckUnreadable;
        return r;
    }
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
                                                 false, calc::calcfile::modelForPath(out));
        if (!built.ok()) {
            r.error = QStringLiteral("\"%1\" was not written: %2").arg(shown(out), built.error);
            r.exitCode = CheckErrors;
            return r;
        }
        bytes = built.file;
    } else if (extensionOf(out) == QLatin1String("tvf")) {
        // The size the document window writes its calculator font in.
        constexpr int kHalfPoints = 17;
        bytes = rtf::writePlain(model, platform::calculatorFontName(), kHalfPoints);
    } else {
        QString text = calc::calcsymbols::toUnicode(model);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        bytes = text.toUtf8();
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

} // namespace run
