// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compiler/frmCompile.h"

#include "compiler/Documentation.h"
#include "compiler/LinkExport.h"
#include "compiler/frmCompile_Description.h"
#include "compiler/frmCompile_Final.h"
#include "compiler/frmCompile_Steps.h"
#include "compiler/frmDone.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/RegistryAccess.h"
#include "platform/RichTextBox.h"
#include "platform/TextFiles.h"
#include "platform/WindowRegistry.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace compiler
{

namespace dialogs = platform::dialogs;
namespace doc = documentation;

namespace
{
// Answers and the preview are prose, in Unicode as typed.
QString ask(QWidget *parent, const doc::Question &q)
{
    return dialogs::prompt(parent, q.prompt, q.title, q.defaultAnswer);
}
} // namespace

frmCompile::frmCompile(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCompile"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Torvane Compiler Version 1.0"));

    Label1 = new QLabel(QStringLiteral("Well, you are ready to compile your program! If you "
                                       "follow these steps carefully, you will make a successful "
                                       "program and documentation."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    createSteps();

    Label9 = new QLabel(QStringLiteral("Go over your document. If you like it, press OK. If you "
                                       "don't, press Clear All or Cancel."),
                        this);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setWordWrap(true);

    Preview = new platform::RichTextBox(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setProse(true);
    Preview->setLineWrapMode(QTextEdit::NoWrap);
    Preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Preview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Command6 = new QPushButton(QStringLiteral("Clear All"), this);
    Command6->setObjectName(QStringLiteral("Command6"));
    Command8 = new QPushButton(QStringLiteral("Cancel"), this);
    Command8->setObjectName(QStringLiteral("Command8"));
    Command7 = new QPushButton(QStringLiteral("OK"), this);
    Command7->setObjectName(QStringLiteral("Command7"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command6);
    buttons->addStretch();
    buttons->addWidget(Command8);
    buttons->addWidget(Command7);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Frame1);
    layout->addWidget(Label9);
    layout->addWidget(Preview, 1);
    layout->addLayout(buttons);
    resize(520, 560);

    const QFont font = doc::documentFont();
    Preview->setFontName(font.family());
    Preview->setFontSize(font.pointSizeF());

    connect(Command1, &QPushButton::clicked, this, &frmCompile::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCompile::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCompile::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmCompile::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmCompile::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmCompile::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &frmCompile::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &frmCompile::Command8_Click);
}

// The five steps, a row each: its button, what it does, whether it ran.
void frmCompile::createSteps()
{
    Frame1 = new QGroupBox(QStringLiteral("Documentation"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *rows = new QGridLayout(Frame1);
    auto makeRow = [&](int row, QPushButton *&cmd, const char *cmdName, QLabel *&lbl,
                       const char *lblName, QCheckBox *&chk, const char *chkName) {
        cmd = new QPushButton(QStringLiteral("Step %1").arg(row + 1), Frame1);
        cmd->setObjectName(QLatin1String(cmdName));
        lbl = new QLabel(Frame1);
        lbl->setObjectName(QLatin1String(lblName));
        lbl->setWordWrap(true);
        chk = new QCheckBox(QStringLiteral("Not Done"), Frame1);
        chk->setObjectName(QLatin1String(chkName));
        rows->addWidget(cmd, row, 0);
        rows->addWidget(lbl, row, 1);
        rows->addWidget(chk, row, 2);
    };
    makeRow(0, Command1, "Command1", Label2, "Label2", Check1, "Check1");
    makeRow(1, Command2, "Command2", Label4, "Label4", Check2, "Check2");
    makeRow(2, Command3, "Command3", Label5, "Label5", Check3, "Check3");
    makeRow(3, Command4, "Command4", Label7, "Label7", Check4, "Check4");
    makeRow(4, Command5, "Command5", Label8, "Label8", Check5, "Check5");
    rows->setColumnStretch(1, 1);
    Label2->setText(QStringLiteral("This will create the title of your program."));
    Label4->setText(QStringLiteral("This will ask some general questions about your program."));
    Label5->setText(QStringLiteral("This will ask you your program description."));
    Label7->setText(
        QStringLiteral("This will ask you the steps in order to operate your program."));
    Label8->setText(QStringLiteral("This will ask you some final comments and a conclusion."));
}

void frmCompile::insertBlock(const QString &block)
{
    Preview->setSelText(block);
}

void frmCompile::markCompleted(int step)
{
    QCheckBox *const boxes[] = {Check1, Check2, Check3, Check4, Check5};
    if (step < 1 || step > 5)
        return;
    boxes[step - 1]->setChecked(true);
    boxes[step - 1]->setText(QStringLiteral("Completed"));
}

void frmCompile::Command1_Click()
{
    insertBlock(
        doc::titleBlock(dialogs::prompt(this, QStringLiteral("What is the title of your program?"),
                                        QStringLiteral("Step 1"), QStringLiteral("Untitled"))));
    markCompleted(1);
}

void frmCompile::Command2_Click()
{
    insertBlock(doc::creatorBlock(ask(this, doc::creatorQuestion())));

    platform::RegistryAccess registry;
    registry.SelectKey(platform::config::registry::CompileOptionsKey);
    for (const doc::Question &q : doc::optionalQuestions()) {
        // Read just before each question: the options may change between runs.
        if (!doc::switchOn(registry.valueText(q.switchName)))
            continue;
        insertBlock(doc::optionalLine(q, ask(this, q)));
    }
    markCompleted(2);
}

void frmCompile::Command3_Click()
{
    platform::windows().show<frmCompile_Description>();
}
void frmCompile::Command4_Click()
{
    platform::windows().show<frmCompile_Steps>();
}
void frmCompile::Command5_Click()
{
    platform::windows().show<frmCompile_Final>();
}

void frmCompile::Command6_Click()
{
    Preview->setText(QString());
}

void frmCompile::Command7_Click()
{
    const std::optional<QString> path = dialogs::saveFile(
        this, QStringLiteral("Save Document"), QStringLiteral("Text File (*.txt)|*.txt"));
    if (!path)
        return; // stay, so the document is not lost
    QString error;
    const QByteArray bytes = doc::fileBytes(Preview->Text());
    if (!platform::textfiles::writeAtomically(*path, bytes, &error)) {
        dialogs::message(this,
                         QStringLiteral("The documentation could not be saved to \"%1\":\n%2")
                             .arg(QDir::toNativeSeparators(*path), error),
                         QString(), QMessageBox::Critical);
        return;
    }
    platform::windows().showStatus(QStringLiteral("Wrote %1: documentation, %2 bytes")
                                       .arg(QFileInfo(*path).fileName())
                                       .arg(bytes.size()));
    platform::windows().show<frmDone>();
    close();
}

void frmCompile::Command8_Click()
{
    close();
}

} // namespace compiler
