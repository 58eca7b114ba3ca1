// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lsp/LspMain.h"

#include "lsp/Server.h"
#include "lsp/Transport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace lsp
{

namespace
{

QFile *logFile = nullptr;

void logLine(const QString &line)
{
    if (!logFile)
        return;
    logFile->write(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toUtf8() + ' ' +
                   line.toUtf8() + '\n');
    logFile->flush();
}

void toLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    logLine(message);
}

} // namespace

int run(int &argc, char **argv, const QString &logPath)
{
    QCoreApplication app(argc, argv);
    // A client gone away is an error to write, not a signal that kills.
    std::signal(SIGPIPE, SIG_IGN);
    QFile log(logPath);
    if (!logPath.isEmpty() && log.open(QIODevice::Append | QIODevice::Text))
        logFile = &log;
    // Messages of Qt itself go to the log too, never to standard output.
    qInstallMessageHandler(toLog);
    logLine(QStringLiteral("torvane-studio --lsp %1 started").arg(app.applicationVersion()));

    Server server(
        [](const QByteArray &body) {
            if (!writeAll(STDOUT_FILENO, framed(body)))
                logLine(QStringLiteral("standard output is closed"));
        },
        logLine);
    Inbox inbox;
    Reader reader(STDIN_FILENO, &inbox, [&server, &inbox] {
        QMetaObject::invokeMethod(
            &server, [&server, &inbox] { server.receive(inbox.take()); }, Qt::QueuedConnection);
    });
    QObject::connect(&server, &Server::exited, &app, &QCoreApplication::exit, Qt::QueuedConnection);
    reader.start();
    const int code = app.exec();
    logLine(QStringLiteral("exit %1").arg(code));
    log.close();
    // The reader may still wait on standard input, which nothing can wake
    // portably: the process ends without waiting for it.
    std::fflush(nullptr);
    ::_exit(code);
}

} // namespace lsp
