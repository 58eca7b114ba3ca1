// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Start-up switches and compile options, and the way back into the
// first-time setup.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QSpinBox;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;

namespace shell
{

class frmOptions : public QWidget
{
    Q_OBJECT
public:
    explicit frmOptions(QWidget *parent = nullptr);

    // Fills the compile-option controls from the registry (also used by the
    // splash at start-up).
    void fillFromRegistry();
    // The switches from the settings store and the registry.
    void loadValues();
    // OK and Apply.
    bool saveValues();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *generalTab();
    QWidget *compileTab();
    QWidget *setupTab();
    QWidget *editorTab();
    void connectControls();

public:
    QTabWidget *SSTab1 = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QCheckBox *Check3 = nullptr;
    QCheckBox *Check4 = nullptr;
    QCheckBox *Check5 = nullptr;
    QCheckBox *Check6 = nullptr;
    QCheckBox *Check7 = nullptr;
    QWidget *tabEditor = nullptr;
    QCheckBox *chkHighlight = nullptr;
    QCheckBox *chkStatusFigures = nullptr;
    QCheckBox *chkCheckProgram = nullptr;
    QCheckBox *chkShowHints = nullptr;
    QCheckBox *chkLineNumbers = nullptr;
    QSpinBox *spnFontSize = nullptr;
    QComboBox *cboTheme = nullptr;
    QComboBox *cboDefaultModel = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QTextEdit *fonttype = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
};

} // namespace shell
