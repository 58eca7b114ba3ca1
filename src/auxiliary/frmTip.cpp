// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "auxiliary/frmTip.h"

#include "platform/CloseOnShow.h"
#include "platform/Config.h"
#include "platform/Fonts.h"
#include "platform/Places.h"
#include "platform/SettingsStore.h"
#include "platform/TextFiles.h"
#include "platform/WindowRegistry.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace auxiliary
{

frmTip::frmTip(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setAttribute(Qt::WA_DeleteOnClose);

    Label1 = new QLabel(QStringLiteral("Did you know..."));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(platform::captionFont(14.25));
    lblTipText = new QLabel;
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setWordWrap(true);
    lblTipText->setTextFormat(Qt::PlainText); // "If A<B and C>D" is a tip, not markup
    lblTipText->setAutoFillBackground(true);
    lblTipText->setStyleSheet(QStringLiteral("background: white; padding: 8px;"));
    lblTipText->setMinimumHeight(100);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"));
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    cmdNextTip = new QPushButton(QStringLiteral("&Next Tip"));
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    cmdOK = new QPushButton(QStringLiteral("Close"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chkLoadTipsAtStartup);
    buttons->addStretch(1);
    buttons->addWidget(cmdNextTip);
    buttons->addWidget(cmdOK);
    auto *main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addWidget(lblTipText, 1);
    main->addLayout(buttons);
    resize(420, 240);

    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, [](bool on) {
        platform::settings::writeOption(platform::config::ShowTipsAtStartup,
                                        on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::nextTip);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    platform::bindDialogKeys(this, cmdOK, cmdOK);

    if (platform::settings::readOption(platform::config::ShowTipsAtStartup) == 0) {
        platform::closeWhenShown(this);
        return;
    }
    chkLoadTipsAtStartup->setChecked(true);
    if (!LoadTips(platform::places::tipsFile()))
        lblTipText->setText(QStringLiteral("That the TIPOFDAY.TXT file was not found? \r\n\r\n"
                                           "Create a text file named TIPOFDAY.TXT using NotePad "
                                           "with 1 tip per line. Then place it in the same "
                                           "directory as the application. "));
}

bool frmTip::LoadTips(const QString &sFile)
{
    if (sFile.isEmpty() || !QFileInfo::exists(sFile))
        return false;
    QFile f(sFile);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    tipList.clear();
    const QByteArray all = f.readAll();
    QList<QByteArray> lines = all.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line is no tip
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        tipList << platform::textfiles::fromWindowsLatin(line);
    }
    nextTip();
    return true;
}

void frmTip::nextTip()
{
    const double r = QRandomGenerator::global()->generateDouble();
    currentTipIndex = int(r * tipList.size() + 1);
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!tipList.isEmpty() && currentTipIndex >= 1 && currentTipIndex <= tipList.size())
        lblTipText->setText(tipList.at(currentTipIndex - 1));
}

} // namespace auxiliary
