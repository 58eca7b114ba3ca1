// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace projects
{

// Asks which kind of program to create; "Standard" leads to frmNewStandard.
class frmNewProject : public QWidget
{
    Q_OBJECT
public:
    explicit frmNewProject(QWidget *parent = nullptr);

    void Command1_Click(); // Standard
    void Command3_Click(); // Download
    void Command4_Click(); // < Back

    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Label3 = nullptr;
    QFrame *Shape1 = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
};

} // namespace projects
