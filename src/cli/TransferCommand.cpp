// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/TransferCommand.h"

#include "calcfiles/CalcTransfer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace cli
{

namespace
{

using calcfiles::calctransfer::Command;

// Which transfer and its files; false and *error when they do not fit.
bool readFiles(const QCommandLineParser &parser, Command *command, QString *error)
{
    const QStringList files = parser.positionalArguments();
    const bool send = parser.isSet(QStringLiteral("send"));
    const bool screenshot = parser.isSet(QStringLiteral("screenshot"));
    if (int(send) + int(parser.isSet(QStringLiteral("receive"))) + int(screenshot) > 1) {
        *error = QStringLiteral("Give one of --send, --receive and --screenshot.");
    } else if (screenshot) {
        command->kind = Command::Screenshot;
        command->file = parser.value(QStringLiteral("screenshot"));
        if (!files.isEmpty())
            *error = QStringLiteral("--screenshot takes one file; \"%1\" is one too many.")
                         .arg(files.first());
    } else if (send) {
        command->kind = Command::Send;
        command->file = parser.value(QStringLiteral("send"));
        command->name = parser.value(QStringLiteral("name"));
        if (!files.isEmpty())
            *error =
                QStringLiteral("--send takes one file; \"%1\" is one too many.").arg(files.first());
    } else {
        command->kind = Command::Receive;
        command->name = parser.value(QStringLiteral("receive"));
        if (files.size() != 1)
            *error = QStringLiteral("--receive NAME needs one file name, OUT; %1 given.")
                         .arg(files.size());
        else
            command->file = files.first();
    }
    return error->isEmpty();
}

// The cable and its port; false and *error on a value that is none.
bool readCable(const QCommandLineParser &parser, Command *command, QString *error)
{
    const QString cable = parser.value(QStringLiteral("cable"));
    if (parser.isSet(QStringLiteral("cable"))) {
        calclink::Cable c;
        if (!calclink::cableFromKey(cable, &c)) {
            *error = QStringLiteral("--cable: \"%1\" is none of silver, grey and usb.").arg(cable);
            return false;
        }
        command->cable = c;
    }
    const QString port = parser.value(QStringLiteral("port"));
    if (parser.isSet(QStringLiteral("port"))) {
        bool ok = false;
        command->port = port.toInt(&ok);
        if (!ok || command->port < 1 || command->port > 4) {
            *error = QStringLiteral("--port: \"%1\" is not a number from 1 to 4.").arg(port);
            return false;
        }
    }
    return true;
}

} // namespace

int transferCommand(const QCommandLineParser &parser, int &argc, char **argv)
{
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    Command command;
    QString error;
    if (readFiles(parser, &command, &error) && readCable(parser, &command, &error) &&
        calcfiles::calctransfer::run(command, &error))
        return 0;
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
}

} // namespace cli
