// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The compiler's last window: turns a saved .tvf document into the
// calculator link's ASCII import file.
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace platform
{
class RichTextBox;
}

namespace compiler
{

class frmDone : public QWidget
{
    Q_OBJECT
public:
    explicit frmDone(QWidget *parent = nullptr);

    QLabel *Label1;
    QLabel *Label6;
    QCheckBox *Check1;
    QLabel *Label3;
    QPushButton *Command1;
    QLabel *Label2;
    QCheckBox *chkCalcFile;
    QFrame *Shape1;
    QLabel *Label4;
    QPushButton *Command2;
    QLabel *Label5;
    QPushButton *Command3;
    platform::RichTextBox *temp;
    platform::RichTextBox *Preview;

public slots:
    void Command1_Click(); // one export
    void Command2_Click(); // calculator maker's site
    void Command3_Click(); // close

private:
    void refuse(const QString &text, bool failure);
};

} // namespace compiler
