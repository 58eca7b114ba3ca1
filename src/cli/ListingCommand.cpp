// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ListingCommand.h"

#include "calc/Listing.h"
#include "calcfiles/CalcExport.h"
#include "calcfiles/ProgramFile.h"
#include "platform/Fonts.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace cli
{

bool exportListing(const QString &source, const QString &target, QString name, bool lineNumbers,
                   QString *error)
{
    QByteArray tokens;
    if (!calcfiles::readProgram(source, &tokens, error) ||
        !calcfiles::calcexport::nameFor(source, &name, error))
        return false;
    calc::listing::Options options;
    options.name = name;
    options.lineNumbers = lineNumbers;
    options.fonts = {platform::calculatorFontName(), platform::calculatorDisplayFamily()};
    return calc::listing::write(target, tokens, options, error);
}

int listingCommand(QCommandLineParser &parser, int &argc, char **argv)
{
    QCoreApplication core(argc, argv);
    parser.process(core);
    const QStringList files = parser.positionalArguments();
    QString error;
    if (files.size() != 2) {
        error = QStringLiteral("--export-listing needs two file names, IN and OUT; %1 given.")
                    .arg(files.size());
    } else if (exportListing(files[0], files[1], parser.value(QStringLiteral("name")),
                             parser.isSet(QStringLiteral("line-numbers")), &error)) {
        return 0;
    }
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
}

} // namespace cli
