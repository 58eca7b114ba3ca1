// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lsp/Server.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

namespace lsp
{

namespace
{

const QString kTorvane = QStringLiteral("torvane");

// An id as a key: 1 and "1" are different requests.
QString idKey(const QJsonValue &id)
{
    return id.isString() ? QLatin1String("s:") + id.toString()
                         : QLatin1String("n:") + QString::number(id.toDouble(), 'g', 17);
}

QString uriOf(const QJsonObject &params)
{
    return params.value(QLatin1String("textDocument"))
        .toObject()
        .value(QLatin1String("uri"))
        .toString();
}

Position positionOf(const QJsonObject &params)
{
    return positionFrom(params.value(QLatin1String("position")).toObject());
}

} // namespace

Server::Server(Send send, Log log, QObject *parent)
    : QObject(parent), m_send(std::move(send)), m_log(std::move(log))
{
    m_handlers = {
        {QStringLiteral("initialize"), &Server::initialize},
        {QStringLiteral("shutdown"), &Server::shutdown},
        {QStringLiteral("textDocument/hover"), &Server::onHover},
        {QStringLiteral("textDocument/completion"), &Server::onCompletion},
        {QStringLiteral("textDocument/codeAction"), &Server::onCodeAction},
        {QStringLiteral("textDocument/definition"), &Server::onDefinition},
        {QStringLiteral("textDocument/references"), &Server::onReferences},
        {QStringLiteral("textDocument/documentSymbol"), &Server::onSymbols},
        {QStringLiteral("textDocument/rename"), &Server::onRename},
        {QStringLiteral("textDocument/codeLens"), &Server::onCodeLens},
        {QStringLiteral("textDocument/formatting"), &Server::onFormatting},
        {QStringLiteral("workspace/executeCommand"), &Server::onExecute},
    };
}

Server::~Server() = default;

void Server::receive(const QVector<Frame> &frames)
{
    // Requests of this batch that a cancellation in it reaches are not yet
    // answered: each gets the cancellation error instead of its result.
    QSet<QString> cancelled;
    for (const Frame &f : frames) {
        if (f.kind != Frame::Message || !f.body.contains("$/cancelRequest"))
            continue;
        const QJsonObject o = QJsonDocument::fromJson(f.body).object();
        if (o.value(QLatin1String("method")).toString() == QLatin1String("$/cancelRequest"))
            cancelled.insert(
                idKey(o.value(QLatin1String("params")).toObject().value(QLatin1String("id"))));
    }
    for (const Frame &f : frames) {
        if (finished())
            return;
        switch (f.kind) {
        case Frame::Message:
            message(f.body, cancelled);
            break;
        case Frame::TooLarge:
            sendError(QJsonValue::Null, ParseError,
                      QStringLiteral("message refused: its Content-Length is over 64 MiB"));
            break;
        case Frame::NoLength:
            sendError(QJsonValue::Null, ParseError,
                      QStringLiteral("header block without a Content-Length dropped"));
            break;
        case Frame::End:
            if (m_log)
                m_log(QStringLiteral("input ended"));
            finish(1);
            break;
        }
    }
}

void Server::message(const QByteArray &body, const QSet<QString> &cancelled)
{
    QJsonParseError why;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &why);
    if (why.error != QJsonParseError::NoError) {
        sendError(QJsonValue::Null, ParseError,
                  QStringLiteral("not JSON: %1 at %2").arg(why.errorString()).arg(why.offset));
        return;
    }
    const QJsonObject o = doc.object();
    const QJsonValue method = o.value(QLatin1String("method"));
    const bool hasId = o.contains(QLatin1String("id"));
    const QJsonValue id = o.value(QLatin1String("id"));
    if (!doc.isObject() || !method.isString()) {
        // A response to a request of ours; we send none, so it is dropped.
        if (hasId && (o.contains(QLatin1String("result")) || o.contains(QLatin1String("error"))))
            return;
        sendError(id.isString() || id.isDouble() ? id : QJsonValue::Null, InvalidRequest,
                  QStringLiteral("not a request or notification"));
        return;
    }
    const QJsonObject params = o.value(QLatin1String("params")).toObject();
    if (m_log)
        m_log(method.toString() + (hasId ? QLatin1String(" #") + idKey(id) : QString()));
    if (!hasId) {
        notification(method.toString(), params);
    } else if (!id.isString() && !id.isDouble()) {
        sendError(QJsonValue::Null, InvalidRequest, QStringLiteral("an id is a number or text"));
    } else if (cancelled.contains(idKey(id))) {
        sendError(id, RequestCancelled, QStringLiteral("cancelled"));
    } else {
        request(id, method.toString(), params);
    }
}

