// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Tools > Check Program: the problems of a document window's program, one
// row each; a row jumps to its place, hints can be applied one by one or
// all at once.
#include <QWidget>

class QPushButton;
class QTreeWidget;

namespace editor
{

class ProblemMarks;

class frmProblems : public QWidget
{
    Q_OBJECT
public:
    frmProblems(ProblemMarks *marks, QWidget *parent);

    // The list of `window`, created on first use and brought forward.
    static frmProblems *showFor(QWidget *window, ProblemMarks *marks);

    QTreeWidget *lstProblems = nullptr;
    QPushButton *cmdApplyHint = nullptr;
    QPushButton *cmdApplyAll = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void refill();
    void updateButtons();

    ProblemMarks *m_marks;
};

} // namespace editor
