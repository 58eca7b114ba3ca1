// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compiler/CompileCompanion.h"

#include "compiler/Documentation.h"
#include "compiler/frmCompile.h"
#include "platform/Config.h"
#include "platform/RegistryAccess.h"
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace compiler
{

CompileCompanion::CompileCompanion(const char *formName, int step, const QString &caption,
                                   const QString &instruction, QWidget *parent)
    : QWidget(parent), m_step(step)
{
    setObjectName(QLatin1String(formName));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);

    Label1 = new QLabel(instruction, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    RichTextBox1 = new platform::RichTextBox(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    // The documentation is prose in an ordinary font, not calculator text.
    RichTextBox1->setProse(true);
    Command2 = new QPushButton(QStringLiteral("Done"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(RichTextBox1, 1);
    layout->addWidget(Command2, 0, Qt::AlignRight);
    resize(420, 320);

    const QFont font = documentation::documentFont();
    RichTextBox1->setFontName(font.family());
    RichTextBox1->setFontSize(font.pointSizeF());

    connect(Command2, &QPushButton::clicked, this, &CompileCompanion::Command2_Click);
}

void CompileCompanion::Command2_Click()
{
    // The wizard may have been closed meanwhile; it then opens again so the
    // text is not lost.
    frmCompile *wizard = platform::windows().show<frmCompile>();
    wizard->insertBlock(documentation::longTextBlock(RichTextBox1->Text()));
    wizard->markCompleted(m_step);
    close();
}

} // namespace compiler
