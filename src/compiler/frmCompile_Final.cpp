// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compiler/frmCompile_Final.h"

#include "platform/RichTextBox.h"

#include <QBoxLayout>
#include <QPushButton>

namespace compiler
{

frmCompile_Final::frmCompile_Final(QWidget *parent)
    : CompileCompanion("frmCompile_Final", 5, QStringLiteral("Torvane Compiler - Conclusion"),
                       QStringLiteral("This is where you can add a conclusion and a copyright "
                                      "notice."),
                       parent)
{
    Command1 = new QPushButton(QStringLiteral("\u00A9 Symbol"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    static_cast<QBoxLayout *>(layout())->insertWidget(2, Command1, 0, Qt::AlignLeft);
    connect(Command1, &QPushButton::clicked, this, &frmCompile_Final::Command1_Click);
}

void frmCompile_Final::Command1_Click()
{
    RichTextBox1->setSelText(QString(QChar(0xA9)));
    RichTextBox1->setFocus();
}

} // namespace compiler
