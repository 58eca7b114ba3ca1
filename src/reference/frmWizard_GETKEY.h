// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Builds a key-reading loop: a loop that waits for a key, then one test per
// key added that jumps to its label. Done closes the loop and inserts it into
// the default document window. One instance; closing it discards the loop.
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace platform
{
class RichTextBox;
}

namespace reference
{

class frmWizard_GETKEY : public QWidget
{
    Q_OBJECT
public:
    explicit frmWizard_GETKEY(QWidget *parent = nullptr);
    ~frmWizard_GETKEY() override;

    void Image1_Click(); // Add
    void Image2_Click(); // View Keypresses: has no operation
    void Image3_Click(); // Done

    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr;
    QFrame *Shape2 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *Text1 = nullptr; // the key code
    QLabel *Label5 = nullptr;
    QLineEdit *Text3 = nullptr; // the label to jump to
    QFrame *Shape1 = nullptr;
    QToolButton *Image1 = nullptr;
    QLabel *Label2 = nullptr;
    QToolButton *Image2 = nullptr;
    QLabel *Label6 = nullptr;
    QToolButton *Image3 = nullptr;
    QLabel *Label7 = nullptr;
    platform::RichTextBox *RichTextBox1 = nullptr;

private:
    // Until the first Add the caret still stands where opening left it, at
    // the start; the first block (or Done's End) goes past the skeleton.
    void placeFirstInsertion();

    bool m_firstAdd = true;
};

} // namespace reference
