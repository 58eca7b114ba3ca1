// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Sending programs to a calculator and receiving them over the link cable,
// without windows: what the command line's --send and --receive do, and
// the pieces the document window's commands share with it.
#include "link/Link.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace calcfiles::calctransfer
{

// The .8xp bytes to send for a program file (see ProgramFile.h): a .8xp
// file goes as it is, a document or text is exported as the export writes
// it; `name`, when given, renames the program.
bool programFile(const QString &path, const QString &name, QByteArray *file, QString *error);

// The cable remembered from the last transfer, if any, and remembering one.
std::optional<calclink::Options> rememberedCable();
void rememberCable(const calclink::Options &options);

// The environment variable that puts a test calculator on the end of the
// cable: it names the file that keeps the calculator's memory between
// runs. For tests only. TORVANE_TEST_CALCULATOR_FAULT names a fault
// (exit, skip, memory, silence, checksum, cutoff, slow);
// TORVANE_TEST_CALCULATOR_MODEL the calculator: ti83p (the default, on
// any cable), ti84p or ti84pce (on the USB cable).
inline constexpr char kTestCalculator[] = "TORVANE_TEST_CALCULATOR";
inline constexpr char kTestCalculatorModel[] = "TORVANE_TEST_CALCULATOR_MODEL";

// A link made as the environment says: over the test calculator when the
// variable is set (its memory saved back when the link is destroyed).
std::unique_ptr<calclink::Link> makeLink(const calclink::Options &options);

struct Command {
    enum Kind { None, Send, Receive, Screenshot } kind = None;
    QString file; // Send: the program; Receive: where it goes (.8xp or .tvf); Screenshot: the PNG
    QString name; // Send: the program's name, optional; Receive: the one wanted
    std::optional<calclink::Cable> cable; // none: the one found, else a SilverLink
    int port = 0;                         // 0: the first
};
// Runs it: true on success, else *error is one line for the user.
bool run(const Command &command, QString *error);

} // namespace calcfiles::calctransfer
