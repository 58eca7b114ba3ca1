// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The language server on a program of 24 KB of tokens: the time from a
// one-character didChange to its publishDiagnostics, the pause before it
// taken off (in process, so the pipe's latency is not counted, and through
// the real process for comparison), and the server's resident memory with
// ten such documents open. Prints figures only.
#include "calc/Checks.h"
#include "calc/Tokens.h"
#include "calcfiles/ProgramFile.h"
#include "lsp/Server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

const char *const kShapes[] = {
    "ClrHome:Disp \"HIGH SCORE\",H%1",  "For(I,1,%1):Output(I,3,\"*\"):End",
    "If X>%1 and Y<10:Then:X-1→X:End",  "Input \"GUESS\",G:If G=N:Goto W%1",
    "Disp \"TOO LOW\",G,\"TRY AGAIN\"", "S+%1*L→S:Pause :ClrHome",
    "While K=%1:getKey→K:End",          "Lbl W%1:Disp \"YOU WIN\":Stop"};

// A listing whose tokens take about `bytes` bytes.
QString listing(int bytes, int *lines)
{
    QStringList out;
    QString model;
    for (int i = 0;; ++i) {
        out << QString::fromUtf8(kShapes[i % 8]).replace(QLatin1String("%1"), QString::number(i));
        if (i % 64 == 0) {
            model = calcfiles::textProgram(out.join(QLatin1Char('\n')).toUtf8()).model;
            if (calc::tokens::tokenize(model).bytes.size() >= bytes)
                break;
        }
    }
    *lines = int(out.size());
    return out.join(QLatin1Char('\n'));
}

QByteArray body(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}
QJsonObject notification(const QString &method, const QJsonObject &params)
{
    return {{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
}
QJsonObject initialize()
{
    return {{"jsonrpc", "2.0"},
            {"id", 1},
            {"method", "initialize"},
            {"params", QJsonObject{{"capabilities", QJsonObject()}}}};
}
QJsonObject didOpen(const QString &uri, const QString &text)
{
    return notification(
        "textDocument/didOpen",
        {{"textDocument",
          QJsonObject{{"uri", uri}, {"languageId", "tibasic"}, {"version", 1}, {"text", text}}}});
}
// One character typed (even rounds) or taken away again (odd ones).
QJsonObject didChange(const QString &uri, int version, int line)
{
    const bool insert = version % 2 == 0;
    const QJsonObject start{{"line", line}, {"character", 0}};
    const QJsonObject end{{"line", line}, {"character", insert ? 0 : 1}};
    return notification(
        "textDocument/didChange",
        {{"textDocument", QJsonObject{{"uri", uri}, {"version", version}}},
         {"contentChanges",
          QJsonArray{QJsonObject{{"range", QJsonObject{{"start", start}, {"end", end}}},
                                 {"text", insert ? "1" : ""}}}}});
}

void print(const char *what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s median %7.2f ms, worst %7.2f ms (%zu rounds)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

void inProcess(const QString &text, int lines)
{
    QElapsedTimer clock;
    qint64 published = -1;
    lsp::Server server([&](const QByteArray &b) {
        if (b.contains("publishDiagnostics"))
            published = clock.nsecsElapsed();
    });
    const QString uri = QStringLiteral("file:///bench.8xp.txt");
    server.receive({{lsp::Frame::Message, body(initialize())},
                    {lsp::Frame::Message, body(notification("initialized", {}))},
                    {lsp::Frame::Message, body(didOpen(uri, text))}});
    std::vector<double> ms;
    for (int version = 2; version < 42; ++version) {
        published = -1;
        clock.start();
        server.receive({{lsp::Frame::Message, body(didChange(uri, version, lines / 2))}});
        while (published < 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        ms.push_back(published / 1e6 - lsp::Server::kDebounceMs);
    }
    print("didChange to publishDiagnostics, in process, less the pause", ms);
}

qint64 residentKb(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// The real server: its answers read until `count` diagnostics have come.
void waitForDiagnostics(QProcess &p, QByteArray &buffer, int count)
{
    while (count > 0 && p.waitForReadyRead(30000)) {
        buffer += p.readAllStandardOutput();
        for (qsizetype at; (at = buffer.indexOf("publishDiagnostics")) >= 0;) {
            buffer.remove(0, at + 18);
            --count;
        }
    }
}

void throughProcess(const QString &text, int lines)
{
    QProcess p;
    p.start(QStringLiteral(TORVANE_EXECUTABLE), {QStringLiteral("--lsp")});
    if (!p.waitForStarted()) {
        std::printf("the server did not start\n");
        return;
    }
    QByteArray buffer;
    const auto send = [&p](const QJsonObject &o) {
        p.write(lsp::framed(body(o)));
        while (p.bytesToWrite() > 0 && p.waitForBytesWritten(10000)) {
        }
    };
    send(initialize());
    send(notification("initialized", {}));
    p.waitForReadyRead(10000);
    std::printf("%-58s %7lld KB\n", "resident memory, initialized, no document",
                residentKb(p.processId()));
    const QString first = QStringLiteral("file:///bench0.8xp.txt");
    send(didOpen(first, text));
    waitForDiagnostics(p, buffer, 1);
    std::vector<double> ms;
    for (int version = 2; version < 22; ++version) {
        QElapsedTimer clock;
        clock.start();
        send(didChange(first, version, lines / 2));
        waitForDiagnostics(p, buffer, 1);
        ms.push_back(clock.nsecsElapsed() / 1e6 - lsp::Server::kDebounceMs);
    }
    print("didChange to publishDiagnostics, through the pipe, less the pause", ms);
    for (int i = 1; i < 10; ++i)
        send(didOpen(QStringLiteral("file:///bench%1.8xp.txt").arg(i), text));
    waitForDiagnostics(p, buffer, 9);
    std::printf("%-58s %7lld KB\n", "resident memory, ten documents open",
                residentKb(p.processId()));
    p.kill();
    p.waitForFinished();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int lines = 0;
    const QString text = listing(24 * 1024, &lines);
    const QString model = calcfiles::textProgram(text.toUtf8()).model;
    std::printf("program: %d lines, %lld characters, %lld bytes of tokens\n", lines,
                qlonglong(text.size()), qlonglong(calc::tokens::tokenize(model).bytes.size()));
    // The checks themselves, as the Problems window runs them: most of the time below.
    std::vector<double> checks;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer t;
        t.start();
        calc::checks::check(model);
        checks.push_back(t.nsecsElapsed() / 1e6);
    }
    print("the checks alone, calc::checks::check(), same program", checks);
    inProcess(text, lines);
    throughProcess(text, lines);
    return 0;
}
