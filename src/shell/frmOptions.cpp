// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/frmOptions.h"

#include "calc/Models.h"
#include "editor/EditorOptions.h"
#include "platform/Config.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/RegistryAccess.h"
#include "platform/SettingsStore.h"
#include "platform/WindowRegistry.h"
#include "shell/frmFirstTime.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace shell
{

namespace
{
QString state(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

// "0" unchecks, "1" checks, anything else (a missing value too) leaves it.
void applySwitch(QCheckBox *box, const QString &text)
{
    if (text == QLatin1String("0"))
        box->setChecked(false);
    else if (text == QLatin1String("1"))
        box->setChecked(true);
}
} // namespace

using platform::controls::named;

frmOptions::frmOptions(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setAttribute(Qt::WA_DeleteOnClose);

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    SSTab1->addTab(generalTab(), QStringLiteral("General"));
    SSTab1->addTab(compileTab(), QStringLiteral("Compile"));
    SSTab1->addTab(setupTab(), QStringLiteral("Setup"));
    SSTab1->addTab(editorTab(), QStringLiteral("Editor"));

    Command1 = named(new QPushButton(QStringLiteral("OK")), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("Cancel")), "Command2");
    Command3 = named(new QPushButton(QStringLiteral("Apply")), "Command3");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    auto *main = new QVBoxLayout(this);
    main->addWidget(SSTab1);
    main->addLayout(buttons);

    loadValues();
    connectControls();
}

QWidget *frmOptions::generalTab()
{
    auto *general = new QWidget;
    auto *gl = new QVBoxLayout(general);
    Check1 = named(new QCheckBox(QStringLiteral("Show Tips at Startup")), "Check1");
    Check2 = named(new QCheckBox(QStringLiteral("Advanced Mode")), "Check2");
    Check7 = named(new QCheckBox(QStringLiteral("Show Example Box")), "Check7");
    gl->addWidget(Check1);
    gl->addWidget(Check2);
    gl->addWidget(Check7);
    gl->addStretch(1);
    return general;
}

QWidget *frmOptions::compileTab()
{
    auto *compile = new QWidget;
    auto *cl = new QGridLayout(compile);
    cl->addWidget(named(new QLabel(QStringLiteral("Compile Options:")), "Label1"), 0, 0);
    Check3 = named(new QCheckBox(QStringLiteral("Ask Web-Page URL")), "Check3");
    Check4 = named(new QCheckBox(QStringLiteral("Ask Company Name")), "Check4");
    Check5 = named(new QCheckBox(QStringLiteral("Ask Date Finished")), "Check5");
    Check6 = named(new QCheckBox(QStringLiteral("Ask E-Mail Address")), "Check6");
    cl->addWidget(Check3, 1, 0);
    cl->addWidget(Check4, 2, 0);
    cl->addWidget(Check5, 3, 0);
    cl->addWidget(Check6, 4, 0);
    cl->addWidget(named(new QLabel(QStringLiteral("Create Document In:")), "Label2"), 0, 1);
    Option1 = named(new QRadioButton(QStringLiteral("Notepad")), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("Wordpad")), "Option2");
    Option3 = named(new QRadioButton(QStringLiteral("HTML")), "Option3");
    // One exclusive group: none is selected as the window opens, and once
    // one is, clicking it again keeps it selected.
    auto *group = new QButtonGroup(this);
    for (QRadioButton *o : {Option1, Option2, Option3})
        group->addButton(o);
    cl->addWidget(Option1, 1, 1);
    cl->addWidget(Option2, 2, 1);
    cl->addWidget(Option3, 3, 1);
    cl->addWidget(
        named(new QLabel(QStringLiteral("Defult Font: (Does not apply to Notepad)")), "Label4"), 5,
        0, 1, 2);
    fonttype = named(new QTextEdit, "fonttype");
    fonttype->setMaximumHeight(48);
    cl->addWidget(fonttype, 6, 0, 1, 2);
    return compile;
}

