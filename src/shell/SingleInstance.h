// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One program per user session. The first start listens on a local socket
// named after the user's settings folder; a later start hands its files to it
// and ends. Tests with their own settings folder never meet the user's program.
#include <QObject>
#include <QStringList>

class QLocalServer;

namespace shell::instance
{

// The socket's name for the settings folder in use now.
QString serverName();

enum class Handover {
    Done,     // the running program took the files
    NoServer, // nobody listens (or a dead program left its socket behind)
    NoAnswer, // something listens but did not answer in time
};
// Sends `files` (made absolute) to the running program and waits for its
// answer at most `timeoutMs`.
Handover handOver(const QStringList &files, int timeoutMs = 3000);

// The running program's end. A socket left by a program that was killed is
// replaced; one that still answers is not.
class Server : public QObject
{
    Q_OBJECT
public:
    explicit Server(QObject *parent = nullptr);
    bool listen();

signals:
    // A later start's files (possibly none: it only wants the program in front).
    void filesArrived(const QStringList &files);

private:
    void accept();
    QLocalServer *m_server;
};

} // namespace shell::instance
