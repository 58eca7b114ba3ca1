// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Find and Replace for one document window's program pane; not modal. Search
// and replacement are typed in Unicode and searched as model text, so "→"
// finds the store arrow.
#include "editor/FindText.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform
{
class RichTextBox;
}

namespace editor
{

class UndoHistory;

class frmFind : public QWidget
{
    Q_OBJECT
public:
    frmFind(platform::RichTextBox *pane, UndoHistory *history, QWidget *owner);

    // Shows the dialog with or without its replace row.
    void showFor(bool replacing);
    // Selects the next (previous) match; false when there is none.
    bool findNext(bool backward = false);
    // Replaces the selection when it is a match, then finds the next one.
    bool replace();
    // Every match in the text (or the scope) at once, as one undo entry.
    int replaceAll();

    bool hasSearch() const;

public:
    QLineEdit *txtFind = nullptr;
    QLineEdit *txtReplace = nullptr;
    QCheckBox *chkMatchCase = nullptr;
    QCheckBox *chkWholeWord = nullptr;
    QCheckBox *chkInSelection = nullptr;
    QPushButton *cmdFindNext = nullptr;
    QPushButton *cmdFindPrevious = nullptr;
    QPushButton *cmdReplace = nullptr;
    QPushButton *cmdReplaceAll = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *lblReplace = nullptr;
    QLabel *lblResult = nullptr;

private:
    QString needle() const;
    QString replacement() const;
    FindOptions options() const;
    void takeScope();
    // Beside the document window where the screen has room; otherwise moved
    // off the selection it just found.
    void placeBeside();
    void keepClearOfSelection();
    void report(const QString &text);

    platform::RichTextBox *m_pane;
    UndoHistory *m_history;
    // "In selection": the model range searched, kept up to date by replacing.
    int m_scopeStart = 0;
    int m_scopeEnd = 0;
};

} // namespace editor