QWidget *frmOptions::setupTab()
{
    auto *setup = new QWidget;
    auto *sl = new QVBoxLayout(setup);
    auto *l3 = named(new QLabel(QStringLiteral("This is if you want to redo the 'Beginning Setup'. "
                                               "This just recreates all Registry values and resets "
                                               "defults.")),
                     "Label3");
    l3->setWordWrap(true);
    sl->addWidget(l3);
    Command4 = named(new QPushButton(QStringLiteral("Run")), "Command4");
    sl->addWidget(Command4, 0, Qt::AlignLeft);
    sl->addStretch(1);
    return setup;
}

QWidget *frmOptions::editorTab()
{
    tabEditor = named(new QWidget, "tabEditor");
    auto *el = new QVBoxLayout(tabEditor);
    chkHighlight =
        named(new QCheckBox(QStringLiteral("Highlight the program's syntax")), "chkHighlight");
    chkStatusFigures =
        named(new QCheckBox(QStringLiteral("Show line, column and program size in the status bar")),
              "chkStatusFigures");
    el->addWidget(chkHighlight);
    el->addWidget(chkStatusFigures);
    chkCheckProgram =
        named(new QCheckBox(QStringLiteral("Check the program while typing")), "chkCheckProgram");
    chkShowHints = named(new QCheckBox(QStringLiteral("Show hints that make the program smaller")),
                         "chkShowHints");
    el->addWidget(chkCheckProgram);
    el->addWidget(chkShowHints);
    chkLineNumbers = named(new QCheckBox(QStringLiteral("Show line numbers")), "chkLineNumbers");
    el->addWidget(chkLineNumbers);
    // Font size and theme share a row so the tab fits a small screen.
    auto *row = new QHBoxLayout;
    spnFontSize = named(new QSpinBox, "spnFontSize");
    spnFontSize->setRange(editor::EditorOptions::kMinFontSize, editor::EditorOptions::kMaxFontSize);
    spnFontSize->setSuffix(QStringLiteral(" pt"));
    cboTheme = named(new QComboBox, "cboTheme");
    // In the order of EditorOptions::Theme.
    cboTheme->addItems(
        {QStringLiteral("Light"), QStringLiteral("Dark"), QStringLiteral("As the desktop")});
    auto *sizeLabel = named(new QLabel(QStringLiteral("Font &size:")), "lblFontSize");
    sizeLabel->setBuddy(spnFontSize);
    auto *themeLabel = named(new QLabel(QStringLiteral("&Theme:")), "lblTheme");
    themeLabel->setBuddy(cboTheme);
    row->addWidget(sizeLabel);
    row->addWidget(spnFontSize);
    row->addSpacing(12);
    row->addWidget(themeLabel);
    row->addWidget(cboTheme);
    row->addStretch(1);
    el->addLayout(row);
    // Documents whose model nobody chose are shown as this one.
    auto *modelRow = new QHBoxLayout;
    cboDefaultModel = named(new QComboBox, "cboDefaultModel");
    for (calc::models::Model m : calc::models::all())
        cboDefaultModel->addItem(calc::models::longName(m), int(m));
    auto *modelLabel = named(new QLabel(QStringLiteral("&Model of a new or unmarked program:")),
                             "lblDefaultModel");
    modelLabel->setBuddy(cboDefaultModel);
    modelRow->addWidget(modelLabel);
    modelRow->addWidget(cboDefaultModel);
    modelRow->addStretch(1);
    el->addLayout(modelRow);
    el->addStretch(1);
    return tabEditor;
}

void frmOptions::connectControls()
{
    connect(Check1, &QCheckBox::clicked, this, [this] {
        platform::settings::writeOption(platform::config::ShowTipsAtStartup, state(Check1));
    });
    connect(Check7, &QCheckBox::clicked, this, [this] {
        platform::settings::writeOption(platform::config::ShowExample, state(Check7));
    });
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (saveValues())
            close();
    });
    connect(Command3, &QPushButton::clicked, this, &frmOptions::saveValues);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    platform::bindDialogKeys(this, Command1, Command2);
    connect(Command4, &QPushButton::clicked, this, [this] {
        platform::windows().show<frmFirstTime>();
        close();
    });
}

