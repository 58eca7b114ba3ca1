// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Writes the default compile options and marks the first start as done.
#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace shell
{

class frmFirstTime : public QWidget
{
    Q_OBJECT
public:
    explicit frmFirstTime(QWidget *parent = nullptr);

    void start(); // the Start button

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

signals:
    void progressChanged(int value);

private:
    void setProgress(int value);
};

} // namespace shell