void Server::request(const QJsonValue &id, const QString &method, const QJsonObject &params)
{
    const bool init = method == QLatin1String("initialize");
    if (m_state == State::Uninitialized && !init) {
        sendError(id, ServerNotInitialized, QStringLiteral("initialize comes first"));
        return;
    }
    if (m_state == State::ShutDown) {
        sendError(id, InvalidRequest, QStringLiteral("the server is shut down"));
        return;
    }
    if (m_state == State::Running && init) {
        sendError(id, InvalidRequest, QStringLiteral("initialize came already"));
        return;
    }
    const auto handler = m_handlers.constFind(method);
    if (handler == m_handlers.constEnd()) {
        sendError(id, MethodNotFound, QStringLiteral("no method %1").arg(method));
        return;
    }
    const Reply r = (this->**handler)(params);
    if (r.code != 0) {
        sendError(id, r.code, r.message);
        return;
    }
    send({{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
          {QStringLiteral("id"), id},
          {QStringLiteral("result"), r.result}});
}

void Server::notification(const QString &method, const QJsonObject &params)
{
    if (method == QLatin1String("exit")) {
        finish(m_state == State::ShutDown ? 0 : 1);
        return;
    }
    if (m_state != State::Running)
        return;
    if (method == QLatin1String("textDocument/didOpen"))
        opened(params);
    else if (method == QLatin1String("textDocument/didChange"))
        changed(params);
    else if (method == QLatin1String("textDocument/didClose"))
        closed(params);
    else if (method == QLatin1String("workspace/didChangeConfiguration"))
        configured(params);
}

void Server::send(const QJsonObject &message)
{
    m_send(QJsonDocument(message).toJson(QJsonDocument::Compact));
}

void Server::sendError(const QJsonValue &id, int code, const QString &text)
{
    if (m_log)
        m_log(QStringLiteral("error %1: %2").arg(code).arg(text));
    send({{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
          {QStringLiteral("id"), id},
          {QStringLiteral("error"),
           QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("message"), text}}}});
}

void Server::finish(int code)
{
    if (finished())
        return;
    m_exitCode = code;
    for (QTimer *t : std::as_const(m_timers))
        t->stop();
    emit exited(code);
}

Server::Reply Server::initialize(const QJsonObject &params)
{
    m_state = State::Running;
    const QJsonObject options = params.value(QLatin1String("initializationOptions")).toObject();
    m_model = calc::models::fromId(options.value(QLatin1String("model")).toString());
    const QJsonObject capabilities{
        {QStringLiteral("positionEncoding"), QStringLiteral("utf-16")},
        {QStringLiteral("textDocumentSync"),
         QJsonObject{{QStringLiteral("openClose"), true}, {QStringLiteral("change"), 2}}},
        {QStringLiteral("hoverProvider"), true},
        {QStringLiteral("completionProvider"), QJsonObject{}},
        {QStringLiteral("definitionProvider"), true},
        {QStringLiteral("referencesProvider"), true},
        {QStringLiteral("documentSymbolProvider"), true},
        {QStringLiteral("renameProvider"), true},
        {QStringLiteral("codeActionProvider"),
         QJsonObject{{QStringLiteral("codeActionKinds"), QJsonArray{QStringLiteral("quickfix")}}}},
        {QStringLiteral("codeLensProvider"),
         QJsonObject{{QStringLiteral("resolveProvider"), false}}},
        {QStringLiteral("documentFormattingProvider"), true},
        {QStringLiteral("executeCommandProvider"),
         QJsonObject{{QStringLiteral("commands"), QJsonArray{QStringLiteral("torvane.export8xp"),
                                                             QStringLiteral("torvane.import8xp"),
                                                             QStringLiteral("torvane.run")}}}},
    };
    return {QJsonObject{
        {QStringLiteral("capabilities"), capabilities},
        {QStringLiteral("serverInfo"),
         QJsonObject{{QStringLiteral("name"), QStringLiteral("torvane-studio")},
                     {QStringLiteral("version"), QCoreApplication::applicationVersion()}}}}};
}

Server::Reply Server::shutdown(const QJsonObject &)
{
    m_state = State::ShutDown;
    for (QTimer *t : std::as_const(m_timers))
        t->stop();
    return {};
}

void Server::opened(const QJsonObject &params)
{
    const QJsonObject d = params.value(QLatin1String("textDocument")).toObject();
    const QString uri = d.value(QLatin1String("uri")).toString();
    m_documents.open(uri, d.value(QLatin1String("languageId")).toString(),
                     d.value(QLatin1String("version")).toInt(),
                     d.value(QLatin1String("text")).toString());
    m_analyses.remove(uri);
    publish(uri);
}

void Server::changed(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    TextDocument *doc = m_documents.find(uri);
    if (!doc)
        return;
    for (const QJsonValue &c : params.value(QLatin1String("contentChanges")).toArray())
        doc->apply(c.toObject());
    doc->setVersion(params.value(QLatin1String("textDocument"))
                        .toObject()
                        .value(QLatin1String("version"))
                        .toInt());
    m_analyses.remove(uri);
    schedule(uri);
}

