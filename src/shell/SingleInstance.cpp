// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/SingleInstance.h"

#include "platform/Places.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace shell::instance
{

namespace
{
// Written before the file list, so that a stranger on the socket is ignored.
constexpr quint32 kMagic = 0x54565331; // "TVS1"
constexpr char kAccepted = 'K';
} // namespace

QString serverName()
{
    const QByteArray folder = QDir(platform::places::configFolder()).absolutePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("torvane-studio-") + QString::fromLatin1(hash.left(16));
}

Handover handOver(const QStringList &files, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs))
        return socket.error() == QLocalSocket::SocketTimeoutError ? Handover::NoAnswer
                                                                  : Handover::NoServer;
    QStringList absolute;
    for (const QString &f : files)
        absolute << QFileInfo(f).absoluteFilePath();
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << kMagic << absolute;
    socket.write(message);
    QElapsedTimer clock;
    clock.start();
    while (socket.bytesAvailable() < 1) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0 || socket.state() != QLocalSocket::ConnectedState ||
            !socket.waitForReadyRead(left))
            return Handover::NoAnswer;
    }
    return socket.read(1) == QByteArray(1, kAccepted) ? Handover::Done : Handover::NoAnswer;
}

Server::Server(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &Server::accept);
}

bool Server::listen()
{
    const QString name = serverName();
    if (m_server->listen(name))
        return true;
    // Only a socket nobody answers on is taken over: a killed program's.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void Server::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            quint32 magic = 0;
            QStringList files;
            in >> magic >> files;
            if (!in.commitTransaction())
                return; // the rest is still on its way
            if (magic != kMagic) {
                socket->disconnectFromServer();
                return;
            }
            socket->write(&kAccepted, 1);
            socket->flush();
            emit filesArrived(files);
        });
    }
}

} // namespace shell::instance
