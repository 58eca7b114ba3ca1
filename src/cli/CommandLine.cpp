// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CommandLine.h"

#include "cli/CheckCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/ListingCommand.h"
#include "cli/RunCommand.h"
#include "cli/TransferCommand.h"
#include "lsp/LspMain.h"

namespace cli
{

namespace
{

using Option = QCommandLineOption;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void addConversions(QCommandLineParser *parser)
{
    parser->addOptions({
        Option(text("export-8xp"),
               text("torvane-studio --export-8xp IN OUT.8xp: write the program of IN (a document "
                    ".tvf, a calculator file, or UTF-8 text) as a calculator file, .8xp for the "
                    "TI-83 Plus or .83p for the TI-83 (by OUT's extension).")),
        Option(text("export-link"),
               text("torvane-studio --export-link IN OUT.txt: write the program of IN (a document "
                    ".tvf, a calculator file, or UTF-8 text) as a TI-Graph Link ASCII import "
                    "file.")),
        Option(text("import-8xp"),
               text("torvane-studio --import-8xp IN.8xp OUT.tvf: write the program of a calculator "
                    "file (.8xp, .83p, or a group .8xg, .83g) as a document.")),
        Option(text("name"),
               text("The program's name for an export; made from IN's file name without it."),
               text("NAME")),
        Option(text("protected"), text("Export the program protected.")),
        Option(text("program"),
               text("Which program of a file holding several to import; the first without it."),
               text("NAME")),
    });
}

void addRun(QCommandLineParser *parser)
{
    parser->addOptions({
        Option(text("run"),
               text("Run a program (.tvf, .8xp, .83p, or UTF-8 text) without a display and print "
                    "the final home screen."),
               text("FILE")),
        Option(text("input"),
               text("With --run: the answer to the next Input, Prompt or Menu(; repeat it for each "
                    "one."),
               text("TEXT")),
        Option(text("keys"),
               text("With --run: key codes for successive getKey calls, comma-separated."),
               text("CODES")),
        Option(text("max-steps"),
               text("With --run: stop after this many statements (default 10000000)."), text("N")),
        Option(text("graph-png"), text("With --run: write the final graph screen as a 96x64 PNG."),
               text("OUT")),
    });
}

void addSharing(QCommandLineParser *parser)
{
    parser->addOptions({
        Option(text("export-listing"),
               text("torvane-studio --export-listing IN OUT: write the program of IN as a listing "
                    "to share: UTF-8 text (.txt), a web page (.html) or a forum post (.bbcode), by "
                    "OUT's extension.")),
        Option(text("line-numbers"), text("With --export-listing to .html: number the lines.")),
        Option(text("record"),
               text("With --run: write an animated GIF of the screen through the run, a frame "
                    "each time it changes, timed at the calculator's pace."),
               text("OUT")),
        Option(text("scale"), text("With --record: screen pixels per calculator pixel, 1 to 4."),
               text("N")),
        Option(text("estimate"),
               text("With --run: print on standard error how long the run takes on a "
                    "calculator.")),
    });
}

void addTransfers(QCommandLineParser *parser)
{
    parser->addOptions({
        Option(text("send"),
               text("Send a program (.tvf, .8xp, or UTF-8 text) to a calculator over the link "
                    "cable; --name renames it."),
               text("FILE")),
        Option(text("receive"),
               text("torvane-studio --receive NAME OUT: receive the program NAME from a calculator "
                    "and write it to OUT (.8xp, or .tvf as a document)."),
               text("NAME")),
        Option(text("screenshot"),
               text("Write the calculator's screen to OUT as PNG (96x64, or 320x240 on a colour "
                    "model)."),
               text("OUT")),
        Option(text("cable"),
               text("With --send, --receive or --screenshot: silver, grey or usb (default: the "
                    "cable found, else silver)."),
               text("CABLE")),
        Option(text("port"), text("With --cable: which cable of that kind, 1 to 4."), text("N")),
    });
}

void addChecks(QCommandLineParser *parser)
{
    parser->addOptions({
        Option(text("check"),
               text("Check a program (.tvf, .8xp, .83p, or UTF-8 text) and print its problems as "
                    "FILE:LINE:COL: error|warning|hint: message; exit 1 on an error."),
               text("FILE")),
        Option(text("target"),
               text("With --check: the calculator, 83 or 83p (default: 83 for .83p files, else "
                    "83p)."),
               text("MODEL")),
        Option(text("model"),
               text("With --export-8xp, --check, --optimize or --run: the calculator the program "
                    "is for, ti83, ti83p, ti84p, ti84pcse or ti84pce (default: the document's "
                    "own; --target 83|83p means ti83|ti83p)."),
               text("MODEL")),
        Option(text("optimize"),
               text("torvane-studio --optimize IN OUT: apply the byte-saving hints until none is "
                    "left and write the program to OUT (never over IN).")),
    });
}

void addLanguageServer(QCommandLineParser *parser)
{
    parser->addOptions({
        Option(text("lsp"),
               text("Run the language server for TI-BASIC listings on standard input and output "
                    "(the Language Server Protocol), for editors such as Neovim, Kate, Helix and "
                    "VS Code.")),
        Option(text("lsp-log"), text("With --lsp: write what the server does to FILE."),
               text("FILE")),
        // What clients add to say the pipe is standard input and output.
        Option(text("stdio"), text("With --lsp: the protocol goes over standard input and output "
                                   "(always).")),
    });
}

} // namespace

CommandLine::CommandLine(int &argc, char **argv) : m_argc(argc), m_argv(argv)
{
    m_parser.setApplicationDescription(
        text("An editor for TI-83 and TI-83 Plus calculator programs."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addPositionalArgument(
        text("files"),
        text("Programs (.tvf) to open: the first in the default document window, each further one "
             "in a new window."),
        text("[files...]"));
    addConversions(&m_parser);
    addRun(&m_parser);
    addSharing(&m_parser);
    addTransfers(&m_parser);
    m_parser.addOption(Option(text("new-instance"),
                              text("Start another program even when one already runs (otherwise "
                                   "the files open in the running one).")));
    addChecks(&m_parser);
    addLanguageServer(&m_parser);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    m_parsed = m_parser.parse(arguments);
}

std::optional<int> CommandLine::runCommand()
{
    // Conversions, help and version need no display: they run before any
    // window system starts.
    const auto isSet = [this](const char *name) { return m_parser.isSet(text(name)); };
    const int conversions =
        int(isSet("export-8xp")) + int(isSet("export-link")) + int(isSet("import-8xp"));
    const bool other = conversions == 0 && !isSet("help") && !isSet("version");
    // The server runs on Qt Core alone and never meets a running program.
    if (m_parsed && other && isSet("lsp"))
        return lsp::run(m_argc, m_argv, m_parser.value(text("lsp-log")));
    if (m_parsed && other && isSet("export-listing"))
        return listingCommand(m_parser, m_argc, m_argv);
    if (m_parsed && other && (isSet("check") || isSet("optimize")) && !isSet("run"))
        return checkCommand(m_parser, m_argc, m_argv);
    if (m_parsed && other && isSet("run"))
        return cli::runCommand(m_parser, m_argc, m_argv);
    if (m_parsed && other && (isSet("send") || isSet("receive") || isSet("screenshot")))
        return transferCommand(m_parser, m_argc, m_argv);
    if (conversions > 0 || (m_parsed && (isSet("help") || isSet("version"))))
        return convertCommand(m_parser, m_argc, m_argv);
    return std::nullopt;
}

void CommandLine::process(const QCoreApplication &app)
{
    m_parser.process(app);
}

QStringList CommandLine::files() const
{
    return m_parser.positionalArguments();
}

bool CommandLine::newInstance() const
{
    return m_parser.isSet(text("new-instance"));
}

} // namespace cli
