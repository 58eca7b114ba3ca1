// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "projects/frmNewProject.h"

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/WindowRegistry.h"
#include "projects/frmNewStandard.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace projects
{

frmNewProject::frmNewProject(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmNewProject"));
    setWindowTitle(QStringLiteral("New Project (TI-83/83+)"));
    setAttribute(Qt::WA_DeleteOnClose);

    using platform::controls::button;
    using platform::controls::label;

    auto *main = new QVBoxLayout(this);
    Label1 = label(this, "Label1", QStringLiteral("Which type of program do you want to create?"));
    main->addWidget(Label1);

    auto *choices = new QGridLayout;
    Command1 = button(this, "Command1", QStringLiteral("Standard"));
    Label2 = label(this, "Label2",
                   QStringLiteral("This makes a standard, basic program, entirely up to you."));
    Command2 = button(this, "Command2", QStringLiteral("Qor 2000"));
    Command2->setEnabled(false);
    Label3 = label(this, "Label3",
                   QStringLiteral("This makes a graphical program, that you do minimal work on. "
                                  "All you do is modify a few settings, and you are ready to "
                                  "compile!"));
    choices->addWidget(Command1, 0, 0, Qt::AlignTop);
    choices->addWidget(Label2, 0, 1);
    choices->addWidget(Command2, 1, 0, Qt::AlignTop);
    choices->addWidget(Label3, 1, 1);
    choices->setColumnStretch(1, 1);
    main->addLayout(choices);

    Shape1 = platform::controls::box(this, "Shape1");
    auto *download = new QHBoxLayout(Shape1);
    Label4 = label(Shape1, "Label4",
                   QStringLiteral("Don't have Qor 2000? Download it now. Its quick and easy."));
    Command3 = button(Shape1, "Command3", QStringLiteral("Download"));
    download->addWidget(Label4, 1);
    download->addWidget(Command3);
    main->addWidget(Shape1);

    Command4 = button(this, "Command4", QStringLiteral("< Back"));
    main->addWidget(Command4, 0, Qt::AlignRight);

    connect(Command1, &QPushButton::clicked, this, &frmNewProject::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmNewProject::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmNewProject::Command4_Click);
    resize(420, sizeHint().height());
}

void frmNewProject::Command1_Click()
{
    platform::windows().closeSharedBrowser();
    platform::windows().show<frmNewStandard>();
    close();
}

void frmNewProject::Command3_Click()
{
    platform::dialogs::message(this,
                               QStringLiteral("Sorry, this button is currently unavailable."));
}

void frmNewProject::Command4_Click()
{
    platform::windows().closeSharedBrowser();
    close();
}

} // namespace projects
