// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace auxiliary
{

// Product name, version, notice and planned features.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    void StartSysInfo();
    // One value of the machine registry as text; false, with KeyVal empty,
    // when the key or the value is missing.
    static bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                            QString &KeyVal);
    static constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002u;

    QLabel *Label6 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
};

} // namespace auxiliary
