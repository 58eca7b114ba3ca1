// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Tools > Check Program: the problems of a document window's program, one
// row each; a row jumps to its place, hints can be applied one by one or
// all at once.
#include <QPointer>
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

    // The list of `window`'s program, created on first use and brought
    // forward. One list serves all the document windows of a frame and
    // follows the one in use.
    static frmProblems *showFor(QWidget *window, ProblemMarks *marks);
    // The program whose problems are listed.
    void setMarks(ProblemMarks *marks);
    ProblemMarks *marks() const { return m_marks; }

    QTreeWidget *lstProblems = nullptr;
    QPushButton *cmdApplyHint = nullptr;
    QPushButton *cmdApplyAll = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void refill();
    void updateButtons();
    // Focus went to `now`: the list follows the document window it is in.
    void follow(QWidget *now);

    QPointer<ProblemMarks> m_marks;
};

} // namespace editor