void Server::closed(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    delete m_timers.take(uri);
    m_analyses.remove(uri);
    m_documents.close(uri);
    send({{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
          {QStringLiteral("method"), QStringLiteral("textDocument/publishDiagnostics")},
          {QStringLiteral("params"), QJsonObject{{QStringLiteral("uri"), uri},
                                                 {QStringLiteral("diagnostics"), QJsonArray{}}}}});
}

void Server::configured(const QJsonObject &params)
{
    const QJsonValue model = params.value(QLatin1String("settings"))
                                 .toObject()
                                 .value(kTorvane)
                                 .toObject()
                                 .value(QLatin1String("model"));
    if (!model.isString())
        return;
    m_model = calc::models::fromId(model.toString());
    m_analyses.clear();
    for (const QString &uri : m_documents.uris())
        publish(uri);
}

void Server::schedule(const QString &uri)
{
    QTimer *&t = m_timers[uri];
    if (!t) {
        t = new QTimer(this);
        t->setSingleShot(true);
        t->setInterval(kDebounceMs);
        // A coarse timer may fire 5 % late, which the pause would show.
        t->setTimerType(Qt::PreciseTimer);
        connect(t, &QTimer::timeout, this, [this, uri] { publish(uri); });
    }
    t->start();
}

const Analysis *Server::analysis(const QString &uri)
{
    const TextDocument *doc = m_documents.find(uri);
    if (!doc)
        return nullptr;
    std::shared_ptr<Analysis> &a = m_analyses[uri];
    if (!a)
        a = std::make_shared<Analysis>(doc->text(), m_model);
    return a.get();
}

void Server::publish(const QString &uri)
{
    const Analysis *a = analysis(uri);
    if (!a || finished())
        return;
    if (QTimer *t = m_timers.value(uri))
        t->stop();
    send({{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
          {QStringLiteral("method"), QStringLiteral("textDocument/publishDiagnostics")},
          {QStringLiteral("params"),
           QJsonObject{{QStringLiteral("uri"), uri},
                       {QStringLiteral("version"), m_documents.find(uri)->version()},
                       {QStringLiteral("diagnostics"), diagnostics(*a)}}}});
}

namespace
{

Server::Reply noDocument(const QString &uri)
{
    return {InvalidParams, QStringLiteral("%1 is not open").arg(uri)};
}

} // namespace

Server::Reply Server::onHover(const QJsonObject &params)
{
    const Analysis *a = analysis(uriOf(params));
    return a ? Reply{hover(*a, positionOf(params))} : noDocument(uriOf(params));
}

Server::Reply Server::onCompletion(const QJsonObject &params)
{
    const Analysis *a = analysis(uriOf(params));
    return a ? Reply{completion(*a, positionOf(params))} : noDocument(uriOf(params));
}

Server::Reply Server::onCodeAction(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    const Analysis *a = analysis(uri);
    if (!a)
        return noDocument(uri);
    const QJsonArray only =
        params.value(QLatin1String("context")).toObject().value(QLatin1String("only")).toArray();
    if (!only.isEmpty() && !only.contains(QStringLiteral("quickfix")))
        return {QJsonArray{}};
    const QJsonObject range = params.value(QLatin1String("range")).toObject();
    return {codeActions(*a, *m_documents.find(uri),
                        positionFrom(range.value(QLatin1String("start")).toObject()),
                        positionFrom(range.value(QLatin1String("end")).toObject()))};
}

Server::Reply Server::onDefinition(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    const Analysis *a = analysis(uri);
    return a ? Reply{definition(*a, uri, positionOf(params))} : noDocument(uri);
}

Server::Reply Server::onReferences(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    const Analysis *a = analysis(uri);
    const bool declaration = params.value(QLatin1String("context"))
                                 .toObject()
                                 .value(QLatin1String("includeDeclaration"))
                                 .toBool();
    return a ? Reply{references(*a, uri, positionOf(params), declaration)} : noDocument(uri);
}

Server::Reply Server::onSymbols(const QJsonObject &params)
{
    const Analysis *a = analysis(uriOf(params));
    return a ? Reply{documentSymbols(*a)} : noDocument(uriOf(params));
}

Server::Reply Server::onRename(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    const Analysis *a = analysis(uri);
    if (!a)
        return noDocument(uri);
    QString why;
    const QJsonObject edit = rename(*a, uri, positionOf(params),
                                    params.value(QLatin1String("newName")).toString(), &why);
    if (!why.isEmpty())
        return {InvalidParams, why};
    return {edit};
}

Server::Reply Server::onCodeLens(const QJsonObject &params)
{
    const Analysis *a = analysis(uriOf(params));
    return a ? Reply{codeLens(*a)} : noDocument(uriOf(params));
}

Server::Reply Server::onFormatting(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    const Analysis *a = analysis(uri);
    return a ? Reply{formatting(*a, *m_documents.find(uri))} : noDocument(uri);
}

Server::Reply Server::onExecute(const QJsonObject &params)
{
    const QString command = params.value(QLatin1String("command")).toString();
    const QJsonObject args = params.value(QLatin1String("arguments")).toArray().at(0).toObject();
    if (command == QLatin1String("torvane.export8xp"))
        return exportCommand(args);
    if (command == QLatin1String("torvane.import8xp"))
        return importCommand(args);
    if (command == QLatin1String("torvane.run"))
        return runCommand(args);
    return {InvalidParams, QStringLiteral("no command %1").arg(command)};
}

} // namespace lsp
