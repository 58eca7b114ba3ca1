// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Import Calculator Program: the file is asked for, and when it holds
// several programs (a group file, or several entries) this window lets the
// user pick the ones to open.
#include "calc/CalcFile.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;

namespace calcfiles
{

class frmImportPrograms : public QDialog
{
    Q_OBJECT
public:
    frmImportPrograms(const calc::calcfile::ImportedFile &file, QWidget *parent = nullptr);

    QLabel *Label1;
    QListWidget *lstPrograms; // one checkable row per program, all checked
    QDialogButtonBox *buttons;

    // The indexes of the checked programs, in the file's order.
    QVector<int> chosen() const;
};

// What the command opens: the programs chosen, and the status-bar message
// (archived and protected programs, what was left out, warnings).
struct CalcImport {
    QVector<calc::calcfile::Imported> programs;
    QString status;
};
// Asks for the file (a message says why one cannot be read) and, for
// several programs, which to import. Empty when cancelled or refused.
CalcImport importCalculatorPrograms(QWidget *parent);

} // namespace calcfiles
