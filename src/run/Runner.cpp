// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "run/Runner.h"

#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/run/Engine.h"
#include "rtf/RtfCodec.h"
#include "run/GraphImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace run
{

namespace
{

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool tokenizeModel(const QString &path, QString model, QByteArray *tokens, QString *error)
{
    // Any line break becomes the CR LF that model text holds.
    model.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    model.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    model.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const auto t = calc::tokens::tokenize(model);
    if (!t.ok()) {
        *error = QStringLiteral("%1: %2").arg(shown(path), t.error);
        return false;
    }
    *tokens = t.bytes;
    return true;
}

} // namespace

bool readProgram(const QString &path, QByteArray *tokens, QString *error)
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
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("8xp") || ext == QLatin1String("83p")) {
        const auto r = calc::calcfile::read(data);
        if (!r.ok()) {
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), r.error);
            return false;
        }
        *tokens = r.program.tokens;
        return true;
    }
    if (ext == QLatin1String("tvf")) {
        rtf::Document doc;
        QString why;
        if (!rtf::read(data, &doc, &why)) {
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), why);
            return false;
        }
        return tokenizeModel(path, doc.text(), tokens, error);
    }
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const auto in = calc::calcsymbols::fromUnicode(text);
    if (!in.refused.isEmpty()) {
        *error = QStringLiteral("%1: no calculator command or symbol is written %2")
                     .arg(shown(path), in.refused);
        return false;
    }
    return tokenizeModel(path, in.text, tokens, error);
}

bool parseKeys(const QString &text, QList<int> *keys, QString *error)
{
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int code = part.trimmed().toInt(&ok);
        if (!ok || code < 0) {
            *error = QStringLiteral("--keys: \"%1\" is not a key code.").arg(part.trimmed());
            return false;
        }
        keys->append(code);
    }
    return true;
}

Result runFile(const Options &options)
{
    Result result;
    QByteArray tokens;
    if (!readProgram(options.file, &tokens, &result.error)) {
        result.exitCode = Unreadable;
        return result;
    }
    calc::run::Engine engine;
    engine.setMaxSteps(options.maxSteps);
    QStringList inputs = options.inputs;
    QList<int> keys = options.keys;
    const QDir folder = QFileInfo(options.file).absoluteDir();
    QString missing; // a program file that exists but cannot be read
    engine.host().nextAnswer = [&inputs](QString *answer) {
        if (inputs.isEmpty())
            return false;
        *answer = inputs.takeFirst();
        return true;
    };
    engine.host().nextKey = [&keys] { return keys.isEmpty() ? 0 : keys.takeFirst(); };
    engine.host().findProgram = [&](const QString &name, QByteArray *out) {
        if (options.openDocument && options.openDocument(name, out))
            return true;
        for (const char *ext : {".tvf", ".8xp", ".83p"}) {
            const QString path = folder.filePath(name + QLatin1String(ext));
            if (!QFileInfo::exists(path))
                continue;
            QString why;
            if (readProgram(path, out, &why))
                return true;
            missing = why;
            return false;
        }
        return false;
    };
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        engine.host().drawText = drawGraphText;
    const QString name = calc::calcfile::nameFromFileName(options.file);
    const calc::run::Outcome o = engine.run(tokens, name);
    result.screen = engine.screen().text();
    // The graph as it was, error or not.
    QString pngError;
    if (!options.graphPng.isEmpty() &&
        !writeGraphPng(engine.graph(), options.graphPng, &pngError)) {
        result.exitCode = Unreadable;
        result.error = pngError;
        return result;
    }
    using calc::run::Error;
    if (o.error == Error::None)
        return result;
    if (o.error == Error::Steps) {
        result.exitCode = TooManySteps;
        result.error =
            QStringLiteral("Stopped after %1 statements (--max-steps).\n").arg(options.maxSteps);
        return result;
    }
    result.exitCode = ProgramError;
    const QString where = o.program.isEmpty() || o.program == name
                              ? QStringLiteral("line %1").arg(o.line)
                              : QStringLiteral("line %1 of prgm%2").arg(o.line).arg(o.program);
    if (o.error == Error::Unsupported) {
        result.error = QStringLiteral("%1 is not run by this engine\n%2\n").arg(o.detail, where);
        return result;
    }
    result.error = calc::run::errorName(o.error) + QLatin1Char('\n') + where + QLatin1Char('\n');
    if (!missing.isEmpty())
        result.error += missing + QLatin1Char('\n');
    else if (!o.detail.isEmpty())
        result.error += o.detail + QLatin1Char('\n');
    return result;
}

} // namespace run
