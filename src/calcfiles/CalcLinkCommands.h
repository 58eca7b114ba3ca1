// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document window's File > Send to Calculator and Receive from
// Calculator: the cable, the questions and the progress, with the
// transfers themselves on the one thread that talks to the cable.
#include "calc/CalcFile.h"

#include <QString>
#include <optional>

class QWidget;

namespace calclink
{
class FakeCalculator;
}

namespace calcfiles
{
class frmScreenshot;
}

namespace calcfiles::calclinkcommands
{

// Sends `text` as the program `caption` or `document` names (asked, as
// for an export). Nothing on the calculator changes unless it all went.
void sendProgram(QWidget *parent, const QString &text, const QString &document,
                 const QString &caption, const calc::FileMeta &kept = calc::FileMeta());

// Lists the calculator's programs and receives the one chosen; nothing
// when the user cancelled or the transfer failed (then the user was told).
std::optional<calc::calcfile::Imported> receiveProgram(QWidget *parent);

// File > Get Calculator Screenshot: receives the connected calculator's
// screen and shows it in a window of its own (returned; nullptr when the
// user cancelled or it failed, then the user was told).
frmScreenshot *getScreenshot(QWidget *parent);

// Tests: the calculator at the other end of every cable (nullptr: the
// real cables). Not owned; used on the cable's thread during transfers.
void setTestCalculator(calclink::FakeCalculator *calculator);

} // namespace calcfiles::calclinkcommands
