// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document window's File > Export to Calculator: the questions, then the
// conversion the command line and the export window use too (CalcExport).
// Import Calculator Program is frmImportPrograms.
#include "calc/CalcFile.h"
#include "calc/Models.h"

#include <QString>

class QWidget;

namespace calcfiles::calccommands
{

// Asks for the program's name and the file, then writes `text` as a .8xp or
// .83p file. `document` is the file the text was loaded from or saved to
// (empty if none): it is never written over, and with `caption` it gives
// the name first offered. `kept` is what the document keeps of an imported
// program's header (archived, version), written back.
// `model` names the file type in the save dialog.
void exportProgram(QWidget *parent, const QString &text, const QString &document,
                   const QString &caption, const calc::FileMeta &kept = calc::FileMeta(),
                   calc::models::Model model = calc::models::Model::None);

} // namespace calcfiles::calccommands
