// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/frmWizard_MENU.h"

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"
#include "reference/Reference.h"
#include "reference/WizardText.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace reference
{

namespace controls = platform::controls;

namespace dialogs = platform::dialogs;
using namespace menuwizard;

frmWizard_MENU::frmWizard_MENU(QWidget *parent)
    : QWidget(parent), m_delimiterFile(platform::places::delimiterFile())
{
    setObjectName(QStringLiteral("frmWizard_MENU"));
    setWindowTitle(QStringLiteral("The Menu Wizard"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(420, 370);

    Label1 = controls::label(
        this, "Label1",
        QStringLiteral("This will make a basic menu that will hold upto 7 items and a title bar."),
        QRect(10, 8, 400, 36));
    Shape1 = controls::box(this, "Shape1", QRect(10, 50, 400, 170));

    auto checkBox = [this](const char *name, QRect place) {
        auto *c = new QCheckBox(this);
        c->setObjectName(QLatin1String(name));
        c->setGeometry(place);
        return c;
    };
    Image1 = controls::pictureButton(this, "Image1",
                                     style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                     QRect(20, 58, 44, 44), 4);
    Label3 = controls::label(this, "Label3", QStringLiteral("Title"), QRect(74, 70, 120, 20));
    Check1 = checkBox("Check1", QRect(210, 70, 190, 20));
    Check1->setText(QStringLiteral("Not Completed"));

    Image2 = controls::pictureButton(this, "Image2",
                                     style()->standardIcon(QStyle::SP_FileDialogNewFolder),
                                     QRect(20, 110, 44, 44), 4);
    Label2 =
        controls::label(this, "Label2", QStringLiteral("Add a Menus"), QRect(74, 122, 120, 20));
    // Check2 takes the raw counter under Check3, which shows the count.
    Check2 = checkBox("Check2", QRect(210, 122, 100, 20));
    Check2->setText(QStringLiteral("Menu #"));
    Check3 = checkBox("Check3", QRect(210, 122, 190, 20));
    Check3->setText(QStringLiteral("Menu #"));
    Check3->setAutoFillBackground(true);

    Image3 =
        controls::pictureButton(this, "Image3", style()->standardIcon(QStyle::SP_DialogApplyButton),
                                QRect(20, 162, 44, 44), 4);
    Label7 = controls::label(this, "Label7", QStringLiteral("Done"), QRect(74, 174, 120, 20));

    RichTextBox1 = new platform::RichTextBox(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setGeometry(10, 230, 400, 130);
    temp = new platform::RichTextBox(this);
    temp->setObjectName(QStringLiteral("temp"));
    temp->hide();

    connect(Image1, &QToolButton::clicked, this, &frmWizard_MENU::Image1_Click);
    connect(Image2, &QToolButton::clicked, this, &frmWizard_MENU::Image2_Click);
    connect(Image3, &QToolButton::clicked, this, &frmWizard_MENU::Image3_Click);
}

frmWizard_MENU::~frmWizard_MENU()
{
    platform::disconnectChildren(this);
}

void frmWizard_MENU::loadDelimiter()
{
    QString error;
    if (temp->loadFile(m_delimiterFile, false, &error))
        return;
    temp->setText(QString());
    dialogs::message(this,
                     QStringLiteral("The string delimiter could not be read, so the menu is "
                                    "built without it.\n%1")
                         .arg(error),
                     title(), QMessageBox::Warning);
}

void frmWizard_MENU::Image1_Click()
{
    const QString answer = dialogs::prompt(this, titlePrompt(), title(), titleDefault());
    RichTextBox1->setText(QString());
    RichTextBox1->setSelText(opening());
    loadDelimiter();
    RichTextBox1->setSelText(titleText(temp->Text(), answer));
    // The title is set once per opening of the window.
    Image1->setEnabled(false);
    Check1->setText(QStringLiteral("Completed!"));
    Check1->setChecked(true);
}

void frmWizard_MENU::Image2_Click()
{
    m_itemCounter += QLatin1Char('1');
    if (counterFull(m_itemCounter)) {
        dialogs::message(this, fullMessage(), title(), QMessageBox::Critical);
        Check1->setChecked(true);
        Image2->setEnabled(false);
        return;
    }
    const QString item = dialogs::prompt(this, itemPrompt(), title(), itemDefault());
    RichTextBox1->setSelText(itemText(temp->Text(), item));
    const QString label = dialogs::prompt(this, labelPrompt(), title(), labelDefault());
    RichTextBox1->setSelText(label);
    Check2->setText(m_itemCounter);
    Check3->setText(counterCaption(m_itemCounter));
}

void frmWizard_MENU::Image3_Click()
{
    platform::DocumentWindow *doc = platform::windows().defaultDocument();
    if (!doc)
        return;
    RichTextBox1->setSelText(closing());
    insertWizardText(*doc, RichTextBox1->Text());
    close();
}

} // namespace reference
