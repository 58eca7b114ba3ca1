// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// workspace/executeCommand: the .8xp export and import, and a run.
#include "lsp/Server.h"

#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Listing.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Engine.h"
#include "calcfiles/CalcExport.h"
#include "calcfiles/ProgramFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QUrl>

namespace lsp
{

namespace
{

// A request that could not do what it was asked.
constexpr int kRequestFailed = -32803;

// A path, or a file: URI.
QString localPath(const QString &pathOrUri)
{
    return pathOrUri.startsWith(QLatin1String("file:")) ? QUrl(pathOrUri).toLocalFile() : pathOrUri;
}

// A listing NAME.8xp.txt (the convention) is the program NAME.
QString nameSource(const QString &path)
{
    const QString lower = path.toLower();
    for (const char *ext : {".8xp.txt", ".83p.txt"}) {
        if (lower.endsWith(QLatin1String(ext)))
            return path.chopped(4);
    }
    return path;
}

// The model text of a document: the open one's, else its file's.
bool programText(DocumentStore &documents, const QString &uri, QString *model, QString *error)
{
    if (const TextDocument *doc = documents.find(uri)) {
        const Program p(doc->text());
        if (p.calculatorFile()) {
            *error = QStringLiteral("%1 is a calculator file, not a listing").arg(uri);
            return false;
        }
        if (!p.refused().isEmpty()) {
            *error =
                QStringLiteral("no calculator command or symbol is written %1").arg(p.refused());
            return false;
        }
        *model = p.model();
        return true;
    }
    return calcfiles::readModel(localPath(uri), model, error);
}

} // namespace

Server::Reply Server::exportCommand(const QJsonObject &args)
{
    const QString uri = args.value(QLatin1String("uri")).toString();
    const QString source = localPath(uri);
    const QString out = localPath(args.value(QLatin1String("out")).toString());
    if (uri.isEmpty() || out.isEmpty())
        return {InvalidParams, QStringLiteral("uri and out are needed")};
    QString name = args.value(QLatin1String("name")).toString(), why, text;
    calc::models::Model model = m_model;
    if (args.contains(QLatin1String("model"))) {
        const QString id = args.value(QLatin1String("model")).toString();
        model = calc::models::fromId(id);
        if (model == calc::models::Model::None && !id.isEmpty())
            return {InvalidParams, QStringLiteral("no model %1").arg(id)};
    }
    if (!programText(m_documents, uri, &text, &why) ||
        !calcfiles::calcexport::nameFor(nameSource(source), &name, &why))
        return {kRequestFailed, why};
    calc::FileMeta meta;
    if (model != calc::models::Model::None)
        meta = calcfiles::calcexport::withModel(meta, model);
    const auto built =
        calc::calcfile::build(text, name, false, calc::calcfile::modelForPath(out), meta);
    if (!built.ok())
        return {kRequestFailed, built.error};
    if (!calcfiles::calcexport::writeOutput(source, out, built.file, &why))
        return {kRequestFailed, why};
    return {QJsonObject{{QStringLiteral("path"), out},
                        {QStringLiteral("bytes"), int(built.file.size())}}};
}

Server::Reply Server::importCommand(const QJsonObject &args)
{
    const QString path = localPath(args.value(QLatin1String("path")).toString());
    calc::calcfile::ImportedFile file;
    QByteArray tokens;
    QString why;
    if (!calcfiles::calcexport::readCalcFile(path, &file, &why) ||
        !calcfiles::readProgram(path, &tokens, &why))
        return {kRequestFailed, why};
    const calc::calcfile::Imported &first = file.programs.first();
    return {QJsonObject{{QStringLiteral("text"), calc::listing::text(tokens)},
                        {QStringLiteral("name"), calc::calcsymbols::toUnicode(first.name)},
                        {QStringLiteral("model"), calc::models::id(first.model)}}};
}

Server::Reply Server::runCommand(const QJsonObject &args)
{
    const QString uri = args.value(QLatin1String("uri")).toString();
    QString text, why;
    if (!programText(m_documents, uri, &text, &why))
        return {kRequestFailed, why};
    const auto tokens = calc::tokens::tokenize(text);
    if (!tokens.ok())
        return {kRequestFailed, tokens.error};
    QStringList inputs;
    for (const QJsonValue &v : args.value(QLatin1String("input")).toArray())
        inputs << (v.isString() ? v.toString() : QString::number(v.toDouble()));
    QList<int> keys;
    for (const QJsonValue &v : args.value(QLatin1String("keys")).toArray())
        keys << v.toInt();
    calc::basic::Engine engine;
    engine.setMaxSteps(10000000);
    engine.setModel(m_model != calc::models::Model::None
                        ? m_model
                        : calc::models::lowestFor(tokens.bytes).model);
    engine.host().nextAnswer = [&inputs](QString *answer) {
        if (inputs.isEmpty())
            return false;
        *answer = inputs.takeFirst();
        return true;
    };
    engine.host().nextKey = [&keys] { return keys.isEmpty() ? 0 : keys.takeFirst(); };
    // prgmNAME: a listing or calculator file of that name beside this one.
    const QDir folder = QFileInfo(localPath(uri)).absoluteDir();
    engine.host().findProgram = [&folder](const QString &name, QByteArray *out) {
        for (const char *ext : {".8xp.txt", ".txt", ".8xp", ".83p", ".tvf"}) {
            const QString path = folder.filePath(name + QLatin1String(ext));
            QString ignored;
            if (QFileInfo::exists(path) && calcfiles::readProgram(path, out, &ignored))
                return true;
        }
        return false;
    };
    const calc::basic::Outcome o =
        engine.run(tokens.bytes, calc::calcfile::nameFromFileName(localPath(uri)));
    QJsonArray rows;
    for (const QString &row : engine.screen().text().split(QLatin1Char('\n')))
        rows.append(row);
    QJsonValue error = QJsonValue::Null;
    if (o.error != calc::basic::Error::None) {
        QJsonObject e{{QStringLiteral("name"), calc::basic::errorName(o.error)},
                      {QStringLiteral("line"), o.line}};
        if (!o.detail.isEmpty())
            e.insert(QStringLiteral("detail"), o.detail);
        error = e;
    }
    return {QJsonObject{{QStringLiteral("screen"), rows}, {QStringLiteral("error"), error}}};
}

} // namespace lsp
