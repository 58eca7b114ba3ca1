// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Builds one calculator Menu( command, a title and up to seven items with
// their labels, in a preview, and on Done inserts it into the default
// document window. One instance; closing it discards what was built.
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;

namespace platform
{
class RichTextBox;
}

namespace reference
{

class frmWizard_MENU : public QWidget
{
    Q_OBJECT
public:
    explicit frmWizard_MENU(QWidget *parent = nullptr);
    ~frmWizard_MENU() override;

    void Image1_Click(); // Title
    void Image2_Click(); // Add
    void Image3_Click(); // Done

    // The file that holds the string delimiter, read at every title step;
    // the program's own menu.txt unless set otherwise.
    QString delimiterFile() const { return m_delimiterFile; }
    void setDelimiterFile(const QString &path) { m_delimiterFile = path; }
    // One "1" for every Add, a refused one included.
    QString itemCounter() const { return m_itemCounter; }

    QLabel *Label1 = nullptr;
    QFrame *Shape1 = nullptr;
    QToolButton *Image1 = nullptr;
    QLabel *Label3 = nullptr;
    QCheckBox *Check1 = nullptr;
    QToolButton *Image2 = nullptr;
    QLabel *Label2 = nullptr;
    QCheckBox *Check3 = nullptr;
    QCheckBox *Check2 = nullptr;
    QToolButton *Image3 = nullptr;
    QLabel *Label7 = nullptr;
    platform::RichTextBox *RichTextBox1 = nullptr;
    platform::RichTextBox *temp = nullptr; // holds the delimiter, never shown

private:
    void loadDelimiter();

    QString m_delimiterFile;
    QString m_itemCounter;
};

} // namespace reference
