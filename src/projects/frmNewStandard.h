// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace projects
{

// Takes a program name, calculator type, comments and project name, records
// the project in the machine registry and opens a document window for it.
class frmNewStandard : public QWidget
{
    Q_OBJECT
public:
    explicit frmNewStandard(QWidget *parent = nullptr);

    void Command1_Click(); // OK
    void Command2_Click(); // < Back

    // Projects created in this run; the last one's window is titled
    // "Document " followed by it.
    static int projectCount();

    QGroupBox *Frame4 = nullptr;
    QLineEdit *RichTextBox1 = nullptr; // program name
    QGroupBox *Frame2 = nullptr;
    QRadioButton *Option1 = nullptr; // TI-83
    QRadioButton *Option2 = nullptr; // TI-83 Plus
    QGroupBox *Frame5 = nullptr;
    QLineEdit *RichTextBox2 = nullptr; // comments
    QGroupBox *Frame3 = nullptr;
    QLineEdit *RichTextBox3 = nullptr; // project name
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label6 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

private:
    void setOuterHeightTwips(int height);
};

} // namespace projects
