// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The compile wizard: builds the documentation document in five steps, saves
// it and hands over to the export window.
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace platform
{
class RichTextBox;
}

namespace compiler
{

class frmCompile : public QWidget
{
    Q_OBJECT
public:
    explicit frmCompile(QWidget *parent = nullptr);

    QLabel *Label1;
    QGroupBox *Frame1;
    QPushButton *Command1;
    QLabel *Label2;
    QCheckBox *Check1;
    QPushButton *Command2;
    QLabel *Label4;
    QCheckBox *Check2;
    QPushButton *Command3;
    QLabel *Label5;
    QCheckBox *Check3;
    QPushButton *Command4;
    QLabel *Label7;
    QCheckBox *Check4;
    QPushButton *Command5;
    QLabel *Label8;
    QCheckBox *Check5;
    QLabel *Label9;
    platform::RichTextBox *Preview;
    QPushButton *Command6;
    QPushButton *Command8;
    QPushButton *Command7;

    // Puts a block at Preview's insertion point, replacing the selection.
    void insertBlock(const QString &block);
    // Marks step 1..5 as run.
    void markCompleted(int step);

public slots:
    void Command1_Click(); // step 1: title
    void Command2_Click(); // step 2: general questions
    void Command3_Click(); // step 3: description window
    void Command4_Click(); // step 4: steps window
    void Command5_Click(); // step 5: conclusion window
    void Command6_Click(); // Clear All
    void Command7_Click(); // OK
    void Command8_Click(); // Cancel

private:
    void createSteps();
};

} // namespace compiler
