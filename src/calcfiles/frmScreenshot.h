// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator's screen as File > Get Calculator Screenshot received it,
// with Save... to a PNG file at one to four times its size.
#include "link/Link.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace calcfiles
{

class frmScreenshot : public QWidget
{
    Q_OBJECT
public:
    // `model` names the calculator in the title; empty when unknown.
    frmScreenshot(const calclink::Screenshot &screen, const QString &model,
                  QWidget *parent = nullptr);

    const calclink::Screenshot &screen() const { return m_screen; }
    // 1 to 4: the size it is shown and saved at.
    int scale() const;
    // Asks where, then writes the PNG; false when cancelled or it failed
    // (then the user was told).
    bool save();

private:
    void showScaled();

    calclink::Screenshot m_screen;
    QLabel *picScreen = nullptr;
    QComboBox *cboScale = nullptr;
    QPushButton *cmdSave = nullptr;
};

} // namespace calcfiles
