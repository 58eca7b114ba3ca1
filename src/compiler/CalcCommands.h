#pragma once
// A document window's File > Export to Calculator and Import Calculator
// Program: the questions, then the conversions the command line and the
// export window use too (CalcExport).
#include "calc/CalcFile.h"

#include <QString>
#include <optional>

class QWidget;

namespace compiler::calccommands
{

// Asks for the program's name and the file, then writes `text` as a .8xp or
// .83p file. `document` is the file the text was loaded from or saved to
// (empty if none): it is never written over, and with `caption` it gives
// the name first offered.
void exportProgram(QWidget *parent, const QString &text, const QString &document,
                   const QString &caption);

// Asks for a .8xp or .83p file and reads the program in it; nothing when the
// user cancelled or the file was refused (then the user was told why).
std::optional<calc::calcfile::Imported> importProgram(QWidget *parent);

} // namespace compiler::calccommands
