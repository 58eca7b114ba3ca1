// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the Menu and Getkey wizards ask and the pieces of calculator code
// they put together, without a widget.
#include <QString>

namespace reference
{

namespace menuwizard
{

constexpr int kMaxItems = 7;

QString title(); // "Menus Wizard", of every prompt and message
QString titlePrompt();
QString titleDefault();
QString itemPrompt();
QString itemDefault();
QString labelPrompt();
QString labelDefault();
QString fullMessage();

// The command's start, written once the title is known: "Menu(" comes
// first, then the title between two delimiters.
QString opening();
QString titleText(const QString &delimiter, const QString &title);
// One item and the comma before its label: ,<Q>item<Q>,
QString itemText(const QString &delimiter, const QString &item);
QString closing(); // ")"

// The item counter is a text of ones, one per Add, a refused one included.
bool counterFull(const QString &counter);
// "Menu #1" .. "Menu #7" for a counter of 1 to 7 ones.
QString counterCaption(const QString &counter);

} // namespace menuwizard

namespace getkeywizard
{

// Where the first Add puts the caret: past the skeleton's end.
constexpr int kFirstAddPosition = 50;

// The key loop the preview starts from (43 characters).
QString skeleton();
// One key's test: jumps to the label when that key was pressed. The key
// stands on a line of its own before Then, and the block ends with End, so
// a loop with several keys tests every one of them.
QString keyBlock(const QString &key, const QString &label);
// What Done adds: the End of the outer loop.
QString closing();

} // namespace getkeywizard

} // namespace reference
