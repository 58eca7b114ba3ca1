// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Offered at a normal start when programs that stopped left unsaved work:
// Recover opens each chosen entry in a new document window, marked changed,
// its file name kept; Discard removes the chosen files; Later keeps them all.
#include "editor/RecoveryFiles.h"

#include <QDialog>
#include <QVector>

class QPushButton;
class QTreeWidget;

namespace shell
{

class frmMain;

class frmRecover : public QDialog
{
    Q_OBJECT
public:
    frmRecover(frmMain *frame, QVector<editor::recovery::Entry> entries);

    QTreeWidget *lstFiles = nullptr;
    QPushButton *cmdRecover = nullptr;
    QPushButton *cmdDiscard = nullptr;
    QPushButton *cmdLater = nullptr;

private:
    void recoverChosen();
    void discardChosen();
    void fill();
    QVector<int> chosen() const;

    frmMain *m_frame;
    QVector<editor::recovery::Entry> m_entries;
};

} // namespace shell
