// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Shows one random line of the tips file beside the program.
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace auxiliary
{

class frmTip : public QWidget
{
    Q_OBJECT
public:
    explicit frmTip(QWidget *parent = nullptr);

    bool LoadTips(const QString &sFile);
    void DisplayCurrentTip();
    void nextTip();

    QStringList tipList;
    int currentTipIndex = 0;

    QLabel *Label1 = nullptr;
    QLabel *lblTipText = nullptr;
    QCheckBox *chkLoadTipsAtStartup = nullptr;
    QPushButton *cmdNextTip = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace auxiliary
