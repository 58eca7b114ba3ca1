// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "projects/frmNewStandard.h"

#include "platform/Dialogs.h"
#include "platform/RegistryAccess.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "projects/ProjectRecord.h"
#include "projects/frmNewProject.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace projects
{

using platform::px;
using platform::rectTwips;

namespace
{
// Lasts for the program's run, whatever happens to the form.
int g_projectCount = 0;

// Shows a document window, bringing its frame's child window forward.
void showDocument(QWidget *doc)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(doc->parentWidget())) {
        sub->show();
        if (QMdiArea *area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        return;
    }
    platform::WindowRegistry::bringForward(doc);
}
} // namespace

int frmNewStandard::projectCount()
{
    return g_projectCount;
}

frmNewStandard::frmNewStandard(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmNewStandard"));
    setWindowTitle(QStringLiteral("New Project (TI-83/83+) - Standard"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto frame = [this](const char *name, const QString &caption, int top, int height) {
        auto *f = new QGroupBox(caption, this);
        f->setObjectName(QString::fromLatin1(name));
        f->setGeometry(rectTwips(120, top, 5760, height));
        return f;
    };
    auto box = [](QGroupBox *owner, const char *name, int maxLength) {
        auto *b = new QLineEdit(owner);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(rectTwips(120, 300, 5520, 315));
        if (maxLength > 0)
            b->setMaxLength(maxLength);
        return b;
    };

    Frame4 = frame("Frame4", QStringLiteral("Name of Program"), 120, 735);
    RichTextBox1 = box(Frame4, "RichTextBox1", 8);
    Frame2 = frame("Frame2", QStringLiteral("Type of Calculator"), 960, 735);
    Option1 = new QRadioButton(QStringLiteral("TI-83"), Frame2);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setGeometry(rectTwips(240, 330, 2400, 285));
    Option2 = new QRadioButton(QStringLiteral("TI-83 Plus"), Frame2);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setGeometry(rectTwips(3000, 330, 2400, 285));
    Frame5 = frame("Frame5", QStringLiteral("Any Comments?"), 1800, 735);
    RichTextBox2 = box(Frame5, "RichTextBox2", 42);
    Frame3 = frame("Frame3", QStringLiteral("Project Name"), 2640, 735);
    RichTextBox3 = box(Frame3, "RichTextBox3", 0);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(rectTwips(3240, 3480, 1215, 375));
    Command2 = new QPushButton(QStringLiteral("< Back"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(rectTwips(4665, 3480, 1215, 375));

    // Below the form's first height; OK makes the form tall enough to show it.
    Frame1 = frame("Frame1", QStringLiteral("Progress"), 4080, 1455);
    Label6 = new QLabel(Frame1);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(rectTwips(120, 300, 5520, 375));
    ProgressBar1 = new QProgressBar(Frame1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setGeometry(rectTwips(120, 780, 5520, 375));

    resize(px(6000), px(3975));

    connect(Command1, &QPushButton::clicked, this, &frmNewStandard::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmNewStandard::Command2_Click);
}

void frmNewStandard::setOuterHeightTwips(int height)
{
    const int border = frameGeometry().height() - geometry().height();
    resize(width(), px(height) - border);
}

void frmNewStandard::Command1_Click()
{
    ProjectInput input;
    input.programTitle = RichTextBox1->text();
    input.comments = RichTextBox2->text();
    input.projectName = RichTextBox3->text();
    input.calculator = Option1->isChecked()   ? Calculator::TI83
                       : Option2->isChecked() ? Calculator::TI83Plus
                                              : Calculator::None;

    bool first = true;
    auto progress = [&](const QString &status, int value) {
        if (!status.isNull())
            Label6->setText(status);
        if (std::exchange(first, false))
            setOuterHeightTwips(6720);
        if (value >= 0)
            ProgressBar1->setValue(value);
    };
    platform::RegistryAccess registry;
    QString error;
    const ProjectOutcome outcome = recordProject(registry, input, progress, &error);
    if (outcome != ProjectOutcome::Recorded) {
        // The form stays open with everything as typed, for another try.
        const ProjectMessage m = messageFor(outcome, error);
        platform::dialogs::message(this, m.text, m.title, QMessageBox::Critical);
        return;
    }

    if (platform::DocumentWindow *doc = platform::windows().defaultDocument()) {
        doc->setSaveEnabled(false);
        showDocument(doc->widget());
    }
    ++g_projectCount;
    platform::windows().newDocument(QStringLiteral("Document ") + QString::number(g_projectCount));
    close();
}

void frmNewStandard::Command2_Click()
{
    platform::windows().show<frmNewProject>();
    close();
}

} // namespace projects
