// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/frmExample.h"

#include "platform/CloseOnShow.h"
#include "platform/Config.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"

#include <QCheckBox>
#include <QTextEdit>

namespace reference
{

frmExample::frmExample(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmExample"));
    setWindowTitle(QStringLiteral("Example"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(platform::px(2415), platform::px(5355));
    // The designed width is narrower than today's fonts: the window grows
    // so its check box caption shows whole.

    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setGeometry(platform::rectTwips(120, 120, 2175, 4815));
    Check1 = new QCheckBox(QStringLiteral("Don't show this again."), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(platform::rectTwips(120, 5040, 2175, 255));
    const int wanted = Check1->sizeHint().width() - Check1->width();
    if (wanted > 0) {
        setFixedSize(width() + wanted, height());
        Check1->resize(Check1->sizeHint().width(), Check1->height());
        RichTextBox1->resize(RichTextBox1->width() + wanted, RichTextBox1->height());
    }
    // A short program of the kind the editor writes; nothing reads it back.
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setPlainText(QStringLiteral("ClrHome\n"
                                              "Disp \"GUESS 1-10\"\n"
                                              "randInt(1,10)\u2192N\n"
                                              "Repeat G=N\n"
                                              "Prompt G\n"
                                              "If G<N:Disp \"HIGHER\"\n"
                                              "If G>N:Disp \"LOWER\"\n"
                                              "End\n"
                                              "Disp \"RIGHT!\""));
    connect(Check1, &QCheckBox::clicked, this, [this](bool marked) {
        platform::settings::writeOption(platform::config::ShowExample,
                                        marked ? QStringLiteral("0") : QStringLiteral("1"));
    });
    platform::bindDialogKeys(this, nullptr, nullptr);
    if (platform::settings::readOption(platform::config::ShowExample) == 0)
        platform::closeWhenShown(this);
}

} // namespace reference
