// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/Main.h"
#include "compiler/CalcExport.h"
#include "compiler/CalcTransfer.h"
#include "platform/Fonts.h"
#include "run/CheckCommand.h"
#include "run/Runner.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("An editor for TI-83 and TI-83 Plus calculator programs."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("files"),
        QStringLiteral("Programs (.tvf) to open: the first in the default document window, "
                       "each further one in a new window."),
        QStringLiteral("[files...]"));
    const QCommandLineOption export8xp(
        QStringLiteral("export-8xp"),
        QStringLiteral("torvane-studio --export-8xp IN.tvf OUT.8xp: write the program of a "
                       "document as a calculator file, .8xp for the TI-83 Plus or .83p for the "
                       "TI-83 (by OUT's extension)."));
    const QCommandLineOption exportLink(
        QStringLiteral("export-link"),
        QStringLiteral("torvane-studio --export-link IN.tvf OUT.txt: write the program of a "
                       "document as a TI-Graph Link ASCII import file."));
    const QCommandLineOption import8xp(
        QStringLiteral("import-8xp"),
        QStringLiteral("torvane-studio --import-8xp IN.8xp OUT.tvf: write the program of a "
                       "calculator file (.8xp, .83p, or a group .8xg, .83g) as a document."));
    const QCommandLineOption program(
        QStringLiteral("program"),
        QStringLiteral("Which program of a file holding several to import; the first without it."),
        QStringLiteral("NAME"));
    const QCommandLineOption name(
        QStringLiteral("name"),
        QStringLiteral("The program's name for an export; made from IN's file name without it."),
        QStringLiteral("NAME"));
    const QCommandLineOption protect(QStringLiteral("protected"),
                                     QStringLiteral("Export the program protected."));
    parser.addOptions({export8xp, exportLink, import8xp, name, protect, program});
    const QCommandLineOption runFile(
        QStringLiteral("run"),
        QStringLiteral("Run a program (.tvf, .8xp, .83p, or UTF-8 text) without a display and "
                       "print the final home screen."),
        QStringLiteral("FILE"));
    const QCommandLineOption input(
        QStringLiteral("input"),
        QStringLiteral("With --run: the answer to the next Input, Prompt or Menu(; repeat it for "
                       "each one."),
        QStringLiteral("TEXT"));
    const QCommandLineOption keys(
        QStringLiteral("keys"),
        QStringLiteral("With --run: key codes for successive getKey calls, comma-separated."),
        QStringLiteral("CODES"));
    const QCommandLineOption maxSteps(
        QStringLiteral("max-steps"),
        QStringLiteral("With --run: stop after this many statements (default 10000000)."),
        QStringLiteral("N"));
    const QCommandLineOption graphPng(
        QStringLiteral("graph-png"),
        QStringLiteral("With --run: write the final graph screen as a 96x64 PNG."),
        QStringLiteral("OUT"));
    parser.addOptions({runFile, input, keys, maxSteps, graphPng});
    const QCommandLineOption send(
        QStringLiteral("send"),
        QStringLiteral("Send a program (.tvf or .8xp) to a calculator over the link cable; "
                       "--name renames it."),
        QStringLiteral("FILE"));
    const QCommandLineOption receive(
        QStringLiteral("receive"),
        QStringLiteral("torvane-studio --receive NAME OUT: receive the program NAME from a "
                       "calculator and write it to OUT (.8xp, or .tvf as a document)."),
        QStringLiteral("NAME"));
    const QCommandLineOption cable(
        QStringLiteral("cable"),
        QStringLiteral("With --send or --receive: silver, grey or usb (default: the cable found, "
                       "else silver)."),
        QStringLiteral("CABLE"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("With --cable: which cable of that kind, 1 to 4."),
                                  QStringLiteral("N"));
    parser.addOptions({send, receive, cable, port});
    const QCommandLineOption newInstance(
        QStringLiteral("new-instance"),
        QStringLiteral("Start another program even when one already runs (otherwise the files "
                       "open in the running one)."));
    parser.addOption(newInstance);
    const QCommandLineOption checkFile(
        QStringLiteral("check"),
        QStringLiteral(
            "Check a program (.tvf, .8xp, .83p, or UTF-8 text) and print its problems as "
            "FILE:LINE:COL: error|warning|hint: message; exit 1 on an error."),
        QStringLiteral("FILE"));
    const QCommandLineOption target(
        QStringLiteral("target"),
        QStringLiteral("With --check: the calculator, 83 or 83p (default: 83 for .83p files, "
                       "else 83p)."),
        QStringLiteral("MODEL"));
    const QCommandLineOption optimize(
        QStringLiteral("optimize"),
        QStringLiteral("torvane-studio --optimize IN OUT: apply the byte-saving hints until none "
                       "is left and write the program to OUT (never over IN)."));
    parser.addOptions({checkFile, target, optimize});

    // Conversions, help and version need no display: they run before any
    // window system starts.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool parsed = parser.parse(arguments);
    const int conversions =
        int(parser.isSet(export8xp)) + int(parser.isSet(exportLink)) + int(parser.isSet(import8xp));
    if (parsed && (parser.isSet(checkFile) || parser.isSet(optimize)) && conversions == 0 &&
        !parser.isSet(runFile) && !parser.isSet(help) && !parser.isSet(version)) {
        QCoreApplication core(argc, argv);
        run::CheckResult r;
        const QString model = parser.value(target);
        const QStringList files = parser.positionalArguments();
        if (!model.isEmpty() && model != QLatin1String("83") && model != QLatin1String("83p")) {
            r.error = QStringLiteral("--target: \"%1\" is neither 83 nor 83p.").arg(model);
            r.exitCode = run::CheckUnreadable;
        } else if (parser.isSet(checkFile) && parser.isSet(optimize)) {
            r.error = QStringLiteral("Give one of --check and --optimize.");
            r.exitCode = run::CheckUnreadable;
        } else if (parser.isSet(checkFile)) {
            r = run::checkFile(parser.value(checkFile), model);
        } else if (files.size() != 2) {
            r.error = QStringLiteral("--optimize needs two file names, IN and OUT; %1 given.")
                          .arg(files.size());
            r.exitCode = run::CheckUnreadable;
        } else {
            r = run::optimizeFile(files[0], files[1]);
        }
        std::fputs(r.out.toUtf8().constData(), stdout);
        if (!r.error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(r.error));
        return r.exitCode;
    }
    if (parsed && parser.isSet(runFile) && conversions == 0 && !parser.isSet(help) &&
        !parser.isSet(version)) {
        // Text( on the graph needs fonts, so a PNG needs a (hidden) display.
        std::unique_ptr<QCoreApplication> app;
        if (parser.isSet(graphPng)) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
            platform::useCalculatorDisplayFont();
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        run::Options options;
        options.file = parser.value(runFile);
        options.graphPng = parser.value(graphPng);
        options.inputs = parser.values(input);
        QString error;
        bool ok = true;
        for (const QString &k : parser.values(keys))
            ok = ok && run::parseKeys(k, &options.keys, &error);
        if (ok && parser.isSet(maxSteps)) {
            options.maxSteps = parser.value(maxSteps).toLongLong(&ok);
            if (!ok || options.maxSteps < 1) {
                ok = false;
                error = QStringLiteral("--max-steps: \"%1\" is not a positive number.")
                            .arg(parser.value(maxSteps));
            }
        }
        if (!ok) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return run::Unreadable;
        }
        const run::Result r = run::runFile(options);
        std::fputs(r.screen.toUtf8().constData(), stdout);
        std::fputs(r.error.toUtf8().constData(), stderr);
        if (r.exitCode == run::Unreadable)
            std::fputc('\n', stderr);
        return r.exitCode;
    }
    if (parsed && (parser.isSet(send) || parser.isSet(receive)) && conversions == 0 &&
        !parser.isSet(help) && !parser.isSet(version)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Torvane Studio"));
        using compiler::calctransfer::Command;
        Command command;
        QString error;
        const QStringList files = parser.positionalArguments();
        if (parser.isSet(send) && parser.isSet(receive)) {
            error = QStringLiteral("Give one of --send and --receive.");
        } else if (parser.isSet(send)) {
            command.kind = Command::Send;
            command.file = parser.value(send);
            command.name = parser.value(name);
            if (!files.isEmpty())
                error = QStringLiteral("--send takes one file; \"%1\" is one too many.")
                            .arg(files.first());
        } else {
            command.kind = Command::Receive;
            command.name = parser.value(receive);
            if (files.size() != 1)
                error = QStringLiteral("--receive NAME needs one file name, OUT; %1 given.")
                            .arg(files.size());
            else
                command.file = files.first();
        }
        if (error.isEmpty() && parser.isSet(cable)) {
            calclink::Cable c;
            if (calclink::cableFromKey(parser.value(cable), &c))
                command.cable = c;
            else
                error = QStringLiteral("--cable: \"%1\" is none of silver, grey and usb.")
                            .arg(parser.value(cable));
        }
        if (error.isEmpty() && parser.isSet(port)) {
            bool ok = false;
            command.port = parser.value(port).toInt(&ok);
            if (!ok || command.port < 1 || command.port > 4)
                error = QStringLiteral("--port: \"%1\" is not a number from 1 to 4.")
                            .arg(parser.value(port));
        }
        if (error.isEmpty() && compiler::calctransfer::run(command, &error))
            return 0;
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (conversions > 0 || (parsed && (parser.isSet(help) || parser.isSet(version)))) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Torvane Studio"));
        QCoreApplication::setApplicationVersion(QStringLiteral(TORVANE_VERSION));
        parser.process(core); // help, version and bad options end here
        using compiler::calcexport::Command;
        Command command;
        command.kind = parser.isSet(export8xp)    ? Command::Export8xp
                       : parser.isSet(exportLink) ? Command::ExportLink
                                                  : Command::Import8xp;
        command.name = parser.value(name);
        command.isProtected = parser.isSet(protect);
        command.program = parser.value(program);
        const QStringList files = parser.positionalArguments();
        QString error;
        if (conversions > 1) {
            error = QStringLiteral("Give one of --export-8xp, --export-link and --import-8xp.");
        } else if (files.size() != 2) {
            error = QStringLiteral("A conversion needs two file names, IN and OUT; %1 given.")
                        .arg(files.size());
        } else {
            command.input = files[0];
            command.output = files[1];
            QString report;
            if (compiler::calcexport::run(command, &error, &report)) {
                if (!report.isEmpty())
                    std::printf("%s\n", qPrintable(report));
                return 0;
            }
        }
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    QApplication app(argc, argv);
    // Wayland compositors match the windows to the installed .desktop entry by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("torvane-studio"));
    QApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    QApplication::setApplicationVersion(QStringLiteral(TORVANE_VERSION));
    parser.process(app);

    if (!shell::Main(parser.positionalArguments(), parser.isSet(newInstance)))
        return 0; // the running program took the files
    return app.exec();
}
