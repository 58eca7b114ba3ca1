// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Entries of the symbol palette (combo0001a): characters a PC keyboard lacks
// plus common operators. Codes 128..255 are held as U+0080..U+00FF, as the
// program pane holds them; the calculator font draws them as its symbols.
#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

#include <optional>

namespace editor
{

constexpr int kPaletteEntryCount = 39;
// The blank entry: it has no text of its own and inserts the scratch file.
constexpr int kScratchEntry = 33;

// The list texts in order, kPaletteEntryCount of them; kScratchEntry is empty
// (the list shows kScratchCaption for it).
constexpr const char *kScratchCaption = "(scratch text)";
QStringList symbolPaletteEntries();
// What an entry is on the calculator ("less than or equal").
QString paletteEntryName(int index);
// The entry's tooltip: its symbol in Unicode, two spaces, its name, and its
// key in brackets where one types it.
QString paletteToolTip(int index);

// The one-keystroke symbols: Ctrl+Shift and a key. The code the key types
// (the preferred code of its symbol), or -1 when it types none. A shifted
// digit or punctuation key arrives as the character it shifts to on a US
// keyboard (Ctrl+Shift+= as Key_Plus), so both keys are taken.
int symbolKeyCode(int key, Qt::KeyboardModifiers modifiers);

// The same symbols for a menu: the symbol in Unicode, what it is, the code it
// types and its key ("Ctrl+Shift+S").
struct SymbolKey {
    QString symbol;
    QString name;
    int code;
    QString keys;
};
QList<SymbolKey> symbolKeys();

// What choosing `index` writes to the program pane's SelText. An index outside
// the list writes entry 0. For kScratchEntry the result is std::nullopt: the
// window then writes readScratchText(platform::places::scratchFile()) if that
// has a value, and nothing otherwise (the pane is never reloaded).
std::optional<QString> paletteInsertText(int index);

// The scratch file's text, read as Latin-1, every lone CR or LF made CR LF.
// std::nullopt when there is nothing to insert: the file is missing, cannot be
// read, or is empty.
std::optional<QString> readScratchText(const QString &path);

} // namespace editor
