// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/frmWizard_GETKEY.h"

#include "platform/Controls.h"
#include "platform/Fonts.h"
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"
#include "reference/Reference.h"
#include "reference/WizardText.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include <tuple>
#include <utility>

namespace reference
{

namespace controls = platform::controls;

using namespace getkeywizard;

frmWizard_GETKEY::frmWizard_GETKEY(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmWizard_GETKEY"));
    setWindowTitle(QStringLiteral("The Getkey Wizard"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(420, 380);

    Label1 = controls::label(this, "Label1",
                             QStringLiteral("A getkey will allow the user to press a key (that you "
                                            "define) and jump to a label. Simple enough?"),
                             QRect(10, 8, 400, 36));
    // Two lines: the question wraps at the window's width.
    Label3 = controls::label(
        this, "Label3",
        QStringLiteral("What keys do you want the user the press, and the label to jump to?"),
        QRect(10, 46, 400, 34));

    Shape2 = controls::box(this, "Shape2", QRect(10, 84, 400, 40));
    Label4 = controls::label(this, "Label4", QStringLiteral("Key:"), QRect(20, 94, 34, 20));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(56, 92, 60, 24);
    Label5 = controls::label(this, "Label5", QStringLiteral("Label:"), QRect(140, 94, 44, 20));
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setGeometry(186, 92, 140, 24);

    Shape1 = controls::box(this, "Shape1", QRect(10, 132, 400, 90));
    auto captioned = [this](const char *image, const char *label, const QString &caption,
                            QStyle::StandardPixmap picture, int centre) {
        auto *b = controls::pictureButton(this, image, style()->standardIcon(picture),
                                          QRect(centre - 22, 138, 44, 44), 4);
        auto *l = controls::label(this, label, caption, QRect(centre - 60, 188, 120, 20));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        return std::make_pair(b, l);
    };
    std::tie(Image1, Label2) =
        captioned("Image1", "Label2", QStringLiteral("Add"), QStyle::SP_FileDialogNewFolder, 80);
    std::tie(Image2, Label6) = captioned("Image2", "Label6", QStringLiteral("View Keypresses"),
                                         QStyle::SP_FileDialogContentsView, 210);
    std::tie(Image3, Label7) =
        captioned("Image3", "Label7", QStringLiteral("Done"), QStyle::SP_DialogApplyButton, 340);

    RichTextBox1 = new platform::RichTextBox(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setFontName(platform::calculatorFontName());
    RichTextBox1->setFontSize(8.25);
    RichTextBox1->setGeometry(10, 232, 400, 138);
    // Replaced in one step, which leaves the caret at the start.
    RichTextBox1->setText(skeleton());

    connect(Image1, &QToolButton::clicked, this, &frmWizard_GETKEY::Image1_Click);
    connect(Image2, &QToolButton::clicked, this, &frmWizard_GETKEY::Image2_Click);
    connect(Image3, &QToolButton::clicked, this, &frmWizard_GETKEY::Image3_Click);
}

frmWizard_GETKEY::~frmWizard_GETKEY()
{
    platform::disconnectChildren(this);
}

void frmWizard_GETKEY::placeFirstInsertion()
{
    if (!m_firstAdd)
        return;
    RichTextBox1->setSelStart(kFirstAddPosition);
    m_firstAdd = false;
}

void frmWizard_GETKEY::Image1_Click()
{
    placeFirstInsertion();
    RichTextBox1->setSelText(keyBlock(Text1->text(), Text3->text()));
}

void frmWizard_GETKEY::Image2_Click() {}

void frmWizard_GETKEY::Image3_Click()
{
    platform::DocumentWindow *doc = platform::windows().defaultDocument();
    if (!doc)
        return;
    // Without an Add the caret is still at the start, where End would
    // break the loop's first line.
    placeFirstInsertion();
    RichTextBox1->setSelText(closing());
    insertWizardText(*doc, RichTextBox1->Text());
    close();
}

} // namespace reference
