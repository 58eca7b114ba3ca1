// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Insert and Graph items of a document window: each writes its reference
// entry into that window or opens the line dialog or a wizard.
#include "reference/ReferenceEntries.h"

namespace platform
{
class DocumentWindow;
class RichTextBox;
} // namespace platform

namespace reference
{

// Runs the item named `item` for the window whose menu it belongs to.
// Returns false for an item that has no entry: it does nothing.
bool chooseItem(platform::DocumentWindow &doc, const QString &item);

// Writes an entry's program insertion, panes and description, in that order.
void writeEntry(const ReferenceEntry &entry, platform::DocumentWindow &doc);

// Writes `text` into a pane in the given mode; `emphasis`, when it occurs
// in a line that is inserted, is written in italics.
void writePane(platform::RichTextBox *pane, const PaneText &text,
               const QString &emphasis = QString());

// Graph > Draw > Line: asks for the four coordinates and inserts the command
// at the caret of the window's program pane; a cancelled prompt inserts
// nothing.
void askLine(platform::DocumentWindow &doc);

// A wizard's finished text into the window's program pane, on lines of its
// own; the window comes forward with the text selected, so the user sees it.
void insertWizardText(platform::DocumentWindow &doc, const QString &text);

} // namespace reference
