// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QWidget>

class QCheckBox;
class QTextEdit;

namespace reference
{

// The small "Example" window shown at start-up until switched off.
class frmExample : public QWidget
{
    Q_OBJECT
public:
    explicit frmExample(QWidget *parent = nullptr);

    QTextEdit *RichTextBox1 = nullptr;
    QCheckBox *Check1 = nullptr;
};

} // namespace reference
