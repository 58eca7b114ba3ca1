// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the three long-text windows of the compile wizard share: an
// instruction, a text box and "Done", which hands the text to the wizard.
#include <QWidget>

class QLabel;
class QPushButton;

namespace platform
{
class RichTextBox;
}

namespace compiler
{

class CompileCompanion : public QWidget
{
    Q_OBJECT
public:
    QLabel *Label1;
    platform::RichTextBox *RichTextBox1;
    QPushButton *Command2;

    int step() const { return m_step; }

public slots:
    void Command2_Click(); // Done

protected:
    CompileCompanion(const char *formName, int step, const QString &caption,
                     const QString &instruction, QWidget *parent);

private:
    int m_step;
};

} // namespace compiler
