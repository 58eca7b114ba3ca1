// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The language server: JSON-RPC dispatch, the protocol's lifecycle and the
// open documents, on the main thread. Messages come in batches from the
// transport (lsp/Transport.h); a $/cancelRequest in a batch cancels the
// requests of that batch not yet answered.
#include "calc/Models.h"
#include "lsp/Documents.h"
#include "lsp/Features.h"
#include "lsp/Transport.h"

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>
#include <memory>

namespace lsp
{

// The protocol's error codes.
enum ErrorCode {
    ParseError = -32700,
    InvalidRequest = -32600,
    MethodNotFound = -32601,
    InvalidParams = -32602,
    InternalError = -32603,
    ServerNotInitialized = -32002,
    RequestCancelled = -32800,
};

class Server : public QObject
{
    Q_OBJECT
public:
    using Send = std::function<void(const QByteArray &body)>;
    using Log = std::function<void(const QString &line)>;
    explicit Server(Send send, Log log = nullptr, QObject *parent = nullptr);
    ~Server() override;

    // How long typing must pause before a document's diagnostics go out.
    static constexpr int kDebounceMs = 150;

    void receive(const QVector<Frame> &frames);
    bool finished() const { return m_exitCode >= 0; }
    int exitCode() const { return m_exitCode; }

signals:
    // After exit, or when the input ended: the process's exit code.
    void exited(int code);

public:
    // A request's result, or its error.
    struct Reply {
        Reply(QJsonValue r = QJsonValue::Null) : result(std::move(r)) {}
        Reply(int c, QString m) : code(c), message(std::move(m)) {}
        QJsonValue result;
        int code = 0;
        QString message;
    };

private:
    using Handler = Reply (Server::*)(const QJsonObject &params);

    void message(const QByteArray &body, const QSet<QString> &cancelled);
    void request(const QJsonValue &id, const QString &method, const QJsonObject &params);
    void notification(const QString &method, const QJsonObject &params);
    void send(const QJsonObject &message);
    void sendError(const QJsonValue &id, int code, const QString &text);
    void finish(int code);

    void opened(const QJsonObject &params);
    void changed(const QJsonObject &params);
    void closed(const QJsonObject &params);
    void configured(const QJsonObject &params);
    void schedule(const QString &uri);
    void publish(const QString &uri);
    // The analysis of a document's current text, made once per version.
    const Analysis *analysis(const QString &uri);

    Reply initialize(const QJsonObject &params);
    Reply shutdown(const QJsonObject &params);
    Reply onHover(const QJsonObject &params);
    Reply onCompletion(const QJsonObject &params);
    Reply onCodeAction(const QJsonObject &params);
    Reply onDefinition(const QJsonObject &params);
    Reply onReferences(const QJsonObject &params);
    Reply onSymbols(const QJsonObject &params);
    Reply onRename(const QJsonObject &params);
    Reply onCodeLens(const QJsonObject &params);
    Reply onFormatting(const QJsonObject &params);
    Reply onExecute(const QJsonObject &params);

    Reply exportCommand(const QJsonObject &args);
    Reply importCommand(const QJsonObject &args);
    Reply runCommand(const QJsonObject &args);

    Send m_send;
    Log m_log;
    enum class State { Uninitialized, Running, ShutDown } m_state = State::Uninitialized;
    int m_exitCode = -1;
    calc::models::Model m_model = calc::models::Model::None;
    DocumentStore m_documents;
    QHash<QString, QTimer *> m_timers;
    QHash<QString, std::shared_ptr<Analysis>> m_analyses;
    QHash<QString, Handler> m_handlers;
};

} // namespace lsp
