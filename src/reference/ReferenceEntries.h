// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The command reference as data: what each item of a document window's
// Insert and Graph menus writes into the window's panes. No widget in here;
// reference/Reference.h writes an entry into a window.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace reference
{

// How an entry writes one pane; they differ in where the caret is left.
enum class WriteMode {
    Unchanged, // the pane keeps its text and caret
    Whole,     // the text is replaced in one step; caret at the start
    Rebuilt,   // emptied, then filled line by line; caret at the end
    Append,    // filled line by line at the caret, the former text kept around
};

// What an entry opens instead of writing the panes.
enum class Action { None, Line, Getkey, Menu };

struct PaneText {
    WriteMode mode = WriteMode::Unchanged;
    QStringList lines;
};

struct ReferenceEntry {
    QString item;             // the menu item's name, e.g. "mnuFor"
    QString programInsertion; // put at the program pane's caret; empty for none
    PaneText syntax;
    PaneText example;
    std::optional<QString> description; // none leaves the description line as it is
    QString emphasis;                   // a run of the syntax shown in italics
    Action action = Action::None;
};

// Every entry, in menu order.
const std::vector<ReferenceEntry> &referenceEntries();
// The entry of a menu item; null for items that have none.
const ReferenceEntry *findEntry(const QString &item);

// Lines joined as program text: CR LF between them, none before or after.
QString joinLines(const QStringList &lines);
inline QString lineBreak()
{
    return QStringLiteral("\r\n");
}

} // namespace reference
