// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Drives `torvane-studio --lsp` through its standard input and output: framed
// messages written raw or as JSON, and the server's messages read back one
// at a time.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <functional>

class LspClient
{
public:
    explicit LspClient(const QStringList &extra = {},
                       const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral(TORVANE_EXECUTABLE), QStringList{"--lsp"} + extra);
        m_started = m_process.waitForStarted(10000);
    }
    ~LspClient()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool started() const { return m_started; }
    QProcess &process() { return m_process; }

    static QByteArray frame(const QByteArray &body)
    {
        return "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }
    static QByteArray frame(const QJsonObject &message)
    {
        return frame(QJsonDocument(message).toJson(QJsonDocument::Compact));
    }
    static QJsonObject requestJson(int id, const QString &method,
                                   const QJsonObject &params = QJsonObject())
    {
        return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}};
    }
    static QJsonObject notificationJson(const QString &method,
                                        const QJsonObject &params = QJsonObject())
    {
        return {{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
    }

    void writeRaw(const QByteArray &bytes)
    {
        m_process.write(bytes);
        while (m_process.bytesToWrite() > 0 && m_process.waitForBytesWritten(10000)) {
        }
    }
    void notify(const QString &method, const QJsonObject &params = QJsonObject())
    {
        writeRaw(frame(notificationJson(method, params)));
    }
    // Sends a request and waits for its answer; messages before it are kept
    // for next().
    QJsonObject request(const QString &method, const QJsonObject &params = QJsonObject())
    {
        const int id = ++m_lastId;
        writeRaw(frame(requestJson(id, method, params)));
        return waitFor([id](const QJsonObject &m) { return m.value("id") == QJsonValue(id); });
    }
    QJsonObject initialize(const QJsonObject &options = QJsonObject())
    {
        const QJsonObject r = request("initialize", {{"processId", QJsonValue::Null},
                                                     {"capabilities", QJsonObject()},
                                                     {"initializationOptions", options}});
        notify("initialized");
        return r;
    }
    void open(const QString &uri, const QString &text, int version = 1)
    {
        notify("textDocument/didOpen", {{"textDocument", QJsonObject{{"uri", uri},
                                                                     {"languageId", "tibasic"},
                                                                     {"version", version},
                                                                     {"text", text}}}});
    }
    // The next diagnostics published for `uri`.
    QJsonArray diagnostics(const QString &uri)
    {
        return waitFor([&uri](const QJsonObject &m) {
                   return m.value("method") == "textDocument/publishDiagnostics" &&
                          m.value("params").toObject().value("uri") == uri;
               })
            .value("params")
            .toObject()
            .value("diagnostics")
            .toArray();
    }

    // The next message of the server; an empty object when none comes in
    // time or the output is not framed as it should be.
    QJsonObject next(int timeoutMs = 10000)
    {
        if (!m_kept.isEmpty())
            return m_kept.takeFirst();
        QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            const int end = int(m_buffer.indexOf("\r\n\r\n"));
            if (end >= 0) {
                const QByteArray header = m_buffer.left(end);
                if (!header.startsWith("Content-Length: "))
                    return {};
                const int length = header.mid(16).toInt();
                if (m_buffer.size() >= end + 4 + length) {
                    const QByteArray body = m_buffer.mid(end + 4, length);
                    m_buffer.remove(0, end + 4 + length);
                    return QJsonDocument::fromJson(body).object();
                }
            }
            if (deadline.hasExpired() ||
                !m_process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
                if (m_process.bytesAvailable() == 0)
                    return {};
            m_buffer += m_process.readAllStandardOutput();
        }
    }
    QJsonObject waitFor(const std::function<bool(const QJsonObject &)> &wanted)
    {
        QList<QJsonObject> skipped;
        for (QJsonObject m = next(); !m.isEmpty(); m = next()) {
            if (wanted(m)) {
                m_kept = skipped + m_kept;
                return m;
            }
            skipped << m;
        }
        m_kept = skipped + m_kept;
        return {};
    }
    int exitCode(int timeoutMs = 10000)
    {
        if (!m_process.waitForFinished(timeoutMs))
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -2;
    }

private:
    QProcess m_process;
    bool m_started = false;
    int m_lastId = 1000;
    QByteArray m_buffer;
    QList<QJsonObject> m_kept;
};

inline int errorCode(const QJsonObject &reply)
{
    return reply.value("error").toObject().value("code").toInt();
}