void frmOptions::loadValues()
{
    // Only read: a value the dialog merely shows is never written back.
    fillFromRegistry();
    Check7->setChecked(platform::settings::readOption(platform::config::ShowExample) == 1);
    Check1->setChecked(platform::settings::readOption(platform::config::ShowTipsAtStartup) != 0);
    chkHighlight->setChecked(editor::EditorOptions::highlighting());
    chkStatusFigures->setChecked(editor::EditorOptions::statusFigures());
    chkCheckProgram->setChecked(editor::EditorOptions::checkProgram());
    chkShowHints->setChecked(editor::EditorOptions::showHints());
    chkLineNumbers->setChecked(editor::EditorOptions::lineNumbers());
    spnFontSize->setValue(editor::EditorOptions::fontSize());
    cboTheme->setCurrentIndex(int(editor::EditorOptions::theme()));
    cboDefaultModel->setCurrentIndex(
        cboDefaultModel->findData(int(editor::EditorOptions::defaultModel())));
}

void frmOptions::showEvent(QShowEvent *event)
{
    // Other windows change these values too (the tip window's and the example
    // box's check boxes): each time the dialog comes up it shows what is
    // stored now. While it is up, the user's unapplied edits stay.
    if (!event->spontaneous())
        loadValues();
    QWidget::showEvent(event);
}

void frmOptions::fillFromRegistry()
{
    platform::RegistryAccess reg;
    reg.SelectKey(platform::config::registry::CompileOptionsKey);
    const QString program = reg.valueText(platform::config::registry::DocumentProgramOption);
    if (program == platform::config::registry::NotePad)
        Option1->setChecked(true);
    else if (program == platform::config::registry::WordPad)
        Option2->setChecked(true);
    applySwitch(Check4, reg.valueText(platform::config::registry::CompanyNameOption));
    applySwitch(Check3, reg.valueText(platform::config::registry::WebPageOption));
    applySwitch(Check6, reg.valueText(platform::config::registry::EMailOption));
    applySwitch(Check5, reg.valueText(platform::config::registry::DateFinishedOption));
}

bool frmOptions::saveValues()
{
    using platform::settings::writeOption;
    bool ok = writeOption(platform::config::ShowTipsAtStartup, state(Check1));
    ok &= writeOption(platform::config::ShowExample, state(Check7));
    ok &= editor::EditorOptions::instance().apply(chkHighlight->isChecked(),
                                                  chkStatusFigures->isChecked());
    ok &= editor::EditorOptions::instance().applyChecks(chkCheckProgram->isChecked(),
                                                        chkShowHints->isChecked());
    ok &= editor::EditorOptions::instance().applyView(
        chkLineNumbers->isChecked(), spnFontSize->value(),
        editor::EditorOptions::Theme(cboTheme->currentIndex()));
    ok &= editor::EditorOptions::instance().applyDefaultModel(
        calc::models::Model(cboDefaultModel->currentData().toInt()));

    platform::RegistryAccess reg;
    ok &= reg.selectCompileOptionsForWriting();
    int type = 0;
    ok &= reg.SetValue(platform::config::registry::WebPageOption, type, state(Check3));
    ok &= reg.SetValue(platform::config::registry::EMailOption, type, state(Check6));
    ok &= reg.SetValue(platform::config::registry::DateFinishedOption, type, state(Check5));
    ok &= reg.SetValue(platform::config::registry::CompanyNameOption, type, state(Check4));
    ok &= reg.SetValue(platform::config::registry::DocumentProgramOption, type,
                       Option2->isChecked() && !Option1->isChecked()
                           ? QString(platform::config::registry::WordPad)
                           : QString(platform::config::registry::NotePad));
    if (!ok)
        platform::dialogs::message(
            this, QStringLiteral("The options could not be saved.\n%1").arg(reg.lastError()),
            QString(), QMessageBox::Critical);
    return ok;
}

} // namespace shell
